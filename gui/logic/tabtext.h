// Tables as a spreadsheet takes them from the clipboard: one row a line, the two values
// separated by a tab.
#pragma once

#include <QString>
#include <QStringList>

// Rows 1..count of a table in data units, each value with six significant digits as the saved
// file writes them ("1.50000E+00"), a minus sign where one belongs.
QString TableTabText(int count, const double x[], const double y[]);
// Lines of numbers separated by blanks (an equal-interval list) with their numbers separated by
// tabs instead.
QString LinesTabText(const QStringList& lines);
