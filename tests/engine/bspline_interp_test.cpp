// The interpolating B-spline: not-a-knot knots, agreement with a dense
// double-precision collocation solve for orders 2 to 6, the worked edge cases
// through SPLEZ, and every message of the knot and data checks.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "bspline_reference.h"
#include "capture.h"
#include "fitlib.h"
#include "report_text.h"

namespace {

using Texts = std::vector<std::string>;

std::vector<float> knotsFor(const std::vector<float>& x, int k) {
    const int n = int(x.size());
    std::vector<float> t(n + k), xs(n);
    std::vector<int> iwk(n);
    B2NAK(n, x.data(), k, t.data(), xs.data(), iwk.data());
    return t;
}

std::vector<float> interpolate(const std::vector<float>& x, const std::vector<float>& f, int k,
                               const std::vector<float>& t) {
    const int n = int(x.size());
    std::vector<float> coef(n), wk((5 * k - 2) * n), xs(n), fs(n);
    std::vector<int> iwk(n);
    B2INT(n, x.data(), f.data(), k, t.data(), coef.data(), wk.data(), xs.data(), fs.data(),
          iwk.data());
    return coef;
}

std::vector<float> splez(const std::vector<float>& x, const std::vector<float>& f, int itype,
                         int ider, const std::vector<float>& xvec) {
    std::vector<float> value(xvec.size());
    SPLEZ(int(x.size()), x.data(), f.data(), itype, ider, int(xvec.size()), xvec.data(),
          value.data());
    return value;
}

TEST(BsplineInterpolation, NotAKnotKnots) {
    LibraryCapture cap;
    const float xr6 = 6.0f * (1.0f + 100.0f * std::ldexp(1.0f, -23));
    EXPECT_EQ(knotsFor({1, 2, 3, 4, 5, 6}, 4),
              (std::vector<float>{1, 1, 1, 1, 3, 4, xr6, xr6, xr6, xr6}));
    const float xr3 = 3.0f * (1.0f + 100.0f * std::ldexp(1.0f, -23));
    EXPECT_EQ(knotsFor({3, 0, 2, 1}, 3), (std::vector<float>{0, 0, 0, 1.5f, xr3, xr3, xr3}));
    EXPECT_EQ(knotsFor({0, 1, 2.5f, 4}, 2),
              (std::vector<float>{0, 0, 1, 2.5f, 4.0f * (1.0f + 100.0f * std::ldexp(1.0f, -23)),
                                  4.0f * (1.0f + 100.0f * std::ldexp(1.0f, -23))}));
    // Order 5: midpoints of the abscissas without the first and last two.
    std::vector<float> t5 = knotsFor({0, 1, 3, 4, 7, 8, 9}, 5);
    EXPECT_EQ(std::vector<float>(t5.begin() + 5, t5.begin() + 7), (std::vector<float>{3.5f, 5.5f}));
    // A largest abscissa of 0 and a negative one.
    EXPECT_EQ(knotsFor({-1, 0}, 2).back(), 100.0f * std::ldexp(1.0f, -23));
    EXPECT_EQ(knotsFor({-3, -2}, 2).back(), float(-2.0 * (1.0 - 100.0 * std::ldexp(1.0, -23))));
}

TEST(BsplineInterpolation, AgreesWithADenseDoublePrecisionCollocationSolve) {
    const std::vector<float> x = {0.0f, 0.35f, 1.1f, 1.6f, 2.4f, 2.5f, 3.3f, 4.0f, 4.7f, 5.9f};
    std::vector<float> f;
    for (float v : x) f.push_back(float(std::sin(v) + 0.2 * v));
    for (int k = 2; k <= 6; ++k) {
        LibraryCapture cap;
        const std::vector<float> t = knotsFor(x, k);
        const std::vector<float> coef = interpolate(x, f, k, t);
        const int n = int(x.size());
        std::vector<double> td(t.begin(), t.end()), a(n * n), b(f.begin(), f.end());
        for (int r = 0; r < n; ++r)
            for (int c = 0; c < n; ++c) a[r * n + c] = ref::Bspline(td, n, c + 1, k, x[r]);
        const std::vector<double> expected = ref::DenseSolve(a, b);
        for (int c = 0; c < n; ++c)
            EXPECT_NEAR(coef[c], expected[c], 4e-6 * (1 + std::fabs(expected[c]))) << "k=" << k;
        // Between the data, through SPLEZ and the grid evaluator.
        std::vector<float> grid;
        for (float s = 0.0f; s <= 5.9f; s += 0.0625f) grid.push_back(s);
        const std::vector<float> v = splez(x, f, k + 2, 0, grid);
        for (std::size_t i = 0; i < grid.size(); ++i) {
            const double e = ref::SplineValue(td, k, expected, grid[i]);
            EXPECT_NEAR(v[i], e, 8e-6 * (1 + std::fabs(e))) << "k=" << k << " x=" << grid[i];
        }
        EXPECT_EQ(cap.text(), "");
    }
}

TEST(BsplineInterpolation, EdgeCasesThroughSplez) {
    LibraryCapture cap;
    // ITYPE 6 with 4 points: the cubic through them.
    {
        const std::vector<float> x = {2, -1, 0.5f, 3}, f = {1, 4, -2, 0.5f};
        std::vector<float> grid = {-1.5f, -0.25f, 1.0f, 2.75f, 3.5f};
        const std::vector<float> v = splez(x, f, 6, 0, grid);
        for (std::size_t g = 0; g < grid.size(); ++g) {
            double lagrange = 0.0;
            for (int i = 0; i < 4; ++i) {
                double w = f[i];
                for (int j = 0; j < 4; ++j)
                    if (j != i) w *= (double(grid[g]) - x[j]) / (double(x[i]) - x[j]);
                lagrange += w;
            }
            EXPECT_NEAR(v[g], lagrange, 1e-5 * (1 + std::fabs(lagrange))) << grid[g];
        }
    }
    // ITYPE 4: the broken line, its slope constant on each interval.
    {
        const std::vector<float> x = {0, 1, 3, 4}, f = {0, 2, -2, 1};
        const std::vector<float> v = splez(x, f, 4, 0, {0.5f, 2.0f, 3.25f});
        EXPECT_NEAR(v[0], 1.0f, 1e-6);
        EXPECT_NEAR(v[1], 0.0f, 1e-6);
        EXPECT_NEAR(v[2], -1.25f, 1e-6);
        const std::vector<float> d = splez(x, f, 4, 1, {0.5f, 2.0f, 3.25f});
        EXPECT_NEAR(d[0], 2.0f, 1e-5);
        EXPECT_NEAR(d[1], -2.0f, 1e-5);
        EXPECT_NEAR(d[2], 3.0f, 1e-5);
    }
    // Every order reproduces the data at the data, in any input order.
    {
        const std::vector<float> x = {4.5f, 0.0f, 2.25f, 7.0f, 1.0f, 5.5f, 3.0f, 6.25f};
        std::vector<float> f;
        for (float v : x) f.push_back(float(std::exp(-0.3 * v) * std::cos(v)));
        for (int itype = 4; itype <= 8; ++itype) {
            const std::vector<float> v = splez(x, f, itype, 0, x);
            for (std::size_t i = 0; i < x.size(); ++i)
                EXPECT_NEAR(v[i], f[i], 2e-6) << "ITYPE " << itype << " x=" << x[i];
        }
    }
    EXPECT_EQ(cap.text(), "");
}

TEST(BsplineInterpolation, KnotMessages) {
    struct Case {
        std::vector<float> x;
        int k;
        Texts reports;
    };
    const Case cases[] = {
        {{0, 1, 2},
         1,
         {"TERMINAL ERROR 1 from B2NAK.  The order of the spline must be at least 2 while "
          "KORDER = 1 is given."}},
        {{0, 1},
         3,
         {"TERMINAL ERROR 2 from B2NAK.  The number of data points must be at least as large as "
          "the order of the spline while NDATA = 2 and KORDER = 3 are given."}},
        {{},
         1,
         {"TERMINAL ERROR 1 from B2NAK.  The order of the spline must be at least 2 while "
          "KORDER = 1 is given.",
          "TERMINAL ERROR 2 from B2NAK.  The number of data points must be at least as large as "
          "the order of the spline while NDATA = 0 and KORDER = 1 are given."}},
        {{0, 1, 1, 2},
         2,
         {"FATAL    ERROR 4 from B2NAK.  Points in the data point abscissas array, XDATA, must "
          "be distinct, but XDATA(2) = XDATA(3) = 1.000000E+00."}},
    };
    for (const Case& c : cases) {
        LibraryCapture cap;
        std::vector<float> t(c.x.size() + std::max(c.k, 0) + 1), xs(c.x.size() + 1);
        std::vector<int> iwk(c.x.size() + 1);
        EXPECT_THROW(B2NAK(int(c.x.size()), c.x.data(), c.k, t.data(), xs.data(), iwk.data()),
                     StopCalled);
        EXPECT_EQ(ReportTexts(cap.lines()), c.reports);
    }
    // Out of order: TERMINAL, with the positions of the pair in XDATA as the
    // sort leaves them.
    const std::vector<float> x = {3, 1, 2, 1};
    std::vector<float> sorted(4), t(6), xs(4);
    std::vector<int> perm = {1, 2, 3, 4}, iwk(4);
    SVRGP(4, x.data(), sorted.data(), perm.data());
    LibraryCapture cap;
    EXPECT_THROW(B2NAK(4, x.data(), 2, t.data(), xs.data(), iwk.data()), StopCalled);
    EXPECT_EQ(ReportTexts(cap.lines()),
              (Texts{"TERMINAL ERROR 5 from B2NAK.  Points in the data point abscissas array, "
                     "XDATA, must be distinct, but XDATA(" +
                     std::to_string(perm[0]) + ") = XDATA(" + std::to_string(perm[1]) +
                     ") = 1.000000E+00."}));
}

TEST(BsplineInterpolation, DataAgainstKnotMessages) {
    struct Case {
        std::vector<float> x, t;
        std::string report;
    };
    const Case cases[] = {
        {{0, 1, 1},
         {0, 0, 1, 2, 2},
         "FATAL    ERROR 3 from B2INT.  Points in the data point abscissas array, XDATA, must be "
         "distinct, but XDATA(2) = XDATA(3) = 1.000000E+00."},
        {{0, 1, 2},
         {0.5f, 0.5f, 1.5f, 3, 3},
         "FATAL    ERROR 17 from B2INT.  The smallest element in XDATA must be greater than or "
         "equal to XKNOT(1) and less than XKNOT(1+KORDER) while XDATA(1) = .000000E+00, "
         "XKNOT(1) = 5.000000E-01, XKNOT(3) = 1.500000E+00 are given.  This causes the "
         "interpolation matrix to be singular."},
        {{2, 0, 1},
         {0, 1, 1.5f, 3, 3},
         "FATAL    ERROR 15 from B2INT.  The Ith smallest element (I=2) in XDATA must be in the "
         "interval (XKNOT(I),XKNOT(I+KORDER)) while XDATA(2) = 1.000000E+00, XKNOT(2) = "
         "1.000000E+00, XKNOT(4) = 3.000000E+00 are given.  This causes the interpolation "
         "matrix to be singular."},
        {{0, 1, 3},
         {0, 0, 1, 2, 2},
         "FATAL    ERROR 16 from B2INT.  The largest element in XDATA must be greater than "
         "XKNOT(NDATA) and less than or equal to XKNOT(NDATA+KORDER) while XDATA(NDATA) = "
         "3.000000E+00, XKNOT(NDATA) = 1.000000E+00, XKNOT(5) = 2.000000E+00 are given.  This "
         "causes the interpolation matrix to be singular."},
        // The knots themselves are checked first, with the codes of B3INT.
        {{0, 1, 2},
         {0, 1, 1, 1, 2},
         "FATAL    ERROR 4 from B2INT.  The knots XKNOT(2) through XKNOT(4) are all equal to "
         "1.000000E+00.  The multiplicity of the knots must not exceed KORDER = 2."},
        {{0, 1, 2},
         {0, 0, 2, 1, 3},
         "FATAL    ERROR 5 from B2INT.  The knot XKNOT(3) = 2.000000E+00 and XKNOT(4) = "
         "1.000000E+00.  The knots must be nondecreasing."},
    };
    for (const Case& c : cases) {
        LibraryCapture cap;
        EXPECT_THROW(interpolate(c.x, {1, 2, 3}, 2, c.t), StopCalled);
        EXPECT_EQ(ReportTexts(cap.lines()), Texts{c.report});
    }
}

}  // namespace
