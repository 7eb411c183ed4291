// The windowed program's reading of F2B.dat: a table it accepts holds as many
// rows as its count line says, within the table's capacity, every value
// finite and equal to strtod's reading of its field, and extremes that bound
// the rows.
#include <QByteArray>
#include <QList>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "exchange.h"
#include "fuzz_check.h"
#include "state.h"

namespace {

// Fields of a line split at runs of blanks, tabs and commas.
QList<QByteArray> fieldsOf(QByteArray line) {
    line.replace('\t', ' ').replace(',', ' ');
    return line.simplified().split(' ');
}

double strtodField(QByteArray field) {
    field.replace('d', 'e').replace('D', 'e');
    return std::strtod(field.constData(), nullptr);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const std::optional<EngineTable> table = ParseTableText(bytes);
    if (!table) return 0;
    const EngineTable& t = *table;
    FUZZ_CHECK(t.count >= 1 && t.count <= kTableCapacity, "count %d", t.count);
    FUZZ_CHECK(t.x.size() == std::size_t(t.count) + 1 && t.y.size() == t.x.size(), "row storage");

    const QList<QByteArray> lines = bytes.split('\n');
    FUZZ_CHECK(lines.size() >= t.count + 1, "%d rows from %lld lines", t.count,
               static_cast<long long>(lines.size()));
    FUZZ_CHECK(fieldsOf(QByteArray(lines[0]).replace('\r', ""))[0].toLongLong() == t.count,
               "count line");
    for (int i = 1; i <= t.count; ++i) {
        const QList<QByteArray> f = fieldsOf(QByteArray(lines[i]).replace('\r', ""));
        FUZZ_CHECK(f.size() == 2, "row %d has %lld fields", i, static_cast<long long>(f.size()));
        FUZZ_CHECK(std::isfinite(t.x[i]) && std::isfinite(t.y[i]), "row %d not finite", i);
        FUZZ_CHECK(t.x[i] == strtodField(f[0]) && t.y[i] == strtodField(f[1]),
                   "row %d reads (%a, %a), strtod (%a, %a)", i, t.x[i], t.y[i], strtodField(f[0]),
                   strtodField(f[1]));
        FUZZ_CHECK(t.minX <= t.x[i] && t.x[i] <= t.maxX && t.minY <= t.y[i] && t.y[i] <= t.maxY,
                   "row %d outside the extremes", i);
    }
    return 0;
}
