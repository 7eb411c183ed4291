// The windowed program's data line reading. On lines of printable ASCII, and
// on lines that are such once their full-width forms are taken as ASCII, it is
// checked against an independent reading (fields split at the comma when there
// is one, else at blanks and tabs; each field a plain decimal number read by
// strtod); on any line, two values it accepts are finite, come with their
// texts, and read the same again from their exact text in either separator
// form.
#include <QString>
#include <cerrno>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "datainput.h"
#include "fuzz_check.h"

namespace {

bool digit(char c) { return c >= '0' && c <= '9'; }

std::string trim(const std::string& s) {
    const std::size_t b = s.find_first_not_of(" \t");
    if (b == std::string::npos) return {};
    return s.substr(b, s.find_last_not_of(" \t") - b + 1);
}

// [sign] (digits [point [digits]] | point digits) [e|E [sign] digits], read by strtod; nothing
// when the field has another form or its value is not finite. A value below the double range
// (strtod reports it as out of range) may be refused or read as strtod reads it.
struct Field {
    double value;
    bool outOfRange;
};
std::optional<Field> plainNumber(const std::string& f) {
    std::size_t i = 0;
    if (i < f.size() && (f[i] == '+' || f[i] == '-')) ++i;
    std::size_t digits = 0;
    while (i < f.size() && digit(f[i])) ++i, ++digits;
    if (i < f.size() && f[i] == '.') {
        ++i;
        while (i < f.size() && digit(f[i])) ++i, ++digits;
    }
    if (digits == 0) return std::nullopt;
    if (i < f.size() && (f[i] == 'e' || f[i] == 'E')) {
        ++i;
        if (i < f.size() && (f[i] == '+' || f[i] == '-')) ++i;
        std::size_t expDigits = 0;
        while (i < f.size() && digit(f[i])) ++i, ++expDigits;
        if (expDigits == 0) return std::nullopt;
    }
    if (i != f.size()) return std::nullopt;
    errno = 0;
    const double v = std::strtod(f.c_str(), nullptr);
    if (!std::isfinite(v)) return std::nullopt;
    return Field{v, errno == ERANGE};
}

struct Reading {
    double x, y;
    bool outOfRange;
};

std::optional<Reading> independentReading(const std::string& line) {
    const std::string t = trim(line);
    std::vector<std::string> fields;
    if (t.find(',') != std::string::npos) {
        std::size_t start = 0;
        for (std::size_t comma; (comma = t.find(',', start)) != std::string::npos;
             start = comma + 1)
            fields.push_back(trim(t.substr(start, comma - start)));
        fields.push_back(trim(t.substr(start)));
    } else {
        std::size_t i = 0;
        while (i < t.size()) {
            const std::size_t end = std::min(t.find_first_of(" \t", i), t.size());
            fields.push_back(t.substr(i, end - i));
            i = t.find_first_not_of(" \t", end);
            if (i == std::string::npos) break;
        }
    }
    if (fields.size() != 2) return std::nullopt;
    const std::optional<Field> x = plainNumber(fields[0]), y = plainNumber(fields[1]);
    if (!x || !y) return std::nullopt;
    return Reading{x->value, y->value, x->outOfRange || y->outOfRange};
}

// The line in printable ASCII as a user means it, when it can be: a full-width form
// (U+FF01..U+FF5E) as its ASCII twin, the ideographic space as a blank, and a minus mark as "-"
// where a field begins (the line's start, after a blank, a tab or a comma) or right after an
// exponent letter that follows a digit or a point.
std::optional<std::string> asciiLine(const QString& line) {
    std::string out;
    for (QChar q : line) {
        char16_t c = q.unicode();
        if (c >= 0xFF01 && c <= 0xFF5E) c = char16_t(c - 0xFF00 + 0x20);
        if (c == 0x3000) c = u' ';
        if (c == 0x2212 || c == 0x30FC || c == 0xFF70 || c == 0x2010) {
            const std::size_t n = out.size();
            const char before = n ? out[n - 1] : ' ';
            const bool fieldStart = before == ' ' || before == '\t' || before == ',';
            const bool exponent = (before == 'e' || before == 'E') && n >= 2 &&
                                  (digit(out[n - 2]) || out[n - 2] == '.');
            if (fieldStart || exponent) c = u'-';
        }
        if (!((c >= 0x20 && c < 0x7f) || c == u'\t')) return std::nullopt;
        out += char(c);
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string line(reinterpret_cast<const char*>(data), size);
    const QString text = QString::fromUtf8(line.data(), qsizetype(line.size()));
    double x = 0, y = 0;
    QStringList texts;
    const bool ok = ParseDataLine(text, x, y, &texts);
    if (ok) {
        FUZZ_CHECK(std::isfinite(x) && std::isfinite(y), "values (%a, %a)", x, y);
        FUZZ_CHECK(texts.size() == 2 && texts[0].toDouble() == x && texts[1].toDouble() == y,
                   "texts of (%a, %a)", x, y);
        for (const char* separator : {", ", "\t", " ,"}) {
            double x2 = 0, y2 = 0;
            const QString again = QString::number(x, 'g', 17) + QString::fromLatin1(separator) +
                                  QString::number(y, 'g', 17);
            FUZZ_CHECK(ParseDataLine(again, x2, y2) && x2 == x && y2 == y,
                       "\"%s\" does not read back", qUtf8Printable(again));
        }
    }
    if (const std::optional<std::string> ascii = asciiLine(text)) {
        const auto expected = independentReading(*ascii);
        FUZZ_CHECK(ok == expected.has_value() || (expected && expected->outOfRange),
                   "\"%s\" accepted %d, independently %d", line.c_str(), int(ok),
                   int(expected.has_value()));
        if (ok)
            FUZZ_CHECK(x == expected->x && y == expected->y,
                       "\"%s\" read (%a, %a), independently (%a, %a)", line.c_str(), x, y,
                       expected->x, expected->y);
    }
    return 0;
}
