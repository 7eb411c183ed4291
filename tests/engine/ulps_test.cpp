// The ulp comparison of the test support: distances across zero, the subnormals and the
// decades, and the text of a failure.
#include "ulps.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace {

TEST(UlpComparison, DistancesCountTheFloatsBetween) {
    const float tiny = std::numeric_limits<float>::denorm_min();
    EXPECT_EQ(UlpDistance(0.0f, -0.0f), 0u);
    EXPECT_EQ(UlpDistance(tiny, -tiny), 2u);
    EXPECT_EQ(UlpDistance(-0.0f, tiny), 1u);
    EXPECT_EQ(UlpDistance(1.0f, std::nextafter(1.0f, 2.0f)), 1u);
    EXPECT_EQ(UlpDistance(1.0f, std::nextafter(1.0f, 0.0f)), 1u);  // across a decade
    EXPECT_EQ(UlpDistance(-2.0f, std::nextafter(std::nextafter(-2.0f, 0.0f), 0.0f)), 2u);
    EXPECT_EQ(
        UlpDistance(std::numeric_limits<float>::max(), std::numeric_limits<float>::infinity()), 1u);
    EXPECT_EQ(UlpDistance(1.0f, std::nanf("")), std::numeric_limits<std::uint64_t>::max());
}

TEST(UlpComparison, AFailureShowsExpectedComputedAndDistance) {
    EXPECT_ULPS(0.1, 0.1f, 0);  // a double reference is rounded to float first
    const ::testing::AssertionResult r =
        FloatWithinUlps("e", "c", "3", 1.0, std::nextafter(std::nextafter(1.0f, 2.0f), 2.0f), 1);
    ASSERT_FALSE(r);
    const std::string text = r.message();
    EXPECT_NE(text.find("expected 1\n"), std::string::npos) << text;
    EXPECT_NE(text.find("computed 1.00000024"), std::string::npos) << text;
    EXPECT_NE(text.find("distance 2 ulps"), std::string::npos) << text;
    const std::string nan = FloatWithinUlps("e", "c", "3", 1.0, std::nanf(""), 5).message();
    EXPECT_NE(nan.find("distance (NaN)"), std::string::npos) << nan;
}

}  // namespace
