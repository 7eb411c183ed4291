// The exchange files' field reads and writes, field by field.
#include "records.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <string>

namespace {

using records::ReadEField;
using records::ReadFreeInteger;
using records::WriteE;
using records::WriteI;
using records::WriteWideE;

TEST(FreeInteger, FirstIntegerOnTheLine) {
    struct Case {
        const char* line;
        std::optional<int> value;
    } cases[] = {
        {"   900", 900},
        {"00", 0},
        {"01", 1},
        {"  -1  ", -1},
        {"+7", 7},
        {"5 rest ignored", 5},
        {"12,3", 12},
        {"3\r", 3},
        {"\t42", 42},
        {"", std::nullopt},
        {"   ", std::nullopt},
        {"abc", std::nullopt},
        {"12abc", std::nullopt},
        {"1.5", std::nullopt},
        {"-", std::nullopt},
        {"99999999999", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(ReadFreeInteger(c.line), c.value) << '"' << c.line << '"';
}

TEST(ExponentField, ReadsEveryAcceptedForm) {
    struct Case {
        const char* field;
        float value;
    } cases[] = {
        {"  .15000E+01", 1.5f},
        {" -.12300E-01", -0.0123f},
        {"            ", 0.0f},
        {"", 0.0f},
        {"12345", 0.12345f},
        {"-12345", -0.12345f},
        {"1234567", 12.34567f},
        {"12345E2", 12.345f},
        {"1.5", 1.5f},
        {"  1 . 5 ", 1.5f},
        {"1.5E3", 1500.0f},
        {"1.5e-3", 0.0015f},
        {"1.5D+02", 150.0f},
        {"1.5+02", 150.0f},
        {"1.5-02", 0.015f},
        {"+.5", 0.5f},
        {"5.", 5.0f},
        {"  .000000E+00", 0.0f},
        {"3.40282347E+38", std::numeric_limits<float>::max()},
        {"1E-50", 0.0f},
        {"0.1", 0.1f},
        {"100000", 1.0f},
        // Leading zeros do not count towards the magnitude of a value too small to represent.
        {"0000000000000000000000000000000000000000000000000000000001.E-50", 0.0f},
        {"1.E-40", 1e-40f},
    };
    for (const Case& c : cases) {
        std::optional<float> v = ReadEField(c.field, 5);
        ASSERT_TRUE(v.has_value()) << '"' << c.field << '"';
        EXPECT_EQ(*v, c.value) << '"' << c.field << '"';
    }
}

TEST(ExponentField, RefusesWhatIsNotANumber) {
    for (const char* field :
         {"abc", "1.2.3", "E5", "1.5E", "1.5Ex", "--1", "1e99", "3.5E+38", ".", "+"}) {
        EXPECT_FALSE(ReadEField(field, 5).has_value()) << '"' << field << '"';
    }
}

TEST(ExponentField, RoundsTheDecimalValueOnceToSinglePrecision) {
    // 0.1 + half an ulp above it must round to the float nearest the decimal.
    EXPECT_EQ(*ReadEField(".33333333333E+00", 5), 1.0f / 3.0f);
    EXPECT_EQ(*ReadEField("16777217", 0), 16777216.0f);  // ties to even
}

TEST(WriteE, FieldsOfThirteenWithSixDigits) {
    struct Case {
        float value;
        const char* text;
    } cases[] = {
        {1.5f, "  .150000E+01"},          {-0.0123f, " -.123000E-01"},   {0.0f, "  .000000E+00"},
        {-0.0f, "  .000000E+00"},         {123456.7f, "  .123457E+06"},  {0.01f, "  .100000E-01"},
        {1.0f, "  .100000E+01"},          {9.9999996f, "  .100000E+02"}, {-1e-30f, " -.100000E-29"},
        {3.4028235e38f, "  .340282E+39"}, {1.4e-45f, "  .140130E-44"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(WriteE(c.value, 13, 6), c.text) << c.value;
        EXPECT_EQ(WriteWideE(c.value, 13, 6), c.text) << c.value;
    }
}

TEST(WriteE, OtherWidthsAndOverflow) {
    EXPECT_EQ(WriteE(1.5f, 12, 5), "  .15000E+01");
    EXPECT_EQ(WriteE(-0.5f, 13, 5), "  -.50000E+00");
    EXPECT_EQ(WriteE(-1.5f, 10, 6), "**********");
    EXPECT_EQ(WriteE(std::numeric_limits<float>::infinity(), 13, 6), "     Infinity");
    EXPECT_EQ(WriteE(std::nanf(""), 13, 6), "          NaN");
}

TEST(WriteE, DoublesBeyondSinglePrecision) {
    EXPECT_EQ(WriteWideE(2.5e59, 13, 6), "  .250000E+60");
    EXPECT_EQ(WriteWideE(-8.5862249e-62, 13, 6), " -.858622E-61");
    EXPECT_EQ(WriteWideE(1.23456789e-150, 13, 6), "  .123457-149");
    EXPECT_EQ(WriteWideE(0.9999995, 13, 6), "  .100000E+01");  // rounds up to the next decade
}

// The field as the C library's own correctly rounded "%E" conversion gives it:
// the reference the digit generation of WriteE is held to.
std::string referenceE(float value, int w, int d) {
    std::string body;
    if (std::isnan(value)) {
        body = "NaN";
    } else if (std::isinf(value)) {
        body = value < 0 ? "-Infinity" : "Infinity";
    } else {
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
        std::snprintf(exp, sizeof exp, "E%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
        body = std::string(negative ? "-" : "") + "." + mantissa + exp;
    }
    if (static_cast<int>(body.size()) > w) return std::string(w, '*');
    return std::string(w - body.size(), ' ') + body;
}

// Checks both field layouts of the exchange files for one value; reports the
// first few differences only.
void expectSameAsReference(float value, int& failures) {
    for (auto [w, d] : {std::pair{13, 6}, std::pair{12, 5}}) {
        const std::string expected = referenceE(value, w, d);
        const std::string computed = WriteE(value, w, d);
        if (computed != expected && ++failures <= 10) {
            ADD_FAILURE() << "bits 0x" << std::hex << std::bit_cast<std::uint32_t>(value)
                          << std::dec << " E" << w << "." << d << ": expected \"" << expected
                          << "\", computed \"" << computed << "\"";
        }
    }
}

TEST(WriteE, SameDigitsAsTheCorrectlyRoundedReference) {
    int failures = 0;
    // A dense sample of every binade, both signs, subnormals, zeros, the
    // infinities and NaNs included.
    for (std::uint64_t bits = 0; bits <= 0xffffffffu; bits += 2039)
        expectSameAsReference(std::bit_cast<float>(static_cast<std::uint32_t>(bits)), failures);
    // The neighbourhoods of every rounding into the next decade (9.999995
    // and 9.99995 x 10^k) and of the extremes.
    for (int k = -46; k <= 39; ++k) {
        for (double edge : {9.999995, 9.99995, 1.0}) {
            float f = static_cast<float>(edge * std::pow(10.0, k));
            for (int i = 0; i < 64; ++i) f = std::nextafter(f, 0.0f);
            for (int i = 0; i < 128; ++i, f = std::nextafter(f, INFINITY)) {
                expectSameAsReference(f, failures);
                expectSameAsReference(-f, failures);
            }
        }
    }
    // Exact ties between two six- or five-digit neighbours: integers.
    for (int i = 100000; i <= 2000000; ++i) expectSameAsReference(static_cast<float>(i), failures);
    for (float f : {std::numeric_limits<float>::max(), std::numeric_limits<float>::min(),
                    std::numeric_limits<float>::denorm_min(), 0.5f, 2.5e-5f, 1.25f, 0.125f})
        expectSameAsReference(f, failures);
    EXPECT_EQ(failures, 0);
}

TEST(WriteE, DecadeRoundingNegativeZeroAndDigitRange) {
    EXPECT_EQ(WriteE(999999.5f, 13, 6), "  .100000E+07");  // tie, rounds to even
    EXPECT_EQ(WriteE(999998.5f, 13, 6), "  .999998E+06");  // tie, stays even
    EXPECT_EQ(WriteE(-99999.5f, 12, 5), " -.10000E+06");
    EXPECT_EQ(WriteE(-0.0f, 12, 5), "  .00000E+00");
    EXPECT_EQ(WriteE(-1.4e-45f, 13, 6), " -.140130E-44");
    EXPECT_EQ(WriteE(1.5f, 13, 7), "*************");
    EXPECT_EQ(WriteE(1.5f, 13, 0), "*************");
    EXPECT_EQ(WriteE(-1.5f, 11, 6), "***********");
    EXPECT_EQ(WriteE(1.5f, 12, 6), " .150000E+01");
}

TEST(WriteI, RightJustifiedOrAsterisks) {
    EXPECT_EQ(WriteI(900, 6), "   900");
    EXPECT_EQ(WriteI(0, 6), "     0");
    EXPECT_EQ(WriteI(9900, 6), "  9900");
    EXPECT_EQ(WriteI(-12345, 6), "-12345");
    EXPECT_EQ(WriteI(1234567, 6), "******");
}

}  // namespace
