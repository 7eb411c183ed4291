// Weighted least-squares fit of a B-spline with given order and knots through banded normal
// equations (de Boor, A Practical Guide to Splines, L2APPR, BCHFAC and BCHSLV), and the SPLEZ
// worker for ITYPE 10 to 12 that places the knots and evaluates the fit.
#include "bspline_lsq.h"

#include <algorithm>
#include <cstddef>

#include "bspline_basis.h"
#include "bspline_eval.h"
#include "errors.h"
#include "internal/abscissa_check.h"
#include "internal/bspline_steps.h"
#include "internal/caller_order.h"
#include "internal/views.h"
#include "machine.h"
#include "sort.h"
#include "splez.h"

namespace {

// Knots from the sorted abscissas x(1..NDATA): K-fold ends at x(1) and x_R, and an interior knot
// at every fourth abscissa, the last one moved to x(4M-2) or x(4M-1) when NDATA is not a multiple
// of 4.
void placeKnots(int ndata, int k, const float sorted[], float XKNOT[]) {
    Vec1<const float> x(sorted);
    Vec1<float> t(XKNOT);
    const int m = ndata / 4;
    const int r = ndata % 4;
    for (int j = 1; j <= k; ++j) t(j) = x(1);
    for (int j = 1; j <= m - 1; ++j) t(k + j) = x(4 * j);
    if (r == 1) t(k + m) = x(4 * m - 2);
    if (r == 2 || r == 3) t(k + m) = x(4 * m - 1);
    const int ncoef = (ndata - 1) / 4 + k;
    const float xr = EnlargedRightEnd(x(ndata));
    for (int j = ncoef + 1; j <= ncoef + k; ++j) t(j) = xr;
}

// Adds every point's row of the weighted observation matrix to the banded normal equations Q
// (k x NCOEF, column-major) and its right side to BSCOEF. K is the order when known where the
// code is compiled, 0 for the order k at run time; the operations are the same either way.
template <int K>
void accumulateNormalEquations(int ndata, const float XS[], const float FS[], const float WS[],
                               int korder, const float XKNOT[], int ncoef, float BSCOEF[],
                               float Q[], float WKB[]) {
    const int k = K > 0 ? K : korder;
    Vec1<const float> x(XS), f(FS), w(WS), t(XKNOT);
    Mat1<float> qm(Q, k);
    Vec1<float> a(BSCOEF);
    // A known order keeps the basis values in local storage, free of any alias with the
    // caller's arrays.
    float local[K > 0 ? K : 1];
    float* b = K > 0 ? local : WKB;
    float* dl = WKB + k;
    float* dr = WKB + 2 * k;
    Vec1<const float> bv(b);
    int left = k;
    for (int i = 1; i <= ndata; ++i) {
        while (left < ncoef && t(left + 1) <= x(i)) ++left;
        // A point on the closing end of the basic interval belongs to the last knot interval of
        // positive length; only there is the recurrence free of a zero denominator.
        int use = left;
        while (use > k && t(use + 1) == t(use)) --use;
        if (t(use + 1) == t(use)) continue;  // empty basic interval: the point meets no B-spline
        BasisValues<K>(XKNOT, k, x(i), use, b, dl, dr);
        const float wi = w(i);
        const float fi = f(i);
#pragma GCC unroll 8
        for (int j = 1; j <= k; ++j) {
            const int c = use - k + j;
            const float dw = wi * bv(j);
            a(c) += dw * fi;
            Vec1<float> column(qm.at(1, c));
#pragma GCC unroll 8
            for (int r = 1; r <= k - j + 1; ++r) column(r) += dw * bv(j + r - 1);
        }
    }
}

// B2LSQ, on the sorted copy XS(1..NDATA) of the abscissas with its permutation IWK when
// sortedAlready (the checks still come first), or sorting them itself.
void leastSquaresFit(int NDATA, const float XDATA[], const float FDATA[], const float WEIGHT[],
                     int KORDER, const float XKNOT[], int NCOEF, float BSCOEF[], float WK[],
                     float XS[], float FS[], float WS[], int IWK[], bool sortedAlready) {
    RoutineScope scope("B2LSQ ");
    Vec1<const float> w(WEIGHT);
    if (!OrderAndCountHold(KORDER, NCOEF, 2, kCoefficientsAtLeastOrder)) return;
    if (NDATA < NCOEF) {
        E1VALI(1, NCOEF);
        E1VALI(2, NDATA);
        E1MES(kTerminal, 3,
              "The number of coefficients must be less than or equal to the number of data "
              "points while NCOEF = %(I1) and NDATA = %(I2) are given.");
        return;
    }
    if (!KnotsHold(XKNOT, "XKNOT", NCOEF + KORDER, KORDER, 5, 6)) return;
    for (int i = 1; i <= NDATA; ++i) {
        if (w(i) <= 0.0f) {
            E1VALI(1, i);
            E1VALR(1, w(i));
            E1MES(kFatal, 7,
                  "All elements of the argument WEIGHT must be greater than zero, but "
                  "WEIGHT(%(I1)) = %(R1).");
            return;
        }
    }

    if (!sortedAlready) SortWithPermutation(NDATA, XDATA, XS, IWK);
    Vec1<const int> perm(IWK);
    Vec1<const float> f(FDATA);
    Vec1<float> fs(FS), ws(WS);
    for (int j = 1; j <= NDATA; ++j) {
        fs(j) = f(perm(j));
        ws(j) = w(perm(j));
    }
    Vec1<float> wk(WK);
    B4LSQ(NDATA, XS, FS, WS, KORDER, XKNOT, NCOEF, BSCOEF, wk.at(1),
          wk.at(static_cast<std::ptrdiff_t>(NCOEF) * KORDER + 1));
}

}  // namespace

void S8LEZ(const int& NDATA, const float XDATA[], const float FDATA[], const int& K,
           const int& IDER, const int& N, const float XVEC[], float VALUE[], float BSCOEF[],
           float WEIGHT[], float XKNOT[], float WK[], int IWK[], SplezPoints points) {
    RoutineScope scope("S8LEZ");
    RSET(NDATA, 1.0f, WEIGHT, 1);
    // The scratch holds the evaluation points, the data sorted by abscissa and the fit's band
    // matrix; the data's permutation follows the points' in IWK. The knots and the fit share the
    // one sorted copy.
    Vec1<float> wk(WK);
    const std::ptrdiff_t nd = NDATA, n = N;
    float* xs = wk.at(n + 1);
    int* order = IWK + n;
    if (points == SplezPoints::kAsGiven) SortWithPermutation(NDATA, XDATA, xs, order);
    placeKnots(NDATA, K, xs, XKNOT);
    const int ncoef = (NDATA - 1) / 4 + K;
    leastSquaresFit(NDATA, XDATA, FDATA, WEIGHT, K, XKNOT, ncoef, BSCOEF, wk.at(n + 3 * nd + 1), xs,
                    wk.at(n + nd + 1), wk.at(n + 2 * nd + 1), order, true);
    if (N1RTY(0) >= kFatal) return;
    EvaluateBSplineInCallerOrder(IDER, N, XVEC, VALUE, K, XKNOT, ncoef, BSCOEF, WK, IWK,
                                 points == SplezPoints::kHandedOn);
}

void B2LSQ(const int& NDATA, const float XDATA[], const float FDATA[], const float WEIGHT[],
           const int& KORDER, const float XKNOT[], const int& NCOEF, float BSCOEF[], float WK[],
           float XS[], float FS[], float WS[], int IWK[]) {
    leastSquaresFit(NDATA, XDATA, FDATA, WEIGHT, KORDER, XKNOT, NCOEF, BSCOEF, WK, XS, FS, WS, IWK,
                    false);
}

void B4LSQ(const int& NDATA, const float XS[], const float FS[], const float WS[],
           const int& KORDER, const float XKNOT[], const int& NCOEF, float BSCOEF[], float Q[],
           float WKB[]) {
    RoutineScope scope("B4LSQ ");
    const int k = KORDER;
    Vec1<const float> x(XS), f(FS), w(WS), t(XKNOT);
    if (t(k) > x(1)) {
        E1VALR(1, x(1));
        E1VALR(2, t(k));
        E1MES(kFatal, 8,
              "The smallest element in XDATA must be greater than or equal to XKNOT(KORDER) while "
              "the smallest element in XDATA = %(R1) and XKNOT(KORDER) = %(R2).");
        return;
    }
    if (x(NDATA) > t(NCOEF + 1)) {
        E1VALR(1, x(NDATA));
        E1VALR(2, t(NCOEF + 1));
        E1MES(kFatal, 9,
              "The largest element in XDATA must be less than or equal to XKNOT(NCOEF+1) while the "
              "largest element in XDATA = %(R1) and XKNOT(NCOEF+1) = %(R2).");
        return;
    }

    std::fill(Q, Q + static_cast<std::ptrdiff_t>(k) * NCOEF, 0.0f);
    std::fill(BSCOEF, BSCOEF + NCOEF, 0.0f);
    if (k == 4)
        accumulateNormalEquations<4>(NDATA, XS, FS, WS, k, XKNOT, NCOEF, BSCOEF, Q, WKB);
    else
        accumulateNormalEquations<0>(NDATA, XS, FS, WS, k, XKNOT, NCOEF, BSCOEF, Q, WKB);
    BANDCHOL(Q, k, NCOEF);
    BANDSOLVE(Q, k, NCOEF, BSCOEF);
}

void BANDCHOL(float Q[], const int& KORDER, const int& NCOEF) {
    Mat1<float> q(Q, KORDER);
    if (NCOEF <= 1) {
        if (q(1, 1) > 0.0f) q(1, 1) = 1.0f / q(1, 1);
        return;
    }
    const float tiny = 1.0f / AMACH(2);
    for (int n = 1; n <= NCOEF; ++n) {
        if (q(1, n) <= tiny) {
            for (int r = 1; r <= KORDER; ++r) q(r, n) = 0.0f;
            continue;
        }
        q(1, n) = 1.0f / q(1, n);
        const int imax = std::min(KORDER - 1, NCOEF - n);
        for (int i = 1; i <= imax; ++i) {
            const float ratio = q(i + 1, n) * q(1, n);
            for (int j = 1; j <= imax - i + 1; ++j) q(j, n + i) -= q(j + i, n) * ratio;
            q(i + 1, n) = ratio;
        }
    }
}

void BANDSOLVE(const float Q[], const int& KORDER, const int& NCOEF, float B[]) {
    Mat1<const float> q(Q, KORDER);
    Vec1<float> b(B);
    if (NCOEF <= 1) {
        b(1) = b(1) * q(1, 1);
        return;
    }
    for (int n = 1; n <= NCOEF; ++n) {
        const int jmax = std::min(KORDER - 1, NCOEF - n);
        for (int j = 1; j <= jmax; ++j) b(n + j) -= q(j + 1, n) * b(n);
    }
    for (int n = NCOEF; n >= 1; --n) {
        b(n) = b(n) * q(1, n);
        const int jmax = std::min(KORDER - 1, NCOEF - n);
        for (int j = 1; j <= jmax; ++j) b(n) -= q(j + 1, n) * b(n + j);
    }
}
