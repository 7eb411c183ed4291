// The engine's record reading: the free-form count and flag lines and the
// exponent-form fields of B2F.dat, checked against an independent reading
// with the C library's correctly rounded conversions, and the Ew.d write read
// back.
#include <cerrno>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "fuzz_check.h"
#include "records.h"

namespace {

bool blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool digit(char c) { return c >= '0' && c <= '9'; }

// The first integer of a line: blanks, an optional sign, digits, then the end of the line or a
// value separator, within the range of int.
void checkFreeInteger(std::string_view line) {
    const std::optional<int> got = records::ReadFreeInteger(line);
    std::size_t i = 0;
    while (i < line.size() && blank(line[i])) ++i;
    const std::size_t start = i;
    if (i < line.size() && (line[i] == '+' || line[i] == '-')) ++i;
    const std::size_t firstDigit = i;
    while (i < line.size() && digit(line[i])) ++i;
    bool expected =
        i > firstDigit && (i == line.size() || blank(line[i]) || line[i] == ',' || line[i] == '/');
    long long value = 0;
    if (expected) {
        const std::string text(line.substr(start, i - start));
        errno = 0;
        value = std::strtoll(text.c_str(), nullptr, 10);
        expected = errno == 0 && value >= INT32_MIN && value <= INT32_MAX;
    }
    FUZZ_CHECK(got.has_value() == expected, "free integer of \"%.*s\"", int(line.size()),
               line.data());
    if (got) FUZZ_CHECK(*got == value, "read %d, expected %lld", *got, value);
}

// A field whose squeezed text is [sign] digits "." digits [E [sign] digits] is a plain decimal
// number, which strtof reads correctly rounded; an infinity there means the field overflows.
void checkEField(std::string_view field, int fraction) {
    const std::optional<float> got = records::ReadEField(field, fraction);
    if (got) FUZZ_CHECK(std::isfinite(*got), "non-finite field value");

    std::string s;
    for (char c : field)
        if (!blank(c)) s += c;
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    std::size_t digits = 0;
    while (i < s.size() && digit(s[i])) ++i, ++digits;
    if (i == s.size() || s[i] != '.') return;
    ++i;
    while (i < s.size() && digit(s[i])) ++i, ++digits;
    if (digits == 0) return;
    if (i < s.size() && (s[i] == 'E' || s[i] == 'e')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
        std::size_t expDigits = 0;
        while (i < s.size() && digit(s[i])) ++i, ++expDigits;
        // Exponents are read to a bounded length by both; keep to ones strtof takes whole.
        if (expDigits == 0 || expDigits > 4) return;
    }
    if (i != s.size()) return;
    errno = 0;
    const float expected = std::strtof(s.c_str(), nullptr);
    if (std::isinf(expected)) {
        FUZZ_CHECK(!got, "field \"%s\" overflows but read as %g", s.c_str(), double(*got));
        return;
    }
    FUZZ_CHECK(got.has_value(), "field \"%s\" refused, expected %g", s.c_str(), double(expected));
    FUZZ_CHECK(*got == expected || (*got == 0 && expected == 0), "field \"%s\" read %a, strtof %a",
               s.c_str(), double(*got), double(expected));
}

// Every finite value written in Ew.d fits its field and reads back to the value rounded to d
// digits.
void checkWriteE(float value, int w, int d) {
    const std::string text = records::WriteE(value, w, d);
    FUZZ_CHECK(text.size() == std::size_t(w), "width of \"%s\"", text.c_str());
    if (!std::isfinite(value)) return;
    FUZZ_CHECK(text.find('*') == std::string::npos, "%a does not fit E%d.%d", double(value), w, d);
    const std::optional<float> back = records::ReadEField(text, d);
    FUZZ_CHECK(back.has_value(), "\"%s\" does not read back", text.c_str());
    char rounded[64];
    std::snprintf(rounded, sizeof rounded, "%.*E", d - 1, double(value));
    const float expected = std::strtof(rounded, nullptr);
    if (std::isfinite(expected))
        FUZZ_CHECK(*back == expected, "\"%s\" reads %a, expected %a", text.c_str(), double(*back),
                   double(expected));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    checkFreeInteger(input);
    checkEField(input, 5);
    // A data record as the engine reads it.
    const std::string_view line = input.substr(0, input.find('\n'));
    for (const auto& [start, width] : {std::pair{0, 12}, std::pair{12, 13}}) {
        const std::string_view field = records::Field(line, start, width);
        FUZZ_CHECK(field.size() <= std::size_t(width), "field wider than %d", width);
        checkEField(field, 5);
        if (const std::optional<float> v = records::ReadEField(field, 5)) {
            checkWriteE(*v, 12, 5);
            checkWriteE(*v, 13, 6);
        }
    }
    if (size >= sizeof(float)) {
        float raw;
        __builtin_memcpy(&raw, data, sizeof raw);
        checkWriteE(raw, 13, 6);
        checkWriteE(raw, 12, 5);
    }
    return 0;
}
