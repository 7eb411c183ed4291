// Least squares with optimised knots: never worse than the starting knots,
// much better where a knot belongs elsewhere, the same in units scaled by a
// power of two, polynomials of degree below the order reproduced, and the
// messages of the fit and of the knot search.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "bspline_reference.h"
#include "capture.h"
#include "fitlib.h"
#include "report_text.h"

namespace {

using Texts = std::vector<std::string>;

// The starting knots of the optimised-knot method, written out from its rule.
std::vector<double> startKnots(const std::vector<float>& x, int k) {
    const int n = int(x.size());
    std::vector<double> interior;
    if (n > 8) {
        const int d = n / 8, r = n % 8;
        for (int j = 1; j <= d - 1; ++j) interior.push_back(x[8 * j - 1]);
        if (r >= 1 && r <= 3) interior.push_back(x[8 * d - 5]);
        if (r == 4 || r == 5) interior.push_back(x[8 * d - 2]);
        if (r == 6 || r == 7) interior.push_back(x[8 * d - 1]);
    } else {
        interior.push_back(x[std::max(2, n / 2) - 1]);
    }
    const double xr = float(double(x.back()) * (1.0 + 100.0 * std::ldexp(1.0, -23)));
    std::vector<double> t(k, x.front());
    t.insert(t.end(), interior.begin(), interior.end());
    t.insert(t.end(), k, xr);
    return t;
}

double squares(const std::vector<float>& f, const std::vector<float>& v) {
    double s = 0.0;
    for (std::size_t i = 0; i < f.size(); ++i) s += std::pow(double(v[i]) - f[i], 2);
    return s;
}

std::vector<float> splez(const std::vector<float>& x, const std::vector<float>& f, int itype,
                         const std::vector<float>& xvec) {
    std::vector<float> value(xvec.size());
    SPLEZ(int(x.size()), x.data(), f.data(), itype, 0, int(xvec.size()), xvec.data(), value.data());
    return value;
}

TEST(OptimisedKnots, NeverWorseThanTheStartingKnotsAndBetterWhereAKnotBelongsElsewhere) {
    struct Case {
        int n;
        double (*g)(double);
    };
    const Case cases[] = {
        {40, [](double x) { return std::fabs(x - 0.37); }},
        {23, [](double x) { return std::tanh(12.0 * (x - 0.61)); }},
        {7, [](double x) { return std::sqrt(x + 0.01); }},
        {3, [](double x) { return x * x; }},
        {100, [](double x) { return std::sin(9.0 * x) + 0.02 * std::cos(97.0 * x); }},
    };
    for (const Case& c : cases) {
        std::vector<float> x, f;
        for (int i = 0; i < c.n; ++i) {
            x.push_back(float(i) / float(c.n - 1));
            f.push_back(float(c.g(x.back())));
        }
        for (int itype = 13; itype <= 15; ++itype) {
            const int k = itype - 11;
            if (c.n < itype - 10) continue;
            const std::vector<double> t = startKnots(x, k);
            const std::vector<double> xd(x.begin(), x.end()), fd(f.begin(), f.end());
            const std::vector<double> coef =
                ref::LeastSquares(t, k, xd, fd, std::vector<double>(c.n, 1.0));
            double guess = 0.0;
            for (int i = 0; i < c.n; ++i)
                guess += std::pow(ref::SplineValue(t, k, coef, xd[i]) - fd[i], 2);
            SCOPED_TRACE("n=" + std::to_string(c.n) + " ITYPE " + std::to_string(itype));
            LibraryCapture cap;
            const std::vector<float> plain = splez(x, f, itype, x);
            const double fitted = squares(f, plain);
            EXPECT_EQ(cap.text(), "");
            EXPECT_LE(fitted, guess * (1 + 1e-4) + 1e-10);
            if (c.n == 40 && itype == 13) {
                EXPECT_LT(fitted, 1e-3 * guess);
            }
            if (c.n == 23) {
                EXPECT_LT(fitted, 0.5 * guess);
            }
            // In units scaled by a power of two every step of the knot search is the same, so
            // the values are the same to the last bit.
            for (const auto& [xExponent, yExponent] :
                 {std::pair{0, -100}, std::pair{0, 100}, std::pair{-20, 0}, std::pair{20, 0}}) {
                std::vector<float> xs = x, fs = f;
                for (float& v : xs) v = std::ldexp(v, xExponent);
                for (float& v : fs) v = std::ldexp(v, yExponent);
                const std::vector<float> scaled = splez(xs, fs, itype, xs);
                for (int i = 0; i < c.n; ++i)
                    EXPECT_EQ(scaled[i], std::ldexp(plain[i], yExponent))
                        << i << ", X in 2^" << xExponent << ", Y in 2^" << yExponent;
            }
        }
    }
}

TEST(OptimisedKnots, PolynomialsBelowTheOrderAreReproducedInAnyOrder) {
    const std::vector<float> x = {0.9f, 0.1f, 0.5f, 0.0f, 0.7f, 0.3f, 1.0f, 0.2f, 0.8f, 0.4f, 0.6f};
    const std::vector<float> grid = {0.05f, 0.33f, 0.5f, 0.61f, 0.97f};
    for (int itype = 13; itype <= 15; ++itype) {
        const int k = itype - 11;
        auto p = [k](double v) {
            return 1.0 - 2.0 * v + (k >= 3 ? 3.0 * v * v : 0.0) + (k >= 4 ? -1.5 * v * v * v : 0.0);
        };
        std::vector<float> f;
        for (float v : x) f.push_back(float(p(v)));
        LibraryCapture cap;
        const std::vector<float> v = splez(x, f, itype, grid);
        for (std::size_t i = 0; i < grid.size(); ++i)
            EXPECT_NEAR(v[i], p(grid[i]), 4e-6) << "ITYPE " << itype << " x=" << grid[i];
    }
}

TEST(OptimisedKnots, FitMessages) {
    const std::vector<float> x = {0, 1, 2, 3, 4}, f = {0, 1, 0, 1, 0}, w(5, 1.0f);
    struct Case {
        int k, ncoef;
        std::vector<float> guess;
        std::string report;
    };
    const Case cases[] = {
        {0,
         3,
         {0, 0, 2, 5, 5},
         "TERMINAL ERROR 16 from B2VLS.  The order of the spline must be at least 1 while "
         "KORDER = 0 is given."},
        {2,
         2,
         {0, 0, 5, 5},
         "TERMINAL ERROR 17 from B2VLS.  The number of coefficients must be larger than the order "
         "of the spline while NCOEF = 2 and KORDER = 2 are given."},
        {2,
         6,
         {0, 0, 1, 2, 3, 4, 5, 5},
         "TERMINAL ERROR 18 from B2VLS.  The number of coefficients must be at less than or equal "
         "to the number of data points while NCOEF = 6 and NDATA = 5 are given."},
        {2,
         4,
         {0, 0, 0, 2, 5, 5},
         "FATAL    ERROR 9 from B2VLS.  The knots XGUESS(1) through XGUESS(3) are all equal to "
         ".000000E+00.  The multiplicity of the knots must not exceed KORDER = 2."},
        {2,
         4,
         {0, 0, 3, 2, 5, 5},
         "FATAL    ERROR 10 from B2VLS.  The knot XGUESS(3) = 3.000000E+00 and XGUESS(4) = "
         "2.000000E+00.  The knots must be nondecreasing."},
    };
    for (const Case& c : cases) {
        std::vector<float> knots(c.guess.size()), coef(8), wk(200);
        std::vector<int> iwk(5);
        float ssq = -1.0f;
        LibraryCapture cap;
        EXPECT_THROW(B2VLS(5, x.data(), f.data(), w.data(), c.k, c.ncoef, c.guess.data(),
                           knots.data(), coef.data(), ssq, wk.data(), iwk.data()),
                     StopCalled);
        EXPECT_EQ(ReportTexts(cap.lines()), Texts{c.report});
    }
}

TEST(OptimisedKnots, StackedKnotsAreSeparatedOrReported) {
    {
        // Three equal interior knots for order 2: one of them is moved off.
        std::vector<float> xs, fs, ws(10, 1.0f);
        for (int i = 0; i < 10; ++i) {
            xs.push_back(float(i) / 9.0f);
            fs.push_back(xs.back() > 0.5f ? 1.0f : 0.0f);
        }
        std::vector<float> t = {0, 0, 0.5f, 0.5f, 0.5f, 1.0001f, 1.0001f};
        LibraryCapture cap;
        B3VLS(10, xs.data(), fs.data(), ws.data(), 2, 5, t.data());
        EXPECT_EQ(ReportTexts(cap.lines()),
                  Texts{"WARNING  ERROR 12 from B3VLS.  THE KNOTS FOUND TO BE OPTIMAL ARE STACKED "
                        "MORE THAN KORDER.  THIS INDICATES FEWER KNOTS WILL PRODUCE THE SAME "
                        "ERROR SUM OF SQUARES.  THE KNOTS HAVE BEEN SEPARATED SLIGHTLY."});
        for (std::size_t i = 2; i < t.size(); ++i) EXPECT_GE(t[i], t[i - 1]);
        EXPECT_LT(t[3], t[4]);
    }
    {
        // No room between the stacked knots and the next one.
        const float one = 1.0f, next = std::nextafter(1.0f, 2.0f);
        std::vector<float> xs = {one, one, next}, fs = {0, 1, 2}, ws(3, 1.0f);
        std::vector<float> t = {one, one, one, next, next};
        LibraryCapture cap;
        EXPECT_THROW(B3VLS(3, xs.data(), fs.data(), ws.data(), 2, 3, t.data()), StopCalled);
        EXPECT_EQ(ReportTexts(cap.lines()),
                  Texts{"FATAL    ERROR 8 from B3VLS.  THE KNOTS FOUND TO BE OPTIMAL ARE STACKED "
                        "MORE THAN KORDER.  THIS INDICATES FEWER KNOTS WILL PRODUCE THE SAME "
                        "ERROR SUM OF SQUARES."});
    }
}

}  // namespace
