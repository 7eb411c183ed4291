// The SPLEZ workers of the methods beyond the cubic spline and the fixed-knot
// least squares: Akima (ITYPE 2), shape-preserving cubic (3), interpolating
// B-spline (4..8), smoothing spline (9) and optimised knots (13..15).
#include <algorithm>
#include <cstddef>

#include "akima.h"
#include "bspline_basis.h"
#include "bspline_eval.h"
#include "bspline_interp.h"
#include "errors.h"
#include "internal/abscissa_check.h"
#include "internal/bspline_steps.h"
#include "internal/caller_order.h"
#include "internal/views.h"
#include "machine.h"
#include "pp_eval.h"
#include "shape_cubic.h"
#include "smoothing.h"
#include "sort.h"
#include "splez.h"
#include "varknot_lsq.h"

namespace {

// The starting knots of the optimised-knot fit from the sorted abscissas x:
// every eighth abscissa inside, the ends as for the fixed-knot fit. Returns
// the number of coefficients.
int guessKnots(int ndata, int k, const float* sorted, float* xguess) {
    Vec1<const float> x(sorted);
    Vec1<float> t(xguess);
    int ncoef;
    if (ndata > 8) {
        const int d = ndata / 8, r = ndata % 8;
        for (int j = 1; j <= d - 1; ++j) t(k + j) = x(8 * j);
        if (r >= 1 && r <= 3) t(k + d) = x(8 * d - 4);
        if (r == 4 || r == 5) t(k + d) = x(8 * d - 1);
        if (r == 6 || r == 7) t(k + d) = x(8 * d);
        ncoef = (ndata - 1) / 8 + k;
    } else {
        // x(ndata div 2) would be the left end itself for three points.
        t(k + 1) = x(std::max(2, ndata / 2));
        ncoef = k + 1;
    }
    for (int j = 1; j <= k; ++j) {
        t(j) = x(1);
        t(ncoef + j) = EnlargedRightEnd(x(ndata));
    }
    return ncoef;
}

}  // namespace

void S4LEZ(const int& NDATA, const float XDATA[], const float FDATA[], const int& /*ITYPE*/,
           const int& IDER, const int& N, const float XVEC[], float VALUE[], float WK1[],
           float WK2[], float WK3[], int IWK[], SplezPoints points) {
    RoutineScope scope("S4LEZ");
    // Each fit keeps clear of the first N entries of the scratch and of IWK, where handed-on
    // points wait.
    C2AKM(NDATA, XDATA, FDATA, WK1, WK2, IWK + N);
    if (N1RTY(0) >= kFatal) return;
    EvaluateCubicPiecesInCallerOrder(IDER, N, XVEC, VALUE, NDATA - 1, WK1, WK2, WK3, IWK,
                                     points == SplezPoints::kHandedOn);
}

void S5LEZ(const int& NDATA, const float XDATA[], const float FDATA[], const int& /*ITYPE*/,
           const int& IDER, const int& N, const float XVEC[], float VALUE[], float WK1[],
           float WK2[], float WK3[], int IWK[], SplezPoints points) {
    RoutineScope scope("S5LEZ");
    const int itmax = 25;
    int nbreak = 0;
    C2CON(NDATA, XDATA, FDATA, itmax, WK1, WK2, nbreak, WK3 + N, IWK + N);
    if (N1RTY(0) >= kFatal) return;
    EvaluateCubicPiecesInCallerOrder(IDER, N, XVEC, VALUE, nbreak - 1, WK1, WK2, WK3, IWK,
                                     points == SplezPoints::kHandedOn);
}

void S6LEZ(const int& NDATA, const float XDATA[], const float FDATA[], const int& ITYPE,
           const int& IDER, const int& N, const float XVEC[], float VALUE[], float WK1[],
           float WK2[], float WK3[], int IWK[], SplezPoints points) {
    RoutineScope scope("S6LEZ");
    const int k = ITYPE - 2;
    float* bscoef = WK1;
    float* xknot = WK2;
    const std::ptrdiff_t nd = NDATA, n = N;
    Vec1<float> wk(WK3);
    B2NAK(NDATA, XDATA, k, xknot, wk.at(n + 1), IWK + n);
    if (N1RTY(0) >= kFatal) return;

    // Once the knots are built the scratch is reused, first for the interpolation ...
    const std::ptrdiff_t solver = static_cast<std::ptrdiff_t>(5 * k - 2) * nd;
    B2INT(NDATA, XDATA, FDATA, k, xknot, bscoef, wk.at(n + 1), wk.at(n + solver + 1),
          wk.at(n + solver + nd + 1), IWK + n);
    if (N1RTY(0) >= kFatal) return;

    // ... then for the evaluation on the sorted abscissas.
    EvaluateBSplineInCallerOrder(IDER, N, XVEC, VALUE, k, xknot, NDATA, bscoef, WK3, IWK,
                                 points == SplezPoints::kHandedOn);
}

void S7LEZ(const int& NDATA, const float XDATA[], const float FDATA[], const int& /*ITYPE*/,
           const int& IDER, const int& N, const float XVEC[], float VALUE[], float WK1[],
           float WK2[], float WK3[], int IWK[], SplezPoints points) {
    RoutineScope scope("S7LEZ");
    // The fit stays in the units it was computed in, where its derivatives are representable
    // whatever the data's units.
    PowerOfTwoUnits units;
    FitSmoothingSpline(NDATA, XDATA, FDATA, WK1, WK2, WK3 + N, IWK + N, &units);
    if (N1RTY(0) >= kFatal) return;
    EvaluateCubicPiecesInCallerOrder(IDER, N, XVEC, VALUE, NDATA - 1, WK1, WK2, WK3, IWK,
                                     points == SplezPoints::kHandedOn, units);
}

void S9LEZ(const int& NDATA, const float XDATA[], const float FDATA[], const int& K,
           const int& IDER, const int& N, const float XVEC[], float VALUE[], float WK1[],
           float WK2[], float WK3[], float WK4[], float WK5[], int IWK[], SplezPoints points) {
    RoutineScope scope("S9LEZ");
    float* bscoef = WK1;
    float* weight = WK2;
    float* xguess = WK3;
    float* xknot = WK4;
    float* fitScratch = WK5 + N;
    RSET(NDATA, 1.0f, weight, 1);
    SortWithPermutation(NDATA, XDATA, fitScratch, IWK + N);
    const int ncoef = guessKnots(NDATA, K, fitScratch, xguess);

    // The scratch is reused for the fit, then from its start for the evaluation.
    float ssq = 0.0f;
    B2VLS(NDATA, XDATA, FDATA, weight, K, ncoef, xguess, xknot, bscoef, ssq, fitScratch, IWK + N);
    if (N1RTY(0) >= kFatal) return;
    EvaluateBSplineInCallerOrder(IDER, N, XVEC, VALUE, K, xknot, ncoef, bscoef, WK5, IWK,
                                 points == SplezPoints::kHandedOn);
}
