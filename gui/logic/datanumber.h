// The data number of data files and saved tables: an optional sign, digits with an optional
// decimal point (or a point and digits), and an optional exponent ("-2.5", "1E-2", "+1.50000E+00").
#pragma once

#include <QString>
#include <QStringView>

// Reads `text` when the whole of it is one data number (no blanks, ASCII only); false otherwise.
// `value` is the number as Qt's C-locale reading gives it: the nearest double, +-infinity beyond
// the doubles' range and 0 below it; `inRange` (if given) is false in those two cases.
bool ReadDataNumber(QStringView text, double& value, bool* inRange = nullptr);

// What reading a number typed into a box gave.
enum class TypedNumber {
    Number,      // the whole text is one data number, within the doubles' range
    Empty,       // nothing but blanks
    NotANumber,  // anything but one data number ("abc", "1,000", "1E", "1 2")
    OutOfRange   // one data number beyond the doubles' range either way ("1E400", "1E-400")
};
// Reads a typed text as the data files' numbers are read: in its AsciiNumberText form (full-width
// digits and signs as ASCII), blanks around it dropped, the rest one data number whose value a
// double holds. `value` is set only for a Number.
TypedNumber ReadTypedNumber(const QString& text, double& value);
