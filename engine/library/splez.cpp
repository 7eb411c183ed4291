// The one-call spline entry SPLEZ, its dispatcher S2LEZ over the fifteen methods, and the
// interpolating cubic spline worker S3LEZ.
#include "splez.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <string_view>

#include "bspline_eval.h"
#include "cubic_spline.h"
#include "errors.h"
#include "internal/abscissa_check.h"
#include "internal/caller_order.h"
#include "internal/views.h"
#include "machine.h"
#include "pp_eval.h"

namespace {

// Spline order of a method (4 for the cubic methods 1, 2, 3 and 9).
int methodOrder(int itype) {
    if (itype >= 4 && itype <= 8) return itype - 2;
    if (itype >= 10 && itype <= 12) return itype - 8;
    if (itype >= 13 && itype <= 15) return itype - 11;
    return 4;
}

// Raises the argument errors of SPLEZ and S2LEZ at the current level. Returns false when ITYPE is
// out of range; the caller then returns at once.
bool checkArguments(int ndata, int itype, int ider, int n) {
    if (n < 1) {
        E1VALI(1, n);
        E1MES(kTerminal, 1, "The length of XVEC must be at least 1 while N = %(I1) is given.");
    }
    if (ider < 0) {
        E1VALI(1, ider);
        E1MES(kTerminal, 2,
              "The order of the derivative to be evaluated must be nonnegative, but IDER = %(I1).");
    }
    if (itype < 1 || itype > 15) {
        E1VALI(1, itype);
        E1MES(kTerminal, 3, "The value of ITYPE must be in the range 1,..,15, but ITYPE = %(I1).");
        return false;
    }
    if (itype == 1 || itype == 3) {
        if (ndata <= itype) {
            E1VALI(1, ndata);
            E1VALI(2, itype + 1);
            E1MES(kTerminal, 4,
                  "The number of data points must be %(I2) or more, but NDATA = %(I1) is given. ");
        }
    } else if (itype == 2) {
        if (ndata < 4) {
            E1VALI(1, ndata);
            E1MES(kTerminal, 5,
                  "The number of data points must be 4 or more, but NDATA = %(I1) is given. ");
        }
    } else if (itype <= 8) {
        if (ndata < itype - 2) {
            E1VALI(1, itype - 2);
            E1VALI(2, ndata);
            E1MES(kTerminal, 6,
                  "The number of data points must be %(I1) or more, but NDATA = %(I2) is given. ");
        }
    } else if (itype <= 12) {
        if (ndata < 4) {
            E1VALI(1, ndata);
            E1MES(kTerminal, 7, "The number of data points must be 4 or more, but NDATA = %(I1).");
        }
    } else if (ndata < itype - 10) {
        E1VALI(1, ndata);
        E1VALI(2, itype - 10);
        E1MES(kTerminal, 8, "The number of data points must be %(I2) or more, but NDATA = %(I1)");
    }
    return true;
}

// Sorts a copy of XVEC into wk with the permutation in iwk and raises FATAL error 2 at the first
// two equal entries. An evaluation point that is not a number is not refused (it gives a value
// that is not a number), so only entries that compare equal are named. Returns false when it
// raised.
bool distinctEvaluationPoints(int count, const float v[], float wk[], int iwk[]) {
    SortWithPermutation(count, v, wk, iwk);
    const int j = FirstEqualNeighbour(wk, count);
    if (j == 0) return true;
    Vec1<const float> s(wk);
    Vec1<const int> perm(iwk);
    E1VALI(1, perm(j - 1));
    E1VALI(2, perm(j));
    E1VALR(1, s(j - 1));
    E1MES(kFatal, 2,
          "Points to be evaluated must be distinct, but XVEC(%(I1)) =  XVEC(%(I2)) = %(R1).");
    return false;
}

// Where the worker of a method finds its scratch in S2LEZ's WK (1-based): the piece after its
// spline's own arrays.
std::ptrdiff_t workerScratch(int ndata, int itype) {
    const std::ptrdiff_t nd = ndata;
    const int k = methodOrder(itype);
    switch (itype) {
        case 1:
        case 2:
        case 9:
            return 5 * nd + 1;
        case 3:
            return 10 * nd + 1;
        case 10:
        case 11:
        case 12:
            return 2 * ((nd - 1) / 4 + k) + k + nd + 1;
        case 13:
        case 14:
        case 15:
            return 3 * (nd > 8 ? (nd - 1) / 8 + k : k + 1) + 2 * k + nd + 1;
        default:  // 4..8
            return 2 * nd + k + 1;
    }
}

}  // namespace

long long SplezRealWorkspace(int NDATA, int ITYPE, int N) {
    const long long nd = NDATA;
    const long long n = N;
    const long long k = methodOrder(ITYPE);
    switch (ITYPE) {
        case 1:
        case 2:
            return 5 * nd + 4 * n;
        case 3:
            return 20 * nd + 4 * n - 14;
        case 9:
            return 14 * nd + 14 + 4 * n;
        case 10:
        case 11:
        case 12: {
            const long long ncoef = (nd - 1) / 4 + k;
            return (k + 2) * ncoef + 4 * n + 4 * k + 6 * nd + 1;
        }
        case 13:
        case 14:
        case 15: {
            const long long nc = (nd - 1) / 8 + k + 1;
            return (2 * k + 9) * nc + 4 * (n + nd) + 4 + k * (nd + 10);
        }
        default:  // 4..8
            return k * (5 * nd + 3) + 2 * nd + 4 * n + 2;
    }
}

long long SplezIntegerWorkspace(int NDATA, int N) {
    return static_cast<long long>(N) + std::max(NDATA, N);
}

void SPLEZ(const int& NDATA, const float XDATA[], const float FDATA[], const int& ITYPE,
           const int& IDER, const int& N, const float XVEC[], float VALUE[]) {
    RoutineScope scope("SPLEZ");
    if (!checkArguments(NDATA, ITYPE, IDER, N)) return;
    if (N1RTY(0) >= kFatal) return;

    Workspace<float> wk(SplezRealWorkspace(NDATA, ITYPE, N));
    Workspace<int> iwk(SplezIntegerWorkspace(NDATA, N));
    if (!wk.ok() || !iwk.ok()) {
        // A blank text keeps the pending message; the second raise carries the report.
        E1MES(kTerminal, 9, " ");
        E1VALI(1, NDATA);
        E1VALI(2, N);
        if (ITYPE == 1 || ITYPE == 2 || ITYPE == 3 || ITYPE == 9) {
            E1MES(kTerminal, 9,
                  "The required storage cannot be allocated.  Workspace allocation is based on "
                  "NDATA =%(i1) and N =%(i2).");
        } else {
            E1VALI(3, methodOrder(ITYPE));
            E1MES(kTerminal, 9,
                  "The required storage cannot be allocated.  Workspace allocation is based on "
                  "NDATA = %(I1), N = %(I2), and K = %(I3). ");
        }
        return;
    }
    S2LEZ(NDATA, XDATA, FDATA, ITYPE, IDER, N, XVEC, VALUE, wk.get(), iwk.get());
}

void S2LEZ(const int& NDATA, const float XDATA[], const float FDATA[], const int& ITYPE,
           const int& IDER, const int& N, const float XVEC[], float VALUE[], float WK[],
           int IWK[]) {
    RoutineScope scope("S2LEZ");
    if (!checkArguments(NDATA, ITYPE, IDER, N)) return;
    if (N1RTY(0) >= kFatal) return;

    // The sorted copies made for the checks are handed on to the worker: the evaluation points
    // at the start of its scratch, and for the least-squares fit the data abscissas after them.
    Vec1<float> wk(WK);
    const std::ptrdiff_t nd = NDATA, n = N;
    float* scratch = wk.at(workerScratch(NDATA, ITYPE));
    const bool leastSquares = ITYPE >= 10 && ITYPE <= 12;
    const AbscissaFault fault =
        SortDistinctAbscissas(NDATA, XDATA, leastSquares ? scratch + n : WK,
                              leastSquares ? IWK + n : IWK, AbscissaOrder::kAlwaysSort);
    if (fault) {
        RaiseAbscissaFault(fault, kFatal, 1);
        return;
    }
    if (!distinctEvaluationPoints(N, XVEC, scratch, IWK)) return;
    if (N1RTY(0) >= kFatal) return;

    const SplezPoints handed = SplezPoints::kHandedOn;
    switch (ITYPE) {
        case 1:
            S3LEZ(NDATA, XDATA, FDATA, ITYPE, IDER, N, XVEC, VALUE, wk.at(1), wk.at(nd + 1),
                  scratch, IWK, handed);
            break;
        case 2:
            S4LEZ(NDATA, XDATA, FDATA, ITYPE, IDER, N, XVEC, VALUE, wk.at(1), wk.at(nd + 1),
                  scratch, IWK, handed);
            break;
        case 3:
            S5LEZ(NDATA, XDATA, FDATA, ITYPE, IDER, N, XVEC, VALUE, wk.at(1), wk.at(2 * nd + 1),
                  scratch, IWK, handed);
            break;
        case 4:
        case 5:
        case 6:
        case 7:
        case 8:
            S6LEZ(NDATA, XDATA, FDATA, ITYPE, IDER, N, XVEC, VALUE, wk.at(1), wk.at(nd + 1),
                  scratch, IWK, handed);
            break;
        case 9:
            S7LEZ(NDATA, XDATA, FDATA, ITYPE, IDER, N, XVEC, VALUE, wk.at(1), wk.at(nd + 1),
                  scratch, IWK, handed);
            break;
        case 10:
        case 11:
        case 12: {
            const int k = ITYPE - 8;
            const std::ptrdiff_t ncoef = (NDATA - 1) / 4 + k;
            S8LEZ(NDATA, XDATA, FDATA, k, IDER, N, XVEC, VALUE, wk.at(1), wk.at(ncoef + 1),
                  wk.at(ncoef + nd + 1), scratch, IWK, handed);
            break;
        }
        default: {  // 13..15
            const int k = ITYPE - 11;
            const std::ptrdiff_t nc = NDATA > 8 ? (NDATA - 1) / 8 + k : k + 1;
            S9LEZ(NDATA, XDATA, FDATA, k, IDER, N, XVEC, VALUE, wk.at(1), wk.at(nc + 1),
                  wk.at(nc + nd + 1), wk.at(2 * nc + k + nd + 1), scratch, IWK, handed);
            break;
        }
    }
}

void S3LEZ(const int& NDATA, const float XDATA[], const float FDATA[], const int& /*ITYPE*/,
           const int& IDER, const int& N, const float XVEC[], float VALUE[], float WK1[],
           float WK2[], float WK3[], int IWK[], SplezPoints points) {
    RoutineScope scope("S3LEZ");
    // The fit keeps clear of IWK(1..N), where handed-on points have their permutation.
    C2INT(NDATA, XDATA, FDATA, WK1, WK2, IWK + N);
    if (N1RTY(0) >= kFatal) return;
    EvaluateCubicPiecesInCallerOrder(IDER, N, XVEC, VALUE, NDATA - 1, WK1, WK2, WK3, IWK,
                                     points == SplezPoints::kHandedOn);
}

void EvaluateCubicPiecesInCallerOrder(int IDER, int N, const float XVEC[], float VALUE[], int NINTV,
                                      const float BREAK[], const float C[], float WK[], int IWK[],
                                      bool sortedAlready, PowerOfTwoUnits units) {
    Vec1<float> wk(WK);
    const std::ptrdiff_t n = N;
    float* xs = wk.at(1);
    float* result = wk.at(n + 1);
    EvaluateInCallerOrder(N, XVEC, VALUE, xs, result, IWK, sortedAlready, [&] {
        Vec1<float> at(xs), value(result);
        for (int j = 1; j <= N; ++j) at(j) = std::ldexp(at(j), -units.x);
        C21GD(IDER, N, xs, NINTV, BREAK, C, result, IWK + n, wk.at(2 * n + 1), wk.at(3 * n + 1));
        for (int j = 1; j <= N; ++j) value(j) = std::ldexp(value(j), units.y - IDER * units.x);
    });
}

void EvaluateBSplineInCallerOrder(int IDER, int N, const float XVEC[], float VALUE[], int k,
                                  const float xknot[], int ncoef, const float bscoef[], float WK[],
                                  int IWK[], bool sortedAlready) {
    Vec1<float> wk(WK);
    const std::ptrdiff_t n = N;
    const std::ptrdiff_t npp = static_cast<std::ptrdiff_t>(k) * (ncoef - k + 1);
    const std::ptrdiff_t nbreak = ncoef - k + 2;
    float* xs = wk.at(1);
    float* result = wk.at(n + 1);
    float* ppcoef = wk.at(2 * n + 1);
    float* brk = wk.at(2 * n + npp + 1);
    float* offsets = wk.at(2 * n + npp + nbreak + 1);
    float* picks = wk.at(3 * n + npp + nbreak + 1);
    float* conversion = wk.at(4 * n + npp + nbreak + 1);
    EvaluateInCallerOrder(N, XVEC, VALUE, xs, result, IWK, sortedAlready, [&] {
        B21GD(IDER, N, xs, k, xknot, ncoef, bscoef, result, ppcoef, brk, IWK + n, offsets, picks,
              conversion);
    });
}
