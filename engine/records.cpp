// Fixed-column record I/O of the exchange files.
#include "records.h"

#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
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

namespace {

__extension__ typedef unsigned __int128 Wide;

// 5^0 .. 5^kMaxFive: every power of five a float's scaling can need.
constexpr int kMaxFive = 55;
constexpr std::array<Wide, kMaxFive + 1> kPowersOfFive = [] {
    std::array<Wide, kMaxFive + 1> p{};
    p[0] = 1;
    for (int i = 1; i <= kMaxFive; ++i) p[i] = p[i - 1] * 5;
    return p;
}();

// a x 10^s as an exact fraction q + rem/den of wide integers, for a = m x 2^e.
// For the values and scales digitsOf asks for, every term stays below 2^128.
struct Scaled {
    Wide q, rem, den;
};
Scaled scaleByPowerOfTen(std::uint32_t m, int e, int s) {
    const int twos = e + s;
    if (s >= 0) {
        // A power of two below: a shift and a mask.
        const Wide num = m * kPowersOfFive[s];
        if (twos >= 0) return {num << twos, 0, 1};
        const Wide den = Wide{1} << -twos;
        return {num >> -twos, num & (den - 1), den};
    }
    const Wide num = twos >= 0 ? Wide{m} << twos : Wide{m};
    const Wide den = twos >= 0 ? kPowersOfFive[-s] : kPowersOfFive[-s] << -twos;
    return {num / den, num % den, den};
}

// The d significant decimal digits (1 <= d <= kMaxDigits) of a finite,
// nonzero |value|, correctly rounded with ties to even, as the integer q in
// [10^(d-1), 10^d) and the decimal exponent e10 with |value| ~ q x 10^(e10-d+1).
constexpr std::array<Wide, kMaxDigits + 1> kPowersOfTen = {1,     10,     100,    1000,
                                                           10000, 100000, 1000000};

struct Digits {
    std::uint32_t q;
    int e10;
};
Digits digitsOf(float value, int d) {
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    const int biased = static_cast<int>((bits >> 23) & 0xffu);
    std::uint32_t m = bits & 0x7fffffu;
    int e = -149;
    if (biased != 0) {
        m |= 0x800000u;
        e = biased - 150;
    }
    // 2^p2 <= |value| < 2^(p2 + 1); the first guess of the decimal exponent is
    // floor((p2 + 1) log10 2), never too small and at most one too large.
    const int p2 = e + 31 - std::countl_zero(m);
    int e10 = ((p2 + 1) * 78913) >> 18;
    const Wide low = kPowersOfTen[d - 1];
    Scaled x = scaleByPowerOfTen(m, e, d - 1 - e10);
    if (x.q < low) {
        --e10;
        x = scaleByPowerOfTen(m, e, d - 1 - e10);
    }
    Wide q = x.q;
    const Wide twice = 2 * x.rem;
    if (twice > x.den || (twice == x.den && (q & 1) != 0)) ++q;
    if (q == 10 * low) {  // rounded up to the next decade
        q = low;
        ++e10;
    }
    return {static_cast<std::uint32_t>(q), e10};
}

// The same for a double, from the C library's correctly rounded "%e" conversion.
Digits digitsOf(double value, int d) {
    char text[48];
    std::snprintf(text, sizeof text, "%.*e", d - 1, std::fabs(value));  // d.ddddde+XX
    std::uint32_t q = 0;
    const char* c = text;
    for (; *c != 'e'; ++c)
        if (isDigit(*c)) q = q * 10 + static_cast<std::uint32_t>(*c - '0');
    return {q, std::atoi(c + 1)};
}

template <typename Real>
void appendE(std::string& out, Real value, int w, int d) {
    char body[32];
    int length = 0;
    auto put = [&](const char* text) {
        while (*text) body[length++] = *text++;
    };
    if (d < 1 || d > kMaxDigits) {
        length = w + 1;  // no field of such a width
    } else if (std::isnan(value)) {
        put("NaN");
    } else if (std::isinf(value)) {
        put(value < 0 ? "-Infinity" : "Infinity");
    } else {
        // 0.ddd x 10^exponent; zero (of either sign) is .000E+00.
        std::uint32_t q = 0;
        int exponent = 0;
        if (value != 0) {
            const Digits digits = digitsOf(value, d);
            q = digits.q;
            exponent = digits.e10 + 1;
            if (value < 0) body[length++] = '-';
        }
        body[length++] = '.';
        for (int i = d - 1; i >= 0; --i) {
            body[length + i] = static_cast<char>('0' + q % 10);
            q /= 10;
        }
        length += d;
        const int magnitude = exponent < 0 ? -exponent : exponent;
        if (magnitude <= 99) body[length++] = 'E';
        body[length++] = exponent < 0 ? '-' : '+';
        if (magnitude > 99) body[length++] = static_cast<char>('0' + magnitude / 100);
        body[length++] = static_cast<char>('0' + magnitude / 10 % 10);
        body[length++] = static_cast<char>('0' + magnitude % 10);
    }
    if (length > w) {
        out.append(w, '*');
        return;
    }
    out.append(w - length, ' ');
    out.append(body, length);
}

}  // namespace

void AppendE(std::string& out, float value, int w, int d) { appendE(out, value, w, d); }

std::string WriteE(float value, int w, int d) {
    std::string field;
    appendE(field, value, w, d);
    return field;
}

std::string WriteWideE(double value, int w, int d) {
    std::string field;
    appendE(field, value, w, d);
    return field;
}

std::string WriteI(int value, int w) {
    std::string body = std::to_string(value);
    if (static_cast<int>(body.size()) > w) return std::string(w, '*');
    return std::string(w - body.size(), ' ') + body;
}

}  // namespace records
