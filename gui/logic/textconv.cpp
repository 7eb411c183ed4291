// Number text of the windowed program: format patterns, lenient reading (with the ASCII form of
// full-width input) and the general number text, all built on one decimal-digit form of the
// value and the C++ character conversions.
#include "textconv.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>
#include <system_error>

namespace {

constexpr int kSignificantDigits = 15;

// A finite value as decimal digits: digits[0] stands at the place 10^exponent, digits[1] at
// 10^(exponent - 1), and so on. No trailing zeros are kept; no digits at all means zero.
struct DecimalForm {
    std::string digits;
    int exponent = 0;
    bool negative = false;

    bool isZero() const { return digits.empty(); }
    char digitAt(int place) const {
        const int index = exponent - place;
        return index >= 0 && index < static_cast<int>(digits.size()) ? digits[index] : '0';
    }
    void dropTrailingZeros() {
        const auto last = digits.find_last_not_of('0');
        digits.resize(last == std::string::npos ? 0 : last + 1);
    }
};

// Reads the output of std::to_chars in scientific form ("d.dddde+xx" or "de-xx").
DecimalForm fromScientific(const char* begin, const char* end, bool negative) {
    DecimalForm form;
    form.negative = negative;
    const char* p = begin;
    for (; p != end && *p != 'e'; ++p) {
        if (*p != '.') form.digits.push_back(*p);
    }
    if (p != end) {
        ++p;
        if (p != end && *p == '+') ++p;
        std::from_chars(p, end, form.exponent);
    }
    form.dropTrailingZeros();
    return form;
}

// The value correctly rounded to the given number of significant digits, or, with 0, the
// shortest digits that read back to the same double.
DecimalForm decimalForm(double value, int significant) {
    const bool negative = std::signbit(value);
    if (value == 0) return DecimalForm{{}, 0, negative};
    char buffer[48];
    const double magnitude = std::fabs(value);
    const auto result = significant > 0
                            ? std::to_chars(buffer, buffer + sizeof buffer, magnitude,
                                            std::chars_format::scientific, significant - 1)
                            : std::to_chars(buffer, buffer + sizeof buffer, magnitude,
                                            std::chars_format::scientific);
    return fromScientific(buffer, result.ptr, negative);
}

// Rounds half away from zero so that no digit below the place 10^lowestPlace remains. A carry
// out of the leading digit moves the form to the next power of ten.
void roundToPlace(DecimalForm& form, int lowestPlace) {
    if (form.isZero()) return;
    const int keep = form.exponent - lowestPlace + 1;
    if (keep >= static_cast<int>(form.digits.size())) return;
    if (keep < 0) {
        form.digits.clear();
        return;
    }
    const bool up = form.digits[keep] >= '5';
    form.digits.resize(keep);
    if (up) {
        int i = keep - 1;
        while (i >= 0 && form.digits[i] == '9') form.digits[i--] = '0';
        if (i >= 0) {
            ++form.digits[i];
        } else {
            form.digits.insert(form.digits.begin(), '1');
            ++form.exponent;
        }
    }
    form.dropTrailingZeros();
}

// The shape of a pattern: literal text, the number section, literal text.
struct Pattern {
    QStringView prefix;
    QStringView suffix;
    bool hasNumber = false;
    int integerPlaces = 0;
    int integerRequired = 0;  // "0" places from the first one on
    bool point = false;
    int decimalPlaces = 0;
    int decimalRequired = 0;  // places up to the last "0"
    bool exponent = false;
    char exponentLetter = 'E';
    bool exponentSignAlways = false;
    int exponentDigits = 0;
};

bool isPlaceholder(QChar c) { return c == u'0' || c == u'#'; }

Pattern parsePattern(QStringView text) {
    Pattern pattern;
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n && !isPlaceholder(text[i]) && text[i] != u'.') ++i;
    pattern.prefix = text.first(i);
    const qsizetype numberStart = i;
    qsizetype firstZero = -1;
    for (; i < n && isPlaceholder(text[i]); ++i) {
        ++pattern.integerPlaces;
        if (text[i] == u'0' && firstZero < 0) firstZero = i;
    }
    // From the first "0" on every integer place is shown, also a "#" between it and the point.
    if (firstZero >= 0) pattern.integerRequired = static_cast<int>(i - firstZero);
    if (i < n && text[i] == u'.') {
        pattern.point = true;
        for (++i; i < n && isPlaceholder(text[i]); ++i) {
            ++pattern.decimalPlaces;
            if (text[i] == u'0') pattern.decimalRequired = pattern.decimalPlaces;
        }
    }
    pattern.hasNumber = i > numberStart;
    if (pattern.hasNumber && i + 2 < n && (text[i] == u'E' || text[i] == u'e') &&
        (text[i + 1] == u'+' || text[i + 1] == u'-') && isPlaceholder(text[i + 2])) {
        pattern.exponent = true;
        pattern.exponentLetter = static_cast<char>(text[i].unicode());
        pattern.exponentSignAlways = text[i + 1] == u'+';
        for (i += 2; i < n && isPlaceholder(text[i]); ++i) ++pattern.exponentDigits;
    }
    pattern.suffix = text.sliced(i);
    return pattern;
}

void appendExponent(std::string& out, const Pattern& pattern, int exponent) {
    out += pattern.exponentLetter;
    if (exponent < 0) {
        out += '-';
    } else if (pattern.exponentSignAlways) {
        out += '+';
    }
    char buffer[16];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::abs(exponent));
    const int length = static_cast<int>(result.ptr - buffer);
    out.append(static_cast<size_t>(std::max(0, pattern.exponentDigits - length)), '0');
    out.append(buffer, result.ptr);
}

// Appends the decimals from the place 10^firstPlace downwards: the required ones, then the optional
// ones up to the last nonzero digit.
void appendDecimals(std::string& out, const DecimalForm& form, int firstPlace,
                    const Pattern& pattern) {
    int shown = pattern.decimalPlaces;
    while (shown > pattern.decimalRequired && form.digitAt(firstPlace - shown + 1) == '0') --shown;
    for (int k = 0; k < shown; ++k) out += form.digitAt(firstPlace - k);
}

// The digits of the number section, without the sign.
std::string numberDigits(DecimalForm& form, const Pattern& pattern) {
    std::string out;
    if (pattern.exponent) {
        const int integerDigits = std::max(1, pattern.integerPlaces);
        if (!form.isZero()) {
            roundToPlace(form, form.exponent - (integerDigits + pattern.decimalPlaces) + 1);
        }
        const int top = form.isZero() ? integerDigits - 1 : form.exponent;
        for (int k = 0; k < integerDigits; ++k) out += form.digitAt(top - k);
        if (pattern.point) {
            out += '.';
            appendDecimals(out, form, top - integerDigits, pattern);
        }
        appendExponent(out, pattern, top - (integerDigits - 1));
        return out;
    }
    roundToPlace(form, -pattern.decimalPlaces);
    const int integerDigits =
        std::max(form.isZero() ? 0 : form.exponent + 1, pattern.integerRequired);
    for (int place = integerDigits - 1; place >= 0; --place) out += form.digitAt(place);
    if (pattern.point) {
        out += '.';
        appendDecimals(out, form, -1, pattern);
    }
    return out;
}

QString specialText(double value) {
    if (std::isnan(value)) return QStringLiteral("NaN");
    return value < 0 ? QStringLiteral("-Infinity") : QStringLiteral("Infinity");
}

}  // namespace

QString FormatNumber(double value, QStringView pattern) {
    if (pattern.isEmpty()) return GeneralNumberText(value);
    const Pattern shape = parsePattern(pattern);
    QString text;
    text.reserve(pattern.size() + 8);
    text.append(shape.prefix);
    if (!std::isfinite(value)) {
        text.append(specialText(value));
    } else if (shape.hasNumber) {
        DecimalForm form = decimalForm(value, kSignificantDigits);
        const std::string digits = numberDigits(form, shape);
        if (form.negative && !form.isZero()) text.append(u'-');
        text.append(QLatin1StringView(digits.data(), static_cast<qsizetype>(digits.size())));
    }
    text.append(shape.suffix);
    return text;
}

QString GeneralNumberText(double value) {
    if (!std::isfinite(value)) return specialText(value);
    if (value == 0) return QStringLiteral("0");
    DecimalForm form = decimalForm(value, 0);
    if (static_cast<int>(form.digits.size()) > kSignificantDigits) {
        form = decimalForm(value, kSignificantDigits);
    }
    std::string out;
    if (form.negative) out += '-';
    const int digitCount = static_cast<int>(form.digits.size());
    if (form.exponent < -4 || form.exponent >= kSignificantDigits) {
        out += form.digits[0];
        if (digitCount > 1) {
            out += '.';
            out.append(form.digits, 1);
        }
        Pattern exponentPart;
        exponentPart.exponentSignAlways = true;
        exponentPart.exponentDigits = 2;
        appendExponent(out, exponentPart, form.exponent);
    } else if (form.exponent >= 0) {
        for (int place = form.exponent; place >= 0; --place) out += form.digitAt(place);
        if (digitCount > form.exponent + 1) {
            out += '.';
            out.append(form.digits, static_cast<size_t>(form.exponent + 1));
        }
    } else {
        out += "0.";
        out.append(static_cast<size_t>(-form.exponent - 1), '0');
        out += form.digits;
    }
    return QString::fromLatin1(out.data(), static_cast<qsizetype>(out.size()));
}

namespace {

// The longest decimal number at text[from...], correctly rounded; end receives the index after
// it (from when there is none). To find where the number ends the reading looks at no more than
// three characters from end on (the "E", a sign and a digit of an exponent it does not take).
// This and numberAfterBlanks are inlined into ParseNumber: a call costs as much as reading "1.5"
// takes longer.
[[gnu::always_inline]] inline double leadingNumber(QStringView text, qsizetype from,
                                                   qsizetype& end) {
    const qsizetype n = text.size();
    qsizetype i = from;
    end = from;
    bool negative = false;
    if (i < n && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';
    auto isDigit = [&](qsizetype k) { return k < n && text[k] >= u'0' && text[k] <= u'9'; };

    // The number is copied as ASCII for std::from_chars, which takes no "+" and no locale.
    // order tracks the decimal place of the leading nonzero digit (1 for units, 0 for tenths),
    // which tells an overflow from an underflow.
    std::string number;
    int mantissaDigits = 0;
    long order = 0;
    bool nonzero = false;
    for (; isDigit(i); ++i, ++mantissaDigits) {
        number += static_cast<char>(text[i].unicode());
        nonzero = nonzero || text[i] != u'0';
        if (nonzero) ++order;
    }
    if (i < n && text[i] == u'.' && (mantissaDigits > 0 || isDigit(i + 1))) {
        number += '.';
        for (++i; isDigit(i); ++i, ++mantissaDigits) {
            number += static_cast<char>(text[i].unicode());
            if (!nonzero) {
                nonzero = text[i] != u'0';
                if (!nonzero) --order;
            }
        }
    }
    if (mantissaDigits == 0) return 0.0;
    end = i;

    if (i < n && (text[i] == u'E' || text[i] == u'e')) {
        qsizetype k = i + 1;
        const bool exponentNegative = k < n && text[k] == u'-';
        if (k < n && (text[k] == u'+' || text[k] == u'-')) ++k;
        if (isDigit(k)) {
            number += 'e';
            if (exponentNegative) number += '-';
            long exponent = 0;
            for (; isDigit(k); ++k) {
                number += static_cast<char>(text[k].unicode());
                // Saturates: an exponent this large is out of range anyway.
                exponent = std::min(exponent * 10 + (text[k].unicode() - u'0'), 100000000L);
            }
            order += exponentNegative ? -exponent : exponent;
            end = k;
        }
    }

    double value = 0.0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range) value = nonzero && order > 0 ? HUGE_VAL : 0.0;
    return negative ? -value : value;
}

// The number after the leading blanks; end as in leadingNumber.
[[gnu::always_inline]] inline double numberAfterBlanks(QStringView text, qsizetype& end) {
    qsizetype i = 0;
    while (i < text.size() && (text[i] == u' ' || text[i] == u'\t')) ++i;
    return leadingNumber(text, i, end);
}

// The marks a Japanese input method gives for a minus, besides the full-width hyphen-minus.
bool isMinusMark(char16_t c) {
    return c == u'\u2212' || c == u'\u30FC' || c == u'\uFF70' || c == u'\u2010';
}

// Whether a minus mark after the converted text `before` stands as a sign: where a number
// begins, or right after the exponent letter of a mantissa.
bool standsAsSign(const QString& before) {
    if (before.isEmpty()) return true;
    const QChar last = before.back();
    if (last == u' ' || last == u'\t' || last == u',') return true;
    if ((last != u'E' && last != u'e') || before.size() < 2) return false;
    const QChar mantissaEnd = before[before.size() - 2];
    return mantissaEnd == u'.' || (mantissaEnd >= u'0' && mantissaEnd <= u'9');
}

QString asciiForm(QStringView text) {
    QString out;
    out.reserve(text.size());
    for (QChar qc : text) {
        char16_t c = qc.unicode();
        if (c >= u'\uFF01' && c <= u'\uFF5E') {
            c = char16_t(c - 0xFEE0);  // the full-width forms lie in ASCII's order
        } else if (c == u'\u3000') {
            c = u' ';
        } else if (isMinusMark(c) && standsAsSign(out)) {
            c = u'-';
        }
        out.append(QChar(c));
    }
    return out;
}

// Kept out of ParseNumber, so that its frame holds no QString.
[[gnu::noinline]] double numberInAsciiForm(QStringView text) {
    qsizetype end = 0;
    return numberAfterBlanks(asciiForm(text), end);
}

}  // namespace

double ParseNumber(QStringView text) {
    qsizetype end = 0;
    const double value = numberAfterBlanks(text, end);
    // The reading above took only ASCII up to `end` and decided on what it saw from there on.
    // When that is ASCII too, the ASCII form of the text reads the same: typed numbers, nearly
    // always ASCII, pay for no conversion.
    const qsizetype seen = std::min(end + 3, text.size());
    for (qsizetype k = end; k < seen; ++k)
        if (text[k].unicode() >= 0x80) return numberInAsciiForm(text);
    return value;
}

QString AsciiNumberText(const QString& text) {
    for (QChar c : text)
        if (c.unicode() >= 0x80) return asciiForm(text);
    return text;
}
