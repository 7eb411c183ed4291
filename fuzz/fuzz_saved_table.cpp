// The viewer's reading of a saved interpolated-data file. A file it accepts holds what the
// program can draw (a scale mode, rising axes with positive steps, counts within capacity,
// finite values, positive ones on a logarithmic axis), and saving what was read gives a file
// that reads back to the same bytes when saved again. Two seeds are full tables of 9,900 rows
// (linear and logarithmic axes), so inputs must be allowed that long:
// fuzz max_len: 400000
#include <QByteArray>
#include <QStringList>
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "fuzz_check.h"
#include "savedtable.h"
#include "scalemode.h"
#include "state.h"

namespace {

void checkDrawable(const SavedTable& t) {
    FUZZ_CHECK(t.mode >= 1 && t.mode <= 4, "mode %d", t.mode);
    FUZZ_CHECK(t.xStart < t.xEnd && t.yStart < t.yEnd, "axes %a..%a, %a..%a", t.xStart, t.xEnd,
               t.yStart, t.yEnd);
    FUZZ_CHECK(t.xStep > 0 && t.yStep > 0, "steps %a, %a", t.xStep, t.yStep);
    FUZZ_CHECK(t.tableCount >= 1 && t.tableCount <= kTableCapacity, "rows %d", t.tableCount);
    FUZZ_CHECK(t.dataCount >= 0 && t.dataCount <= kDataLimit, "points %d", t.dataCount);
    FUZZ_CHECK(int(t.plainX.size()) > t.tableCount && int(t.plainY.size()) > t.tableCount &&
                   int(t.dataX.size()) > t.dataCount && int(t.dataY.size()) > t.dataCount,
               "vectors shorter than their counts");
    const bool logX = IsLogX(t.mode), logY = IsLogY(t.mode);
    auto usable = [](double v, bool log) { return std::isfinite(v) && (!log || v > 0); };
    for (int i = 1; i <= t.tableCount; ++i)
        FUZZ_CHECK(usable(t.plainX[i], logX) && usable(t.plainY[i], logY), "row %d: %a, %a", i,
                   t.plainX[i], t.plainY[i]);
    for (int i = 1; i <= t.dataCount; ++i)
        FUZZ_CHECK(usable(t.dataX[i], logX) && usable(t.dataY[i], logY), "point %d: %a, %a", i,
                   t.dataX[i], t.dataY[i]);
}

QByteArray savedAgain(const SavedTable& t) { return SavedTableText(t); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    SavedTable table;
    if (!ParseSavedTable(bytes, table).ok()) return 0;
    checkDrawable(table);
    for (int i = 2; i <= table.tableCount; ++i)
        FUZZ_CHECK(table.plainX[i - 1] <= table.plainX[i], "rows %d and %d descend", i - 1, i);
    // What the viewer shows of it.
    const ViewedTable shown = ViewSavedTable(table, QStringLiteral("fuzz-Sp.csv"));
    FUZZ_CHECK(shown.rows.count == table.tableCount && shown.rows.minX <= shown.rows.maxX,
               "rows %d of %d, extent %a..%a", shown.rows.count, table.tableCount, shown.rows.minX,
               shown.rows.maxX);

    const QByteArray first = savedAgain(table);
    SavedTable reread;
    const SavedTableStatus status = ParseSavedTable(first, reread);
    FUZZ_CHECK(status.ok(), "a saved file is refused at line %d:\n%s", status.line,
               first.left(400).constData());
    checkDrawable(reread);
    const QByteArray second = savedAgain(reread);
    FUZZ_CHECK(second == first, "saving what was read changes the file:\n%s\n--\n%s",
               first.left(400).constData(), second.left(400).constData());
    return 0;
}
