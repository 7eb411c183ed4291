// Fixed-column record I/O of the exchange files: the free-form integer read,
// the exponent-form field read (Ew.d input) and the Ew.d and Iw writes.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace records {

// The first integer on a line, surrounded by any blanks; the rest of the line
// is ignored. Nothing (or something that is not an integer) gives nullopt.
std::optional<int> ReadFreeInteger(std::string_view line);

// One exponent-form input field with `fraction` implied fraction digits.
// Blanks are ignored; a sign and an exponent ("E+00", "e-3", "D2", "+05")
// are optional; a field without a decimal point takes its last `fraction`
// digits as the fraction; an all-blank field reads 0. nullopt when the field
// is not a number or lies outside single precision's finite range.
std::optional<float> ReadEField(std::string_view field, int fraction);

// The field of `width` characters from column `start` (0-based) of a record;
// a short record counts as filled up with blanks.
std::string_view Field(std::string_view record, int start, int width);

// Ew.d output: optional "-", ".", d digits of the value correctly rounded
// (ties to even), "E", exponent sign and two digits, right-justified in w
// characters; w asterisks when it does not fit. Zero of either sign is written
// without a sign. d runs from 1 to kMaxDigits; any other d gives asterisks.
inline constexpr int kMaxDigits = 6;
std::string WriteE(float value, int w, int d);
// The same field appended to out.
void AppendE(std::string& out, float value, int w, int d);
// The same field for a double, whose exponent may need three digits (written without the "E").
std::string WriteWideE(double value, int w, int d);

// Iw output: right-justified in w characters; w asterisks when it does not fit.
std::string WriteI(int value, int w);

}  // namespace records
