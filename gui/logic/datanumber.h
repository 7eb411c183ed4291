// The data number of data files and saved tables: an optional sign, digits with an optional
// decimal point (or a point and digits), and an optional exponent ("-2.5", "1E-2", "+1.50000E+00").
#pragma once

#include <QStringView>

// Reads `text` when the whole of it is one data number (no blanks, ASCII only); false otherwise.
// `value` is the number as Qt's C-locale reading gives it: the nearest double, +-infinity beyond
// the doubles' range and 0 below it; `inRange` (if given) is false in those two cases.
bool ReadDataNumber(QStringView text, double& value, bool* inRange = nullptr);
