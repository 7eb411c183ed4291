// Properties that every SPLEZ method must have: derivatives that agree with
// finite differences of its values, results independent of the input order,
// interpolation where the method interpolates, and the shape of the methods
// that promise one (Akima, the shape-preserving cubic, the smoothing spline).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "capture.h"
#include "data_points.h"
#include "fitlib.h"

namespace {

std::vector<float> splez(const std::vector<float>& x, const std::vector<float>& f, int itype,
                         int ider, const std::vector<float>& xvec) {
    std::vector<float> value(xvec.size(), -99.0f);
    SPLEZ(int(x.size()), x.data(), f.data(), itype, ider, int(xvec.size()), xvec.data(),
          value.data());
    return value;
}

Data wavy(int n) {
    Data d;
    for (int i = 0; i < n; ++i) {
        d.x.push_back(float(i) + 0.3f * float(std::sin(2.3 * i)));
        d.f.push_back(float(std::sin(0.7 * d.x.back()) + 0.05 * d.x.back()));
    }
    return d;
}

TEST(SplezMethods, DerivativesAgreeWithFiniteDifferencesOfTheValues) {
    const Data d = wavy(12);
    std::vector<float> points;
    for (int i = 0; i + 1 < 12; ++i) points.push_back(d.x[i] + 0.37f * (d.x[i + 1] - d.x[i]));
    for (int itype = 1; itype <= 15; ++itype) {
        for (int ider = 1; ider <= 3; ++ider) {
            if (itype == 3 && ider == 3) continue;  // jumps at the added breakpoints
            LibraryCapture cap;
            const std::vector<float> exact = splez(d.x, d.f, itype, ider, points);
            double scale = 0.0;
            for (float v : exact) scale = std::max(scale, double(std::fabs(v)));
            for (std::size_t i = 0; i < points.size(); ++i) {
                const float h = 2e-3f;
                const std::vector<float> around =
                    splez(d.x, d.f, itype, ider - 1, {points[i] - h, points[i] + h});
                const double fd = (double(around[1]) - around[0]) / (2.0 * h);
                EXPECT_NEAR(fd, exact[i], 5e-3 * (1 + scale))
                    << "ITYPE " << itype << " IDER " << ider << " x=" << points[i];
            }
            EXPECT_EQ(cap.text(), "") << "ITYPE " << itype;
        }
    }
}

TEST(SplezMethods, ResultsDoNotDependOnTheInputOrder) {
    const Data d = wavy(14);
    const std::vector<int> order = {9, 3, 12, 0, 7, 13, 5, 1, 10, 4, 8, 2, 11, 6};
    Data shuffled;
    for (int i : order) {
        shuffled.x.push_back(d.x[i]);
        shuffled.f.push_back(d.f[i]);
    }
    std::vector<float> grid;
    for (float t = -0.5f; t <= 14.0f; t += 0.37f) grid.push_back(t);
    std::vector<float> reversed(grid.rbegin(), grid.rend());
    for (int itype = 1; itype <= 15; ++itype) {
        LibraryCapture cap;
        const std::vector<float> a = splez(d.x, d.f, itype, 0, grid);
        std::vector<float> b = splez(shuffled.x, shuffled.f, itype, 0, reversed);
        std::reverse(b.begin(), b.end());
        EXPECT_EQ(a, b) << "ITYPE " << itype;
        EXPECT_EQ(splez(d.x, d.f, itype, 0, grid), a) << "ITYPE " << itype << ", second call";
    }
}

TEST(SplezMethods, InterpolatingMethodsPassThroughTheData) {
    const Data d = wavy(11);
    std::vector<float> xs(d.x.rbegin(), d.x.rend()), fs(d.f.rbegin(), d.f.rend());
    for (int itype = 1; itype <= 8; ++itype) {
        LibraryCapture cap;
        const std::vector<float> v = splez(xs, fs, itype, 0, xs);
        for (std::size_t i = 0; i < xs.size(); ++i)
            EXPECT_NEAR(v[i], fs[i], 3e-7f * (1 + std::fabs(fs[i]))) << "ITYPE " << itype;
    }
}

TEST(SplezMethods, AkimaIsFlatWhereTheDataAreFlatAndReproducesLines) {
    LibraryCapture cap;
    const std::vector<float> x = {0, 1, 2, 3, 4}, f = {0, 0, 0, 1, 1};
    EXPECT_EQ(splez(x, f, 2, 1, {2.0f})[0], 0.0f);
    EXPECT_EQ(splez(x, f, 2, 0, {0.5f, 1.5f}), (std::vector<float>{0.0f, 0.0f}));
    const std::vector<float> line = {-1, 0.5f, 2, 3.5f, 5};
    const std::vector<float> v = splez(x, line, 2, 0, {0.25f, 2.5f, 3.75f});
    EXPECT_NEAR(v[0], -0.625f, 1e-6);
    EXPECT_NEAR(v[1], 2.75f, 1e-6);
    EXPECT_NEAR(v[2], 4.625f, 1e-6);
}

TEST(SplezMethods, ShapePreservingCubicKeepsConvexityConcavityAndLines) {
    const std::vector<float> x = {-2.0f, -1.45f, -0.7f, -0.1f, 0.35f, 1.2f, 1.5f, 2.6f};
    std::vector<float> grid;
    for (int i = 0; i <= 3000; ++i) grid.push_back(-2.0f + 4.6f * float(i) / 3000.0f);
    for (float sign : {1.0f, -1.0f}) {
        std::vector<float> f;
        for (float v : x) f.push_back(sign * std::fabs(v));
        LibraryCapture cap;
        const std::vector<float> d2 = splez(x, f, 3, 2, grid);
        for (std::size_t i = 0; i < grid.size(); ++i)
            EXPECT_GE(sign * d2[i], -1e-5f) << "x=" << grid[i];
        // The not-a-knot spline of the same data bends the wrong way.
        const std::vector<float> c1 = splez(x, f, 1, 2, grid);
        float wrongest = 0.0f;
        for (float v : c1) wrongest = std::min(wrongest, sign * v);
        EXPECT_LT(wrongest, -0.05f);
    }
    std::vector<float> f;
    for (float v : x) f.push_back(0.5f * v + 3.0f);
    LibraryCapture cap;
    const std::vector<float> v = splez(x, f, 3, 0, grid);
    for (std::size_t i = 0; i < grid.size(); ++i)
        EXPECT_NEAR(v[i], 0.5f * grid[i] + 3.0f, 2e-6f) << grid[i];
}

TEST(SplezMethods, AWarningOfTheFitDoesNotHoldBackTheValues) {
    // Two abscissas 2^-20 apart make the order-6 collocation matrix too
    // ill-conditioned for single precision; the values still come back.
    const std::vector<float> x = {0, 1, 2, 2 + std::ldexp(1.0f, -20), 3, 4, 5, 6};
    const std::vector<float> f = {0, 1, 0, 1, 0, 1, 0, 1};
    LibraryCapture cap;
    const std::vector<float> v = splez(x, f, 8, 0, {0.5f, 3.5f});
    const std::vector<std::string> lines = cap.lines();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[1].substr(0, 61),
              " *** WARNING  ERROR 1 from SPLEZ.  The matrix is too ill-cond");
    EXPECT_NE(v[0], -99.0f);
    EXPECT_NE(v[1], -99.0f);
    EXPECT_TRUE(std::isfinite(v[0]) && std::isfinite(v[1]));
}

TEST(SplezMethods, SmoothingSplineTakesFourPointsAndReproducesLines) {
    LibraryCapture cap;
    const std::vector<float> x = {0, 1, 2.5f, 3}, f = {1, 3, 6, 7};
    const std::vector<float> v = splez(x, f, 9, 0, {0.0f, 1.75f, 3.0f});
    EXPECT_NEAR(v[0], 1.0f, 1e-5);
    EXPECT_NEAR(v[1], 4.5f, 1e-5);
    EXPECT_NEAR(v[2], 7.0f, 1e-5);
    EXPECT_NEAR(splez(x, f, 9, 1, {2.0f})[0], 2.0f, 1e-5);
}

}  // namespace
