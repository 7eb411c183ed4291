// Equal-interval tables from an interpolated table.
#include "equaltable.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "textconv.h"

namespace {
// How far apart two positions between start and end may lie by rounding alone: the decimal inputs
// carry half a unit in their last place each, and end - start, its quotient by the interval and
// start + i * interval add a few more, in units of the larger magnitude.
double roundingSlack(double start, double end) {
    return 8 * std::numeric_limits<double>::epsilon() * (std::fabs(start) + std::fabs(end));
}
}  // namespace

int EqualIntervalCount(double start, double interval, double end) {
    double q = (end - start) / interval;
    if (!std::isfinite(q)) return 0;
    // An end on the grid may give a quotient a little short of its whole number: 0 to 0.3 by
    // 0.1 gives 2.9999999999999996.
    const double whole = std::ceil(q);
    if ((whole - q) * std::fabs(interval) <= roundingSlack(start, end)) q = whole;
    const double n = std::floor(q) + 1;
    if (n > kEqualLimit) return kEqualLimit + 1;
    return n < 0 ? 0 : int(n);
}

bool InterpolateTable(double x, int count, const double px[], const double py[], double firstX,
                      double lastX, double& y) {
    if (count < 1 || x < firstX || (x > px[count] && x > lastX)) return false;
    int j = 1;
    while (j < count && px[j] < x) ++j;
    if (px[j] == x) {
        y = py[j];
        return true;
    }
    // Below row 1 the line through rows 1 and 2 goes on down to the first data point, and beyond
    // the last row the line through the last two goes on up to the last data point.
    const bool below = j == 1 && x < px[1];
    const bool beyond = j == count && x > px[count];
    const int a = below ? 1 : beyond ? count - 1 : j - 1;
    const int b = below ? 2 : beyond ? count : j;
    if (a < 1 || b > count || !(px[b] > px[a])) return false;
    y = py[a] + (x - px[a]) * (py[b] - py[a]) / (px[b] - px[a]);
    return std::isfinite(y);
}

EqualTable ComputeEqualTable(double s, double d, double e, int count, const double px[],
                             const double py[], double firstX, double lastX) {
    EqualTable t;
    t.count = EqualIntervalCount(s, d, e);
    if (d == 0 || !std::isfinite(s) || !std::isfinite(d) || !std::isfinite(e)) {
        t.fault = EqualFault::Failed;
        return t;
    }
    if (s > e || d < 0 || t.count < 2) {
        t.fault = EqualFault::Inconsistent;
        return t;
    }
    if (t.count > kEqualLimit) {
        t.fault = EqualFault::TooMany;
        return t;
    }
    t.x.resize(t.count);
    t.y.resize(t.count);
    for (int i = 0; i < t.count; ++i) {
        t.x[i] = std::min(s + i * d, e);
        // The last point of an end on the grid is the end, where rounding put it just short.
        if (i == t.count - 1 && e - t.x[i] <= roundingSlack(s, e)) t.x[i] = e;
        if (!InterpolateTable(t.x[i], count, px, py, firstX, lastX, t.y[i])) {
            t.fault = EqualFault::Failed;
            t.x.clear();
            t.y.clear();
            return t;
        }
    }
    return t;
}

QString EqualListLine(double x, double y) {
    return FormatNumber(x, u"  0.000E+00") + FormatNumber(y, u"   0.000E+00");
}

QByteArray EqualTableText(const std::vector<double>& x, const std::vector<double>& y) {
    QString text;
    for (size_t i = 0; i < x.size(); ++i)
        text += FormatNumber(x[i], u"0.000E+00") + QStringLiteral(", ") +
                FormatNumber(y[i], u"0.000E+00") + QStringLiteral("\r\n");
    return text.toLatin1();
}
