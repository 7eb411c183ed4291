// Interval searches and evaluation of the piecewise-polynomial form.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "capture.h"
#include "fitlib.h"

namespace {

using Lines = std::vector<std::string>;

// Leaves the shared search position of PPFIND at `hint`.
void setPpfindHint(int hint) {
    static std::vector<float> ramp = [] {
        std::vector<float> r(2000);
        for (int i = 0; i < 2000; ++i) r[i] = static_cast<float>(i + 1);
        return r;
    }();
    int left = 0;
    PPFIND(4, 1999, ramp.data(), static_cast<float>(hint) + 0.5f, left);
    ASSERT_EQ(left, hint);
}

int bruteForceLeft(const std::vector<float>& brk, int nintv, float x) {
    int left = 1;
    for (int l = 1; l <= nintv; ++l) {
        if (brk[l - 1] <= x) left = l;
    }
    return left;
}

// Probe abscissas: below, at and between every breakpoint, and above.
std::vector<float> probes(const std::vector<float>& brk) {
    std::vector<float> xs = {brk.front() - 100.0f, brk.front() - 0.001f};
    for (std::size_t i = 0; i < brk.size(); ++i) {
        xs.push_back(brk[i]);
        if (i + 1 < brk.size()) xs.push_back(0.5f * (brk[i] + brk[i + 1]));
    }
    xs.push_back(brk.back() + 0.001f);
    xs.push_back(brk.back() + 1e6f);
    return xs;
}

TEST(IntervalSearch, PpfindAgreesWithBruteForceFromEveryHint) {
    std::mt19937 gen(3);
    std::uniform_real_distribution<float> gap(0.1f, 2.0f);
    for (int nintv : {1, 2, 3, 4, 5, 8, 13, 64, 129}) {
        std::vector<float> brk(nintv + 1);
        brk[0] = -3.0f;
        for (int i = 1; i <= nintv; ++i) brk[i] = brk[i - 1] + gap(gen);
        for (int hint = 1; hint <= nintv + 3; ++hint) {
            for (float x : probes(brk)) {
                setPpfindHint(hint);
                int left = 0;
                PPFIND(4, nintv, brk.data(), x, left);
                ASSERT_EQ(left, bruteForceLeft(brk, nintv, x))
                    << "NINTV = " << nintv << ", hint = " << hint << ", x = " << x;
            }
        }
    }
}

TEST(IntervalSearch, PpfindOnSequencesInAnyOrder) {
    std::vector<float> brk(51);
    for (int i = 0; i <= 50; ++i) brk[i] = static_cast<float>(i * i);
    std::vector<float> xs;
    for (int i = -3; i <= 2600; i += 7) xs.push_back(static_cast<float>(i));
    for (int pass = 0; pass < 2; ++pass) {
        for (float x : xs) {
            int left = 0;
            PPFIND(4, 50, brk.data(), x, left);
            ASSERT_EQ(left, bruteForceLeft(brk, 50, x)) << "x = " << x;
        }
        std::reverse(xs.begin(), xs.end());
    }
}

struct KnotCase {
    float x;
    int left;
    int mflag;
};

TEST(IntervalSearch, KnfindEndRulesAndRepeatedKnots) {
    const std::vector<float> t = {0, 0, 0, 0, 1, 2, 2, 3, 4, 4, 4, 4};
    const int lxt = static_cast<int>(t.size());
    const KnotCase cases[] = {
        {-1.0f, 1, -1}, {0.0f, 4, 0}, {0.5f, 4, 0},  {1.0f, 5, 0}, {1.5f, 5, 0},   {2.0f, 7, 0},
        {2.9f, 7, 0},   {3.0f, 8, 0}, {3.99f, 8, 0}, {4.0f, 8, 0}, {4.01f, 12, 1}, {100.0f, 12, 1},
    };
    // Each case from the hint every other case leaves behind.
    for (const KnotCase& before : cases) {
        for (const KnotCase& c : cases) {
            int left = 0, mflag = 9;
            KNFIND(t.data(), lxt, before.x, left, mflag);
            KNFIND(t.data(), lxt, c.x, left, mflag);
            EXPECT_EQ(left, c.left) << "x = " << c.x << " after " << before.x;
            EXPECT_EQ(mflag, c.mflag) << "x = " << c.x;
        }
    }
    const std::vector<float> same = {2, 2, 2};
    int left = 0, mflag = 9;
    KNFIND(same.data(), 3, 2.0f, left, mflag);
    EXPECT_EQ(left, 1);
    EXPECT_EQ(mflag, 0);
}

}  // namespace
