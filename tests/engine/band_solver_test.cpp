// The general band solver against a dense LU in double precision: solutions,
// factors and condition estimates, the ill-conditioning warning, the
// singular matrix and the argument messages.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "capture.h"
#include "dense_lu.h"
#include "fitlib.h"
#include "report_text.h"

namespace {

using ref::Dense;
using ref::DenseLU;

struct BandCase {
    int n, nl, nu;
    std::vector<float> band;  // (nl + nu + 1) x n, diagonal in row nu + 1
    Dense dense;
};

BandCase randomBand(int n, int nl, int nu, double diagBoost, unsigned seed) {
    std::mt19937 gen(seed);
    std::uniform_real_distribution<float> u(-1.0f, 1.0f);
    BandCase c{n, nl, nu, std::vector<float>((nl + nu + 1) * n, 0.0f),
               Dense(n, std::vector<double>(n, 0.0))};
    for (int j = 1; j <= n; ++j)
        for (int i = std::max(1, j - nu); i <= std::min(n, j + nl); ++i) {
            float v = u(gen);
            if (i == j) v += float(diagBoost) * (v >= 0 ? 1.0f : -1.0f);
            c.band[(nu + i - j) + (j - 1) * (nl + nu + 1)] = v;
            c.dense[i - 1][j - 1] = v;
        }
    return c;
}

Dense transpose(const Dense& a) {
    Dense t(a.size(), std::vector<double>(a.size()));
    for (std::size_t i = 0; i < a.size(); ++i)
        for (std::size_t j = 0; j < a.size(); ++j) t[j][i] = a[i][j];
    return t;
}

double maxAbs(const std::vector<double>& v) {
    double m = 0.0;
    for (double x : v) m = std::max(m, std::fabs(x));
    return m;
}

struct Work {
    std::vector<float> x, fact, wk;
    std::vector<int> ipvt;
    explicit Work(const BandCase& c)
        : x(c.n), fact((2 * c.nl + c.nu + 1) * c.n), wk(c.n), ipvt(c.n) {}
};

TEST(BandSolver, SolvesWellConditionedSystemsLikeADenseSolveBothWays) {
    const struct {
        int n, nl, nu;
    } shapes[] = {{1, 0, 0},  {2, 1, 0},  {2, 0, 1},  {5, 1, 1},  {9, 3, 1},
                  {17, 2, 4}, {40, 3, 3}, {64, 5, 5}, {33, 0, 3}, {33, 4, 0}};
    unsigned seed = 1;
    for (const auto& s : shapes) {
        for (int ipath = 1; ipath <= 2; ++ipath) {
            BandCase c = randomBand(s.n, s.nl, s.nu, 0.5, seed++);
            std::vector<float> b(s.n);
            std::vector<double> bd(s.n);
            for (int i = 0; i < s.n; ++i) bd[i] = b[i] = float(std::sin(1.0 + i));
            DenseLU ref(ipath == 1 ? c.dense : transpose(c.dense));
            std::vector<double> expected = ref.solve(bd);
            Work w(c);
            LibraryCapture cap;
            const int lda = s.nl + s.nu + 1;
            L2ARB(s.n, c.band.data(), lda, s.nl, s.nu, b.data(), ipath, w.x.data(), w.fact.data(),
                  w.ipvt.data(), w.wk.data());
            const double scale = maxAbs(expected);
            for (int i = 0; i < s.n; ++i)
                EXPECT_NEAR(w.x[i], expected[i], 4e-6 * scale)
                    << "n=" << s.n << " nl=" << s.nl << " nu=" << s.nu << " ipath=" << ipath
                    << " i=" << i;
            EXPECT_EQ(cap.text(), "");
        }
    }
}

TEST(BandSolver, FactorMatchesDenseLUAndConditionEstimateBracketsTheTrueValue) {
    const struct {
        int n, nl, nu;
        double boost;
    } shapes[] = {{6, 1, 1, 0.3}, {12, 2, 3, 0.1}, {25, 3, 2, 0.0}, {30, 1, 4, 0.2}};
    unsigned seed = 100;
    for (const auto& s : shapes) {
        BandCase c = randomBand(s.n, s.nl, s.nu, s.boost, seed++);
        DenseLU ref(c.dense);
        Work w(c);
        const int lda = s.nl + s.nu + 1, ldf = 2 * s.nl + s.nu + 1;
        float rcond = -1.0f;
        LibraryCapture cap;
        L2CRB(s.n, c.band.data(), lda, s.nl, s.nu, w.fact.data(), ldf, w.ipvt.data(), rcond,
              w.wk.data(), w.x.data());
        // U of the band factor is the U of the dense LU: same pivots, same rows.
        const int nup = s.nl + s.nu;
        for (int k = 1; k <= s.n; ++k)
            for (int j = k; j <= std::min(s.n, k + nup); ++j)
                EXPECT_NEAR(w.fact[(nup + k - j) + (j - 1) * ldf], ref.lu[k - 1][j - 1],
                            2e-5 * (1.0 + std::fabs(ref.lu[k - 1][j - 1])))
                    << "U(" << k << "," << j << ") n=" << s.n;
        // True 1-norm condition from the dense inverse.
        double anorm = 0.0, ainorm = 0.0;
        std::vector<std::vector<double>> inv(s.n);
        for (int j = 0; j < s.n; ++j) {
            double col = 0.0;
            for (int i = 0; i < s.n; ++i) col += std::fabs(c.dense[i][j]);
            anorm = std::max(anorm, col);
            std::vector<double> e(s.n, 0.0);
            e[j] = 1.0;
            inv[j] = ref.solve(e);
            double icol = 0.0;
            for (double v : inv[j]) icol += std::fabs(v);
            ainorm = std::max(ainorm, icol);
        }
        const double trueRcond = 1.0 / (anorm * ainorm);
        EXPECT_GE(rcond, 0.999 * trueRcond) << "n=" << s.n;
        EXPECT_LE(rcond, 10.0 * trueRcond) << "n=" << s.n;
    }
}

TEST(BandSolver, NearlySingularSystemWarnsAndStillReturnsTheSolution) {
    // Rows 1 and 2 almost equal: a tridiagonal matrix whose condition number
    // (about 2^24) is beyond single precision.
    const int n = 4, nl = 1, nu = 1, lda = 3;
    const double d = std::ldexp(1.0, -22);
    Dense a = {{1, 1, 0, 0}, {1, 1 + d, 0, 0}, {0, 0, 2, 1}, {0, 0, 1, 2}};
    std::vector<float> band(lda * n, 0.0f);
    for (int j = 1; j <= n; ++j)
        for (int i = std::max(1, j - nu); i <= std::min(n, j + nl); ++i)
            band[(nu + i - j) + (j - 1) * lda] = float(a[i - 1][j - 1]);
    ASSERT_NE(band[1 + lda], 1.0f);  // the perturbation survives in float
    std::vector<float> b = {1, 2, 3, 4}, x(n), fact(4 * n), wk(n);
    std::vector<int> ipvt(n);
    LibraryCapture cap;
    L2ARB(n, band.data(), lda, nl, nu, b.data(), 1, x.data(), fact.data(), ipvt.data(), wk.data());
    std::vector<std::string> reports = ReportTexts(cap.lines());
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].substr(0, 60),
              "WARNING  ERROR 1 from L2ARB.  The matrix is too ill-conditio");
    // The residual is small even though the solution itself is uncertain.
    for (int i = 0; i < n; ++i) {
        double r = -b[i];
        for (int j = 0; j < n; ++j) r += a[i][j] * x[j];
        EXPECT_NEAR(r, 0.0, 4e-7 * 2.0 * maxAbs({x.begin(), x.end()}));
    }
}

TEST(BandSolver, WarningNamesTheEstimatedReciprocalCondition) {
    // A diagonal matrix: the estimate is exact, RCOND = 2^-30.
    const int n = 3, nl = 1, nu = 1, lda = 3;
    std::vector<float> band(lda * n, 0.0f);
    band[1] = 1.0f;
    band[1 + lda] = std::ldexp(1.0f, -30);
    band[1 + 2 * lda] = 1.0f;
    std::vector<float> b = {1, 1, 1}, x(n), fact(4 * n), wk(n);
    std::vector<int> ipvt(n);
    LibraryCapture cap;
    L2ARB(n, band.data(), lda, nl, nu, b.data(), 1, x.data(), fact.data(), ipvt.data(), wk.data());
    EXPECT_EQ(ReportTexts(cap.lines()),
              std::vector<std::string>{
                  "WARNING  ERROR 1 from L2ARB.  The matrix is too ill-conditioned.  An estimate "
                  "of the reciprocal of its L1 condition number is RCOND = 9.313226E-10.  The "
                  "solution might not be accurate."});
    EXPECT_EQ(x[1], std::ldexp(1.0f, 30));
}

TEST(BandSolver, SingularMatrixIsFatal) {
    const int n = 3, nl = 1, nu = 1, lda = 3;
    // Column 2 is zero.
    std::vector<float> band = {0, 1, 2, 0, 0, 0, 3, 4, 0};
    std::vector<float> b = {1, 1, 1}, x(n), fact(4 * n), wk(n);
    std::vector<int> ipvt(n);
    LibraryCapture cap;
    EXPECT_THROW(L2ARB(n, band.data(), lda, nl, nu, b.data(), 1, x.data(), fact.data(), ipvt.data(),
                       wk.data()),
                 StopCalled);
    std::vector<std::string> reports = ReportTexts(cap.lines());
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].substr(0, 58),
              "FATAL    ERROR 2 from L2ARB.  The input matrix is singular");
}

TEST(BandSolver, ArgumentMessages) {
    const struct {
        int n, lda, nl, nu, ipath;
        const char* text;
    } cases[] = {
        {0, 3, 1, 1, 1,
         "TERMINAL ERROR 1 from L2ARB.  The number of equations must be positive while N = 0 is "
         "given."},
        {3, 3, 3, 1, 1,
         "TERMINAL ERROR 2 from L2ARB.  The number of lower codiagonals must be greater than or "
         "equal to zero and less than N while NLCA = 3 is given."},
        {3, 3, 1, -1, 1,
         "TERMINAL ERROR 3 from L2ARB.  The number of upper codiagonals must be greater than or "
         "equal to zero and less than N while NUCA = -1 is given."},
        {3, 2, 1, 1, 1,
         "TERMINAL ERROR 4 from L2ARB.  The number of rows of matrix A must be less than or "
         "equal to its leading dimension while NLCA + NUCA + 1 = 3 and LDA = 2 are given."},
        {3, 3, 1, 1, 3,
         "TERMINAL ERROR 5 from L2ARB.  IPATH must be either 1 or 2 while a value of 3 is "
         "given."},
    };
    std::vector<float> band(9, 1.0f), b(3, 1.0f), x(3), fact(12), wk(3);
    std::vector<int> ipvt(3);
    for (const auto& c : cases) {
        LibraryCapture cap;
        EXPECT_THROW(L2ARB(c.n, band.data(), c.lda, c.nl, c.nu, b.data(), c.ipath, x.data(),
                           fact.data(), ipvt.data(), wk.data()),
                     StopCalled);
        EXPECT_EQ(ReportTexts(cap.lines()), std::vector<std::string>{c.text});
    }
}

}  // namespace
