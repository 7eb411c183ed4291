// B-spline basis values by the Cox-de Boor recurrence (de Boor, A Practical Guide to Splines,
// BSPLVB) and the knot-sequence check shared by the fitting and the conversion routines.
#include "bspline_basis.h"

#include <cmath>
#include <string>

#include "errors.h"
#include "internal/bspline_steps.h"
#include "internal/views.h"
#include "machine.h"

void BASISVAL(const float XKNOT[], const int& KORDER, const float& X, const int& LEFT, float B[],
              float DL[], float DR[]) {
    if (KORDER == 4)
        BasisValues<4>(XKNOT, KORDER, X, LEFT, B, DL, DR);
    else
        BasisValues<0>(XKNOT, KORDER, X, LEFT, B, DL, DR);
}

KnotFault ScanKnots(const float XKNOT[], int count, int korder) {
    Vec1<const float> t(XKNOT);
    // A NaN compares false with everything and would pass the scan below; an infinity would
    // make an interval infinitely wide.
    for (int i = 1; i <= count; ++i) {
        if (!std::isfinite(t(i))) return {KnotFault::kNotFinite, i, i};
    }
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

void RaiseKnotFault(const KnotFault& fault, const float XKNOT[], std::string_view name, int korder,
                    int multiplicityCode, int decreaseCode) {
    Vec1<const float> t(XKNOT);
    const std::string a(name);
    if (fault.kind == KnotFault::kNotFinite) {
        E1VALI(1, fault.first);
        E1VALR(1, t(fault.first));
        E1MES(kFatal, decreaseCode,
              "Points in the knot array, " + a + ", must be finite, but " + a + "(%(I1)) = %(R1).");
    } else if (fault.kind == KnotFault::kMultiplicity) {
        E1VALI(1, fault.first);
        E1VALI(2, fault.last);
        E1VALR(1, t(fault.last));
        E1VALI(3, korder);
        E1MES(kFatal, multiplicityCode,
              "The knots " + a + "(%(I1)) through " + a +
                  "(%(I2)) are all equal to %(R1).  The multiplicity of the knots must not "
                  "exceed KORDER = %(I3).");
    } else if (fault.kind == KnotFault::kDecrease) {
        E1VALI(1, fault.first);
        E1VALR(1, t(fault.first));
        E1VALI(2, fault.last);
        E1VALR(2, t(fault.last));
        E1MES(kFatal, decreaseCode,
              "The knot " + a + "(%(I1)) = %(R1) and " + a +
                  "(%(I2)) = %(R2).  The knots must be nondecreasing.");
    }
}

bool KnotsHold(const float XKNOT[], std::string_view name, int count, int korder,
               int multiplicityCode, int decreaseCode) {
    const KnotFault fault = ScanKnots(XKNOT, count, korder);
    if (fault.kind == KnotFault::kNone) return true;
    RaiseKnotFault(fault, XKNOT, name, korder, multiplicityCode, decreaseCode);
    return false;
}

bool OrderAndCountHold(int korder, int count, int countCode, std::string_view countMessage) {
    if (korder < 1) {
        E1VALI(1, korder);
        E1MES(kTerminal, 1, kOrderAtLeastOne);
        return false;
    }
    if (count < korder) {
        E1VALI(1, count);
        E1VALI(2, korder);
        E1MES(kTerminal, countCode, countMessage);
        return false;
    }
    return true;
}

float EnlargedRightEnd(float XMAX) {
    const double eps = AMACH(4);
    const double s = XMAX >= 0.0f ? 1.0 : -1.0;
    const float xr = static_cast<float>(static_cast<double>(XMAX) * (1.0 + 100.0 * eps * s));
    return xr == 0.0f ? static_cast<float>(100.0 * eps) : xr;
}
