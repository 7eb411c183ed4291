// The one-call spline entry: argument checks and their reports, the workspace reports, the
// distinct-abscissa checks, the dispatch, and results in the caller's order.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "capture.h"
#include "fitlib.h"
#include "report_text.h"

namespace {

using Lines = std::vector<std::string>;
using Texts = std::vector<std::string>;

// Lets no work array larger than `bytes` be obtained while alive.
class WorkspaceLimitGuard {
public:
    explicit WorkspaceLimitGuard(long long bytes) : previous_(SetWorkspaceLimit(bytes)) {}
    ~WorkspaceLimitGuard() { SetWorkspaceLimit(previous_); }

private:
    long long previous_;
};

std::vector<float> ramp(int n, float start = 0.0f) {
    std::vector<float> v(n);
    for (int i = 0; i < n; ++i) v[i] = start + static_cast<float>(i);
    return v;
}

TEST(SplezChecks, TooFewPointsForTheBsplineFitAsTheEngineShowsIt) {
    std::vector<float> x = {1, 2, 3}, f = {1, 4, 9}, xvec = {1.5f}, value = {-5.0f};
    Outcome out =
        capture([&] { SPLEZ(3, x.data(), f.data(), 12, 0, 1, xvec.data(), value.data()); });
    EXPECT_TRUE(out.stopped);
    EXPECT_EQ(out.lines,
              (Lines{"",
                     " *** TERMINAL ERROR 7 from SPLEZ.  The number of data points "
                     "must be 4 or",
                     " ***          more, but NDATA = 3.", "Stop - Program terminated."}));
    EXPECT_EQ(value[0], -5.0f);
}

TEST(SplezChecks, EveryArgumentReportInItsOrder) {
    struct Case {
        int ndata, itype, ider, n;
        Texts expected;
    } cases[] = {
        {5,
         12,
         0,
         0,
         {"TERMINAL ERROR 1 from SPLEZ.  The length of XVEC must be at least 1 while "
          "N = 0 is given."}},
        {5,
         12,
         -1,
         1,
         {"TERMINAL ERROR 2 from SPLEZ.  The order of the derivative to be evaluated "
          "must be nonnegative, but IDER = -1."}},
        // Out of range: no count check runs.
        {0,
         0,
         0,
         1,
         {"TERMINAL ERROR 3 from SPLEZ.  The value of ITYPE must be in the range "
          "1,..,15, but ITYPE = 0."}},
        {0,
         16,
         0,
         0,
         {"TERMINAL ERROR 1 from SPLEZ.  The length of XVEC must be at least 1 while "
          "N = 0 is given.",
          "TERMINAL ERROR 3 from SPLEZ.  The value of ITYPE must be in the range "
          "1,..,15, but ITYPE = 16."}},
        {2,
         12,
         0,
         0,
         {"TERMINAL ERROR 1 from SPLEZ.  The length of XVEC must be at least 1 while "
          "N = 0 is given.",
          "TERMINAL ERROR 7 from SPLEZ.  The number of data points must be 4 or "
          "more, but NDATA = 2."}},
        {1,
         1,
         0,
         1,
         {"TERMINAL ERROR 4 from SPLEZ.  The number of data points must be 2 or more, "
          "but NDATA = 1 is given. "}},
        {3,
         2,
         0,
         1,
         {"TERMINAL ERROR 5 from SPLEZ.  The number of data points must be 4 or more, "
          "but NDATA = 3 is given. "}},
        {5,
         8,
         0,
         1,
         {"TERMINAL ERROR 6 from SPLEZ.  The number of data points must be 6 or more, "
          "but NDATA = 5 is given. "}},
        {3,
         9,
         0,
         1,
         {"TERMINAL ERROR 7 from SPLEZ.  The number of data points must be 4 or more, "
          "but NDATA = 3."}},
        {2,
         13,
         0,
         1,
         {"TERMINAL ERROR 8 from SPLEZ.  The number of data points must be 3 or more, "
          "but NDATA = 2"}},
        {4,
         15,
         0,
         1,
         {"TERMINAL ERROR 8 from SPLEZ.  The number of data points must be 5 or more, "
          "but NDATA = 4"}},
    };
    // With no workspace to be had, any request would add the allocation report.
    WorkspaceLimitGuard none(0);
    for (const Case& c : cases) {
        std::vector<float> x = ramp(std::max(c.ndata, 1)), xvec(std::max(c.n, 1), 0.5f);
        std::vector<float> value(xvec.size(), -5.0f);
        Outcome out = capture([&] {
            SPLEZ(c.ndata, x.data(), x.data(), c.itype, c.ider, c.n, xvec.data(), value.data());
        });
        EXPECT_EQ(ReportTexts(out.lines), c.expected) << "ITYPE " << c.itype;
        EXPECT_TRUE(out.stopped);
        EXPECT_EQ(value[0], -5.0f);
        // Raised at the level the user called: no traceback.
        for (const std::string& l : out.lines) EXPECT_EQ(l.find("traceback"), std::string::npos);
    }
}

TEST(SplezChecks, CountMessagesKeepTheirTrailingBlank) {
    std::vector<float> x = ramp(3), xvec = {0.5f}, value(1);
    Outcome out =
        capture([&] { SPLEZ(3, x.data(), x.data(), 3, 0, 1, xvec.data(), value.data()); });
    EXPECT_EQ(
        out.lines,
        (Lines{"", " *** TERMINAL ERROR 4 from SPLEZ.  The number of data points must be 4 or",
               " ***          more, but NDATA = 3 is given. ", "Stop - Program terminated."}));
}

TEST(SplezChecks, WorkspaceReportsNameTheSizes) {
    std::vector<float> x = ramp(100), xvec = {0.5f}, value = {-5.0f};
    // WK of ITYPE 12 needs 789 reals, IWK 101 integers: only IWK fits.
    WorkspaceLimitGuard small(1000);
    Outcome fit =
        capture([&] { SPLEZ(100, x.data(), x.data(), 12, 0, 1, xvec.data(), value.data()); });
    EXPECT_EQ(fit.lines,
              (Lines{"", " *** TERMINAL ERROR 9 from SPLEZ.  The required storage cannot be",
                     " ***          allocated.  Workspace allocation is based on NDATA = 100, N =",
                     " ***          1, and K = 4. ", "Stop - Program terminated."}));
    Outcome smoothing =
        capture([&] { SPLEZ(100, x.data(), x.data(), 9, 0, 1, xvec.data(), value.data()); });
    EXPECT_EQ(smoothing.lines,
              (Lines{"", " *** TERMINAL ERROR 9 from SPLEZ.  The required storage cannot be",
                     " ***          allocated.  Workspace allocation is based on NDATA =100 and N",
                     " ***          =1.", "Stop - Program terminated."}));
    EXPECT_EQ(value[0], -5.0f);
}

TEST(SplezChecks, WorkspaceSizesAreNotWrappedInto32Bits) {
    EXPECT_EQ(SplezRealWorkspace(2000000000, 12, 1), 15000000039LL);
    EXPECT_EQ(SplezRealWorkspace(2000000000, 3, 2000000000), 47999999986LL);
    EXPECT_EQ(SplezIntegerWorkspace(2000000000, 2000000000), 4000000000LL);
}

TEST(SplezChecks, EqualAbscissasAreReportedByTheRoutineTheUserCalled) {
    std::vector<float> x = {3, 1, 3}, f = {1, 2, 3}, xvec = {0.5f}, value = {-5.0f};
    Outcome data =
        capture([&] { SPLEZ(3, x.data(), f.data(), 1, 0, 1, xvec.data(), value.data()); });
    EXPECT_EQ(data.lines,
              (Lines{"", " *** FATAL    ERROR 1 from SPLEZ.  Points in the data point abscissas",
                     " ***          array, XDATA, must be distinct, but XDATA(1) = XDATA(3) =",
                     " ***          3.000000E+00.", "Stop - Program terminated."}));
    std::vector<float> x4 = ramp(4), v4(4, -5.0f), xv = {0.25f, 0.5f, 0.75f, 0.5f};
    Outcome grid = capture([&] { SPLEZ(4, x4.data(), x4.data(), 12, 0, 4, xv.data(), v4.data()); });
    EXPECT_EQ(grid.lines,
              (Lines{"", " *** FATAL    ERROR 2 from SPLEZ.  Points to be evaluated must be",
                     " ***          distinct, but XVEC(2) =  XVEC(4) = 5.000000E-01.",
                     "Stop - Program terminated."}));
    EXPECT_EQ(v4, std::vector<float>(4, -5.0f));
}

TEST(SplezChecks, AbscissasThatAreNotFiniteAreRefusedByEveryMethod) {
    // The report names the first entry that is not finite, in the caller's order, whatever the
    // method or the order of the other abscissas.
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    struct Case {
        std::vector<float> x;
        const char* named;
    } cases[] = {
        {{0, 1, nan, 3, 4, 5, 6, 7}, "XDATA(3) = NaN."},
        {{7, 6, 5, nan, 3, 2, 1, nan}, "XDATA(4) = NaN."},
        {{0, 1, 2, 3, 4, 5, 6, inf}, "XDATA(8) = INF."},
        {{-inf, 1, 2, 3, 4, 5, 6, 7}, "XDATA(1) = -INF."},
    };
    std::vector<float> f(8, 1.0f), xvec = {0.5f}, value = {-5.0f};
    for (const Case& c : cases) {
        for (int itype = 1; itype <= 15; ++itype) {
            Outcome out = capture(
                [&] { SPLEZ(8, c.x.data(), f.data(), itype, 0, 1, xvec.data(), value.data()); });
            EXPECT_TRUE(out.stopped) << "ITYPE " << itype;
            EXPECT_EQ(ReportTexts(out.lines),
                      Texts{std::string("FATAL    ERROR 1 from SPLEZ.  Points in the data point "
                                        "abscissas array, XDATA, must be finite, but ") +
                            c.named})
                << "ITYPE " << itype;
            EXPECT_EQ(value[0], -5.0f);
        }
        float v = -5.0f;
        Outcome cubic = capture([&] { CSIEZ(8, c.x.data(), f.data(), 1, xvec.data(), &v); });
        ASSERT_FALSE(ReportTexts(cubic.lines).empty());
        EXPECT_EQ(ReportTexts(cubic.lines)[0],
                  std::string("TERMINAL ERROR 2 from C1SOR.  Points in the data point abscissas "
                              "array, XDATA, must be finite, but ") +
                      c.named);
    }
}

TEST(SplezChecks, EvaluationPointsThatAreNotNumbersGiveNoFalseReport) {
    // A NaN among the evaluation points leaves the sort without an order. The grid evaluator
    // may refuse the order it finds, but no two points that differ are called equal.
    const float nan = std::numeric_limits<float>::quiet_NaN();
    std::vector<float> x = ramp(8), f = ramp(8);
    // Sorted, these leave 7 before 2: two different points side by side out of order.
    const std::vector<float> xvec = {nan, 7, nan, 2, 1, 3, nan};
    for (int itype : {1, 3, 9, 12, 15}) {
        std::vector<float> value(xvec.size(), -5.0f);
        Outcome out = capture([&] {
            SPLEZ(8, x.data(), f.data(), itype, 0, static_cast<int>(xvec.size()), xvec.data(),
                  value.data());
        });
        for (const std::string& report : ReportTexts(out.lines))
            EXPECT_EQ(report.find("must be distinct"), std::string::npos) << report;
    }
}

TEST(SplezChecks, EveryMethodComputesItsSpline) {
    // A straight line is reproduced by every method, interpolating or fitting.
    std::vector<float> x = ramp(8), f, xvec = {0.5f, 0.3125f}, value = {-5.0f, -5.0f};
    for (float v : x) f.push_back(2.0f * v - 1.0f);
    for (int itype = 1; itype <= 15; ++itype) {
        Outcome out =
            capture([&] { SPLEZ(8, x.data(), f.data(), itype, 0, 2, xvec.data(), value.data()); });
        EXPECT_EQ(out.lines, Lines{}) << "ITYPE " << itype;
        EXPECT_NEAR(value[0], 0.0f, 2e-6f) << "ITYPE " << itype;
        EXPECT_NEAR(value[1], -0.375f, 2e-6f) << "ITYPE " << itype;
    }
}

TEST(SplezInterpolation, CubicSplineThroughThePoints) {
    // Points of x*x, unsorted: reproduced with its derivatives, also beyond the data.
    std::vector<float> x = {2, 0, 3, 1}, f = {4, 0, 9, 1}, at = {2.5f, 0.5f, -1.0f, 3.0f};
    for (int ider = 0; ider <= 3; ++ider) {
        std::vector<float> value(4);
        SPLEZ(4, x.data(), f.data(), 1, ider, 4, at.data(), value.data());
        for (int i = 0; i < 4; ++i) {
            double a = at[i];
            double expected = ider == 0 ? a * a : ider == 1 ? 2 * a : ider == 2 ? 2 : 0;
            EXPECT_NEAR(value[i], expected, 1e-5) << "IDER = " << ider << ", x = " << a;
        }
    }
    // Two points: the straight line.
    std::vector<float> x2 = {1.0f, 3.0f}, f2 = {-1.0f, 5.0f}, mid = {2.0f}, value = {0.0f};
    SPLEZ(2, x2.data(), f2.data(), 1, 0, 1, mid.data(), value.data());
    EXPECT_FLOAT_EQ(value[0], 2.0f);
}

TEST(SplezFit, ValuesComeBackInTheCallersOrderAndCallsAreIndependent) {
    std::vector<float> x = {0.3f, 2.0f, -1.0f, 4.5f, 1.1f, 3.3f, 0.0f, 5.0f, 2.7f};
    std::vector<float> f = {1.0f, -2.0f, 0.5f, 3.0f, 2.2f, -0.7f, 1.5f, 0.0f, 4.0f};
    std::vector<float> xvec = {5.5f, 4.0f, 2.5f, 1.0f, -0.5f, -2.0f};  // decreasing
    for (int itype : {1, 10, 11, 12}) {
        LibraryCapture cap;
        std::vector<float> value(6), again(6);
        SPLEZ(9, x.data(), f.data(), itype, 0, 6, xvec.data(), value.data());
        SPLEZ(9, x.data(), f.data(), itype, 0, 6, xvec.data(), again.data());
        EXPECT_EQ(value, again);
        for (int i = 0; i < 6; ++i) {
            float single = 0;
            SPLEZ(9, x.data(), f.data(), itype, 0, 1, &xvec[i], &single);
            EXPECT_EQ(value[i], single) << "ITYPE " << itype << ", XVEC = " << xvec[i];
        }
        EXPECT_EQ(cap.text(), "");
    }
}

TEST(SplezFit, LowerOrdersReproduceTheirPolynomials) {
    // Order 2 reproduces a line, order 3 a parabola, from 13 unsorted points.
    std::vector<float> x;
    for (int i = 0; i < 13; ++i) x.push_back(static_cast<float>((i * 5) % 13) * 0.5f - 2.0f);
    std::vector<float> line, parabola;
    for (float v : x) {
        line.push_back(1.5f - 0.5f * v);
        parabola.push_back(2.0f + v * (1.0f - 0.75f * v));
    }
    std::vector<float> at = {-2.0f, -0.3f, 0.9f, 2.2f, 4.0f}, v2(5), v3(5), d3(5);
    SPLEZ(13, x.data(), line.data(), 10, 0, 5, at.data(), v2.data());
    SPLEZ(13, x.data(), parabola.data(), 11, 0, 5, at.data(), v3.data());
    SPLEZ(13, x.data(), parabola.data(), 11, 1, 5, at.data(), d3.data());
    for (int i = 0; i < 5; ++i) {
        double a = at[i];
        EXPECT_NEAR(v2[i], 1.5 - 0.5 * a, 1e-5) << "x = " << a;
        EXPECT_NEAR(v3[i], 2.0 + a * (1.0 - 0.75 * a), 2e-5) << "x = " << a;
        EXPECT_NEAR(d3[i], 1.0 - 1.5 * a, 5e-5) << "x = " << a;
    }
}

TEST(SplezFit, CallerWorkspaceOfTheTableSizeServesTheDispatcher) {
    std::vector<float> x = ramp(30, -3.0f), f(30), xvec = {7.25f, -3.0f, 26.0f, 0.5f};
    for (int i = 0; i < 30; ++i) f[i] = std::sin(0.3f * x[i]);
    std::vector<float> direct(4), easy(4);
    std::vector<float> wk(SplezRealWorkspace(30, 12, 4));
    std::vector<int> iwk(SplezIntegerWorkspace(30, 4));
    S2LEZ(30, x.data(), f.data(), 12, 0, 4, xvec.data(), direct.data(), wk.data(), iwk.data());
    SPLEZ(30, x.data(), f.data(), 12, 0, 4, xvec.data(), easy.data());
    EXPECT_EQ(direct, easy);
    // S2LEZ repeats the argument checks under its own name.
    Outcome out = capture([&] {
        S2LEZ(30, x.data(), f.data(), 12, 0, 0, xvec.data(), direct.data(), wk.data(), iwk.data());
    });
    EXPECT_EQ(ReportTexts(out.lines),
              (Texts{"TERMINAL ERROR 1 from S2LEZ.  The length of XVEC must be at least 1 while N "
                     "= 0 is given."}));
}

}  // namespace
