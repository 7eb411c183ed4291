// Shape-preserving interpolating cubic spline: the spline of least curvature
// energy through the data whose second derivative keeps the sign of the
// data's curvature on each interval. Its second derivative is the projection
// of a broken line with corners at the data points, whose corner values solve
// a piecewise quadratic dual problem by Newton's method (L. D. Irvine,
// S. P. Marin and P. W. Smith, Constrained interpolation and smoothing,
// Constr. Approx. 2, 1986).
#include "shape_cubic.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "errors.h"
#include "internal/abscissa_check.h"
#include "internal/views.h"
#include "machine.h"
#include "sort.h"

namespace {

// What the second derivative may do on a data interval.
enum Kind : int { kStraight = 0, kConvex = 1, kConcave = 2, kFree = 3 };

// The part [t0, t1] of the unit interval on which the projection of the
// broken line L(t) = a(1 - t) + b t is L itself (elsewhere it is 0).
struct Active {
    double t0 = 0.0, t1 = 0.0;
    bool empty() const { return t1 <= t0; }
};

Active activePart(int kind, double a, double b) {
    if (kind == kFree) return {0.0, 1.0};
    if (kind == kStraight) return {};
    if (kind == kConcave) {
        a = -a;
        b = -b;
    }
    if (a > 0.0 && b > 0.0) return {0.0, 1.0};
    if (a <= 0.0 && b <= 0.0) return {};
    const double z = a / (a - b);
    return a > 0.0 ? Active{0.0, z} : Active{z, 1.0};
}

// Integrals over [t0, t1] of the products of L with the two hat pieces
// (1 - t) and t, of the hat pieces with each other, and of L squared.
struct Moments {
    double withLeft = 0, withRight = 0;  // int (1-t) L, int t L
    double ll = 0, lr = 0, rr = 0;       // int (1-t)^2, (1-t) t, t^2
    double square = 0;                   // int L^2
};

// The line at t, exactly 0 where it crosses zero (up to rounding).
double lineAt(double a, double b, double t) {
    const double v = a + (b - a) * t;
    return std::fabs(v) <= 1e-14 * std::max(std::fabs(a), std::fabs(b)) ? 0.0 : v;
}

// Integral over [t0, t1] of the product of two linear functions given by
// their end values; exact, and free of the cancellation of power moments on
// short subintervals.
double product(double w, double g0, double g1, double k0, double k1) {
    return w * (g0 * k0 / 3.0 + (g0 * k1 + g1 * k0) / 6.0 + g1 * k1 / 3.0);
}

// The moments over the whole interval, [+0, 1], where most intervals are active: product()
// term by term with t0 = +0 and t1 = 1, less the operations that cannot change a bit (a factor
// 1, w = 1, and the division by 3 of a term 0*l that is a signed zero or NaN already). Most of
// the divisions go, the results stay the same to the last bit.
Moments momentsOfWholeInterval(double a, double b) {
    const double l0 = lineAt(a, b, 0.0), l1 = lineAt(a, b, 1.0);
    Moments m;
    m.withLeft = l0 / 3.0 + (l1 + 0.0 * l0) / 6.0 + 0.0 * l1;
    m.withRight = 0.0 * l0 + (0.0 * l1 + l0) / 6.0 + l1 / 3.0;
    m.ll = 1.0 / 3.0;
    m.lr = 1.0 / 6.0;
    m.rr = 1.0 / 3.0;
    m.square = product(1.0, l0, l1, l0, l1);
    return m;
}

// Whether the active part is the whole interval, [+0, 1].
bool whole(const Active& act) { return act.t0 == 0.0 && !std::signbit(act.t0) && act.t1 == 1.0; }

Moments moments(const Active& act, double a, double b) {
    if (whole(act)) return momentsOfWholeInterval(a, b);
    Moments m;
    if (act.empty()) return m;
    const double t0 = act.t0, t1 = act.t1, w = t1 - t0;
    const double l0 = lineAt(a, b, t0), l1 = lineAt(a, b, t1);
    m.withLeft = product(w, 1.0 - t0, 1.0 - t1, l0, l1);
    m.withRight = product(w, t0, t1, l0, l1);
    m.ll = product(w, 1.0 - t0, 1.0 - t1, 1.0 - t0, 1.0 - t1);
    m.lr = product(w, 1.0 - t0, 1.0 - t1, t0, t1);
    m.rr = product(w, t0, t1, t0, t1);
    m.square = product(w, l0, l1, l0, l1);
    return m;
}

// moments(act, a, b).square alone, computed the same way.
double squareMoment(const Active& act, double a, double b) {
    if (whole(act)) {
        const double l0 = lineAt(a, b, 0.0), l1 = lineAt(a, b, 1.0);
        return product(1.0, l0, l1, l0, l1);
    }
    if (act.empty()) return 0.0;
    const double l0 = lineAt(a, b, act.t0), l1 = lineAt(a, b, act.t1);
    return product(act.t1 - act.t0, l0, l1, l0, l1);
}

// The sorted data: x(1..n) increasing, f(1..n).
struct Data {
    int n;
    Vec1<const float> x, f;
    double h(int i) const { return double(x(i + 1)) - double(x(i)); }  // x(i+1) - x(i)
    double chord(int i) const { return (double(f(i + 1)) - double(f(i))) / h(i); }
};

// The dual problem on the sorted data: unknown corner values lam(2..n-1) of
// the broken line (0 at both ends), one constraint per interior point.
struct Dual : Data {
    Vec1<const int> kinds;    // kinds(1..n-1) of the intervals
    Vec1<const double> curv;  // curv(2..n-1): the jumps of the chord slopes
    bool unconstrained;       // every interval free: the natural spline
    int kind(int i) const { return unconstrained ? kFree : kinds(i); }

    // The objective; with `derivatives` also grad(2..n-1) and the tridiagonal Hessian, diagonal
    // diag(2..n-1) and off-diagonal off(2..n-2), which are left alone otherwise (a trial point
    // of the line search needs the objective only).
    double evaluate(Vec1<const double> lam, Vec1<double> grad, bool derivatives, Vec1<double> diag,
                    Vec1<double> off) const {
        double phi = 0.0;
        for (int j = 2; j <= n - 1; ++j) {
            phi -= lam(j) * curv(j);
            if (derivatives) {
                grad(j) = -curv(j);
                diag(j) = off(j) = 0.0;
            }
        }
        for (int i = 1; i <= n - 1; ++i) {
            const double a = lam(i), b = lam(i + 1);
            const double w = h(i);
            const Active act = activePart(kind(i), a, b);
            if (!derivatives) {
                phi += 0.5 * w * squareMoment(act, a, b);
                continue;
            }
            const Moments m = moments(act, a, b);
            phi += 0.5 * w * m.square;
            if (i >= 2) grad(i) += w * m.withLeft;
            if (i + 1 <= n - 1) grad(i + 1) += w * m.withRight;
            if (i >= 2) diag(i) += w * m.ll;
            if (i + 1 <= n - 1) diag(i + 1) += w * m.rr;
            if (i >= 2 && i + 1 <= n - 1) off(i) += w * m.lr;  // (i, i+1)
        }
        return phi;
    }
};

double maxAbs(Vec1<const double> v, int from, int to) {
    double m = 0.0;
    for (int j = from; j <= to; ++j) m = std::max(m, std::fabs(v(j)));
    return m;
}

// Solves the symmetric tridiagonal system (diag, off) d = -g for j = 2..n-1.
void solveTridiagonal(int n, Vec1<double> diag, Vec1<const double> off, Vec1<const double> g,
                      Vec1<double> d) {
    // Forward elimination on copies held in diag and d.
    for (int j = 2; j <= n - 1; ++j) d(j) = -g(j);
    for (int j = 3; j <= n - 1; ++j) {
        const double m = off(j - 1) / diag(j - 1);
        diag(j) -= m * off(j - 1);
        d(j) -= m * d(j - 1);
    }
    for (int j = n - 1; j >= 2; --j) {
        if (j < n - 1) d(j) -= off(j) * d(j + 1);
        d(j) /= diag(j);
    }
}

// Step 1 on the sorted data: the curvature curv(2..n-1) at each interior
// point and what the second derivative may do on each interval, kinds(1..n-1).
void classifyIntervals(const Data& d, double eps, Vec1<double> curv, Vec1<int> kinds) {
    const int n = d.n;
    Vec1<const float> f = d.f;
    // Curvature of the data at each interior point: the jump of the chord
    // slopes, taken as 0 when it is within the rounding of the data.
    for (int j = 2; j <= n - 1; ++j) {
        const double jump = d.chord(j) - d.chord(j - 1);
        const double noise = 8.0 * eps *
                             ((std::fabs(f(j - 1)) + std::fabs(f(j))) / d.h(j - 1) +
                              (std::fabs(f(j)) + std::fabs(f(j + 1))) / d.h(j) +
                              std::fabs(d.chord(j)) + std::fabs(d.chord(j - 1)));
        curv(j) = std::fabs(jump) <= noise ? 0.0 : jump;
    }
    auto sign = [&](int j) { return curv(j) > 0.0 ? 1 : (curv(j) < 0.0 ? -1 : 0); };
    // What the second derivative may do on each interval, from the curvature
    // signs at its two ends (an end interval has only one).
    for (int i = 1; i <= n - 1; ++i) {
        const int left = i >= 2 ? sign(i) : sign(i + 1);
        const int right = i + 1 <= n - 1 ? sign(i + 1) : sign(i);
        if (left * right < 0) {
            kinds(i) = kFree;
        } else if (left > 0 || right > 0) {
            kinds(i) = kConvex;
        } else if (left < 0 || right < 0) {
            kinds(i) = kConcave;
        } else {
            kinds(i) = kStraight;
        }
    }
    // A point without curvature between two intervals that may bend one way
    // only (or not at all) forces both to be straight: the second derivative
    // cannot balance there. The spline is then C1 where such a straight
    // stretch meets a bend.
    for (int j = 2; j <= n - 1; ++j) {
        if (sign(j) != 0) continue;
        const int l = kinds(j - 1), r = kinds(j);
        const bool oneWay = (l != kConcave && r != kConcave) || (l != kConvex && r != kConvex);
        if (l != kFree && r != kFree && oneWay) kinds(j - 1) = kinds(j) = kStraight;
    }
    // A bend between two straight stretches is a corner: no spline with a
    // continuous slope keeps both stretches straight and the bend one-sided,
    // so the slope is let jump there.
    for (int j = 2; j <= n - 1; ++j) {
        if (kinds(j - 1) == kStraight && kinds(j) == kStraight) curv(j) = 0.0;
    }
}

// The scratch of the Newton iteration, n entries each.
struct NewtonScratch {
    Vec1<double> grad, diag, off, step, trial;
};

// Step 2: Newton's method with backtracking on the dual problem, from the
// natural spline, for at most itmax steps. lam(1..n) receives the corner
// values of the broken line. Returns whether the constraints are met.
bool solveDual(const Dual& dual, int itmax, double eps, Vec1<double> lam, const NewtonScratch& w) {
    const int n = dual.n;
    Vec1<double> grad = w.grad, diag = w.diag, off = w.off, step = w.step, trial = w.trial;
    // Start from the natural spline, whose second derivative is the broken
    // line itself.
    for (int j = 1; j <= n; ++j) lam(j) = 0.0;
    {
        Dual natural = dual;
        natural.unconstrained = true;
        natural.evaluate(lam, grad, true, diag, off);
        solveTridiagonal(n, diag, off, grad, step);
        for (int j = 2; j <= n - 1; ++j) lam(j) = step(j);
    }

    const double scale = maxAbs(dual.curv, 2, n - 1);
    // The constraints are the jumps of the slope at the data points; they are
    // met once those jumps are below what single precision resolves in the
    // slopes.
    double slopes = 0.0;
    for (int i = 1; i <= n - 1; ++i) slopes = std::max(slopes, std::fabs(dual.chord(i)));
    const double tolerance = eps * (slopes + scale);
    double phi = dual.evaluate(lam, grad, true, diag, off);
    bool stalled = false;
    for (int iter = 1; iter <= itmax && scale > 0.0; ++iter) {
        if (maxAbs(grad, 2, n - 1) <= tolerance) break;
        // A row whose broken line is projected away on both sides has no
        // curvature; a small ridge keeps its Newton step finite.
        for (int j = 2; j <= n - 1; ++j) diag(j) += 1e-12 * (dual.h(j - 1) + dual.h(j));
        solveTridiagonal(n, diag, off, grad, step);
        double slope = 0.0;
        for (int j = 2; j <= n - 1; ++j) slope += grad(j) * step(j);
        // Backtracking on the convex objective keeps every step a descent.
        double alpha = 1.0, trialPhi = phi;
        bool accepted = false;
        for (int halving = 0; halving < 60 && slope < 0.0; ++halving, alpha *= 0.5) {
            trial(1) = trial(n) = 0.0;
            for (int j = 2; j <= n - 1; ++j) trial(j) = lam(j) + alpha * step(j);
            trialPhi = dual.evaluate(trial, grad, false, diag, off);
            if (trialPhi <= phi + 1e-4 * alpha * slope) {
                accepted = true;
                break;
            }
        }
        if (!accepted) {
            // No further decrease within rounding: the optimum is reached.
            dual.evaluate(lam, grad, true, diag, off);
            stalled = true;
            break;
        }
        std::copy(trial.at(1), trial.at(n + 1), lam.at(1));
        phi = dual.evaluate(lam, grad, true, diag, off);
        if (alpha < 0x1p-30) {
            stalled = true;  // the objective no longer moves within rounding
            break;
        }
    }
    // The iterates only ever lower the objective, so the last one is the
    // best answer when the iteration limit is reached.
    const double residual = scale > 0.0 ? maxAbs(grad, 2, n - 1) : 0.0;
    if (scale == 0.0) {
        for (int j = 1; j <= n; ++j) lam(j) = 0.0;
    }
    return residual <= tolerance || (stalled && residual <= 8.0 * tolerance);
}

// Step 3: the breakpoints brk(1..nb) and the coefficients c(1..4, 1..nb) of
// the spline from the corner values lam(1..n). Returns nb.
int writePieces(const Dual& dual, Vec1<const double> lam, Vec1<float> brk, Mat1<float> c) {
    const int n = dual.n;
    Vec1<const float> x = dual.x, f = dual.f;
    // Pieces: on each interval the cubic with the projected broken line as
    // second derivative that takes the data values at both ends, split where
    // the projection switches between the line and 0.
    int nb = 0;
    for (int i = 1; i <= n - 1; ++i) {
        const double a = lam(i), b = lam(i + 1);
        const double w = dual.h(i);
        Active act = activePart(dual.kind(i), a, b);
        // A switch too close to an end to be a breakpoint of its own is moved
        // onto that end.
        auto snap = [&](double& t) {
            const float at = float(double(x(i)) + t * w);
            if (at <= x(i)) t = 0.0;
            if (at >= x(i + 1)) t = 1.0;
        };
        if (!act.empty()) {
            snap(act.t0);
            snap(act.t1);
        }
        // int_0^t (t - r) u(r) dr and int_0^t u(r) dr, in units of the interval.
        auto integrals = [&](double t, double& w2, double& w1) {
            Active part{std::max(0.0, act.t0), std::min(t, act.t1)};
            if (act.empty() || part.empty()) {
                w2 = w1 = 0.0;
                return;
            }
            const double span = part.t1 - part.t0;
            const double l0 = lineAt(a, b, part.t0), l1 = lineAt(a, b, part.t1);
            w1 = 0.5 * span * (l0 + l1);
            w2 = product(span, t - part.t0, t - part.t1, l0, l1);
        };
        double w2End = 0.0, w1End = 0.0;
        integrals(1.0, w2End, w1End);
        const double slope0 = dual.chord(i) - w * w2End;

        double cuts[3] = {0.0, 0.0, 1.0};
        int ncut = 1;
        if (!act.empty()) {
            if (act.t0 > 0.0) cuts[ncut++] = act.t0;
            if (act.t1 < 1.0) cuts[ncut++] = act.t1;
        }
        cuts[ncut] = 1.0;
        for (int p = 0; p < ncut; ++p) {
            const double ta = cuts[p], tb = cuts[p + 1];
            double w2 = 0.0, w1 = 0.0;
            integrals(ta, w2, w1);
            ++nb;
            brk(nb) = p == 0 ? x(i) : float(double(x(i)) + ta * w);
            const double mid = 0.5 * (ta + tb);
            const bool onLine = !act.empty() && mid >= act.t0 && mid <= act.t1;
            const double ua = onLine ? a + (b - a) * ta : 0.0;
            const double ub = onLine ? a + (b - a) * tb : 0.0;
            c(1, nb) = p == 0 ? f(i) : float(double(f(i)) + slope0 * ta * w + w * w * w2);
            c(2, nb) = float(slope0 + w * w1);
            c(3, nb) = float(ua);
            c(4, nb) = float((ub - ua) / ((tb - ta) * w));
        }
    }
    ++nb;
    brk(nb) = x(n);
    c(1, nb) = f(n);
    c(2, nb) = 0.0f;
    c(3, nb) = 0.0f;
    c(4, nb) = 0.0f;
    return nb;
}

}  // namespace

void C2CON(const int& NDATA, const float XDATA[], const float FDATA[], const int& ITMAX,
           float BREAK[], float CSCOEF[], int& NBREAK, float WK[], int IWK[]) {
    RoutineScope scope("C2CON");
    const int n = NDATA;
    if (n < 3) {
        E1VALI(1, n);
        E1MES(kTerminal, 1,
              "The number of data points must be at least 3 while NDATA = %(I1) is given.");
    }
    if (ITMAX < 2) {
        E1VALI(1, ITMAX);
        E1MES(kTerminal, 2,
              "The maximum number of iterations must be at least 2 while ITMAX = %(I1) is "
              "given.");
    }
    if (N1RTY(0) >= kFatal) return;

    // Sorted data: x in WK(1..n), f in WK(n+1..2n).
    const std::ptrdiff_t nd = n;
    Vec1<const float> fd(FDATA);
    Vec1<float> x(WK), f(WK + nd);
    Vec1<int> iwk(IWK);
    const AbscissaFault fault =
        SortDistinctAbscissas(NDATA, XDATA, WK, IWK, AbscissaOrder::kCopyIfAscending);
    if (fault) {
        RaiseAbscissaFault(fault, kFatal, 3);
        return;
    }
    for (int j = 1; j <= n; ++j) f(j) = fd(iwk(j));

    Workspace<double> work(7 * nd);
    if (!work.ok()) {
        E1VALI(1, n);
        E1MES(kTerminal, 4,
              "The required storage cannot be allocated.  Workspace allocation is based on "
              "NDATA = %(I1).");
        return;
    }
    double* const first = work.get();
    Vec1<double> curv(first), lam(first + nd), grad(first + 2 * nd), diag(first + 3 * nd),
        off(first + 4 * nd), step(first + 5 * nd), trial(first + 6 * nd);

    Vec1<int> kinds(IWK);  // the permutation is no longer needed
    const double eps = AMACH(4);
    const Data data{n, x, f};
    classifyIntervals(data, eps, curv, kinds);
    const Dual dual{data, kinds, curv, false};
    const bool converged = solveDual(dual, ITMAX, eps, lam, {grad, diag, off, step, trial});
    NBREAK = writePieces(dual, lam, Vec1<float>(BREAK), Mat1<float>(CSCOEF, 4));

    if (!converged) {
        E1VALI(1, ITMAX);
        E1MES(kWarning, 16,
              "The maximum number of iterations was reached in Newton's Method.  The best answer "
              "will be returned.  ITMAX = %(I1) was used, a larger value may help.");
    }
}
