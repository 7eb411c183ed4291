// Shared pieces of data input: the display rule of the data extremes, the reading of one data
// line, and the ordering of the data points by X.
#pragma once

#include <QString>

// "###0.0##" for 0 and for 0.1 <= |v| within -1000..1000, otherwise "0.000E+00".
QString FormatRangeValue(double v);

// Reads a data line holding exactly two numbers, separated by a comma (blanks around it are
// ignored) or by blanks or tabs. False for anything else: one or three values, an empty field,
// quotes, or a text that is not a number.
bool ParseDataLine(const QString& line, double& x, double& y);

// Sorts DataX/DataY(1..DataCount) into ascending X (pairs with equal X keep their order) and
// moves equal neighbours apart by 1 % of the distance to the next (last pair: previous) point.
void SortDataByX();
