// Cubic spline interpolation after de Boor, "A Practical Guide to Splines"
// (CUBSPL): a tridiagonal system for the slopes at the breakpoints, solved by
// Gaussian elimination without pivoting, then Taylor coefficients per piece.
#include "cubic_spline.h"

#include <algorithm>

#include "errors.h"
#include "internal/abscissa_check.h"
#include "internal/caller_order.h"
#include "internal/views.h"
#include "machine.h"
#include "pp_eval.h"
#include "sort.h"

namespace {

constexpr int kNotAKnot = 0;
constexpr int kFirstDerivative = 1;
constexpr int kSecondDerivative = 2;

}  // namespace

void CheckEasyInterpolationArguments(int ndata, int n) {
    if (ndata < 2) {
        E1VALI(1, ndata);
        E1MES(kTerminal, 1,
              "The number of data points must be 2 or more while NDATA = %(I1) is given.");
    }
    if (n < 1) {
        E1VALI(1, n);
        E1MES(kTerminal, 2, "The length of XVEC must be at least one while N = %(I1) is given.");
    }
}

void CSIEZ(const int& NDATA, const float XDATA[], const float FDATA[], const int& N, float XVEC[],
           float VALUE[]) {
    RoutineScope scope("CSIEZ");
    CheckEasyInterpolationArguments(NDATA, N);
    if (N1RTY(0) >= kFatal) return;

    const long long ndata = NDATA;
    const long long n = N;
    Workspace<int> iwk(std::max(n, ndata) + n);
    Workspace<float> wkp(5 * ndata);
    Workspace<float> wke(2 * n);
    if (!iwk.ok() || !wkp.ok() || !wke.ok()) {
        E1VALI(1, NDATA);
        E1VALI(2, N);
        E1MES(kTerminal, 5,
              "The required storage cannot be allocated.  Workspace allocation is based on NDATA = "
              "%(I1) and N = %(I2).");
        return;
    }
    C2IEZ(NDATA, XDATA, FDATA, N, XVEC, VALUE, iwk.get(), wkp.get(), wke.get());
}

void C2IEZ(const int& NDATA, const float XDATA[], const float FDATA[], const int& N, float XVEC[],
           float VALUE[], int IWK[], float WKP[], float WKE[]) {
    RoutineScope scope("C2IEZ");
    CheckEasyInterpolationArguments(NDATA, N);
    if (N1RTY(0) >= kFatal) return;

    float* breaks = WKP;
    float* ppcoef = WKP + NDATA;
    C2INT(NDATA, XDATA, FDATA, breaks, ppcoef, IWK);

    // The abscissas are sorted into the second half of WKE, so XVEC itself never leaves the
    // caller's order, and the values at them go to the first half; VALUE serves as the offsets'
    // scratch until the values land there.
    const int nintv = NDATA - 1;
    float* sorted = WKE + N;
    EvaluateInCallerOrder(N, XVEC, VALUE, sorted, WKE, IWK, false, [&] {
        C21GD(0, N, sorted, nintv, breaks, ppcoef, WKE, IWK + N, VALUE, sorted);
        // C21GD clears its values before its checks; CSIEZ hands those zeros on after an error.
        if (N1RTY(0) >= kFatal) RSET(N, 0.0f, VALUE, 1);
    });
}

void C2INT(const int& NDATA, const float XDATA[], const float FDATA[], float BREAK[],
           float PPCOEF[], int IWK[]) {
    RoutineScope scope("C2INT");
    C2DEC(NDATA, XDATA, FDATA, kNotAKnot, 0.0f, kNotAKnot, 0.0f, BREAK, PPCOEF, IWK);
}

void C2DEC(const int& NDATA, const float XDATA[], const float FDATA[], const int& ILEFT,
           const float& VLEFT, const int& IRIGHT, const float& VRIGHT, float BREAK[],
           float PPCOEF[], int IWK[]) {
    RoutineScope scope("C2DEC");
    const int n = NDATA;
    if (n < 2) {
        E1VALI(1, n);
        E1MES(kTerminal, 1,
              "The number of data points must be 2 or more while NDATA = %(I1) is given.");
    }
    if (ILEFT < 0 || ILEFT > 2) {
        E1VALI(1, ILEFT);
        E1MES(kTerminal, 2, "The argument ILEFT = %(I1).  It must be 0, 1 or 2.");
    }
    if (IRIGHT < 0 || IRIGHT > 2) {
        E1VALI(1, IRIGHT);
        E1MES(kTerminal, 3, "The argument IRIGHT = %(I1).  It must be 0, 1 or 2.");
    }
    if (N1RTY(0) >= kFatal) return;

    const int incf = 4;
    C1SOR(n, XDATA, FDATA, BREAK, PPCOEF, incf, IWK);
    if (N1RTY(0) >= kFatal) return;

    // Row 1 holds the values, row 2 the slopes s(m) being solved for; rows 3
    // and 4 first hold the interval lengths and divided differences, then the
    // off-diagonal and diagonal of the eliminated system.
    Vec1<float> tau(BREAK);
    Mat1<float> c(PPCOEF, 4);

    for (int m = 2; m <= n; ++m) {
        c(3, m) = tau(m) - tau(m - 1);
        c(4, m) = (c(1, m) - c(1, m - 1)) / c(3, m);
    }

    // First equation: c(4,1) s(1) + c(3,1) s(2) = c(2,1).
    if (ILEFT == kNotAKnot) {
        if (n == 2) {
            c(4, 1) = 1.0f;
            c(3, 1) = 1.0f;
            c(2, 1) = 2.0f * c(4, 2);
        } else {
            c(4, 1) = c(3, 3);
            c(3, 1) = c(3, 2) + c(3, 3);
            c(2, 1) =
                ((c(3, 2) + 2.0f * c(3, 1)) * c(4, 2) * c(3, 3) + c(3, 2) * c(3, 2) * c(4, 3)) /
                c(3, 1);
        }
    } else if (ILEFT == kFirstDerivative) {
        c(4, 1) = 1.0f;
        c(3, 1) = 0.0f;
        c(2, 1) = VLEFT;
    } else {
        c(4, 1) = 2.0f;
        c(3, 1) = 1.0f;
        c(2, 1) = 3.0f * c(4, 2) - c(3, 2) * VLEFT / 2.0f;
    }

    // Interior equations, eliminating the subdiagonal on the way.
    float g = 0.0f;
    for (int m = 2; m <= n - 1; ++m) {
        g = -c(3, m + 1) / c(4, m - 1);
        c(2, m) = g * c(2, m - 1) + 3.0f * (c(3, m) * c(4, m + 1) + c(3, m + 1) * c(4, m));
        c(4, m) = g * c(3, m - 1) + 2.0f * (c(3, m) + c(3, m + 1));
    }

    // Last equation; it still needs the elimination step unless the slope is
    // known outright.
    bool eliminateLast = true;
    if (IRIGHT == kNotAKnot) {
        if (n > 2 && !(n == 3 && ILEFT == kNotAKnot)) {
            g = c(3, n - 1) + c(3, n);
            c(2, n) = ((c(3, n) + 2.0f * g) * c(4, n) * c(3, n - 1) +
                       c(3, n) * c(3, n) * (c(1, n - 1) - c(1, n - 2)) / c(3, n - 1)) /
                      g;
            g = -g / c(4, n - 1);
            c(4, n) = c(3, n - 1);
        } else if (n == 2 && ILEFT == kNotAKnot) {
            c(2, 2) = c(4, 2);
            eliminateLast = false;
        } else {
            // A parabola: n = 3 not-a-knot at both ends, or n = 2 with a
            // derivative given at the left.
            c(2, n) = 2.0f * c(4, n);
            c(4, n) = 1.0f;
            g = -1.0f / c(4, n - 1);
        }
    } else if (IRIGHT == kFirstDerivative) {
        c(2, n) = VRIGHT;
        eliminateLast = false;
    } else {
        c(2, n) = 3.0f * c(4, n) + c(3, n) * VRIGHT / 2.0f;
        c(4, n) = 2.0f;
        g = -1.0f / c(4, n - 1);
    }
    if (eliminateLast) {
        c(4, n) = g * c(3, n - 1) + c(4, n);
        c(2, n) = (g * c(2, n - 1) + c(2, n)) / c(4, n);
    }

    for (int j = n - 1; j >= 1; --j) c(2, j) = (c(2, j) - c(3, j) * c(2, j + 1)) / c(4, j);

    // Taylor coefficients of each piece from its end values and slopes.
    for (int i = 2; i <= n; ++i) {
        const float d = c(3, i);
        const float d1 = (c(1, i) - c(1, i - 1)) / d;
        const float d3 = c(2, i - 1) + c(2, i) - 2.0f * d1;
        c(3, i - 1) = 2.0f * (d1 - c(2, i - 1) - d3) / d;
        c(4, i - 1) = (d3 / d) * (6.0f / d);
    }
}

void C1SOR(const int& NDATA, const float XDATA[], const float FDATA[], float XS[], float FS[],
           const int& INCF, int IWK[]) {
    RoutineScope scope("C1SOR");
    const AbscissaFault fault =
        SortDistinctAbscissas(NDATA, XDATA, XS, IWK, AbscissaOrder::kCopyIfAscending);
    if (fault) {
        RaiseAbscissaFault(fault, kTerminal, 2);
        return;
    }
    Vec1<const float> f(FDATA);
    Vec1<const int> order(IWK);
    // FS(1 + (j-1)*INCF) is row 1 of a matrix with leading dimension INCF.
    Mat1<float> fs(FS, INCF);
    for (int j = 1; j <= NDATA; ++j) fs(1, j) = f(order(j));
}
