// The shape-preserving interpolating cubic: interpolation, smoothness, the
// sign of the second derivative on convex, concave and straight stretches,
// agreement with the natural spline where that already keeps the shape, input
// order and the messages.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "capture.h"
#include "fitlib.h"
#include "report_text.h"

namespace {

struct Shape {
    std::vector<float> brk, c;
    int nbreak = 0;
    float at(float x, int der) const { return PPDER(der, x, 4, nbreak - 1, brk.data(), c.data()); }
};

Shape shapeCubic(const std::vector<float>& x, const std::vector<float>& y, int itmax = 25) {
    const int n = int(x.size());
    Shape s{std::vector<float>(2 * n), std::vector<float>(8 * n)};
    std::vector<float> wk(2 * n);
    std::vector<int> iwk(n);
    C2CON(n, x.data(), y.data(), itmax, s.brk.data(), s.c.data(), s.nbreak, wk.data(), iwk.data());
    return s;
}

// Values, slopes and (with c2) second derivatives agree from both sides of
// every breakpoint, and the data are interpolated. Where a straight stretch
// meets a bend the spline is only C1.
void expectSmoothInterpolant(const Shape& s, const std::vector<float>& x,
                             const std::vector<float>& y, bool c2 = true) {
    double fscale = 0.0;
    for (float v : y) fscale = std::max(fscale, double(std::fabs(v)));
    for (std::size_t i = 0; i < x.size(); ++i)
        EXPECT_NEAR(s.at(x[i], 0), y[i], 4e-7 * (1 + fscale)) << "x=" << x[i];
    double d1 = 0.0, d2 = 0.0;
    for (int i = 0; i < s.nbreak; ++i) {
        d1 = std::max(d1, double(std::fabs(s.c[4 * i + 1])));
        d2 = std::max(d2, double(std::fabs(s.c[4 * i + 2])));
    }
    for (int i = 1; i + 1 < s.nbreak; ++i) {
        const float* c = &s.c[4 * (i - 1)];
        const double h = double(s.brk[i]) - s.brk[i - 1];
        EXPECT_NEAR(c[0] + c[1] * h + c[2] * h * h / 2 + c[3] * h * h * h / 6, s.c[4 * i],
                    1e-6 * (1 + fscale));
        EXPECT_NEAR(c[1] + c[2] * h + c[3] * h * h / 2, s.c[4 * i + 1], 1e-5 * (1 + d1));
        if (c2) {
            EXPECT_NEAR(c[2] + c[3] * h, s.c[4 * i + 2], 1e-4 * (1 + d2));
        }
    }
}

// Second derivative at 2000 points across the data, as a grid evaluator sees it.
std::vector<float> secondDerivatives(const Shape& s, float a, float b, std::vector<float>& grid) {
    grid.clear();
    std::vector<float> v;
    for (int i = 0; i <= 2000; ++i) {
        grid.push_back(a + (b - a) * float(i) / 2000.0f);
        v.push_back(s.at(grid.back(), 2));
    }
    return v;
}

TEST(ShapeCubic, ConvexAndConcaveDataKeepTheSignOfTheSecondDerivative) {
    const std::vector<float> x = {-2.0f, -1.3f, -0.4f, 0.5f, 1.1f, 2.0f, 2.3f};
    for (double sign : {1.0, -1.0}) {
        std::vector<float> y;
        for (float v : x) y.push_back(float(sign * std::fabs(v)));
        LibraryCapture cap;
        Shape s = shapeCubic(x, y);
        EXPECT_EQ(cap.text(), "");
        expectSmoothInterpolant(s, x, y, false);
        EXPECT_LE(s.nbreak, 2 * int(x.size()));
        std::vector<float> grid;
        std::vector<float> d2 = secondDerivatives(s, x.front(), x.back(), grid);
        for (std::size_t i = 0; i < grid.size(); ++i)
            EXPECT_GE(sign * d2[i], -1e-5) << "x=" << grid[i] << " sign=" << sign;
    }
}

TEST(ShapeCubic, StraightDataGiveStraightPieces) {
    {
        const std::vector<float> x = {0.0f, 0.7f, 1.0f, 2.5f, 3.0f};
        std::vector<float> y;
        for (float v : x) y.push_back(2.0f * v - 1.0f);
        LibraryCapture cap;
        Shape s = shapeCubic(x, y);
        for (float t = 0.0f; t <= 3.0f; t += 0.05f) {
            EXPECT_NEAR(s.at(t, 0), 2.0f * t - 1.0f, 2e-6);
            EXPECT_NEAR(s.at(t, 2), 0.0f, 1e-6);
        }
    }
    {
        // A straight stretch between two bends stays straight.
        const std::vector<float> x = {0, 1, 2, 3, 4, 5, 6};
        const std::vector<float> y = {4, 1, 0, 1, 2, 3, 6};
        LibraryCapture cap;
        Shape s = shapeCubic(x, y);
        expectSmoothInterpolant(s, x, y, false);
        for (float t = 3.0f; t <= 4.0f; t += 0.01f) EXPECT_NEAR(s.at(t, 2), 0.0f, 1e-5) << t;
        for (float t = 0.0f; t <= 6.0f; t += 0.01f) EXPECT_GE(s.at(t, 2), -1e-5f) << t;
    }
}

TEST(ShapeCubic, ABendBetweenStraightStretchesIsACorner) {
    // No convex spline with a continuous slope passes through these points;
    // the slope jumps at the bend and everything else stays straight.
    const std::vector<float> x = {-3, -2, -1, 0, 1, 2, 3};
    std::vector<float> y;
    for (float v : x) y.push_back(std::fabs(v));
    LibraryCapture cap;
    Shape s = shapeCubic(x, y);
    EXPECT_EQ(cap.text(), "");
    for (float t = -3.0f; t <= 3.0f; t += 0.03125f) {
        EXPECT_NEAR(s.at(t, 0), std::fabs(t), 1e-6f) << t;
        EXPECT_EQ(s.at(t, 2), 0.0f) << t;
    }
}

TEST(ShapeCubic, ConvergesAndInterpolatesOnManyIrregularDataSets) {
    std::mt19937 gen(11);
    std::uniform_real_distribution<float> u(0.0f, 1.0f);
    for (int trial = 0; trial < 400; ++trial) {
        const int n = 4 + trial % 30;
        std::vector<float> x, y;
        float at = 0.0f;
        for (int i = 0; i < n; ++i) {
            at += 0.1f + u(gen);
            x.push_back(at);
            switch (trial % 4) {
                case 0:
                    y.push_back(u(gen));
                    break;
                case 1:
                    y.push_back(std::round(3.0f * std::sin(at)));
                    break;
                case 2:
                    y.push_back(std::exp(0.3f * at) * (u(gen) < 0.1f ? 1.2f : 1.0f));
                    break;
                default:
                    y.push_back(u(gen) < 0.3f ? 0.0f : std::floor(at));
                    break;
            }
        }
        LibraryCapture cap;
        Shape s = shapeCubic(x, y);
        EXPECT_EQ(cap.text(), "") << "trial " << trial;
        for (int i = 0; i < n; ++i)
            EXPECT_NEAR(s.at(x[i], 0), y[i], 1e-5f * (1 + std::fabs(y[i]))) << "trial " << trial;
    }
}

TEST(ShapeCubic, InflectionsAreFreeAndStretchesOfOneCurvatureKeepIt) {
    std::vector<float> x, y;
    for (int i = 0; i < 14; ++i) {
        x.push_back(float(i) + 0.35f * float(std::sin(1.7 * i)));
        y.push_back(float(std::sin(0.6 * x.back())) + (i == 6 ? 0.4f : 0.0f));
    }
    LibraryCapture cap;
    Shape s = shapeCubic(x, y);
    expectSmoothInterpolant(s, x, y);
    // On an interval whose two ends bend the same way the spline bends that way.
    auto bend = [&](int j) {
        return (y[j + 1] - y[j]) / (x[j + 1] - x[j]) - (y[j] - y[j - 1]) / (x[j] - x[j - 1]);
    };
    for (int i = 1; i + 2 < int(x.size()); ++i) {
        const float l = bend(i), r = bend(i + 1);
        if (l * r <= 0.0f) continue;
        for (int k = 0; k <= 50; ++k) {
            const float t = x[i] + (x[i + 1] - x[i]) * float(k) / 50.0f;
            EXPECT_GE((l > 0 ? 1.0f : -1.0f) * s.at(t, 2), -1e-4f) << "t=" << t;
        }
    }
}

TEST(ShapeCubic, EqualsTheNaturalSplineWhereThatKeepsTheShape) {
    // exp is convex and its natural spline on these points is convex too.
    const std::vector<float> x = {0.0f, 0.4f, 1.1f, 1.5f, 2.2f, 3.0f};
    std::vector<float> y;
    for (float v : x) y.push_back(float(std::exp(double(v))));
    // Natural spline second derivatives in double: tridiagonal system.
    const int n = int(x.size());
    std::vector<double> h(n - 1), m(n, 0.0), diag(n), rhs(n), sub(n);
    for (int i = 0; i + 1 < n; ++i) h[i] = double(x[i + 1]) - x[i];
    for (int j = 1; j + 1 < n; ++j) {
        diag[j] = (h[j - 1] + h[j]) / 3.0;
        sub[j] = h[j - 1] / 6.0;
        rhs[j] = (double(y[j + 1]) - y[j]) / h[j] - (double(y[j]) - y[j - 1]) / h[j - 1];
    }
    for (int j = 2; j + 1 < n; ++j) {
        const double f = sub[j] / diag[j - 1];
        diag[j] -= f * h[j - 1] / 6.0;
        rhs[j] -= f * rhs[j - 1];
    }
    for (int j = n - 2; j >= 1; --j)
        m[j] = (rhs[j] - (j + 1 < n - 1 ? h[j] / 6.0 * m[j + 1] : 0.0)) / diag[j];
    LibraryCapture cap;
    Shape s = shapeCubic(x, y);
    EXPECT_EQ(s.nbreak, n);
    for (int j = 0; j < n; ++j) EXPECT_NEAR(s.at(x[j], 2), m[j], 2e-5 * (1 + std::fabs(m[j]))) << j;
    for (int i = 0; i + 1 < n; ++i) {
        const double t = x[i] + 0.3 * h[i];
        const double a = (x[i + 1] - t) / h[i], b = 1.0 - a;
        const double expected =
            a * y[i] + b * y[i + 1] +
            ((a * a * a - a) * m[i] + (b * b * b - b) * m[i + 1]) * h[i] * h[i] / 6.0;
        EXPECT_NEAR(s.at(float(t), 0), expected, 2e-6 * std::fabs(expected)) << i;
    }
}

TEST(ShapeCubic, InputOrderDoesNotMatter) {
    const std::vector<float> x = {-2.0f, -1.3f, -0.4f, 0.5f, 1.1f, 2.0f, 2.3f};
    std::vector<float> y;
    for (float v : x) y.push_back(std::fabs(v));
    std::vector<float> xr(x.rbegin(), x.rend()), yr(y.rbegin(), y.rend());
    LibraryCapture cap;
    Shape a = shapeCubic(x, y), b = shapeCubic(xr, yr);
    EXPECT_EQ(a.nbreak, b.nbreak);
    EXPECT_EQ(a.brk, b.brk);
    EXPECT_EQ(a.c, b.c);
}

TEST(ShapeCubic, Messages) {
    using Texts = std::vector<std::string>;
    {
        LibraryCapture cap;
        EXPECT_THROW(shapeCubic({0, 1}, {0, 1}, 1), StopCalled);
        EXPECT_EQ(ReportTexts(cap.lines()),
                  (Texts{"TERMINAL ERROR 1 from C2CON.  The number of data points must be at "
                         "least 3 while NDATA = 2 is given.",
                         "TERMINAL ERROR 2 from C2CON.  The maximum number of iterations must be "
                         "at least 2 while ITMAX = 1 is given."}));
    }
    {
        LibraryCapture cap;
        EXPECT_THROW(shapeCubic({0, 1, 1, 2}, {0, 1, 2, 3}), StopCalled);
        EXPECT_EQ(ReportTexts(cap.lines()),
                  (Texts{"FATAL    ERROR 3 from C2CON.  Points in the data point abscissas "
                         "array, XDATA, must be distinct, but XDATA(2) = XDATA(3) = "
                         "1.000000E+00."}));
    }
    {
        // Sharp bends move the active parts of the broken line over several
        // Newton steps; two are not enough.
        const std::vector<float> x = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
        const std::vector<float> y = {0, 0, 0, 0, 0.1f, 5, 10, 10.2f, 10.3f, 10.3f};
        LibraryCapture cap;
        Shape s = shapeCubic(x, y, 2);
        EXPECT_EQ(ReportTexts(cap.lines()),
                  (Texts{"WARNING  ERROR 16 from C2CON.  The maximum number of iterations was "
                         "reached in Newton's Method.  The best answer will be returned.  ITMAX = "
                         "2 was used, a larger value may help."}));
        for (std::size_t i = 0; i < x.size(); ++i) EXPECT_NEAR(s.at(x[i], 0), y[i], 1e-5);
        LibraryCapture quiet;
        shapeCubic(x, y, 25);
        EXPECT_EQ(quiet.text(), "");
    }
}

}  // namespace
