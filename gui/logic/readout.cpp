// The mouse read-out of a graph.
#include "readout.h"

#include <cmath>

#include "textconv.h"

QString LinearReadOutText(double v) {
    if (-1000 <= v && v <= 1000) return FormatNumber(v, u"##0.000");
    return FormatNumber(v, u"0.000E+00");
}

QString ExponentReadOutText(double v) { return FormatNumber(v, u"0.000E+00"); }

QString AxisReadOutText(const AxisMap& axis, double v) {
    return axis.kind == AxisKind::Linear ? LinearReadOutText(v) : ExponentReadOutText(std::exp(v));
}

ReadOut ReadOutAt(float mouseX, const GraphMapping& g, const TableView& table) {
    const int count = table.count;
    const double* const tx = table.x;
    const double* const ty = table.y;
    const double x = mouseX;
    if (count < 2 || x < g.x.plot(table.minX) || x > g.x.plot(table.maxX)) return {};
    for (int i = 2; i <= count; ++i)
        if (tx[i] < tx[i - 1]) return {};

    // The row nearest the mouse gives both texts and the cursor: a pair that lies on the curve.
    int i = 1;
    while (i < count && g.x.plot(tx[i + 1]) <= x) ++i;
    if (i < count && g.x.plot(tx[i + 1]) - x < x - g.x.plot(tx[i])) ++i;

    return PointReadOut(g, tx[i], ty[i]);
}

ReadOut PointReadOut(const GraphMapping& g, double x, double y) {
    return {true, g.y.plot(y), AxisReadOutText(g.x, x), AxisReadOutText(g.y, y)};
}
