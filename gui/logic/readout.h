// The mouse read-out of a graph: from the mouse X (plot coordinates) to the cursor lines and
// the X and Y texts, looked up in an interpolated table.
#pragma once

#include <QString>

#include "graphmap.h"

// Rows 1..count of a table in exchange space and the extent of its X column, as the curve and the
// read-out use them. The arrays belong to the table's owner.
struct TableView {
    int count = 0;
    const double* x = nullptr;
    const double* y = nullptr;
    double minX = 0, maxX = 0;
};

struct ReadOut {
    bool show = false;  // false: both cursor lines hidden, both texts empty
    double cursorY = 0.0;
    QString xText, yText;
};

// "##0.000" within -1000..1000, else "0.000E+00".
QString LinearReadOutText(double v);
// "0.000E+00".
QString ExponentReadOutText(double v);
// An exchange-space value as the read-out shows it on its axis: linear form on a linear axis,
// its exponential in exponent form on a logarithmic one.
QString AxisReadOutText(const AxisMap& axis, double exchangeValue);

// Looks the mouse X up in a table: the X and Y texts and the cursor come from the row nearest the
// mouse (of two equally near, the left one). A table that is not in ascending X shows nothing.
ReadOut ReadOutAt(float mouseX, const GraphMapping& mapping, const TableView& table);
// The read-out of one point of the curve (exchange space), both texts from the point itself.
ReadOut PointReadOut(const GraphMapping& mapping, double x, double y);
