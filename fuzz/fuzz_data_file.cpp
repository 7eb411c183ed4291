// The whole reading of a data file, as the file-input dialog loads it: at most 100 lines; a
// good file gives finite points in ascending order of X, their Y within the extremes of the
// values as read; a bad one names the first line that is not two numbers.
#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "datainput.h"
#include "fuzz_check.h"
#include "state.h"

namespace {
const QString& scratchFile() {
    static const QString path = QDir::temp().filePath(
        QStringLiteral("nodara-fuzz-%1.csv").arg(QCoreApplication::applicationPid()));
    return path;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    {
        QFile f(scratchFile());
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return 0;
        f.write(reinterpret_cast<const char*>(data), qint64(size));
    }
    DataPoints p;
    const DataFileLoad load = LoadDataFile(scratchFile(), p);
    const int DataCount = p.DataCount;
    FUZZ_CHECK(load.lines.size() <= kDataLimit, "%d lines read", int(load.lines.size()));
    FUZZ_CHECK(DataCount == load.lines.size(), "DataCount %d for %d lines", DataCount,
               int(load.lines.size()));
    switch (load.status) {
        case DataFileLoad::CannotOpen:
        case DataFileLoad::Refused:
            FUZZ_CHECK(false, "a file just written cannot be read: %s",
                       qPrintable(load.problem));
            break;
        case DataFileLoad::Empty:
            FUZZ_CHECK(DataCount == 0, "an empty file holds %d lines", DataCount);
            break;
        case DataFileLoad::BadLine: {
            FUZZ_CHECK(load.badLine >= 1 && load.badLine <= DataCount, "bad line %d", load.badLine);
            double x = 0, y = 0;
            FUZZ_CHECK(!ParseDataLine(load.lines[load.badLine - 1], x, y), "line %d is good",
                       load.badLine);
            for (int i = 1; i < load.badLine; ++i)
                FUZZ_CHECK(ParseDataLine(load.lines[i - 1], x, y), "line %d before it is bad", i);
            break;
        }
        case DataFileLoad::Loaded:
            for (int i = 1; i <= DataCount; ++i) {
                FUZZ_CHECK(std::isfinite(p.DataX[i]) && std::isfinite(p.DataY[i]), "point %d", i);
                FUZZ_CHECK(p.DataMinY <= p.DataY[i] && p.DataY[i] <= p.DataMaxY, "Y %a outside %a..%a",
                           p.DataY[i], p.DataMinY, p.DataMaxY);
                if (i > 1)
                    FUZZ_CHECK(p.DataX[i - 1] <= p.DataX[i], "X %a before %a", p.DataX[i - 1], p.DataX[i]);
            }
            break;
    }
    return 0;
}
