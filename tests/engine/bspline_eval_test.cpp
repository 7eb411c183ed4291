// Evaluation of B-splines on a grid through the piecewise-polynomial form: values and
// derivatives, the pieces of the conversion, and the messages of the evaluation routines.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "bspline_reference.h"
#include "capture.h"
#include "fitlib.h"
#include "report_text.h"

namespace {

using Texts = std::vector<std::string>;

// B21GD into `value` (at least one entry), with scratch of exactly the documented sizes.
void evaluateInto(std::vector<float>& value, int ider, const std::vector<float>& x, int k,
                  const std::vector<float>& t, const std::vector<float>& coef) {
    const int n = static_cast<int>(x.size());
    const int ncoef = static_cast<int>(coef.size());
    const int pieces = std::max(ncoef - k + 1, 1);
    const std::size_t nn = std::max(n, 1);
    std::vector<float> pp(static_cast<std::size_t>(std::max(k, 1)) * pieces), brk(pieces + 1),
        h(nn), c(nn), conv(3 * std::max(k, 1) + k * k);
    std::vector<int> idx(nn);
    B21GD(ider, n, x.data(), k, t.data(), ncoef, coef.data(), value.data(), pp.data(), brk.data(),
          idx.data(), h.data(), c.data(), conv.data());
}

std::vector<float> evaluate(int ider, const std::vector<float>& x, int k,
                            const std::vector<float>& t, const std::vector<float>& coef) {
    std::vector<float> value(std::max<std::size_t>(x.size(), 1));
    evaluateInto(value, ider, x, k, t, coef);
    return value;
}

TEST(BsplineEvaluation, ValuesAndDerivativesAgreeWithTheDefinition) {
    std::mt19937 gen(17);
    std::uniform_real_distribution<float> uc(-2.0f, 3.0f), ux(-1.0f, 4.0f);
    for (int k = 1; k <= 5; ++k) {
        // Interior knots 0.7, 1.5 (double from order 2 on), 2.2, 3.1 between k-fold ends -1, 4.
        std::vector<float> t(k, -1.0f);
        for (float v : {0.7f, 1.5f, 1.5f, 2.2f, 3.1f}) {
            if (v != 1.5f || std::count(t.begin(), t.end(), v) < std::min(k, 2)) t.push_back(v);
        }
        const int ncoef = static_cast<int>(t.size());
        t.insert(t.end(), k, 4.0f);
        std::vector<float> coef(ncoef);
        for (float& c : coef) c = uc(gen);
        std::vector<float> x(60);
        for (float& v : x) v = ux(gen);
        x.push_back(4.0f);  // the closing end of the basic interval
        std::sort(x.begin(), x.end());
        x.erase(std::unique(x.begin(), x.end()), x.end());
        std::vector<double> td(t.begin(), t.end()), cd(coef.begin(), coef.end());
        for (int ider = 0; ider <= k + 1; ++ider) {
            LibraryCapture cap;
            std::vector<float> value = evaluate(ider, x, k, t, coef);
            EXPECT_EQ(cap.text(), "");
            for (std::size_t i = 0; i < x.size(); ++i) {
                double expected = ider < k ? ref::SplineValue(td, k, cd, x[i], ider) : 0.0;
                EXPECT_NEAR(value[i], expected, 2e-5 * (1 + std::fabs(expected)))
                    << "k = " << k << ", IDERIV = " << ider << ", x = " << x[i];
            }
        }
    }
}

TEST(BsplineEvaluation, EndsExtrapolateAndABreakpointTakesThePieceToItsRight) {
    // The hat function of order 2 on 0 0 1 2 2: slope 1 on [0, 1), slope -1 on [1, 2].
    const std::vector<float> t = {0, 0, 1, 2, 2}, coef = {0, 1, 0};
    const std::vector<float> x = {-1.0f, 0.5f, 1.0f, 2.0f, 3.0f};
    EXPECT_EQ(evaluate(0, x, 2, t, coef), (std::vector<float>{-1, 0.5f, 1, 0, -1}));
    EXPECT_EQ(evaluate(1, x, 2, t, coef), (std::vector<float>{1, 1, -1, -1, -1}));
}

TEST(BsplineConversion, ZeroLengthKnotIntervalsMakeNoPiece) {
    struct Case {
        int k;
        std::vector<float> t;
        int ncoef;
        std::vector<float> brk;
    } cases[] = {
        // A double interior knot: three knot intervals, two pieces.
        {3, {0, 0, 0, 1, 1, 2, 2, 2}, 5, {0, 1, 2}},
        // The worker's knots for four points: one piece from the smallest abscissa to the
        // enlarged right end.
        {4, {1, 1, 1, 1, 6.0000715f, 6.0000715f, 6.0000715f, 6.0000715f}, 4, {1, 6.0000715f}},
    };
    for (const Case& c : cases) {
        LibraryCapture cap;
        std::vector<float> coef(c.ncoef, 1.0f), brk(c.ncoef - c.k + 2, -7.0f),
            pp(c.k * (c.ncoef - c.k + 1)), wk(3 * c.k + c.k * c.k);
        int nintv = -1;
        B2CPP(c.k, c.t.data(), c.ncoef, coef.data(), nintv, brk.data(), pp.data(), wk.data());
        EXPECT_EQ(nintv, static_cast<int>(c.brk.size()) - 1);
        brk.resize(c.brk.size());
        EXPECT_EQ(brk, c.brk);
        // All coefficients 1: the constant 1, so each piece is (1, 0, 0, ...).
        for (int l = 0; l < nintv; ++l) {
            for (int j = 0; j < c.k; ++j) EXPECT_NEAR(pp[j + l * c.k], j == 0 ? 1.0f : 0.0f, 1e-6);
        }
        EXPECT_EQ(cap.text(), "");
    }
}

TEST(BsplineMessages, ArgumentChecksOfTheGridEvaluation) {
    const std::vector<float> t = {0, 0, 1, 2, 2}, coef = {0, 1, 0};
    // Every check runs: four TERMINAL reports in the order of the checks, then the stop.
    Outcome all = capture([&] {
        std::vector<float> v(4), x(1), pp(4), brk(4), h(4), c(4), conv(4);
        std::vector<int> idx(4);
        B21GD(-1, 0, x.data(), 0, t.data(), -1, coef.data(), v.data(), pp.data(), brk.data(),
              idx.data(), h.data(), c.data(), conv.data());
    });
    EXPECT_EQ(all.reports,
              (Texts{"TERMINAL ERROR 2 from B21GD.  The length of XVEC must be at least one while "
                     "N = 0 is given.",
                     "TERMINAL ERROR 4 from B21GD.  The order of the derivative must be at least "
                     "zero, while IDERIV = -1 is given.",
                     "TERMINAL ERROR 1 from B21GD.  The order of the spline must be at least 1 "
                     "while KORDER = 0 is given.",
                     "TERMINAL ERROR 3 from B21GD.  The number of coefficients must be greater "
                     "than or equal to the order while NCOEF = -1 and KORDER = 0 are given."}));
    EXPECT_TRUE(all.stopped);
    // Non-increasing abscissas: one FATAL raise per pair; the report shows the last one.
    Outcome pair = capture([&] { evaluate(0, {1, 1}, 2, t, coef); });
    EXPECT_EQ(pair.reports,
              (Texts{"FATAL    ERROR 5 from B21GD.  The X data values must be strictly increasing, "
                     "but XVEC(1) = 1.000000E+00 and XVEC(2) = 1.000000E+00."}));
    Outcome twice = capture([&] { evaluate(0, {3, 2, 1}, 2, t, coef); });
    EXPECT_EQ(twice.reports,
              (Texts{"FATAL    ERROR 5 from B21GD.  The X data values must be strictly increasing, "
                     "but XVEC(2) = 2.000000E+00 and XVEC(3) = 1.000000E+00."}));
    EXPECT_TRUE(twice.stopped);
}

TEST(BsplineMessages, ConversionAndKnotChecks) {
    std::vector<float> coef(5, 1.0f), brk(8), pp(40), wk(40);
    int nintv = 0;
    auto b2cpp = [&](int k, std::vector<float> t, int ncoef) {
        return capture([&] {
            B2CPP(k, t.data(), ncoef, coef.data(), nintv, brk.data(), pp.data(), wk.data());
        });
    };
    auto b3int = [&](int k, std::vector<float> t, int ndata) {
        return capture([&] { B3INT(k, t.data(), ndata); });
    };
    struct Case {
        Outcome got;
        std::string expected;
    } cases[] = {
        {b2cpp(0, {0, 1}, 1),
         "TERMINAL ERROR 1 from B2CPP.  The order of the spline must be at least 1 while KORDER "
         "= 0 is given."},
        {b2cpp(3, {0, 0, 0, 1, 1}, 2),
         "TERMINAL ERROR 3 from B2CPP.  The number of coefficients must be at least as large as "
         "the order of the spline while NCOEF = 2 and KORDER = 3 are given."},
        {b3int(0, {0, 1}, 1),
         "TERMINAL ERROR 1 from B3INT.  The order of the spline must be at least 1 while KORDER "
         "= 0 is given."},
        {b3int(3, {0, 0, 0, 1, 1}, 2),
         "TERMINAL ERROR 2 from B3INT.  The number of data points must be at least as large as "
         "the order of the spline while NDATA = 2 and KORDER = 3 are given."},
        {b3int(2, {0, 0, 1, 1, 1, 2}, 4),
         "FATAL    ERROR 4 from B3INT.  The knots XKNOT(3) through XKNOT(5) are all equal to "
         "1.000000E+00.  The multiplicity of the knots must not exceed KORDER = 2."},
        {b3int(2, {0, 0, 1.5f, 1, 2, 2}, 4),
         "FATAL    ERROR 5 from B3INT.  The knot XKNOT(3) = 1.500000E+00 and XKNOT(4) = "
         "1.000000E+00.  The knots must be nondecreasing."},
        // An empty basic interval leaves nothing to convert.
        {b3int(4, {0, 0, 0, 1, 1, 2, 2, 2}, 4),
         "FATAL    ERROR 6 from B3INT.  The knots XKNOT(4) and XKNOT(5) are both equal to "
         "1.000000E+00.  The spline must have at least one knot interval of positive length."},
        // Through B2CPP, the knot errors are named by the routine the user called.
        {b2cpp(2, {0, 0, 1, 1, 1, 2}, 4),
         "FATAL    ERROR 4 from B2CPP.  The knots XKNOT(3) through XKNOT(5) are all equal to "
         "1.000000E+00.  The multiplicity of the knots must not exceed KORDER = 2."},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.got.reports, Texts{c.expected});
        EXPECT_TRUE(c.got.stopped);
    }
}

TEST(BsplineMessages, KnotErrorLeavesTheGridValuesUntouched) {
    const std::vector<float> x = {0.5f, 1.5f};
    for (const std::vector<float>& t :
         {std::vector<float>{0, 0, 1, 1, 1, 2}, std::vector<float>{0, 0, 0, 1, 1, 2, 2, 2}}) {
        const int k = t.size() == 6 ? 2 : 4;
        std::vector<float> coef(static_cast<int>(t.size()) - k, 1.0f);
        std::vector<float> value(2, -123.0f);
        Outcome out = capture([&] { evaluateInto(value, 0, x, k, t, coef); });
        ASSERT_EQ(out.reports.size(), 1u);
        EXPECT_EQ(out.reports[0].substr(0, 30),
                  "FATAL    ERROR " + std::string(k == 2 ? "4" : "6") + " from B21GD.  ");
        EXPECT_TRUE(out.stopped);
        EXPECT_EQ(value, (std::vector<float>{-123.0f, -123.0f}));
    }
}

}  // namespace
