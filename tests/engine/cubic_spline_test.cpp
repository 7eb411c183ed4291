// The cubic spline interpolant: construction with each end condition,
// evaluation through the easy entry, data and abscissas in any order, and
// every console report of the family.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <new>
#include <numeric>
#include <random>
#include <vector>

#include "capture.h"
#include "data_points.h"
#include "dense_lu.h"
#include "fitlib.h"
#include "report_text.h"
#include "ulps.h"

// Nothrow array requests (the library's work storage) can be made to fail:
// the request numbered `failRequest` since the last reset returns null.
namespace {
int failRequest = 0;
int requestCount = 0;
}  // namespace

void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    if (++requestCount == failRequest) return nullptr;
    try {
        return ::operator new[](size);
    } catch (...) {
        return nullptr;
    }
}

namespace {

using Lines = std::vector<std::string>;

// Taylor coefficients (value and derivatives 1..3 at the left end) of each
// piece, solved in double precision from the full system of piecewise cubics:
// interpolation at both ends of every piece, continuity of the first and
// second derivatives at interior breakpoints, and one condition per end
// (0: third derivative continuous at the second or last-but-one breakpoint,
// 1: first derivative, 2: second derivative given).
std::vector<std::vector<double>> referenceSpline(const std::vector<double>& x,
                                                 const std::vector<double>& f, int ileft,
                                                 double vleft, int iright, double vright) {
    const int n = static_cast<int>(x.size());
    const int pieces = n - 1;
    const int m = 4 * pieces;
    std::vector<std::vector<double>> a(m, std::vector<double>(m + 1, 0.0));
    int row = 0;
    auto at = [](int piece, int power) { return 4 * piece + power; };
    // Coefficient of the power-th unknown in the derivative of order `deriv` at t.
    auto basis = [](int power, int deriv, double t) {
        double c = 1.0;
        for (int k = 0; k < deriv; ++k) c *= power - k;
        return power < deriv ? 0.0 : c * std::pow(t, power - deriv);
    };
    for (int i = 0; i < pieces; ++i) {
        double h = x[i + 1] - x[i];
        a[row][at(i, 0)] = 1.0;
        a[row++][m] = f[i];
        for (int p = 0; p < 4; ++p) a[row][at(i, p)] = basis(p, 0, h);
        a[row++][m] = f[i + 1];
    }
    for (int i = 0; i + 1 < pieces; ++i) {
        double h = x[i + 1] - x[i];
        for (int deriv = 1; deriv <= 2; ++deriv) {
            for (int p = 0; p < 4; ++p) a[row][at(i, p)] = basis(p, deriv, h);
            a[row][at(i + 1, deriv)] -= basis(deriv, deriv, 0.0);
            ++row;
        }
    }
    auto endCondition = [&](int kind, double v, int piece, double t, int neighbour) {
        if (kind == 0) {
            a[row][at(piece, 3)] = 1.0;
            a[row][at(neighbour, 3)] = -1.0;
        } else {
            for (int p = 0; p < 4; ++p) a[row][at(piece, p)] = basis(p, kind, t);
            a[row][m] = v;
        }
        ++row;
    };
    endCondition(ileft, vleft, 0, 0.0, 1);
    endCondition(iright, vright, pieces - 1, x[n - 1] - x[n - 2], pieces - 2);

    ref::Dense lhs(m);
    std::vector<double> rhs(m);
    for (int r = 0; r < m; ++r) {
        lhs[r].assign(a[r].begin(), a[r].begin() + m);
        rhs[r] = a[r][m];
    }
    const std::vector<double> z = ref::DenseLU(std::move(lhs)).solve(rhs);
    std::vector<std::vector<double>> taylor(pieces);
    for (int i = 0; i < pieces; ++i) {
        const double* s = &z[at(i, 0)];
        taylor[i] = {s[0], s[1], 2.0 * s[2], 6.0 * s[3]};
    }
    return taylor;
}

double evaluateReference(const std::vector<double>& x,
                         const std::vector<std::vector<double>>& taylor, double at) {
    int piece = 0;
    while (piece + 1 < static_cast<int>(taylor.size()) && at >= x[piece + 1]) ++piece;
    const std::vector<double>& c = taylor[piece];
    double h = at - x[piece];
    return c[0] + h * (c[1] + h * (c[2] / 2.0 + h * c[3] / 6.0));
}

Data randomData(std::mt19937& gen, int n) {
    std::uniform_real_distribution<float> gap(0.25f, 1.5f), value(-2.0f, 2.0f);
    Data d;
    float x = -1.0f;
    for (int i = 0; i < n; ++i) {
        d.x.push_back(x);
        d.f.push_back(value(gen));
        x += gap(gen);
    }
    return d;
}

std::vector<double> widen(const std::vector<float>& v) { return {v.begin(), v.end()}; }

// The spline through the data at the given abscissas, through the easy entry.
std::vector<float> csiez(const Data& d, std::vector<float> xs) {
    std::vector<float> value(xs.size());
    CSIEZ(static_cast<int>(d.x.size()), d.x.data(), d.f.data(), static_cast<int>(xs.size()),
          xs.data(), value.data());
    return value;
}

// The piecewise-polynomial form through C2DEC, 4 x NDATA coefficients.
struct PP {
    std::vector<float> brk, coef;
    float c(int row, int col) const { return coef[(row - 1) + 4 * (col - 1)]; }
};

PP c2dec(const Data& d, int ileft, float vleft, int iright, float vright) {
    const int n = static_cast<int>(d.x.size());
    PP pp{std::vector<float>(n), std::vector<float>(4 * n)};
    std::vector<int> iwk(n);
    C2DEC(n, d.x.data(), d.f.data(), ileft, vleft, iright, vright, pp.brk.data(), pp.coef.data(),
          iwk.data());
    return pp;
}

// The worked cubic 0.5 x^3 - x^2 + 2 x - 1 with its derivatives.
double cubic(double x, int deriv = 0) {
    switch (deriv) {
        case 0:
            return ((0.5 * x - 1.0) * x + 2.0) * x - 1.0;
        case 1:
            return (1.5 * x - 2.0) * x + 2.0;
        case 2:
            return 3.0 * x - 2.0;
        default:
            return 3.0;
    }
}

TEST(CubicSpline, LowDegreeDataAreReproduced) {
    LibraryCapture cap;
    // Two points: the straight line.
    Data line{{1.0f, 3.0f}, {2.0f, 5.0f}};
    PP pp = c2dec(line, 0, 0.0f, 0, 0.0f);
    EXPECT_FLOAT_EQ(pp.c(2, 1), 1.5f);
    EXPECT_FLOAT_EQ(pp.c(2, 2), 1.5f);
    EXPECT_EQ(pp.c(3, 1), 0.0f);
    EXPECT_EQ(pp.c(4, 1), 0.0f);
    EXPECT_FLOAT_EQ(csiez(line, {2.0f})[0], 3.5f);

    // Three points: the one parabola 2 - x + 3 x^2 / 2 through them.
    Data parabola{{-1.0f, 0.5f, 2.0f}, {4.5f, 1.875f, 6.0f}};
    pp = c2dec(parabola, 0, 0.0f, 0, 0.0f);
    for (int i = 1; i <= 2; ++i) {
        EXPECT_NEAR(pp.c(3, i), 3.0f, 3e-6f);
        EXPECT_NEAR(pp.c(4, i), 0.0f, 3e-6f);
    }
    std::vector<float> xs = {-2.0f, -0.3f, 1.1f, 3.5f};
    std::vector<float> v = csiez(parabola, xs);
    for (std::size_t i = 0; i < xs.size(); ++i) {
        double x = xs[i];
        EXPECT_NEAR(v[i], 2.0 - x + 1.5 * x * x, 1e-5) << "x = " << x;
    }

    // Points of x^2: second derivative 2 and third 0 on every piece.
    Data square{{0, 1, 2, 3}, {0, 1, 4, 9}};
    pp = c2dec(square, 0, 0.0f, 0, 0.0f);
    for (int i = 1; i <= 3; ++i) {
        EXPECT_NEAR(pp.c(3, i), 2.0f, 2e-6f);
        EXPECT_NEAR(pp.c(4, i), 0.0f, 2e-6f);
    }

    // Four points of a cubic: the cubic itself, one third derivative.
    Data four{{-1.0f, 0.0f, 1.5f, 2.0f}, {}};
    for (float x : four.x) four.f.push_back(static_cast<float>(cubic(x)));
    pp = c2dec(four, 0, 0.0f, 0, 0.0f);
    for (int i = 1; i <= 3; ++i) EXPECT_NEAR(pp.c(4, i), 3.0f, 2e-5f);
}

TEST(CubicSpline, EveryEndConditionReproducesACubic) {
    LibraryCapture cap;
    for (int n : {2, 3, 4, 7}) {
        Data d;
        for (int i = 0; i < n; ++i) d.x.push_back(-1.0f + 0.75f * i + 0.1f * (i % 2));
        for (float x : d.x) d.f.push_back(static_cast<float>(cubic(x)));
        const double x1 = d.x.front(), xn = d.x.back();
        for (int ileft = 0; ileft <= 2; ++ileft) {
            for (int iright = 0; iright <= 2; ++iright) {
                // Conditions that do not pin down a cubic on so few points.
                if (n == 2 && (ileft == 0 || iright == 0)) continue;
                if (n == 3 && ileft == 0 && iright == 0) continue;
                float vleft = static_cast<float>(cubic(x1, ileft));
                float vright = static_cast<float>(cubic(xn, iright));
                PP pp = c2dec(d, ileft, vleft, iright, vright);
                for (int i = 1; i < n; ++i) {
                    for (int row = 1; row <= 4; ++row) {
                        // The data are the cubic rounded to single precision;
                        // each derivative order divides that rounding by a
                        // further interval length.
                        const double tolerance[] = {2e-6, 1e-5, 3e-5, 1e-4};
                        EXPECT_NEAR(pp.c(row, i), cubic(pp.brk[i - 1], row - 1), tolerance[row - 1])
                            << "n = " << n << ", ILEFT = " << ileft << ", IRIGHT = " << iright
                            << ", piece " << i << ", row " << row;
                    }
                }
                EXPECT_NEAR(pp.c(1, n), cubic(xn), 2e-6);
                EXPECT_NEAR(pp.c(2, n), cubic(xn, 1), 2e-5);
            }
        }
    }
}

TEST(CubicSpline, AgreesWithADoublePrecisionSolveOnRandomData) {
    LibraryCapture cap;
    std::mt19937 gen(2024);
    std::uniform_real_distribution<float> derivative(-3.0f, 3.0f);
    // Relative to max(1, |reference|); each derivative order divides the
    // rounding of the data by a further interval length.
    const double tolerance[] = {1e-6, 2e-6, 3e-5, 6e-5};
    for (int n : {4, 5, 9, 30}) {
        for (int trial = 0; trial < 4; ++trial) {
            Data d = randomData(gen, n);
            for (int ileft = 0; ileft <= 2; ++ileft) {
                for (int iright = 0; iright <= 2; ++iright) {
                    float vleft = derivative(gen), vright = derivative(gen);
                    PP pp = c2dec(d, ileft, vleft, iright, vright);
                    auto ref =
                        referenceSpline(widen(d.x), widen(d.f), ileft, vleft, iright, vright);
                    for (int i = 1; i < n; ++i) {
                        for (int row = 1; row <= 4; ++row) {
                            double scale = std::max(1.0, std::fabs(ref[i - 1][row - 1]));
                            double err = std::fabs(pp.c(row, i) - ref[i - 1][row - 1]) / scale;
                            EXPECT_LT(err, tolerance[row - 1])
                                << "n = " << n << ", ILEFT = " << ileft << ", IRIGHT = " << iright
                                << ", piece " << i << ", row " << row;
                        }
                    }
                }
            }
            // Values through the easy entry, inside and beyond the data.
            auto ref = referenceSpline(widen(d.x), widen(d.f), 0, 0.0, 0, 0.0);
            std::uniform_real_distribution<float> where(d.x.front() - 0.5f, d.x.back() + 0.5f);
            std::vector<float> xs(50);
            for (float& x : xs) x = where(gen);
            std::vector<float> v = csiez(d, xs);
            for (std::size_t i = 0; i < xs.size(); ++i) {
                double expected = evaluateReference(widen(d.x), ref, xs[i]);
                EXPECT_NEAR(v[i], expected, 1e-5 * std::max(1.0, std::fabs(expected)))
                    << "x = " << xs[i];
            }
        }
    }
}

TEST(CubicSpline, DataAndAbscissasInAnyOrder) {
    LibraryCapture cap;
    std::mt19937 gen(5);
    Data ascending = randomData(gen, 12);
    std::vector<float> xs = {4.0f, -3.0f, 0.1f, 9.5f, 2.2f, -1.0f, 6.7f, 3.3f, 1.0f, 20.0f};
    const std::vector<float> expected = csiez(ascending, xs);

    // The value at each abscissa alone, as the engine asks for it.
    for (std::size_t i = 0; i < xs.size(); ++i) {
        EXPECT_EQ(csiez(ascending, {xs[i]})[0], expected[i]) << "x = " << xs[i];
    }

    Data descending = ascending;
    std::reverse(descending.x.begin(), descending.x.end());
    std::reverse(descending.f.begin(), descending.f.end());
    EXPECT_EQ(csiez(descending, xs), expected);

    std::vector<int> order(12);
    std::iota(order.begin(), order.end(), 0);
    std::shuffle(order.begin(), order.end(), gen);
    Data shuffled;
    for (int k : order) {
        shuffled.x.push_back(ascending.x[k]);
        shuffled.f.push_back(ascending.f[k]);
    }
    EXPECT_EQ(csiez(shuffled, xs), expected);

    // XVEC itself comes back as the caller gave it.
    std::vector<float> caller = {3.0f, 2.0f, 1.0f};
    std::vector<float> value(3);
    CSIEZ(12, ascending.x.data(), ascending.f.data(), 3, caller.data(), value.data());
    EXPECT_EQ(caller, (std::vector<float>{3.0f, 2.0f, 1.0f}));
    EXPECT_EQ(value, csiez(ascending, {3.0f, 2.0f, 1.0f}));
    for (int i = 0; i < 3; ++i) EXPECT_EQ(value[i], csiez(ascending, {caller[i]})[0]);

    // Enough abscissas for the large-input sort, each value where its
    // abscissa stood and XVEC untouched.
    std::vector<float> many(1000);
    for (int i = 0; i < 1000; ++i) many[i] = -2.0f + 0.023f * static_cast<float>(i);
    std::shuffle(many.begin(), many.end(), gen);
    const std::vector<float> given = many;
    value.assign(many.size(), 0.0f);
    CSIEZ(12, ascending.x.data(), ascending.f.data(), 1000, many.data(), value.data());
    EXPECT_EQ(many, given);
    for (int i = 0; i < 1000; ++i) {
        ASSERT_EQ(value[i], csiez(ascending, {given[i]})[0]) << "x = " << given[i];
    }
    EXPECT_EQ(cap.text(), "");
}

TEST(CubicSpline, NodesBreakpointsAndExtrapolation) {
    LibraryCapture cap;
    Data d{{0.0f, 1.0f, 2.5f, 3.0f, 4.0f}, {}};
    for (float x : d.x) d.f.push_back(static_cast<float>(cubic(x)));
    // At a breakpoint the right-hand piece starts with the data value itself.
    std::vector<float> nodes(d.x.begin(), d.x.end() - 1);
    std::vector<float> v = csiez(d, nodes);
    for (std::size_t i = 0; i < nodes.size(); ++i) EXPECT_EQ(v[i], d.f[i]);
    // The last breakpoint and beyond both ends extend the end pieces, here
    // the cubic itself.
    for (float x : {4.0f, -2.0f, -0.5f, 4.5f, 7.0f}) {
        EXPECT_NEAR(csiez(d, {x})[0], cubic(x), 2e-5 * std::max(1.0, std::fabs(cubic(x))))
            << "x = " << x;
    }
}

TEST(PiecewisePolynomial, DerivativesOnAGridAndAtAPoint) {
    LibraryCapture cap;
    // Two cubic pieces with known Taylor coefficients.
    const std::vector<float> brk = {1.0f, 2.0f, 4.0f};
    const std::vector<float> coef = {1.0f, -2.0f, 3.0f, 6.0f, 0.5f, 1.0f, -1.0f, 12.0f};
    auto expectedAt = [&](double x, int deriv) {
        int l = x >= 2.0 ? 1 : 0;
        double h = x - brk[l];
        const float* c = &coef[4 * l];
        double terms[4] = {c[0] + c[1] * h + c[2] * h * h / 2 + c[3] * h * h * h / 6,
                           c[1] + c[2] * h + c[3] * h * h / 2, c[2] + c[3] * h, c[3]};
        return deriv < 4 ? terms[deriv] : 0.0;
    };
    const std::vector<float> xs = {0.0f, 1.0f, 1.5f, 2.0f, 3.25f, 4.0f, 5.0f};
    const int n = static_cast<int>(xs.size());
    for (int ideriv = 0; ideriv <= 5; ++ideriv) {
        std::vector<float> value(n), wkh(n), wkc(n);
        std::vector<int> iwk(n);
        C21GD(ideriv, n, xs.data(), 2, brk.data(), coef.data(), value.data(), iwk.data(),
              wkh.data(), wkc.data());
        for (int i = 0; i < n; ++i) {
            double e = expectedAt(xs[i], ideriv);
            EXPECT_ULPS(e, value[i], 4) << "IDERIV = " << ideriv << ", x = " << xs[i];
            EXPECT_ULPS(e, PPDER(ideriv, xs[i], 4, 2, brk.data(), coef.data()), 4)
                << "IDERIV = " << ideriv << ", x = " << xs[i];
        }
    }
    // Order 2: straight pieces 1 + 3 h and -1 - 2 h.
    const std::vector<float> lineCoef = {1.0f, 3.0f, -1.0f, -2.0f};
    EXPECT_ULPS(2.5, PPDER(0, 1.5f, 2, 2, brk.data(), lineCoef.data()), 0);
    EXPECT_ULPS(-3.0, PPDER(0, 3.0f, 2, 2, brk.data(), lineCoef.data()), 0);
    EXPECT_ULPS(-2.0, PPDER(1, 3.0f, 2, 2, brk.data(), lineCoef.data()), 0);
    EXPECT_EQ(PPDER(2, 3.0f, 2, 2, brk.data(), lineCoef.data()), 0.0f);
    EXPECT_EQ(cap.text(), "");
}

// Runs `call`, which must stop, and returns the console lines.
template <typename Call>
Lines stoppedReport(Call call) {
    LibraryCapture cap;
    EXPECT_THROW(call(), StopCalled);
    return cap.lines();
}

TEST(CubicSplineReport, EqualAbscissasStopInsideTheConstruction) {
    for (const auto& [xdata, positions] :
         {std::pair{std::vector<float>{0, 1, 1, 2}, "XDATA(2) = XDATA(3)"},
          std::pair{std::vector<float>{3, 1, 2, 1}, "XDATA(2) = XDATA(4)"}}) {
        Data d{xdata, {1, 2, 3, 4}};
        EXPECT_EQ(stoppedReport([&] { csiez(d, {0.5f}); }), EqualAbscissaReport(positions));
    }
}

TEST(CubicSplineReport, NotANumberAmongTheAbscissasIsRefused) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    Lines lines = stoppedReport([&] { csiez(Data{{2, 0, nan, 1}, {1, 2, 3, 4}}, {0.5f}); });
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[1], " *** TERMINAL ERROR 2 from C1SOR.  Points in the data point abscissas");
    EXPECT_EQ(lines.back(), "Stop - Program terminated.");
}

TEST(CubicSplineReport, ArgumentErrorsOfTheEasyEntry) {
    Data five{{0, 1, 2, 3, 4}, {0, 1, 0, 1, 0}};
    float x = 0.0f, v = 0.0f;
    EXPECT_EQ(stoppedReport([&] { CSIEZ(5, five.x.data(), five.f.data(), 0, &x, &v); }),
              (Lines{
                  "",
                  " *** TERMINAL ERROR 2 from CSIEZ.  The length of XVEC must be at least one",
                  " ***          while N = 0 is given.",
                  "Stop - Program terminated.",
              }));
    EXPECT_EQ(stoppedReport([&] { CSIEZ(1, five.x.data(), five.f.data(), 0, &x, &v); }),
              (Lines{
                  "",
                  " *** TERMINAL ERROR 1 from CSIEZ.  The number of data points must be 2 or",
                  " ***          more while NDATA = 1 is given.",
                  "",
                  " *** TERMINAL ERROR 2 from CSIEZ.  The length of XVEC must be at least one",
                  " ***          while N = 0 is given.",
                  "Stop - Program terminated.",
              }));
}

TEST(CubicSplineReport, EqualEvaluationAbscissasAreFatalAtTheEasyEntry) {
    Data five{{0, 1, 2, 3, 4}, {0, 1, 0, 1, 0}};
    std::vector<float> xs = {1.5f, 0.5f, 1.5f};
    std::vector<float> value(3, 9.0f);
    EXPECT_EQ(
        stoppedReport([&] { CSIEZ(5, five.x.data(), five.f.data(), 3, xs.data(), value.data()); }),
        (Lines{
            "",
            " *** FATAL    ERROR 4 from CSIEZ.  The X data values must be strictly",
            " ***          increasing, but XVEC(2) = 1.500000E+00 and XVEC(3) =",
            " ***          1.500000E+00.",
            "Stop - Program terminated.",
        }));
    EXPECT_EQ(xs, (std::vector<float>{1.5f, 0.5f, 1.5f}));
    EXPECT_EQ(value, (std::vector<float>{0.0f, 0.0f, 0.0f}));
}

TEST(CubicSplineReport, FailedWorkStorageIsReportedAfterAllThreeRequests) {
    Data four{{0, 1, 2, 3}, {0, 1, 0, 1}};
    for (int failing = 1; failing <= 3; ++failing) {
        std::vector<float> xs = {0.5f, 1.5f}, value(2);
        requestCount = 0;
        failRequest = failing;
        Lines lines = stoppedReport(
            [&] { CSIEZ(4, four.x.data(), four.f.data(), 2, xs.data(), value.data()); });
        failRequest = 0;
        EXPECT_EQ(requestCount, 3) << "failing request " << failing;
        EXPECT_EQ(lines, (Lines{
                             "",
                             " *** TERMINAL ERROR 5 from CSIEZ.  The required storage cannot be",
                             " ***          allocated.  Workspace allocation is based on NDATA = 4 "
                             "and N =",
                             " ***          2.",
                             "Stop - Program terminated.",
                         }))
            << "failing request " << failing;
    }
}

TEST(CubicSplineReport, EndConditionAndDataCountErrorsOfTheConstruction) {
    Data one{{1}, {1}};
    EXPECT_EQ(stoppedReport([&] { c2dec(one, 3, 0.0f, -1, 0.0f); }),
              (Lines{
                  "",
                  " *** TERMINAL ERROR 1 from C2DEC.  The number of data points must be 2 or",
                  " ***          more while NDATA = 1 is given.",
                  "",
                  " *** TERMINAL ERROR 2 from C2DEC.  The argument ILEFT = 3.  It must be 0,",
                  " ***          1 or 2.",
                  "",
                  " *** TERMINAL ERROR 3 from C2DEC.  The argument IRIGHT = -1.  It must be",
                  " ***          0, 1 or 2.",
                  "Stop - Program terminated.",
              }));
}

TEST(PiecewisePolynomialReport, ArgumentAndOrderErrors) {
    float x = 0.0f, v = 7.0f, h = 0.0f, c = 0.0f;
    int iwk = 0;
    EXPECT_EQ(stoppedReport([&] { C21GD(-1, 0, &x, 0, &x, &x, &v, &iwk, &h, &c); }),
              (Lines{
                  "",
                  " *** TERMINAL ERROR 1 from C21GD.  The number of intervals must be at",
                  " ***          least 1 while NINTV = 0 is given.",
                  "",
                  " *** TERMINAL ERROR 2 from C21GD.  The order of the derivative must be",
                  " ***          positive while IDERIV = -1 is given.",
                  "",
                  " *** TERMINAL ERROR 3 from C21GD.  The length of XVEC must be at least 1",
                  " ***          while N = 0 is given.",
                  "Stop - Program terminated.",
              }));
    EXPECT_EQ(stoppedReport([&] { PPDER(-2, x, 0, 0, &x, &x); }),
              (Lines{
                  "",
                  " *** TERMINAL ERROR 1 from PPDER.  The number of intervals must be at",
                  " ***          least 1 while NINTV = 0 is given.",
                  "",
                  " *** TERMINAL ERROR 2 from PPDER.  The order of the derivative must be",
                  " ***          positive while IDERIV = -2 is given.",
                  "",
                  " *** TERMINAL ERROR 3 from PPDER.  The order of the interpolating",
                  " ***          polynomial must be positive while KORDER = 0 is given.",
                  "Stop - Program terminated.",
              }));
    const std::vector<float> brk = {0.0f, 1.0f}, coef = {1, 1, 1, 1};
    const std::vector<float> xs = {0.25f, 0.75f, 0.5f};
    std::vector<float> value(3, 5.0f), wkh(3), wkc(3);
    std::vector<int> piece(3);
    EXPECT_EQ(stoppedReport([&] {
                  C21GD(0, 3, xs.data(), 1, brk.data(), coef.data(), value.data(), piece.data(),
                        wkh.data(), wkc.data());
              }),
              (Lines{
                  "",
                  " *** FATAL    ERROR 4 from C21GD.  The X data values must be strictly",
                  " ***          increasing, but XVEC(2) = 7.500000E-01 and XVEC(3) =",
                  " ***          5.000000E-01.",
                  "Stop - Program terminated.",
              }));
    EXPECT_EQ(value, (std::vector<float>{0.0f, 0.0f, 0.0f}));
}

}  // namespace
