// Fixed-column record I/O of the exchange files.
#include "records.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

namespace records {

namespace {
bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }
}  // namespace

std::optional<int> ReadFreeInteger(std::string_view line) {
    std::size_t i = 0;
    while (i < line.size() && isBlank(line[i])) ++i;
    std::size_t start = i;
    if (i < line.size() && (line[i] == '+' || line[i] == '-')) ++i;
    std::size_t digits = i;
    while (i < line.size() && isDigit(line[i])) ++i;
    if (i == digits) return std::nullopt;
    // The integer must end at a value separator.
    if (i < line.size() && !isBlank(line[i]) && line[i] != ',' && line[i] != '/')
        return std::nullopt;
    int value = 0;
    std::string_view text = line.substr(start, i - start);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc{} || end != text.data() + text.size()) return std::nullopt;
    return value;
}

std::optional<float> ReadEField(std::string_view field, int fraction) {
    // Blanks are not significant: squeeze them out first.
    std::string s;
    for (char c : field) {
        if (!isBlank(c)) s += c;
    }
    if (s.empty()) return 0.0f;

    std::size_t i = 0;
    bool negative = false;
    if (s[i] == '+' || s[i] == '-') negative = s[i++] == '-';
    std::string digits;
    bool point = false;
    int afterPoint = 0;
    for (; i < s.size(); ++i) {
        if (isDigit(s[i])) {
            digits += s[i];
            if (point) ++afterPoint;
        } else if (s[i] == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (digits.empty()) return std::nullopt;

    long long exponent = 0;
    if (i < s.size()) {
        char c = s[i];
        if (c == 'E' || c == 'e' || c == 'D' || c == 'd')
            ++i;
        else if (c != '+' && c != '-')
            return std::nullopt;
        bool expNegative = false;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) expNegative = s[i++] == '-';
        std::size_t expStart = i;
        while (i < s.size() && isDigit(s[i]) && exponent < 100000)
            exponent = exponent * 10 + (s[i++] - '0');
        if (i == expStart || i != s.size()) return std::nullopt;
        if (expNegative) exponent = -exponent;
    }
    long long scale = exponent - (point ? afterPoint : fraction);

    // Correctly rounded decimal-to-single conversion of digits x 10^scale.
    std::string text = digits + "e" + std::to_string(scale);
    float result = 0.0f;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), result);
    if (ec == std::errc::result_out_of_range) {
        // Below the smallest subnormal reads as zero; overflow is no number. The
        // magnitude counts from the first significant digit, so leading zeros do
        // not make a tiny value look large.
        const std::size_t significant = digits.find_first_not_of('0');
        const long long length = significant == std::string::npos
                                     ? 0
                                     : static_cast<long long>(digits.size() - significant);
        bool underflow = scale + length < 0;
        if (!underflow) return std::nullopt;
        result = 0.0f;
    } else if (ec != std::errc{} || end != text.data() + text.size() || std::isinf(result)) {
        return std::nullopt;
    }
    return negative ? -result : result;
}

std::string_view Field(std::string_view record, int start, int width) {
    if (static_cast<std::size_t>(start) >= record.size()) return {};
    return record.substr(start, width);
}

std::string WriteE(float value, int w, int d) {
    std::string body;
    if (std::isnan(value)) {
        body = "NaN";
    } else if (std::isinf(value)) {
        body = value < 0 ? "-Infinity" : "Infinity";
    } else {
        // d significant digits of the exact binary value, correctly rounded,
        // written as 0.ddd x 10^(e+1).
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.*E", d - 1, static_cast<double>(value));
        std::string s = buf;
        bool negative = s[0] == '-';
        if (negative) s.erase(0, 1);
        std::size_t e = s.find('E');
        std::string mantissa = s.substr(0, 1) + (d > 1 ? s.substr(2, d - 1) : std::string());
        int exponent = std::stoi(s.substr(e + 1)) + 1;
        if (value == 0.0f) {
            exponent = 0;
            negative = false;
        }
        char exp[16];
        if (exponent >= -99 && exponent <= 99) {
            std::snprintf(exp, sizeof exp, "E%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
        } else {
            std::snprintf(exp, sizeof exp, "%c%03d", exponent < 0 ? '-' : '+', std::abs(exponent));
        }
        body = std::string(negative ? "-" : "") + "." + mantissa + exp;
    }
    if (static_cast<int>(body.size()) > w) return std::string(w, '*');
    return std::string(w - body.size(), ' ') + body;
}

std::string WriteI(int value, int w) {
    std::string body = std::to_string(value);
    if (static_cast<int>(body.size()) > w) return std::string(w, '*');
    return std::string(w - body.size(), ' ') + body;
}

}  // namespace records
