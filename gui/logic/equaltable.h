// Equal-interval tables: points at a start value, start + interval, ... up to an end value,
// their Y by straight-line interpolation in an interpolated table in data units, the lines
// that list them and the file that keeps them.
#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

inline constexpr int kEqualLimit = 1000;  // most points of one table

enum class EqualFault {
    None,
    Inconsistent,  // start above end, a negative interval, or fewer than two points
    TooMany,       // more than kEqualLimit points
    Failed,        // the interval is 0, or a point lies outside what the table covers
};

struct EqualTable {
    EqualFault fault = EqualFault::None;
    int count = 0;             // the points the start, interval and end give (also when refused)
    std::vector<double> x, y;  // count entries from index 0 when accepted
};

// floor((end - start) / interval) + 1, where a quotient that lies short of a whole number only by
// the rounding of the inputs' magnitudes counts as that number: 0 to 0.3 by 0.1 is 4 points, and
// so is 1000.1 to 1000.4 by 0.1. 0 when the quotient is not a finite number; saturates at
// kEqualLimit + 1.
int EqualIntervalCount(double start, double interval, double end);

// Y at x by straight-line interpolation in rows 1..count of (px, py), ascending in X. A row at
// exactly x gives its own Y. Between the first data abscissa `firstX` and row 1 the line through
// rows 1 and 2 is extended, and so is the line through the last two rows up to the last data
// abscissa `lastX` (the last row is that point, but the saved file rounds it to six digits: a
// table of 5000 may end at 4.99998E+03). False below firstX, above both the last row and lastX,
// or where no line can be drawn.
bool InterpolateTable(double x, int count, const double px[], const double py[], double firstX,
                      double lastX, double& y);

// The whole table for a start, interval and end. A point that the rounding of start + i *
// interval puts beyond the end (0 + 28 * 0.1 is 2.8000000000000003) stands at the end itself, and
// so does a last point that rounding puts a hair short of an end on the grid.
EqualTable ComputeEqualTable(double start, double interval, double end, int count,
                             const double px[], const double py[], double firstX, double lastX);

// One line of the list: "  0.000E+00" of X then "   0.000E+00" of Y; a minus sign stands after
// the leading blanks, directly before the digits.
QString EqualListLine(double x, double y);
// The saved file: per point "0.000E+00, 0.000E+00" and CR LF.
QByteArray EqualTableText(const std::vector<double>& x, const std::vector<double>& y);
