// Values read off a graph's curve at a typed number rather than under the mouse: the Y, the slope
// and the slope on the graph at an X; every X where the curve takes a Y. The curve is the
// graph's table joined by cubics in the axes' own space (natural logarithms on a logarithmic
// axis, as the engine computes), so the values agree with the engine's evaluation to the digits
// the table carries.
#pragma once

#include <QString>
#include <vector>

#include "readout.h"

// The curve of a graph as its owner holds it: the table's rows in exchange space (ascending X)
// and the graph's scale mode.
struct GraphCurve {
    TableView rows;
    int mode = 1;
};

// A point of the curve: its coordinates in data units and in exchange space, the slope dY/dX in
// data units and the slope on the graph, d(ln Y)/d(ln X) on a log-log graph (the local
// exponent), d(ln Y)/dX with a logarithmic Y, dY/d(ln X) with a logarithmic X (dY/dX on a linear
// one).
struct CurvePoint {
    double x = 0, y = 0;
    double exchangeX = 0, exchangeY = 0;
    double slope = 0;
    double graphSlope = 0;
};

enum class CurveFault {
    None,
    NoCurve,       // the table has fewer than two rows
    NotAscending,  // the table's X does not rise from row to row
    OutOfRange,    // the X lies outside the table's rows (or has no logarithm on a log axis)
};

struct CurveValue {
    CurveFault fault = CurveFault::None;
    CurvePoint point;
};
// The curve at X (data units). X within half a unit of the table's sixth digit beyond an end
// row still counts as on the curve, so a last data point typed as it was entered is found.
CurveValue CurveValueAt(const GraphCurve& curve, double x);

// Where the curve takes a value: at one X (from == to), or all along a stretch where it stays
// at it.
struct CurveCrossing {
    CurvePoint from, to;
};
struct CurveLevel {
    CurveFault fault = CurveFault::None;   // never OutOfRange: no crossing is an empty list
    std::vector<CurveCrossing> crossings;  // in ascending X
};
// Every X within the table's rows where the curve takes Y (data units).
CurveLevel CurveCrossingsOf(const GraphCurve& curve, double y);

// The X of the table's first and last rows, in data units.
struct CurveRange {
    double from = 0, to = 0;
};
CurveRange CurveXRange(const GraphCurve& curve);

// Whether the graph has a logarithmic axis, so that its slope differs from dY/dX; and the name
// of that slope ("d(log Y)/d(log X)", "d(ln Y)/dX", "dY/d(ln X)"), empty on a linear graph.
QString GraphSlopeName(int mode);
