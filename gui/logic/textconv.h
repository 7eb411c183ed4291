// Number text of the windowed program: format patterns, the lenient reading of typed numbers and
// the general number text of stored values. Pure functions, independent of the locale.
#pragma once

#include <QString>
#include <QStringView>

// Formats value with a pattern: digit placeholders 0 and #, a decimal point, an exponent part
// E+0 / E+00 / E-00, leading blanks copied as they stand.
//
// The value is first taken at 15 significant decimal digits and then rounded half away from zero
// to the places the pattern shows, so 2.675 with "0.00" gives "2.68" although its binary value is
// slightly below 2.675.
//
// The pattern reads: literal text, the number section, literal text. The number section is a run
// of placeholders, optionally a point and more placeholders, optionally "E+" or "E-" (or "e+",
// "e-") and exponent placeholders. The literal text around it (leading blanks, a "+") is copied
// as it stands.
// - Integer digits: all of them are shown (never cut); "0" places are padded with zeros,
//   "#" places only show digits the value has ("##0.000" of 0.5 gives "0.500").
// - Decimals: rounded to as many places as the pattern has after the point; "0" places are
//   always shown, trailing zeros in "#" places are dropped ("###0.0##": 2.5 gives "2.5", 1000
//   gives "1000.0", -0.12345 gives "-0.123"). A pattern point is always written.
// - Exponent form: the mantissa has as many integer digits as the pattern has integer places
//   (at least one), then the decimals as above. A carry past the last shown digit moves to the
//   next power of ten (9.99996 with "0.0000E+00" gives "1.0000E+01"). "E+" always writes the
//   exponent's sign, "E-" only a minus. The exponent has at least as many digits as the pattern
//   has exponent places and more when needed ("0.0E+0" of 1.5E15 gives "1.5E+15"). Zero has
//   exponent 0.
// - Sign: a "-" stands directly before the first digit, after the leading literal text
//   ("  0.000E+00" of -1.5 gives "  -1.500E+00"; "00" of -2 gives "-02"). A value whose shown
//   digits are all zero (negative zero, or -0.0004 with "##0.000") has no sign.
// - Not a number: "NaN"; infinities: "Infinity", "-Infinity", in place of the number section.
// - An empty pattern gives the general number text.
QString FormatNumber(double value, QStringView pattern);

// Lenient text-to-number: leading blanks skipped, the longest leading decimal number (optional
// sign, digits, point, exponent with E or e) taken; 0 when there is none.
//
// Blanks and tabs count as leading blanks. The number needs at least one digit before or after
// the point; an exponent is taken only when digits follow the E (so "1e+" reads as 1). The
// conversion is correctly rounded. A magnitude beyond the double range reads as an infinity of
// its sign, one below the smallest subnormal as 0. A text that is not ASCII is read in its
// AsciiNumberText form, so "１．５" and "ー２" read as 1.5 and -2.
double ParseNumber(QStringView text);

// The text with the forms a Japanese input method gives in full-width mode in their ASCII form,
// for the readers of numbers:
// - the full-width forms U+FF01 to U+FF5E (digits, point, comma, plus, minus, letters E and e)
//   as their ASCII twins, and the ideographic space U+3000 as a blank;
// - the marks typed for a minus (the minus sign U+2212, the long-vowel mark U+30FC and its
//   half-width form U+FF70, the hyphen U+2010) as "-" where they stand as a sign: where a number
//   begins (at the start, or after a blank, a tab or a comma) or right after an E or e that
//   follows a digit or a point. Elsewhere, as in "データー", they stay.
// Everything else stays as it is; an ASCII text comes back unchanged (and shared, not copied).
// Superscripts, circled digits and the like are not numbers here: "10²" stays "10²" and reads
// as 10, where a compatibility normalisation would make it 102.
QString AsciiNumberText(const QString& text);

// The general number text: shortest decimal that reads back to the same double, at most 15
// significant digits, E notation only below 1E-4 and from 1E15 upwards in magnitude.
//
// A value that needs more than 15 digits is rounded to 15 (0.1 + 0.2 gives "0.3"). Ordinary form:
// "0", "2.5", "-40", "0.0001" (a leading zero before the point, no trailing zeros). E notation:
// the mantissa without trailing zeros and without a point when it has one digit, "E", the
// exponent's sign and at least two exponent digits: "1E-05", "1.5E+15", "-2.5E-100". Whether E
// notation applies is decided after rounding (999999999999999.9 gives "1E+15"). Negative zero is
// "0"; not a number and infinities as in FormatNumber.
QString GeneralNumberText(double value);
