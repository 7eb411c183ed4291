// Test support: comparison of floats in units in the last place. A failure
// prints the expected value, the computed value and their distance in ulps.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <iomanip>
#include <limits>
#include <sstream>

// The number of floats between a and b (0 for equal values, +0 and -0 included;
// 1 for neighbours, also across zero through the subnormals). Saturates for NaN.
inline std::uint64_t UlpDistance(float a, float b) {
    if (std::isnan(a) || std::isnan(b)) return std::numeric_limits<std::uint64_t>::max();
    auto ordered = [](float v) {
        std::int32_t bits;
        std::memcpy(&bits, &v, sizeof bits);
        // Negative floats count down from zero, so that the order of the integers is the
        // order of the floats and -0 meets +0.
        return bits < 0 ? -static_cast<std::int64_t>(bits & 0x7fffffff)
                        : static_cast<std::int64_t>(bits);
    };
    const std::int64_t d = ordered(a) - ordered(b);
    return static_cast<std::uint64_t>(d < 0 ? -d : d);
}

// Predicate formatter for EXPECT_PRED_FORMAT3: `computed` within `maxUlps` of `expected`, which
// is rounded to the nearest float first (a double reference is welcome).
inline ::testing::AssertionResult FloatWithinUlps(const char* expectedText,
                                                  const char* computedText, const char* /*maxText*/,
                                                  double expected, float computed,
                                                  std::uint64_t maxUlps) {
    const float rounded = static_cast<float>(expected);
    const std::uint64_t distance = UlpDistance(rounded, computed);
    if (distance <= maxUlps) return ::testing::AssertionSuccess();
    std::ostringstream text;
    text << std::setprecision(std::numeric_limits<float>::max_digits10) << computedText
         << " is not within " << maxUlps << " ulps of " << expectedText << ":\n  expected "
         << rounded << "\n  computed " << computed << "\n  distance ";
    if (distance == std::numeric_limits<std::uint64_t>::max()) {
        text << "(NaN)";
    } else {
        text << distance << " ulps";
    }
    return ::testing::AssertionFailure() << text.str();
}

#define EXPECT_ULPS(expected, computed, maxUlps) \
    EXPECT_PRED_FORMAT3(FloatWithinUlps, expected, computed, maxUlps)
#define ASSERT_ULPS(expected, computed, maxUlps) \
    ASSERT_PRED_FORMAT3(FloatWithinUlps, expected, computed, maxUlps)
