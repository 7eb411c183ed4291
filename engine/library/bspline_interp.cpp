// Interpolating B-splines: not-a-knot knots, the Schoenberg-Whitney checks and
// the banded collocation system (de Boor, A Practical Guide to Splines,
// SPLINT).
#include "bspline_interp.h"

#include <algorithm>
#include <cstddef>

#include "band_solver.h"
#include "bspline_basis.h"
#include "bspline_eval.h"
#include "errors.h"
#include "internal/abscissa_check.h"
#include "internal/bspline_steps.h"
#include "internal/views.h"
#include "machine.h"
#include "sort.h"

namespace {

// The B2INT checks of the data against the knots; they push no name of their
// own. Returns false after raising the first failure.
bool dataFitKnots(int n, const float* xs, int k, const float* knots) {
    Vec1<const float> x(xs), t(knots);
    E1VALL(1, "X");
    E1VALL(2, "KORDER");
    E1VALL(3, "NDATA");
    if (k < 1) {
        E1VALI(1, k);
        E1MES(kTerminal, 10,
              "The order of the spline in the %(L1) direction must be at least 1 while %(L2) = "
              "%(I1) is given.");
        return false;
    }
    if (n < k) {
        E1VALI(1, n);
        E1VALI(2, k);
        E1MES(kTerminal, 11,
              "The number of data points in the %(L1) direction must be at least as large as the "
              "order of the spline in the %(L1) direction while %(L3) = %(I1) and %(L2) = %(I2) "
              "are given.");
        return false;
    }
    if (!KnotsHold(knots, "XKNOT", n + k, k, 13, 14)) return false;
    // Schoenberg-Whitney: each abscissa inside the support of its B-spline.
    if (!(t(1) <= x(1) && x(1) < t(1 + k))) {
        E1VALI(2, 1 + k);
        E1VALR(1, x(1));
        E1VALR(2, t(1));
        E1VALR(3, t(1 + k));
        E1MES(kFatal, 17,
              "The smallest element in %(L1)DATA must be greater than or equal to %(L1)KNOT(1) and "
              "less than %(L1)KNOT(1+%(L2)) while %(L1)DATA(1) = %(R1), %(L1)KNOT(1) = %(R2), "
              "%(L1)KNOT(%(I2)) = %(R3) are given.  This causes the interpolation matrix to be "
              "singular.");
        return false;
    }
    for (int i = 2; i <= n - 1; ++i) {
        if (!(t(i) < x(i) && x(i) < t(i + k))) {
            E1VALI(1, i);
            E1VALI(2, i + k);
            E1VALR(1, x(i));
            E1VALR(2, t(i));
            E1VALR(3, t(i + k));
            E1MES(kFatal, 15,
                  "The Ith smallest element (I=%(I1)) in %(L1)DATA must be in the interval "
                  "(%(L1)KNOT(I),%(L1)KNOT(I+%(L2))) while %(L1)DATA(%(I1)) = %(R1), "
                  "%(L1)KNOT(%(I1)) = %(R2), %(L1)KNOT(%(I2)) = %(R3) are given.  This causes the "
                  "interpolation matrix to be singular.");
            return false;
        }
    }
    if (!(t(n) < x(n) && x(n) <= t(n + k))) {
        E1VALI(2, n + k);
        E1VALR(1, x(n));
        E1VALR(2, t(n));
        E1VALR(3, t(n + k));
        E1MES(kFatal, 16,
              "The largest element in %(L1)DATA must be greater than %(L1)KNOT(NDATA) and less "
              "than or equal to %(L1)KNOT(NDATA+%(L2)) while %(L1)DATA(NDATA) = %(R1), "
              "%(L1)KNOT(NDATA) = %(R2), %(L1)KNOT(%(I2)) = %(R3) are given.  This causes the "
              "interpolation matrix to be singular.");
        return false;
    }
    return true;
}

}  // namespace

void B2NAK(const int& NDATA, const float XDATA[], const int& KORDER, float XKNOT[], float XSRT[],
           int IWK[]) {
    RoutineScope scope("B2NAK ");
    const int n = NDATA, k = KORDER;
    if (k < 2) {
        E1VALI(1, k);
        E1MES(kTerminal, 1,
              "The order of the spline must be at least 2 while KORDER = %(I1) is given.");
    }
    if (n < k) {
        E1VALI(1, n);
        E1VALI(2, k);
        E1MES(kTerminal, 2,
              "The number of data points must be at least as large as the order of the spline "
              "while NDATA = %(I1) and KORDER = %(I2) are given.");
    }
    if (N1RTY(0) >= kFatal) return;

    Vec1<float> x(XSRT), t(XKNOT);
    const AbscissaFault fault =
        SortDistinctAbscissas(NDATA, XDATA, XSRT, IWK, AbscissaOrder::kCopyIfAscending);
    if (fault.kind == AbscissaFault::kEqualAfterSort) {
        RaiseAbscissaFault(fault, kTerminal, 5);
        return;
    }
    if (fault) {
        RaiseAbscissaFault(fault, kFatal, 4);
        return;
    }

    const float xr = EnlargedRightEnd(x(n));
    for (int j = 1; j <= k; ++j) {
        t(j) = x(1);
        t(n + j) = xr;
    }
    if (k % 2 == 0) {
        for (int j = 1; j <= n - k; ++j) t(k + j) = x(k / 2 + j);
    } else {
        const int h = k / 2;
        for (int j = k + 1; j <= n; ++j) t(j) = (x(j - h) + x(j - h - 1)) / 2.0f;
    }
}

void B2INT(const int& NDATA, const float XDATA[], const float FDATA[], const int& KORDER,
           const float XKNOT[], float BSCOEF[], float WK[], float XS[], float FS[], int IWK[]) {
    RoutineScope scope("B2INT");
    B3INT(KORDER, XKNOT, NDATA);
    if (N1RTY(0) >= kFatal) return;

    const int n = NDATA;
    Vec1<int> iwk(IWK);
    Vec1<const float> f(FDATA);
    Vec1<float> fs(FS);
    const AbscissaFault fault =
        SortDistinctAbscissas(NDATA, XDATA, XS, IWK, AbscissaOrder::kAlwaysSort);
    if (fault) {
        RaiseAbscissaFault(fault, kFatal, 3);
        return;
    }
    for (int j = 1; j <= n; ++j) fs(j) = f(iwk(j));
    if (!dataFitKnots(n, XS, KORDER, XKNOT)) return;

    const int lda = 2 * KORDER - 1;
    B5INT(NDATA, XS, FS, KORDER, XKNOT, BSCOEF, WK, lda, WK + static_cast<std::ptrdiff_t>(lda) * n,
          IWK);
}

void B5INT(const int& NDATA, const float XS[], const float FS[], const int& KORDER,
           const float XKNOT[], float BSCOEF[], float A[], const int& LDA, float WK[], int IWK[]) {
    RoutineScope scope("B5INT");
    const int n = NDATA, k = KORDER;
    std::fill(A, A + static_cast<std::ptrdiff_t>(LDA) * n, 0.0f);
    Mat1<float> band(A, LDA);
    Vec1<const float> x(XS), t(XKNOT);

    // The factor is written only by the solve, so its area holds the basis
    // values and the recurrence's difference vectors until then.
    float* b = WK;
    Vec1<const float> bv(b);
    float* dl = WK + k;
    float* dr = WK + 2 * k - 1;
    int left = k;
    for (int r = 1; r <= n; ++r) {
        left = std::max(left, r);
        while (t(left + 1) <= x(r) && left + 1 < std::min(k + r, n + 1)) ++left;
        BASISVAL(XKNOT, KORDER, x(r), left, b, dl, dr);
        for (int j = 1; j <= k; ++j) {
            const int c = left - k + j;
            band(k + r - c, c) = bv(j);
        }
    }

    const int codiagonals = k - 1;
    const std::ptrdiff_t factorSize = static_cast<std::ptrdiff_t>(3 * k - 2) * n;
    L2ARB(NDATA, A, LDA, codiagonals, codiagonals, FS, 1, BSCOEF, WK, IWK, WK + factorSize);
}
