// Least-squares B-splines with optimised interior knots: damped Gauss-Newton
// steps on coefficients and knots together, with the coefficients refitted
// after every step (in the manner of D. L. B. Jupp, Approximation to data by
// splines with free knots, SIAM J. Numer. Anal. 15, 1978, and of de Boor and
// Rice's least-squares cubic spline approximation with variable knots).
#include "varknot_lsq.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>
#include <optional>

#include "bspline_basis.h"
#include "bspline_lsq.h"
#include "errors.h"
#include "internal/bspline_steps.h"
#include "internal/views.h"
#include "machine.h"

namespace {

// The message of a work array that cannot be had, with the routine's own code.
void raiseNoWorkspace(int code, int ndata, int ncoef, int korder) {
    E1VALI(1, ndata);
    E1VALI(2, ncoef);
    E1VALI(3, korder);
    E1MES(kTerminal, code,
          "The required storage cannot be allocated.  Workspace allocation is based on "
          "NDATA = %(I1), NCOEF = %(I2), and KORDER = %(I3).");
}

// Values b(1..k) at x of the B-splines left-k+1 .. left on the knots t,
// computed in double by the Cox-de Boor recurrence.
template <typename T>
void basisAt(const T* knots, int k, double x, int left, Vec1<double> b, Vec1<double> dl,
             Vec1<double> dr) {
    b(1) = 1.0;
    for (int j = 1; j <= k - 1; ++j)
        RaiseBasisOrderIn<double, T>(knots, x, left, j, b.at(1), dl.at(1), dr.at(1));
}

// The knot interval of x: the largest left <= nc with t(left) <= x, never
// below the hint (the data are visited in increasing order).
template <typename T>
int advanceLeft(const T* knots, int nc, double x, int left) {
    Vec1<const T> t(knots);
    while (left < nc && double(t(left + 1)) <= x) ++left;
    return left;
}

// Scratch for the basis evaluations: b, two more value vectors, dl, dr.
struct BasisScratch {
    Vec1<double> b, bp, bm, dl, dr;
};

// Weighted sum of squared residuals of the spline (knots, coef) at the data.
template <typename T, typename C>
double residualSquares(int n, const float* XS, const float* FS, const float* WS, int k,
                       const T* knots, int nc, const C* COEF, const BasisScratch& s) {
    Vec1<const float> xs(XS), fs(FS), ws(WS);
    Vec1<const C> coef(COEF);
    double sum = 0.0;
    int left = k;
    for (int i = 1; i <= n; ++i) {
        const double x = xs(i);
        left = advanceLeft(knots, nc, x, left);
        basisAt(knots, k, x, left, s.b, s.dl, s.dr);
        double v = 0.0;
        for (int j = 1; j <= k; ++j) v += double(coef(left - k + j)) * s.b(j);
        const double r = v - double(fs(i));
        sum += double(ws(i)) * r * r;
    }
    return sum;
}

// Symmetric positive band matrix, lower band by columns: entry (i, j), i >= j,
// at (i - j) + (j - 1) * (hb + 1). Cholesky in place; false when not positive.
struct SymBand {
    double* p;
    int size, hb;
    double& operator()(int i, int j) const {
        return p[std::ptrdiff_t(i - j) + std::ptrdiff_t(j - 1) * (hb + 1)];
    }
    void clear() const { std::fill(p, p + std::ptrdiff_t(size) * (hb + 1), 0.0); }
    bool cholesky() const {
        for (int j = 1; j <= size; ++j) {
            double d = (*this)(j, j);
            if (!(d > 0.0)) return false;
            d = std::sqrt(d);
            (*this)(j, j) = d;
            const int last = std::min(size, j + hb);
            for (int i = j + 1; i <= last; ++i) (*this)(i, j) /= d;
            for (int c = j + 1; c <= last; ++c) {
                const double lc = (*this)(c, j);
                if (lc == 0.0) continue;
                for (int i = c; i <= last; ++i) (*this)(i, c) -= (*this)(i, j) * lc;
            }
        }
        return true;
    }
    void solve(Vec1<double> b) const {  // b(1..size) in place
        for (int j = 1; j <= size; ++j) {
            b(j) /= (*this)(j, j);
            const int last = std::min(size, j + hb);
            for (int i = j + 1; i <= last; ++i) b(i) -= (*this)(i, j) * b(j);
        }
        for (int j = size; j >= 1; --j) {
            const int last = std::min(size, j + hb);
            double s = b(j);
            for (int i = j + 1; i <= last; ++i) s -= (*this)(i, j) * b(i);
            b(j) = s / (*this)(j, j);
        }
    }
};

// Weighted least-squares coefficients on the knots t by the normal equations
// in double; a coefficient whose B-spline meets no data (or only data that
// leave it undetermined) is 0. Returns the sum of squares.
double fitCoefficients(int n, const float* XS, const float* FS, const float* WS, int k,
                       const double* t, int nc, double* COEF, double* band, const BasisScratch& s) {
    Vec1<const float> xs(XS), fs(FS), ws(WS);
    Vec1<double> coef(COEF);
    const int hb = k - 1;
    SymBand q{band, nc, hb};
    q.clear();
    for (int j = 1; j <= nc; ++j) coef(j) = 0.0;
    int left = k;
    for (int i = 1; i <= n; ++i) {
        const double x = xs(i);
        left = advanceLeft(t, nc, x, left);
        basisAt(t, k, x, left, s.b, s.dl, s.dr);
        for (int a = 1; a <= k; ++a) {
            const int ca = left - k + a;
            const double wa = double(ws(i)) * s.b(a);
            coef(ca) += wa * double(fs(i));
            for (int b = a; b <= k; ++b) q(left - k + b, ca) += wa * s.b(b);
        }
    }
    // Columns without support are pinned to 0.
    double dmax = 0.0;
    for (int j = 1; j <= nc; ++j) dmax = std::max(dmax, q(j, j));
    for (int j = 1; j <= nc; ++j) {
        if (q(j, j) <= 1e-14 * dmax) {
            for (int i = j; i <= std::min(nc, j + hb); ++i) q(i, j) = 0.0;
            for (int c = std::max(1, j - hb); c < j; ++c) q(j, c) = 0.0;
            q(j, j) = 1.0;
            coef(j) = 0.0;
        }
    }
    if (!q.cholesky()) return std::numeric_limits<double>::infinity();
    q.solve(coef);
    return residualSquares(n, XS, FS, WS, k, t, nc, COEF, s);
}

// Separates runs of more than k equal knots. Returns 0 when none was found,
// 1 when they were separated and -1 when there was no room.
int separateStacks(float* knots, int count, int k) {
    Vec1<float> t(knots);
    int result = 0;
    int a = 1;
    while (a <= count) {
        int b = a;
        while (b < count && t(b + 1) == t(a)) ++b;
        const int length = b - a + 1;
        if (length > k) {
            result = 1;
            const int extra = length - k;
            const float v = t(a);
            if (b < count) {
                // Keep the first k at v, spread the others towards the next knot.
                const float u = t(b + 1);
                for (int j = 1; j <= extra; ++j) {
                    float p = float(double(v) + (double(u) - v) * 1e-3 * j / extra);
                    const float prev = t(a + k + j - 2);
                    if (!(p > prev)) p = std::nextafter(prev, u);
                    if (!(p > prev && p < u)) return -1;
                    t(a + k + j - 1) = p;
                }
            } else {
                // The right end: keep the last k at v, spread the others below.
                if (a == 1) return -1;
                const float w = t(a - 1);
                for (int j = extra; j >= 1; --j) {
                    float p = float(double(v) - (double(v) - w) * 1e-3 * (extra - j + 1) / extra);
                    const float next = t(a + j);
                    if (!(p < next)) p = std::nextafter(next, w);
                    if (!(p < next && p > w)) return -1;
                    t(a + j - 1) = p;
                }
            }
        }
        a = b + 1;
    }
    return result;
}

// The knot search's tuning. The damping mu applies to the knot variables only, relative to each
// one's own diagonal.
constexpr int kMaxAttempts = 200;      // steps tried, whether accepted or refused
constexpr int kMaxAcceptedSteps = 60;  // steps that lowered the sum of squares
constexpr int kMaxRowEntries = 64;     // entries of one row of the linearised problem
constexpr double kInitialDamping = 1e-4;
constexpr double kDampingGrowth = 5.0;  // mu's factor after a refused step or a failed factoring
constexpr double kDampingShrink = 3.0;  // mu's divisor after an accepted step
constexpr double kMinDamping = 1e-10;
constexpr double kMaxDamping = 1e8;            // a larger mu ends the search
constexpr double kCoefficientDamping = 1e-12;  // the coefficients' fixed damping
constexpr double kDiagonalFloor = 1e-14;       // relative to the largest diagonal of the same kind
// A knot's derivative is a central difference with this step, relative to the smaller of its
// gaps to the neighbouring knots.
constexpr double kKnotDifference = 1e-4;
constexpr double kKnotStepShare = 0.45;    // the share of the room to a neighbour a knot may move
constexpr double kNegligibleStep = 1e-12;  // relative to the data's span: ends the search
constexpr double kNegligibleGain = 1e-10;  // relative to the sum of squares: ends the search

// The state of one knot search: the data, the current spline and a trial one, and the normal
// equations of the linearised problem in the coefficients (variables 2p - 1) and the interior
// knots (variables 2q), all in the routine's workspace.
struct KnotSearch {
    int n, k, nc, nk, nvar;
    const float *XS, *FS, *WS;
    double *t, *trialT, *c, *trialC;
    Vec1<double> grad, step;
    SymBand normalEq;
    double* fitBand;
    BasisScratch s;
    double lower, upper;  // the data's first and last abscissa
    double rss;           // the current spline's weighted sum of squares
    double mu = kInitialDamping;
    int accepted = 0;
};

// The normal equations and the gradient of the linearised problem at the current spline. A
// knot's column is the central difference of the spline's value at each abscissa.
void assembleNormalEquations(KnotSearch& ks) {
    const int k = ks.k, nc = ks.nc;
    Vec1<const float> xs(ks.XS), fs(ks.FS), ws(ks.WS);
    Vec1<double> tv(ks.t), coef(ks.c);
    const BasisScratch& s = ks.s;
    ks.normalEq.clear();
    for (int v = 1; v <= ks.nvar; ++v) ks.grad(v) = 0.0;
    int left = k;
    int vars[kMaxRowEntries];
    double row[kMaxRowEntries];
    for (int i = 1; i <= ks.n; ++i) {
        const double x = xs(i);
        const double sw = std::sqrt(double(ws(i)));
        left = advanceLeft(ks.t, nc, x, left);
        basisAt(ks.t, k, x, left, s.b, s.dl, s.dr);
        int m = 0;
        double value = 0.0;
        for (int j = 1; j <= k; ++j) {
            value += coef(left - k + j) * s.b(j);
            vars[m] = 2 * (left - k + j) - 1;
            row[m++] = sw * s.b(j);
        }
        const double r = sw * (value - double(fs(i)));
        for (int q = std::max(k + 1, left - k + 2);
             q <= std::min(nc, left + k - 1) && m < kMaxRowEntries; ++q) {
            const double gap = std::min(tv(q) - tv(q - 1), tv(q + 1) - tv(q));
            if (!(gap > 0.0)) continue;
            const double h = kKnotDifference * gap;
            const double saved = tv(q);
            tv(q) = saved + h;
            basisAt(ks.t, k, x, left, s.bp, s.dl, s.dr);
            tv(q) = saved - h;
            basisAt(ks.t, k, x, left, s.bm, s.dl, s.dr);
            tv(q) = saved;
            double d = 0.0;
            for (int j = 1; j <= k; ++j) d += coef(left - k + j) * (s.bp(j) - s.bm(j));
            vars[m] = 2 * q;
            row[m++] = sw * d / (2.0 * h);
        }
        for (int a = 0; a < m; ++a) {
            ks.grad(vars[a]) += row[a] * r;
            for (int b = 0; b < m; ++b)
                if (vars[b] >= vars[a]) ks.normalEq(vars[b], vars[a]) += row[a] * row[b];
        }
    }
}

// Damps the normal equations, factors them and solves for the step. False when they are not
// positive definite.
bool dampAndSolve(KnotSearch& ks) {
    SymBand& normalEq = ks.normalEq;
    const int nvar = ks.nvar;
    // The floor of each diagonal is taken from the largest of its own kind: a coefficient's
    // entries carry no units, a knot's carry (Y / X)^2, and one floor for both would make
    // the steps depend on the units of the data.
    double dmax[2] = {0.0, 0.0};  // coefficients, knots
    for (int v = 1; v <= nvar; ++v) dmax[v % 2 == 0] = std::max(dmax[v % 2 == 0], normalEq(v, v));
    for (int v = 1; v <= nvar; ++v) {
        const bool knotVar = v % 2 == 0 && v / 2 > ks.k;
        if (v % 2 == 0 && !knotVar) {
            normalEq(v, v) = 1.0;  // no knot behind this variable
            ks.grad(v) = 0.0;
        } else {
            normalEq(v, v) += (knotVar ? ks.mu : kCoefficientDamping) * normalEq(v, v) +
                              kDiagonalFloor * dmax[knotVar];
        }
    }
    if (!normalEq.cholesky()) return false;
    for (int v = 1; v <= nvar; ++v) ks.step(v) = -ks.grad(v);
    normalEq.solve(ks.step);
    return true;
}

// More damping after a failure. False when the damping has grown too large to go on.
bool raiseDamping(KnotSearch& ks) {
    ks.mu *= kDampingGrowth;
    return !(ks.mu > kMaxDamping);
}

// The share of the step to take: each knot moves less than half way to either neighbour, so
// the knots stay ordered and strictly inside the data. None when the step is negligible.
std::optional<double> limitStep(const KnotSearch& ks) {
    Vec1<const double> tv(ks.t);
    const int k = ks.k, nc = ks.nc;
    double alpha = 1.0, largest = 0.0;
    for (int q = k + 1; q <= nc; ++q) {
        const double d = ks.step(2 * q);
        const double below = (q == k + 1 ? ks.lower : tv(q - 1)),
                     above = (q == nc ? ks.upper : tv(q + 1));
        const double room = d > 0 ? above - tv(q) : tv(q) - below;
        if (std::fabs(d) > kKnotStepShare * room)
            alpha = std::min(alpha, kKnotStepShare * room / std::fabs(d));
        largest = std::max(largest, std::fabs(d));
    }
    if (alpha * largest <= kNegligibleStep * (ks.upper - ks.lower)) return std::nullopt;
    return alpha;
}

// Moves the knots by alpha times the step and refits the coefficients; the trial spline
// replaces the current one when it lowers the sum of squares. False when the search ends.
bool tryStep(KnotSearch& ks, double alpha) {
    Vec1<const double> tv(ks.t);
    Vec1<double> tt(ks.trialT);
    std::copy(ks.t, ks.t + ks.nk, ks.trialT);
    for (int q = ks.k + 1; q <= ks.nc; ++q) tt(q) = tv(q) + alpha * ks.step(2 * q);
    const double trialRss = fitCoefficients(ks.n, ks.XS, ks.FS, ks.WS, ks.k, ks.trialT, ks.nc,
                                            ks.trialC, ks.fitBand, ks.s);
    if (!(trialRss < ks.rss)) return raiseDamping(ks);
    const bool small = ks.rss - trialRss <= kNegligibleGain * ks.rss;
    std::copy(ks.trialT, ks.trialT + ks.nk, ks.t);
    std::copy(ks.trialC, ks.trialC + ks.nc, ks.c);
    ks.rss = trialRss;
    ++ks.accepted;
    ks.mu = std::max(ks.mu / kDampingShrink, kMinDamping);
    return !small;
}

}  // namespace

void B3VLS(const int& NDATA, const float XS[], const float FS[], const float WS[],
           const int& KORDER, const int& NCOEF, float XKNOT[]) {
    RoutineScope scope("B3VLS");
    const int n = NDATA, k = KORDER, nc = NCOEF, nk = NCOEF + KORDER;
    const int nvar = 2 * nc;
    const int hb = std::max(1, 4 * k - 3);
    const std::ptrdiff_t need = 2 * std::ptrdiff_t(nk) + 2 * nc + 2 * std::ptrdiff_t(nvar) +
                                std::ptrdiff_t(hb + 1) * nvar + std::ptrdiff_t(k) * nc + 5 * k;
    Workspace<double> work(need);
    if (!work.ok()) {
        raiseNoWorkspace(1, n, nc, k);
        return;
    }
    double* t = work.get();
    double* trialT = t + nk;
    double* c = trialT + nk;
    double* trialC = c + nc;
    Vec1<double> grad(trialC + nc), step(grad.at(nvar + 1));
    double* normal = step.at(nvar + 1);
    double* fitBand = normal + std::ptrdiff_t(hb + 1) * nvar;
    double* basis = fitBand + std::ptrdiff_t(k) * nc;
    BasisScratch s{basis, basis + k, basis + 2 * k, basis + 3 * k, basis + 4 * k};

    Vec1<float> knot(XKNOT);
    Vec1<double> tv(t);
    for (int i = 1; i <= nk; ++i) tv(i) = knot(i);
    KnotSearch ks{.n = n,
                  .k = k,
                  .nc = nc,
                  .nk = nk,
                  .nvar = nvar,
                  .XS = XS,
                  .FS = FS,
                  .WS = WS,
                  .t = t,
                  .trialT = trialT,
                  .c = c,
                  .trialC = trialC,
                  .grad = grad,
                  .step = step,
                  .normalEq = {normal, nvar, hb},
                  .fitBand = fitBand,
                  .s = s,
                  .lower = XS[0],
                  .upper = XS[n - 1],
                  .rss = fitCoefficients(n, XS, FS, WS, k, t, nc, c, fitBand, s)};
    const double tiny = std::numeric_limits<double>::min();

    for (int attempt = 0;
         attempt < kMaxAttempts && ks.accepted < kMaxAcceptedSteps && ks.rss > tiny && nc > k;
         ++attempt) {
        assembleNormalEquations(ks);
        if (!dampAndSolve(ks)) {
            if (!raiseDamping(ks)) break;
            continue;
        }
        const std::optional<double> alpha = limitStep(ks);
        if (!alpha || !tryStep(ks, *alpha)) break;
    }

    for (int q = k + 1; q <= nc; ++q) knot(q) = float(tv(q));
    const int stacked = separateStacks(XKNOT, nk, k);
    if (stacked < 0) {
        E1MES(kFatal, 8,
              "THE KNOTS FOUND TO BE OPTIMAL ARE STACKED MORE THAN KORDER.  THIS INDICATES FEWER "
              "KNOTS WILL PRODUCE THE SAME ERROR SUM OF SQUARES.");
    } else if (stacked > 0) {
        E1MES(kWarning, 12,
              "THE KNOTS FOUND TO BE OPTIMAL ARE STACKED MORE THAN KORDER.  THIS INDICATES FEWER "
              "KNOTS WILL PRODUCE THE SAME ERROR SUM OF SQUARES.  THE KNOTS HAVE BEEN SEPARATED "
              "SLIGHTLY.");
    }
}

void B2VLS(const int& NDATA, const float XDATA[], const float FDATA[], const float WEIGHT[],
           const int& KORDER, const int& NCOEF, const float XGUESS[], float XKNOT[], float BSCOEF[],
           float& SSQ, float WK[], int IWK[]) {
    RoutineScope scope("B2VLS");
    const int n = NDATA, k = KORDER, nc = NCOEF;
    if (k < 1) {
        E1VALI(1, k);
        E1MES(kTerminal, 16, kOrderAtLeastOne);
        return;
    }
    if (nc <= k) {
        E1VALI(1, nc);
        E1VALI(2, k);
        E1MES(kTerminal, 17,
              "The number of coefficients must be larger than the order of the spline while "
              "NCOEF = %(I1) and KORDER = %(I2) are given.");
        return;
    }
    if (nc > n) {
        E1VALI(1, nc);
        E1VALI(2, n);
        E1MES(kTerminal, 18,
              "The number of coefficients must be at less than or equal to the number of data "
              "points while NCOEF = %(I1) and NDATA = %(I2) are given.");
        return;
    }
    if (!KnotsHold(XGUESS, "XGUESS", nc + k, k, 9, 10)) return;

    // WK: the fit's scratch, the sorted data it leaves, the guess's coefficients.
    const std::ptrdiff_t nd = n;
    float* lsq = WK;
    float* xs = lsq + std::ptrdiff_t(nc + 3) * k;
    float* fs = xs + nd;
    float* ws = fs + nd;
    float* guessCoef = ws + nd;
    B2LSQ(NDATA, XDATA, FDATA, WEIGHT, KORDER, XGUESS, NCOEF, guessCoef, lsq, xs, fs, ws, IWK);
    if (N1RTY(0) >= kFatal) return;

    Workspace<double> scratch(5 * std::ptrdiff_t(k));
    if (!scratch.ok()) {
        raiseNoWorkspace(19, n, nc, k);
        return;
    }
    double* sb = scratch.get();
    BasisScratch s{sb, sb + k, sb + 2 * k, sb + 3 * k, sb + 4 * k};
    const double guessSsq = residualSquares(n, xs, fs, ws, k, XGUESS, nc, guessCoef, s);

    std::copy(XGUESS, XGUESS + (nc + k), XKNOT);
    B3VLS(NDATA, xs, fs, ws, KORDER, NCOEF, XKNOT);
    if (N1RTY(0) >= kFatal) return;
    B2LSQ(NDATA, XDATA, FDATA, WEIGHT, KORDER, XKNOT, NCOEF, BSCOEF, lsq, xs, fs, ws, IWK);
    if (N1RTY(0) >= kFatal) return;
    const double ssq = residualSquares(n, xs, fs, ws, k, XKNOT, nc, BSCOEF, s);
    if (ssq <= guessSsq) {
        SSQ = float(ssq);
    } else {
        std::copy(XGUESS, XGUESS + (nc + k), XKNOT);
        std::copy(guessCoef, guessCoef + nc, BSCOEF);
        SSQ = float(guessSsq);
    }
}
