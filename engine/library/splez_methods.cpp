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
#include "pp_eval.h"
#include "shape_cubic.h"
#include "smoothing.h"
#include "sort.h"
#include "splez.h"
#include "varknot_lsq.h"
#include "views.h"

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
           float WK2[], float WK3[], int IWK[]) {
    RoutineScope scope("S4LEZ");
    C2AKM(NDATA, XDATA, FDATA, WK1, WK2, IWK);
    if (N1RTY(0) >= kFatal) return;
    EvaluateCubicPiecesInCallerOrder(IDER, N, XVEC, VALUE, NDATA - 1, WK1, WK2, WK3, IWK);
}

void S5LEZ(const int& NDATA, const float XDATA[], const float FDATA[], const int& /*ITYPE*/,
           const int& IDER, const int& N, const float XVEC[], float VALUE[], float WK1[],
           float WK2[], float WK3[], int IWK[]) {
    RoutineScope scope("S5LEZ");
    const int itmax = 25;
    int nbreak = 0;
    C2CON(NDATA, XDATA, FDATA, itmax, WK1, WK2, nbreak, WK3, IWK);
    if (N1RTY(0) >= kFatal) return;
    EvaluateCubicPiecesInCallerOrder(IDER, N, XVEC, VALUE, nbreak - 1, WK1, WK2, WK3, IWK);
}

void S6LEZ(const int& NDATA, const float XDATA[], const float FDATA[], const int& ITYPE,
           const int& IDER, const int& N, const float XVEC[], float VALUE[], float WK1[],
           float WK2[], float WK3[], int IWK[]) {
    RoutineScope scope("S6LEZ");
    const int k = ITYPE - 2;
    float* bscoef = WK1;
    float* xknot = WK2;
    Vec1<float> wk(WK3);
    B2NAK(NDATA, XDATA, k, xknot, wk.at(1), IWK);
    if (N1RTY(0) >= kFatal) return;

    // Once the knots are built the scratch is reused from its start, first
    // for the interpolation ...
    const std::ptrdiff_t nd = NDATA;
    const std::ptrdiff_t solver = static_cast<std::ptrdiff_t>(5 * k - 2) * nd;
    B2INT(NDATA, XDATA, FDATA, k, xknot, bscoef, wk.at(1), wk.at(solver + 1),
          wk.at(solver + nd + 1), IWK);
    if (N1RTY(0) >= kFatal) return;

    // ... then for the evaluation on the sorted abscissas.
    EvaluateBSplineInCallerOrder(IDER, N, XVEC, VALUE, k, xknot, NDATA, bscoef, WK3, IWK);
}

void S7LEZ(const int& NDATA, const float XDATA[], const float FDATA[], const int& /*ITYPE*/,
           const int& IDER, const int& N, const float XVEC[], float VALUE[], float WK1[],
           float WK2[], float WK3[], int IWK[]) {
    RoutineScope scope("S7LEZ");
    C2SCV(NDATA, XDATA, FDATA, 0, WK1, WK2, WK3, IWK);
    if (N1RTY(0) >= kFatal) return;
    EvaluateCubicPiecesInCallerOrder(IDER, N, XVEC, VALUE, NDATA - 1, WK1, WK2, WK3, IWK);
}

void S9LEZ(const int& NDATA, const float XDATA[], const float FDATA[], const int& K,
           const int& IDER, const int& N, const float XVEC[], float VALUE[], float WK1[],
           float WK2[], float WK3[], float WK4[], float WK5[], int IWK[]) {
    RoutineScope scope("S9LEZ");
    float* bscoef = WK1;
    float* weight = WK2;
    float* xguess = WK3;
    float* xknot = WK4;
    for (int i = 0; i < NDATA; ++i) {
        weight[i] = 1.0f;
        IWK[i] = i + 1;
    }
    SVRGP(NDATA, XDATA, WK5, IWK);
    const int ncoef = guessKnots(NDATA, K, WK5, xguess);

    // The scratch is reused from its start for the fit, then for the evaluation.
    float ssq = 0.0f;
    B2VLS(NDATA, XDATA, FDATA, weight, K, ncoef, xguess, xknot, bscoef, ssq, WK5, IWK);
    if (N1RTY(0) >= kFatal) return;
    EvaluateBSplineInCallerOrder(IDER, N, XVEC, VALUE, K, xknot, ncoef, bscoef, WK5, IWK);
}
