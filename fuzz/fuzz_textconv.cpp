// The windowed program's number texts: the lenient reading of typed numbers
// against the C library's correctly rounded strtod on the same longest
// decimal prefix (full-width input taken as the ASCII it stands for), and the
// format patterns and the general number text read back with strtod.
#include <QString>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <string>

#include "fuzz_check.h"
#include "textconv.h"

namespace {

bool isMinusMark(char16_t c) { return c == 0x2212 || c == 0x30FC || c == 0xFF70 || c == 0x2010; }

// Leading blanks and tabs skipped, then strtod on the longest run of characters that can belong
// to a decimal number: strtod itself takes the longest prefix of it that is one. A full-width
// form counts as its ASCII twin and the ideographic space as a blank; a minus mark counts as
// "-" first in the run or right after an exponent letter that follows a digit or a point, and
// ends the run anywhere else.
double independentReading(const QString& text) {
    auto ascii = [](char16_t c) -> char16_t {
        if (c == 0x3000) return u' ';
        return c >= 0xFF01 && c <= 0xFF5E ? char16_t(c - 0xFF00 + 0x20) : c;
    };
    qsizetype i = 0;
    while (i < text.size() && (ascii(text[i].unicode()) == u' ' || text[i] == u'\t')) ++i;
    std::string candidate;
    for (; i < text.size(); ++i) {
        char16_t c = ascii(text[i].unicode());
        if (isMinusMark(c)) {
            const std::size_t n = candidate.size();
            const bool sign =
                n == 0 ||
                ((candidate[n - 1] == 'e' || candidate[n - 1] == 'E') && n >= 2 &&
                 (candidate[n - 2] == '.' || (candidate[n - 2] >= '0' && candidate[n - 2] <= '9')));
            if (!sign) break;
            c = u'-';
        }
        if (!((c >= u'0' && c <= u'9') || c == u'+' || c == u'-' || c == u'.' || c == u'e' ||
              c == u'E'))
            break;
        candidate += char(c);
    }
    return std::strtod(candidate.c_str(), nullptr);
}

void checkParse(const QString& text) {
    const double got = ParseNumber(text);
    const double expected = independentReading(text);
    FUZZ_CHECK(got == expected, "ParseNumber(\"%s\") = %a, strtod %a", qUtf8Printable(text), got,
               expected);
}

// Decimal places after the point, the exponent digits' presence and the leading literal text of
// the patterns the program uses.
struct Pattern {
    const char16_t* text;
    int decimals;  // places after the point (the most a "#" pattern shows)
    bool exponent;
};
const Pattern kPatterns[] = {
    {u"0.00000E+00", 5, true}, {u"00", 0, false},         {u"0.0E+0", 1, true},
    {u"0.0E+00", 1, true},     {u"##0.000", 3, false},    {u"0.000E+00", 3, true},
    {u"###0.0##", 3, false},   {u"  0.000E+00", 3, true}, {u"   ##0.000", 3, false},
};

void checkFormat(double value, const Pattern& p) {
    const QString text = FormatNumber(value, QStringView(p.text));
    if (std::isnan(value)) {
        FUZZ_CHECK(text.trimmed() == QStringLiteral("NaN"), "NaN as \"%s\"", qUtf8Printable(text));
        return;
    }
    if (std::isinf(value)) {
        FUZZ_CHECK(text.trimmed() ==
                       (value > 0 ? QStringLiteral("Infinity") : QStringLiteral("-Infinity")),
                   "infinity as \"%s\"", qUtf8Printable(text));
        return;
    }
    const std::string s = text.toStdString();
    // Read wider than double: 15 digits of the largest double lie beyond its range.
    char* end = nullptr;
    const long double back = std::strtold(s.c_str(), &end);
    FUZZ_CHECK(end == s.c_str() + s.size(), "\"%s\" of %a with \"%s\" is not one number", s.c_str(),
               value, QString::fromUtf16(p.text).toUtf8().constData());
    // The last place shown, from the text's own exponent.
    int shownExponent = 0;
    const std::size_t e = s.find('E');
    FUZZ_CHECK((e != std::string::npos) == p.exponent, "exponent part of \"%s\"", s.c_str());
    if (e != std::string::npos) shownExponent = std::atoi(s.c_str() + e + 1);
    const long double halfPlace = 0.5L * std::pow(10.0L, shownExponent - p.decimals);
    FUZZ_CHECK(std::fabs(back - value) <= halfPlace * (1 + 1e-9L) + std::fabs(value) * 1e-14L,
               "\"%s\" is not %a rounded to its places", s.c_str(), value);
}

void checkGeneral(double value) {
    const QString text = GeneralNumberText(value);
    if (!std::isfinite(value)) {
        FUZZ_CHECK(text == FormatNumber(value, u"0.0"), "\"%s\"", qUtf8Printable(text));
        return;
    }
    const std::string s = text.toStdString();
    char* end = nullptr;
    const double back = std::strtod(s.c_str(), &end);
    FUZZ_CHECK(end == s.c_str() + s.size(), "general text \"%s\" is not one number", s.c_str());
    int significant = 0;
    bool leading = true;
    for (char c : s.substr(0, s.find('E'))) {
        if (c < '0' || c > '9') continue;
        if (c != '0') leading = false;
        if (!leading) ++significant;
    }
    FUZZ_CHECK(significant <= 15, "\"%s\" has more than 15 digits", s.c_str());
    char shortest[40];
    std::snprintf(shortest, sizeof shortest, "%.15g", value);
    if (std::strtod(shortest, nullptr) == value)
        FUZZ_CHECK(back == value, "\"%s\" does not read back to %a", s.c_str(), value);
    else  // the 15 digits may lie beyond the double range (the largest double), so read wider
        FUZZ_CHECK(std::fabs(std::strtold(s.c_str(), nullptr) - value) <= std::fabs(value) * 5e-15L,
                   "\"%s\" is not %a at 15 digits", s.c_str(), value);
    const bool exponentForm = back != 0 && (std::fabs(back) < 1e-4 || !(std::fabs(back) < 1e15));
    FUZZ_CHECK((s.find('E') != std::string::npos) == exponentForm, "form of \"%s\"", s.c_str());
    FUZZ_CHECK(ParseNumber(text) == back, "\"%s\" reads back differently", s.c_str());
}

}  // namespace

// The first byte picks the pattern; the rest is the text read, and its first eight bytes are also
// the bits of a value formatted.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const Pattern& pattern = kPatterns[data[0] % std::size(kPatterns)];
    const char* bytes = reinterpret_cast<const char*>(data + 1);
    const qsizetype length = qsizetype(size - 1);
    checkParse(QString::fromLatin1(bytes, length));
    checkParse(QString::fromUtf8(bytes, length));

    double values[2] = {ParseNumber(QString::fromLatin1(bytes, length)), 0.0};
    if (length >= qsizetype(sizeof(double))) std::memcpy(&values[1], bytes, sizeof(double));
    for (double v : values) {
        checkGeneral(v);
        checkFormat(v, pattern);
    }
    return 0;
}
