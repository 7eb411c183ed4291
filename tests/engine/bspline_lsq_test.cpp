// The least-squares B-spline: basis values, the band factor and solve, the knots of the
// ITYPE 10..12 worker, its fits and the messages of the fitting routines.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "bspline_reference.h"
#include "capture.h"
#include "fitlib.h"
#include "report_text.h"

namespace {

using Texts = std::vector<std::string>;

std::vector<double> widen(const std::vector<float>& v) { return {v.begin(), v.end()}; }

// Largest l with t(l) <= x < t(l + 1) among order..ncoef, the last interval for the right end.
int intervalOf(const std::vector<float>& t, int order, int ncoef, float x) {
    int left = order;
    while (left < ncoef && t[left] <= x) ++left;
    return left;
}

struct Fit {
    int ncoef = 0;
    std::vector<float> coef, knots, value;
};

// Calls the worker directly with workspace pieces of exactly the sizes that SPLEZ obtains.
Fit runS8LEZ(const std::vector<float>& x, const std::vector<float>& f, int k,
             const std::vector<float>& xvec, int ider = 0) {
    const int nd = static_cast<int>(x.size());
    const int n = static_cast<int>(xvec.size());
    Fit fit;
    fit.ncoef = (nd - 1) / 4 + k;
    const int total = (k + 2) * fit.ncoef + 4 * n + 4 * k + 6 * nd + 1;
    fit.coef.assign(fit.ncoef, 0.0f);
    fit.knots.assign(fit.ncoef + k, 0.0f);
    fit.value.assign(n, 0.0f);
    std::vector<float> weight(nd), scratch(total - 2 * fit.ncoef - k - nd);
    std::vector<int> iwk(n + std::max(nd, n));
    S8LEZ(nd, x.data(), f.data(), k, ider, n, xvec.data(), fit.value.data(), fit.coef.data(),
          weight.data(), fit.knots.data(), scratch.data(), iwk.data());
    return fit;
}

float enlarged(float xmax) {
    double s = xmax >= 0 ? 1.0 : -1.0;
    return static_cast<float>(xmax * (1.0 + 100.0 * std::ldexp(1.0, -23) * s));
}

// Random data: abscissas from lo on with random gaps of 0.5 to 1.5 times `gap`, handed over in
// random order, and random values.
void randomData(std::mt19937& gen, int nd, float lo, float gap, std::vector<float>& x,
                std::vector<float>& f) {
    std::uniform_real_distribution<float> ug(0.5f * gap, 1.5f * gap), uf(-3.0f, 7.0f);
    x.resize(nd);
    f.resize(nd);
    float next = lo;
    for (int i = 0; i < nd; ++i) {
        x[i] = next;
        next += ug(gen);
        f[i] = uf(gen);
    }
    std::shuffle(x.begin(), x.end(), gen);
}

TEST(BasisValues, PartitionOfUnityAndAgreementWithTheDefinition) {
    std::mt19937 gen(11);
    for (int k = 1; k <= 6; ++k) {
        // Knots with a double and, from order 3 on, a triple interior knot.
        std::vector<float> t(k, 0.0f);
        for (float v : {0.5f, 1.25f, 1.25f, 2.0f, 3.5f, 3.5f, 3.5f, 4.0f}) {
            if (std::count(t.begin(), t.end(), v) < k) t.push_back(v);
        }
        const int ncoef = static_cast<int>(t.size());
        t.insert(t.end(), k, 5.0f);
        std::uniform_real_distribution<float> ux(0.0f, 5.0f);
        std::vector<float> b(k), dl(k), dr(k);
        for (int trial = 0; trial < 200; ++trial) {
            float x = trial == 0 ? 0.0f : ux(gen);
            int left = intervalOf(t, k, ncoef, x);
            BASISVAL(t.data(), k, x, left, b.data(), dl.data(), dr.data());
            double sum = std::accumulate(b.begin(), b.end(), 0.0);
            EXPECT_NEAR(sum, 1.0, 4e-7) << "k = " << k << ", x = " << x;
            for (int j = 1; j <= k; ++j) {
                double expected = ref::Bspline(widen(t), ncoef, left - k + j, k, x);
                EXPECT_NEAR(b[j - 1], expected, 4e-7) << "k = " << k << ", x = " << x;
            }
        }
    }
}

// A random symmetric band matrix with a dominant diagonal, in band storage and dense.
void randomBand(std::mt19937& gen, int k, int n, std::vector<float>& q, std::vector<double>& a) {
    std::uniform_real_distribution<float> u(-1.0f, 1.0f);
    q.assign(static_cast<std::size_t>(k) * n, 0.0f);
    a.assign(static_cast<std::size_t>(n) * n, 0.0);
    for (int c = 1; c <= n; ++c) {
        for (int r = 2; r <= k && c + r - 1 <= n; ++r) {
            float v = u(gen);
            q[(r - 1) + (c - 1) * k] = v;
            a[(c + r - 2) * n + (c - 1)] = a[(c - 1) * n + (c + r - 2)] = v;
        }
    }
    for (int c = 1; c <= n; ++c) {
        float d = 1.0f + 0.5f * (u(gen) + 1.0f);
        for (int j = 1; j <= n; ++j)
            d += j != c ? std::fabs(static_cast<float>(a[(c - 1) * n + j - 1])) : 0;
        q[(c - 1) * k] = d;
        a[(c - 1) * n + (c - 1)] = d;
    }
}

TEST(BandSolve, AgreesWithADenseSolveOfTheSameMatrix) {
    std::mt19937 gen(5);
    std::uniform_real_distribution<float> u(-2.0f, 2.0f);
    for (int k = 1; k <= 5; ++k) {
        for (int n : {1, 2, 3, 4, 7, 12, 30}) {
            std::vector<float> q, b(n);
            std::vector<double> a;
            randomBand(gen, k, n, q, a);
            for (float& v : b) v = u(gen);
            std::vector<double> z = ref::DenseSolve(a, widen(b));
            BANDCHOL(q.data(), k, n);
            BANDSOLVE(q.data(), k, n, b.data());
            for (int i = 0; i < n; ++i) {
                EXPECT_NEAR(b[i], z[i], 2e-6 * (1 + std::fabs(z[i]))) << "k " << k << " n " << n;
            }
        }
    }
}

TEST(BandSolve, AColumnWithoutPivotGivesZeroAndLeavesTheRestSolved) {
    std::mt19937 gen(9);
    const int k = 4, n = 9, empty = 5;
    std::vector<float> q;
    std::vector<double> a;
    randomBand(gen, k, n, q, a);
    // Clear row and column `empty`, as a B-spline without data leaves them.
    for (int c = 1; c <= n; ++c) {
        for (int r = 1; r <= k; ++r) {
            if (c == empty || c + r - 1 == empty) q[(r - 1) + (c - 1) * k] = 0.0f;
        }
    }
    std::vector<float> b = {1, -2, 3, 0.5f, 7, -1, 2, 4, -3};
    // The dense reference drops the empty unknown.
    std::vector<double> reduced;
    std::vector<double> rb;
    for (int r = 1; r <= n; ++r) {
        if (r == empty) continue;
        rb.push_back(b[r - 1]);
        for (int c = 1; c <= n; ++c) {
            if (c != empty) reduced.push_back(a[(r - 1) * n + (c - 1)]);
        }
    }
    std::vector<double> z = ref::DenseSolve(reduced, rb);
    z.insert(z.begin() + (empty - 1), 0.0);
    BANDCHOL(q.data(), k, n);
    BANDSOLVE(q.data(), k, n, b.data());
    for (int i = 0; i < n; ++i) EXPECT_NEAR(b[i], z[i], 2e-6 * (1 + std::fabs(z[i])));
    EXPECT_EQ(b[empty - 1], 0.0f);
}

TEST(LeastSquaresKnots, TableForFourToThirteenAndOneHundredPoints) {
    struct Row {
        int ndata, ncoef;
        std::vector<int> interior;  // positions in the sorted data
    };
    std::vector<Row> rows = {{4, 4, {}},      {5, 5, {2}},         {6, 5, {3}},     {7, 5, {3}},
                             {8, 5, {4}},     {9, 6, {4, 6}},      {10, 6, {4, 7}}, {11, 6, {4, 7}},
                             {12, 6, {4, 8}}, {13, 7, {4, 8, 10}}, {100, 28, {}}};
    for (int p = 4; p <= 96; p += 4) rows.back().interior.push_back(p);
    std::mt19937 gen(1);
    for (const Row& row : rows) {
        // Abscissas x(i) = i*i - 20, handed over in random order.
        std::vector<float> sorted(row.ndata), f(row.ndata, 1.0f);
        for (int i = 1; i <= row.ndata; ++i) sorted[i - 1] = static_cast<float>(i * i - 20);
        std::vector<float> x = sorted;
        std::shuffle(x.begin(), x.end(), gen);
        LibraryCapture cap;
        Fit fit = runS8LEZ(x, f, 4, {0.0f});
        ASSERT_EQ(fit.ncoef, row.ncoef) << "NDATA = " << row.ndata;
        std::vector<float> expected(4, sorted.front());
        for (int p : row.interior) expected.push_back(sorted[p - 1]);
        expected.insert(expected.end(), 4, enlarged(sorted.back()));
        EXPECT_EQ(fit.knots, expected) << "NDATA = " << row.ndata;
        EXPECT_EQ(cap.text(), "");
    }
}

TEST(LeastSquaresKnots, RightEndLiesBeyondTheLargestAbscissaForAnySign) {
    const float eps = std::ldexp(1.0f, -23);
    struct Case {
        float xmax, xr;
    } cases[] = {{0.0f, static_cast<float>(100.0 * eps)},
                 {-2.0f, static_cast<float>(-2.0 * (1.0 - 100.0 * eps))},
                 {6.0f, 6.0000715f}};
    for (const Case& c : cases) {
        std::vector<float> x = {c.xmax - 3, c.xmax - 2, c.xmax - 1, c.xmax};
        Fit fit = runS8LEZ(x, {1, 2, 3, 4}, 4, {c.xmax});
        EXPECT_EQ(fit.knots.back(), c.xr) << "largest abscissa " << c.xmax;
        EXPECT_GT(fit.knots.back(), c.xmax);
    }
}

TEST(LeastSquaresFit, WorkedExampleOfSixPoints) {
    std::vector<float> x = {1, 2, 3, 4, 5, 6}, f = {1, 3, 2, 5, 4, 6};
    Fit fit = runS8LEZ(x, f, 4, {1.0f, 2.0f, 3.5f, 6.0f});
    ASSERT_EQ(fit.ncoef, 5);
    const float xr = 6.0000715f;
    EXPECT_EQ(fit.knots, (std::vector<float>{1, 1, 1, 1, 3, xr, xr, xr, xr}));
    const double coef[] = {1.045788, 2.939357, 2.422968, 4.913380, 5.816914};
    // The normal equations are solved in single precision: a few units in the last place.
    for (int i = 0; i < 5; ++i) {
        EXPECT_NEAR(fit.coef[i], coef[i], 2e-6 * coef[i]) << "coefficient " << i + 1;
    }
    const double value[] = {1.045788, 2.633700, 3.295673, 5.816850};
    for (int i = 0; i < 4; ++i) {
        EXPECT_NEAR(fit.value[i], value[i], 1e-6 * value[i]) << "value " << i + 1;
    }
}

// The polynomial through the points (Lagrange form), in double precision.
double lagrange(const std::vector<float>& x, const std::vector<float>& f, double at) {
    double s = 0;
    for (std::size_t i = 0; i < x.size(); ++i) {
        double l = f[i];
        for (std::size_t j = 0; j < x.size(); ++j) {
            if (j != i) l *= (at - x[j]) / (static_cast<double>(x[i]) - x[j]);
        }
        s += l;
    }
    return s;
}

TEST(LeastSquaresFit, FewPointsAreInterpolatedAndCubicsReproduced) {
    // Four points: the one cubic through them, also between and beyond the points.
    std::vector<float> x4 = {2.5f, -1.0f, 0.0f, 4.0f}, f4 = {3.0f, -2.0f, 1.0f, 0.5f};
    std::vector<float> at = {-1.5f, -1.0f, -0.3f, 0.0f, 1.7f, 2.5f, 3.9f, 4.0f, 4.5f};
    Fit fit4 = runS8LEZ(x4, f4, 4, at);
    for (std::size_t i = 0; i < at.size(); ++i) {
        EXPECT_NEAR(fit4.value[i], lagrange(x4, f4, at[i]), 4e-6 * 20) << "x = " << at[i];
    }
    // Five points: NCOEF = 5 with the knot at the second smallest abscissa; passes through all.
    std::vector<float> x5 = {3.0f, 0.0f, 1.0f, 7.0f, 4.5f}, f5 = {1.0f, -1.0f, 2.0f, 0.0f, 5.0f};
    Fit fit5 = runS8LEZ(x5, f5, 4, x5);
    EXPECT_EQ(fit5.knots[4], 1.0f);
    for (std::size_t i = 0; i < x5.size(); ++i) EXPECT_NEAR(fit5.value[i], f5[i], 5e-6);
    // Twenty points of a cubic: reproduced at and between the data, with its derivatives.
    auto p = [](double v) { return 0.5 + v * (-1.0 + v * (0.25 + v * 0.125)); };
    std::vector<float> x, f;
    for (int i = 0; i < 20; ++i) {
        x.push_back(-3.0f + 0.37f * static_cast<float>((i * 7) % 20));
        f.push_back(static_cast<float>(p(x.back())));
    }
    std::vector<float> grid;
    for (int i = 0; i <= 40; ++i) grid.push_back(-3.0f + 0.175f * static_cast<float>(i));
    Fit cubic = runS8LEZ(x, f, 4, grid);
    Fit slope = runS8LEZ(x, f, 4, grid, 1);
    for (std::size_t i = 0; i < grid.size(); ++i) {
        double g = grid[i];
        EXPECT_NEAR(cubic.value[i], p(g), 1e-5) << "x = " << g;
        EXPECT_NEAR(slope.value[i], -1.0 + g * (0.5 + g * 0.375), 5e-5) << "x = " << g;
    }
}

TEST(LeastSquaresFit, DerivativesOfACubicAtTwo) {
    std::vector<float> x, f;
    for (int i = 0; i < 9; ++i) {
        x.push_back(-1.0f + 0.5f * static_cast<float>(i));
        f.push_back(x.back() * x.back() * x.back() - 2 * x.back());
    }
    const double expected[] = {4.0, 10.0, 12.0, 6.0, 0.0, 0.0};
    for (int ider = 0; ider <= 5; ++ider) {
        Fit fit = runS8LEZ(x, f, 4, {2.0f}, ider);
        EXPECT_NEAR(fit.value[0], expected[ider], 2e-4) << "IDER = " << ider;
    }
}

TEST(LeastSquaresFit, UnsortedDataGiveExactlyTheFitOfSortedData) {
    std::mt19937 gen(21);
    std::vector<float> x, f;
    randomData(gen, 37, -4.0f, 0.35f, x, f);
    std::vector<int> order(x.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](int a, int b) { return x[a] < x[b]; });
    std::vector<float> xs, fs;
    for (int i : order) {
        xs.push_back(x[i]);
        fs.push_back(f[i]);
    }
    std::vector<float> at = {8.5f, -4.0f, 0.1f, 3.3f};
    Fit shuffled = runS8LEZ(x, f, 4, at);
    Fit sorted = runS8LEZ(xs, fs, 4, at);
    EXPECT_EQ(shuffled.coef, sorted.coef);
    EXPECT_EQ(shuffled.value, sorted.value);
}

TEST(LeastSquaresFit, AgreesWithAnIndependentDoublePrecisionFit) {
    std::mt19937 gen(2024);
    for (int k = 2; k <= 4; ++k) {
        for (int nd = 4; nd <= 100; ++nd) {
            std::vector<float> x, f;
            randomData(gen, nd, -5.0f, 25.0f / static_cast<float>(nd), x, f);
            std::vector<float> sorted = x;
            std::sort(sorted.begin(), sorted.end());
            // The knots by their rule, built here from the sorted abscissas.
            std::vector<double> t(k, sorted.front());
            const int m = nd / 4, r = nd % 4;
            for (int j = 1; j < m; ++j) t.push_back(sorted[4 * j - 1]);
            if (r == 1) t.push_back(sorted[4 * m - 3]);
            if (r == 2 || r == 3) t.push_back(sorted[4 * m - 2]);
            t.insert(t.end(), k, enlarged(sorted.back()));
            std::vector<double> coef =
                ref::LeastSquares(t, k, widen(x), widen(f), std::vector<double>(nd, 1.0));

            std::vector<float> at = sorted;
            for (int i = 0; i + 1 < nd; ++i) at.push_back(0.5f * (sorted[i] + sorted[i + 1]));
            Fit fit = runS8LEZ(x, f, k, at);
            ASSERT_EQ(fit.ncoef, static_cast<int>(coef.size()));
            const float range =
                *std::max_element(f.begin(), f.end()) - *std::min_element(f.begin(), f.end());
            for (std::size_t i = 0; i < at.size(); ++i) {
                ASSERT_NEAR(fit.value[i], ref::SplineValue(t, k, coef, at[i]), 1e-5 * range)
                    << "K = " << k << ", NDATA = " << nd << ", x = " << at[i];
            }
        }
    }
}

TEST(LeastSquaresFit, PointsOnAStackedClosingKnotStayFinite) {
    // Order 2, knots 0 0 1 1 2: the basic interval [0, 1] closes on a double knot, and the third
    // B-spline has no data there. The line through the data is fitted exactly.
    const std::vector<float> t = {0, 0, 1, 1, 2};
    const std::vector<float> x = {0.0f, 0.25f, 0.5f, 1.0f};
    std::vector<float> f;
    for (float v : x) f.push_back(2.0f + 3.0f * v);
    std::vector<float> w(4, 1.0f), coef(3, -9.0f), wk((3 + 3) * 2), xs(4), fs(4), ws(4);
    std::vector<int> iwk(4);
    LibraryCapture cap;
    B2LSQ(4, x.data(), f.data(), w.data(), 2, t.data(), 3, coef.data(), wk.data(), xs.data(),
          fs.data(), ws.data(), iwk.data());
    EXPECT_EQ(cap.text(), "");
    EXPECT_NEAR(coef[0], 2.0f, 1e-6);
    EXPECT_NEAR(coef[1], 5.0f, 1e-6);
    EXPECT_EQ(coef[2], 0.0f);
}

TEST(LeastSquaresMessages, ChecksOfTheFitInTheirOrder) {
    const std::vector<float> x = {1, 2, 3, 4, 5, 6}, f = {1, 3, 2, 5, 4, 6};
    const std::vector<float> good = {1, 1, 1, 1, 3, 7, 7, 7, 7};
    std::vector<float> coef(9), wk(40), xs(6), fs(6), ws(6);
    std::vector<int> iwk(6);
    auto b2lsq = [&](int nd, std::vector<float> w, int korder, std::vector<float> t, int ncoef) {
        return capture([&] {
            B2LSQ(nd, x.data(), f.data(), w.data(), korder, t.data(), ncoef, coef.data(), wk.data(),
                  xs.data(), fs.data(), ws.data(), iwk.data());
        });
    };
    const std::vector<float> ones(6, 1.0f);
    struct Case {
        Outcome got;
        std::string expected;
    } cases[] = {
        // The first failure stops the checks: NDATA < NCOEF is not reported as well.
        {b2lsq(4, ones, 0, good, 5),
         "TERMINAL ERROR 1 from B2LSQ.  The order of the spline must be at least 1 while KORDER "
         "= 0 is given."},
        {b2lsq(6, ones, 4, good, 3),
         "TERMINAL ERROR 2 from B2LSQ.  The number of coefficients must be at least as large as "
         "the order of the spline while NCOEF = 3 and KORDER = 4 are given."},
        {b2lsq(4, ones, 4, good, 5),
         "TERMINAL ERROR 3 from B2LSQ.  The number of coefficients must be less than or equal to "
         "the number of data points while NCOEF = 5 and NDATA = 4 are given."},
        {b2lsq(6, ones, 4, {1, 1, 1, 1, 1, 7, 7, 7, 7}, 5),
         "FATAL    ERROR 5 from B2LSQ.  The knots XKNOT(1) through XKNOT(5) are all equal to "
         "1.000000E+00.  The multiplicity of the knots must not exceed KORDER = 4."},
        {b2lsq(6, ones, 4, {1, 1, 1, 1, 3, 2, 7, 7, 7}, 5),
         "FATAL    ERROR 6 from B2LSQ.  The knot XKNOT(5) = 3.000000E+00 and XKNOT(6) = "
         "2.000000E+00.  The knots must be nondecreasing."},
        {b2lsq(6, {1, 1, 0, -1.5f, 1, 1}, 4, good, 5),
         "FATAL    ERROR 7 from B2LSQ.  All elements of the argument WEIGHT must be greater than "
         "zero, but WEIGHT(3) = .000000E+00."},
        // The range checks are B4LSQ's; the report names the routine the user called.
        {b2lsq(6, ones, 4, {2, 2, 2, 2, 3, 7, 7, 7, 7}, 5),
         "FATAL    ERROR 8 from B2LSQ.  The smallest element in XDATA must be greater than or "
         "equal to XKNOT(KORDER) while the smallest element in XDATA = 1.000000E+00 and "
         "XKNOT(KORDER) = 2.000000E+00."},
        {b2lsq(6, ones, 4, {1, 1, 1, 1, 3, 5.5f, 5.5f, 5.5f, 5.5f}, 5),
         "FATAL    ERROR 9 from B2LSQ.  The largest element in XDATA must be less than or equal "
         "to XKNOT(NCOEF+1) while the largest element in XDATA = 6.000000E+00 and "
         "XKNOT(NCOEF+1) = 5.500000E+00."},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.got.reports, Texts{c.expected});
        EXPECT_TRUE(c.got.stopped);
    }
    // Called directly, B4LSQ names itself.
    Outcome direct = capture([&] {
        std::vector<float> t = {2, 2, 2, 2, 3, 7, 7, 7, 7};
        B4LSQ(6, x.data(), f.data(), ones.data(), 4, t.data(), 5, coef.data(), wk.data(),
              wk.data() + 20);
    });
    ASSERT_EQ(direct.reports.size(), 1u);
    EXPECT_EQ(direct.reports[0].substr(0, 30), "FATAL    ERROR 8 from B4LSQ.  ");
}

}  // namespace

TEST(KnotChecks, KnotsThatAreNotFiniteAreRefusedByEveryRoutine) {
    // A NaN passes every comparison of an ordering scan; each routine that takes knots names the
    // first one that is not finite and computes nothing.
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const std::vector<float> x = {0, 1, 2, 3, 4, 5, 6, 7}, f = {1, 3, 2, 5, 4, 6, 5, 7};
    const std::vector<float> w(8, 1.0f), xvec = {0.5f, 1.5f};
    const int k = 4, ncoef = 5;
    // Knots of a fit with five coefficients, and of the interpolation of all eight points.
    auto fitKnots = [](float bad, int at) {
        std::vector<float> t = {0, 0, 0, 0, 3, 8, 8, 8, 8};
        t[at - 1] = bad;
        return t;
    };
    auto interpolationKnots = [](float bad, int at) {
        std::vector<float> t = {0, 0, 0, 0, 2, 3, 4, 5, 8, 8, 8, 8};
        t[at - 1] = bad;
        return t;
    };
    std::vector<float> out(8, -5.0f), wk(1000), xs(8), fs(8), ws(8), pp(8), brk(3), wkh(2);
    std::vector<int> iwk(8);
    float ssq = -5.0f;
    struct Call {
        const char* prefix;  // the report up to the knot array's name
        const char* name;
        std::function<void(float, int)> run;
    } calls[] = {
        {"FATAL    ERROR 6 from B2LSQ.", "XKNOT",
         [&](float bad, int at) {
             const std::vector<float> t = fitKnots(bad, at);
             B2LSQ(8, x.data(), f.data(), w.data(), k, t.data(), ncoef, out.data(), wk.data(),
                   xs.data(), fs.data(), ws.data(), iwk.data());
         }},
        {"FATAL    ERROR 5 from B2INT.", "XKNOT",
         [&](float bad, int at) {
             const std::vector<float> t = interpolationKnots(bad, at);
             B2INT(8, x.data(), f.data(), k, t.data(), out.data(), wk.data(), xs.data(), fs.data(),
                   iwk.data());
         }},
        {"FATAL    ERROR 10 from B2VLS.", "XGUESS",
         [&](float bad, int at) {
             const std::vector<float> t = fitKnots(bad, at);
             std::vector<float> knots(t.size());
             B2VLS(8, x.data(), f.data(), w.data(), k, ncoef, t.data(), knots.data(), out.data(),
                   ssq, wk.data(), iwk.data());
         }},
        {"FATAL    ERROR 5 from B21GD.", "XKNOT",
         [&](float bad, int at) {
             const std::vector<float> t = fitKnots(bad, at);
             B21GD(0, 2, xvec.data(), k, t.data(), ncoef, f.data(), out.data(), pp.data(),
                   brk.data(), iwk.data(), wkh.data(), wkh.data(), wk.data());
         }},
    };
    struct Bad {
        float value;
        int at;
        const char* shown;
    } bads[] = {{nan, 5, "(5) = NaN."}, {inf, 9, "(9) = INF."}, {-inf, 1, "(1) = -INF."}};
    for (const Call& call : calls) {
        for (const Bad& bad : bads) {
            std::fill(out.begin(), out.end(), -5.0f);
            Outcome got = capture([&] { call.run(bad.value, bad.at); });
            const std::string name = call.name;
            EXPECT_EQ(got.reports, Texts{std::string(call.prefix) + "  Points in the knot array, " +
                                         name + ", must be finite, but " + name + bad.shown});
            EXPECT_TRUE(got.stopped);
            EXPECT_EQ(out, std::vector<float>(8, -5.0f)) << call.prefix;
        }
    }
}
