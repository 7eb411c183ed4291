// B-spline basis values by the Cox-de Boor recurrence (de Boor, A Practical Guide to Splines,
// BSPLVB) and the knot-sequence check shared by the fitting and the conversion routines.
#include "bspline_basis.h"

#include "errors.h"
#include "machine.h"
#include "views.h"

void BASISVAL(const float XKNOT[], const int& KORDER, const float& X, const int& LEFT, float B[],
              float DL[], float DR[]) {
    if (KORDER == 4)
        BasisValues<4>(XKNOT, KORDER, X, LEFT, B, DL, DR);
    else
        BasisValues<0>(XKNOT, KORDER, X, LEFT, B, DL, DR);
}

KnotFault ScanKnots(const float XKNOT[], int count, int korder) {
    Vec1<const float> t(XKNOT);
    int m = 1;
    for (int i = 2; i <= count; ++i) {
        if (t(i) == t(i - 1)) {
            ++m;
            if (m > korder) return {KnotFault::kMultiplicity, i - m + 1, i};
        } else if (t(i) < t(i - 1)) {
            return {KnotFault::kDecrease, i - 1, i};
        } else {
            m = 1;
        }
    }
    return {};
}

void RaiseKnotFault(const KnotFault& fault, const float XKNOT[], int korder, int multiplicityCode,
                    int decreaseCode) {
    Vec1<const float> t(XKNOT);
    if (fault.kind == KnotFault::kMultiplicity) {
        E1VALI(1, fault.first);
        E1VALI(2, fault.last);
        E1VALR(1, t(fault.last));
        E1VALI(3, korder);
        E1MES(kFatal, multiplicityCode,
              "The knots XKNOT(%(I1)) through XKNOT(%(I2)) are all equal to %(R1).  The "
              "multiplicity of the knots must not exceed KORDER = %(I3).");
    } else if (fault.kind == KnotFault::kDecrease) {
        E1VALI(1, fault.first);
        E1VALR(1, t(fault.first));
        E1VALI(2, fault.last);
        E1VALR(2, t(fault.last));
        E1MES(kFatal, decreaseCode,
              "The knot XKNOT(%(I1)) = %(R1) and XKNOT(%(I2)) = %(R2).  The knots must be "
              "nondecreasing.");
    }
}

float EnlargedRightEnd(float XMAX) {
    const double eps = AMACH(4);
    const double s = XMAX >= 0.0f ? 1.0 : -1.0;
    const float xr = static_cast<float>(static_cast<double>(XMAX) * (1.0 + 100.0 * eps * s));
    return xr == 0.0f ? static_cast<float>(100.0 * eps) : xr;
}
