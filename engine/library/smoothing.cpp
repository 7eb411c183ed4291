// Cubic smoothing spline with the smoothing parameter chosen by generalized
// cross-validation: the banded set-up, the rational Cholesky fit for one
// parameter and its statistics, the parameter search and the piecewise-cubic
// coefficients (Hutchinson and de Hoog, Numer. Math. 47, 1985), and the SPLEZ
// worker for ITYPE 9.
#include "smoothing.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "errors.h"
#include "internal/abscissa_check.h"
#include "internal/scaled_smoothing.h"
#include "internal/views.h"
#include "machine.h"
#include "sort.h"

namespace {

// Views over the band arrays; R and U start at row 0. Y and C2 share the
// coefficient array: Y(i) is its row 1 and C2(i, j) its row j + 1 at column i.
struct Bands {
    explicit Bands(SmoothingBands& b)
        : x(b.x),
          dy(b.dy),
          a(b.a),
          u(b.u + 1),
          v(b.v),
          t(b.t, b.n),
          r(b.r + 1, b.n + 2),
          coef(b.y, 4) {}
    Vec1<float> x, dy, a, u, v;
    Mat1<float> t, r, coef;
    float& y(int i) const { return coef(1, i); }
    float& c2(int i, int j) const { return coef(j + 1, i); }
};

// e with 2^(e - 1) <= m < 2^e for a finite m > 0; 0 otherwise.
int binaryExponent(double m) {
    int e = 0;
    if (m > 0.0 && std::isfinite(m)) std::frexp(m, &e);
    return e;
}

}  // namespace

void C3SCV(SmoothingBands& B) {
    RoutineScope scope("C3SCV ");
    const int n = B.n;
    if (n <= 2) {
        E1VALI(1, n);
        E1MES(kTerminal, 1,
              "The number of data points must be at least 3 while NDATA = %(I1) is given.");
        return;
    }
    const Bands s(B);
    B.avh = (s.x(n) - s.x(1)) / float(n - 1);
    float sum = 0.0f;
    for (int i = 1; i <= n; ++i) sum += s.dy(i) * s.dy(i);
    B.avdy = std::sqrt(sum / float(n));
    for (int i = 1; i <= n; ++i) s.dy(i) = s.dy(i) / B.avdy;

    float h = (s.x(2) - s.x(1)) / B.avh;
    float e = (s.y(2) - s.y(1)) / h;
    for (int i = 2; i <= n - 1; ++i) {
        const float g = h;
        h = (s.x(i + 1) - s.x(i)) / B.avh;
        const float f = e;
        e = (s.y(i + 1) - s.y(i)) / h;
        s.a(i) = e - f;
        s.t(i, 1) = (g + h) * (2.0f / 3.0f);
        s.t(i, 2) = h * (1.0f / 3.0f);
        s.r(i, 3) = s.dy(i - 1) / g;
        s.r(i, 1) = s.dy(i + 1) / h;
        s.r(i, 2) = -(1.0f / g + 1.0f / h) * s.dy(i);
    }
    s.r(n, 2) = 0.0f;
    s.r(n, 3) = 0.0f;
    s.r(n + 1, 3) = 0.0f;
    for (int i = 2; i <= n - 1; ++i) {
        s.c2(i, 1) = s.r(i, 1) * s.r(i, 1) + s.r(i, 2) * s.r(i, 2) + s.r(i, 3) * s.r(i, 3);
        s.c2(i, 2) = s.r(i, 1) * s.r(i + 1, 2) + s.r(i, 2) * s.r(i + 1, 3);
        s.c2(i, 3) = s.r(i, 1) * s.r(i + 2, 3);
    }
}

void SMOOTHFIT(SmoothingBands& B, const float& RHO, float& P, float& Q, float& SCORE,
               float STAT[]) {
    const int n = B.n;
    const Bands s(B);
    P = RHO / (1.0f + RHO);
    Q = 1.0f / (1.0f + RHO);
    if (1.0f + RHO == 1.0f) P = 0.0f;
    if (RHO == 1.0f + RHO) Q = 0.0f;

    // Rational Cholesky factor of P*C2 + Q*T.
    float f = 0.0f, g = 0.0f, h = 0.0f;
    s.r(0, 1) = 0.0f;
    s.r(1, 1) = 0.0f;
    for (int i = 2; i <= n - 1; ++i) {
        s.r(i - 2, 3) = g * s.r(i - 2, 1);
        s.r(i - 1, 2) = f * s.r(i - 1, 1);
        s.r(i, 1) = 1.0f / (P * s.c2(i, 1) + Q * s.t(i, 1) - f * s.r(i - 1, 2) - g * s.r(i - 2, 3));
        f = P * s.c2(i, 2) + Q * s.t(i, 2) - h * s.r(i - 1, 2);
        g = h;
        h = P * s.c2(i, 3);
    }

    s.u(0) = 0.0f;
    s.u(1) = 0.0f;
    for (int i = 2; i <= n - 1; ++i)
        s.u(i) = s.a(i) - s.r(i - 1, 2) * s.u(i - 1) - s.r(i - 2, 3) * s.u(i - 2);
    s.u(n) = 0.0f;
    s.u(n + 1) = 0.0f;
    for (int i = n - 1; i >= 2; --i)
        s.u(i) = s.r(i, 1) * s.u(i) - s.r(i, 2) * s.u(i + 1) - s.r(i, 3) * s.u(i + 2);

    // Residuals.
    float e = 0.0f;
    h = 0.0f;
    for (int i = 1; i <= n - 1; ++i) {
        g = h;
        h = (s.u(i + 1) - s.u(i)) / ((s.x(i + 1) - s.x(i)) / B.avh);
        s.v(i) = s.dy(i) * (h - g);
        e = e + s.v(i) * s.v(i);
    }
    s.v(n) = -h * s.dy(n);
    e = e + s.v(n) * s.v(n);

    // Bands of the inverse.
    s.r(n, 1) = 0.0f;
    s.r(n, 2) = 0.0f;
    s.r(n + 1, 1) = 0.0f;
    for (int i = n - 1; i >= 2; --i) {
        g = s.r(i, 2);
        h = s.r(i, 3);
        s.r(i, 2) = -g * s.r(i + 1, 1) - h * s.r(i + 1, 2);
        s.r(i, 3) = -g * s.r(i + 1, 2) - h * s.r(i + 2, 1);
        s.r(i, 1) = s.r(i, 1) - g * s.r(i, 2) - h * s.r(i, 3);
    }

    // Trace.
    f = 0.0f;
    g = 0.0f;
    h = 0.0f;
    for (int i = 2; i <= n - 1; ++i) {
        f = f + s.r(i, 1) * s.c2(i, 1);
        g = g + s.r(i, 2) * s.c2(i, 2);
        h = h + s.r(i, 3) * s.c2(i, 3);
    }
    f = f + 2.0f * (g + h);

    Vec1<float> stat(STAT);
    stat(1) = P;
    stat(2) = f * P;
    stat(3) = float(n) * e / (f * f);
    stat(4) = e * P * P / float(n);
    stat(6) = e * P / f;
    stat(5) = stat(6) - stat(4);
    SCORE = stat(3);
}

void SMOOTHCOEF(SmoothingBands& B, const float& P, const float& Q) {
    const int n = B.n;
    const Bands s(B);
    const float qh = Q / (B.avh * B.avh);
    for (int i = 1; i <= n; ++i) {
        s.y(i) = s.y(i) - P * s.dy(i) * s.v(i);
        s.u(i) = qh * s.u(i);
    }
    for (int i = 1; i <= n - 1; ++i) {
        const float d = s.x(i + 1) - s.x(i);
        s.c2(i, 3) = (s.u(i + 1) - s.u(i)) / (3.0f * d);
        s.c2(i, 1) = (s.y(i + 1) - s.y(i)) / d - (d * s.c2(i, 3) + s.u(i)) * d;
        s.c2(i, 2) = s.u(i);
    }
}

namespace {

// The smoothing parameter rho's search: the first two values tried, the factor that halves or
// doubles it while bracketing the minimum, and the golden ratio that narrows the bracket.
constexpr float kFirstRho = 2.0f;
constexpr float kSecondRho = 1.0f;
constexpr float kRhoFactor = 2.0f;
constexpr float kGoldenRatio = 1.618034f;

// The statistics of the fit take the first entries of the workspace; the bands follow.
constexpr std::ptrdiff_t kStatCount = 7;

// The derivatives of a cubic piece from its polynomial coefficients: the second is 2! times the
// coefficient of the square, the third 3! times that of the cube.
constexpr float kSecondDerivative = 2.0f;
constexpr float kThirdDerivative = 6.0f;

// The fit's data scaled by powers of two, exactly, to a spread of X and a largest |Y| between
// 1/2 and 1: the abscissas x(1..n) in place, the ordinates of the sorted points (the data's
// FDATA(iwk(j))) into the first row of the coefficients.
PowerOfTwoUnits scaleByPowersOfTwo(int n, Vec1<float> x, Vec1<const float> fd, Mat1<float> c,
                                   Vec1<const int> iwk) {
    PowerOfTwoUnits own;
    if (n >= 2) own.x = binaryExponent(double(x(n)) - double(x(1)));
    float largest = 0.0f;
    for (int j = 1; j <= n; ++j) largest = std::max(largest, std::fabs(fd(j)));
    own.y = binaryExponent(largest);
    for (int j = 1; j <= n; ++j) {
        x(j) = std::ldexp(x(j), -own.x);
        c(1, j) = std::ldexp(fd(iwk(j)), -own.y);
    }
    return own;
}

// The bands of the fit over the caller's arrays: X is BREAK, Y and C2 share CSCOEF, and the
// workspace after the statistics holds R, T, U, V, A and the weights, all weights 1.
SmoothingBands carveBands(int n, float BREAK[], float CSCOEF[], float WK[]) {
    const std::ptrdiff_t nd = n;
    Vec1<float> wk(WK);
    // R holds three columns of n + 2, T two of n, U n + 2 entries, V, A and the weights n each.
    const std::ptrdiff_t r = kStatCount + 1, t = r + 3 * (nd + 2), u = t + 2 * nd, v = u + (nd + 2),
                         a = v + nd, dy = a + nd;
    SmoothingBands bands{};
    bands.n = n;
    bands.x = BREAK;
    bands.y = CSCOEF;
    bands.c2 = CSCOEF + 1;
    bands.r = wk.at(r);
    bands.t = wk.at(t);
    bands.u = wk.at(u);
    bands.v = wk.at(v);
    bands.a = wk.at(a);
    bands.dy = wk.at(dy);
    Vec1<float> weights(bands.dy);
    for (int j = 1; j <= n; ++j) weights(j) = 1.0f;
    return bands;
}

// The generalized cross-validation score as a function of rho. Each evaluation fits the bands
// at that rho and leaves its p, q and statistics.
struct ScoreCurve {
    SmoothingBands& bands;
    float* stat;
    float p = 0.0f, q = 0.0f;
    float operator()(float rho) {
        float g = 0.0f;
        SMOOTHFIT(bands, rho, p, q, g, stat);
        return g;
    }
};

// Brackets the minimum of the score by halving or doubling rho. False when the score keeps
// falling until p or q reaches 0: the fit last evaluated is then the one taken.
bool bracketMinimum(ScoreCurve& score, float& lo, float& hi) {
    float r1 = kFirstRho, g1 = score(r1);
    float r2 = kSecondRho;
    for (;;) {
        const float g2 = score(r2);
        if (!(g1 > g2)) break;
        if (score.p <= 0.0f) return false;
        r1 = r2;
        g1 = g2;
        r2 = r2 / kRhoFactor;
    }
    for (;;) {
        const float r3 = kRhoFactor * r1;
        const float g3 = score(r3);
        if (g3 >= g1) {
            lo = r2;
            hi = r3;
            return true;
        }
        if (score.q <= 0.0f) return false;
        r1 = r3;
        g1 = g3;
    }
}

// Narrows the bracket [lo, hi] by golden section until its relative width is below eps, and
// leaves the fit at its middle.
void goldenSection(ScoreCurve& score, float lo, float hi, float eps) {
    float step = (hi - lo) / kGoldenRatio;
    float b = lo + step;
    float a = hi - step;
    float ga = score(a);
    float gb = score(b);
    for (;;) {
        const float w = (hi - lo) / (hi + lo);
        if (1.0f + w * w == 1.0f || w <= eps) break;
        if (gb > ga) {
            hi = b;
            b = a;
            gb = ga;
            step = step / kGoldenRatio;
            a = hi - step;
            ga = score(a);
        } else {
            lo = a;
            a = b;
            ga = gb;
            step = step / kGoldenRatio;
            b = lo + step;
            gb = score(b);
        }
    }
    score((hi + lo) / 2.0f);
}

}  // namespace

void FitSmoothingSpline(const int& NDATA, const float XDATA[], const float FDATA[], float BREAK[],
                        float CSCOEF[], float WK[], int IWK[], PowerOfTwoUnits* units) {
    RoutineScope scope("C2SCV");
    const int n = NDATA;
    // No error variance is given, so the criterion is generalized
    // cross-validation throughout.

    Vec1<const float> xd(XDATA);
    Vec1<float> x(BREAK);
    Mat1<float> c(CSCOEF, 4);
    Vec1<int> iwk(IWK);
    const AbscissaFault fault =
        SortDistinctAbscissas(NDATA, XDATA, BREAK, IWK, AbscissaOrder::kCopyIfAscending);
    if (fault) {
        RaiseAbscissaFault(fault, kFatal, 2);
        return;
    }
    // The fit runs on the data scaled by powers of two, so that squared residuals of data in any
    // units neither overflow nor underflow, and the search meets the same scores whatever the
    // units.
    const PowerOfTwoUnits own = scaleByPowersOfTwo(n, x, FDATA, c, IWK);

    Vec1<float> stat(WK);  // STAT(1..7)
    SmoothingBands bands = carveBands(n, BREAK, CSCOEF, WK);

    const float eps = AMACH(4);
    C3SCV(bands);
    if (N1RTY(0) >= kFatal) return;

    ScoreCurve score{bands, stat.at(1)};
    float lo = 0.0f, hi = 0.0f;
    if (bracketMinimum(score, lo, hi)) goldenSection(score, lo, hi, eps);

    SMOOTHCOEF(bands, score.p, score.q);
    const float avdy2 = bands.avdy * bands.avdy;
    stat(6) = stat(6) / avdy2;
    stat(7) = avdy2;
    for (int j = 1; j <= n; ++j) {
        c(3, j) = kSecondDerivative * c(3, j);
        c(4, j) = kThirdDerivative * c(4, j);
    }
    c(2, n) = 0.0f;
    c(3, n) = 0.0f;
    c(4, n) = 0.0f;
    if (units) {
        *units = own;
        return;
    }
    // Back to the data's units: the derivative of order k carries Y / X^k.
    for (int j = 1; j <= n; ++j) {
        x(j) = xd(iwk(j));
        for (int k = 0; k <= 3; ++k) c(k + 1, j) = std::ldexp(c(k + 1, j), own.y - k * own.x);
    }
    for (int i = 3; i <= 6; ++i) stat(i) = std::ldexp(stat(i), 2 * own.y);
}

void C2SCV(const int& NDATA, const float XDATA[], const float FDATA[], const int& /*IEQUAL*/,
           float BREAK[], float CSCOEF[], float WK[], int IWK[]) {
    FitSmoothingSpline(NDATA, XDATA, FDATA, BREAK, CSCOEF, WK, IWK, nullptr);
}
