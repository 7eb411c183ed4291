// The monotone piecewise cubic of F. N. Fritsch and J. Butland (A method for constructing local
// monotone piecewise cubic interpolants, SIAM J. Sci. Stat. Comput. 5, 1984): at an interior
// point the weighted harmonic mean of the two chord slopes, 0 where they differ in sign. Both
// keep each piece in the region of slopes where F. N. Fritsch and R. E. Carlson (Monotone
// piecewise cubic interpolation, SIAM J. Numer. Anal. 17, 1980) show the cubic monotone.
#include "monotone_cubic.h"

#include <algorithm>
#include <cmath>

#include "cubic_spline.h"
#include "errors.h"
#include "internal/caller_order.h"
#include "internal/hermite.h"
#include "internal/views.h"
#include "machine.h"

namespace {

// -1, 0 or 1; 0 for a NaN, which thus never passes for a slope of either sign.
int sign(float v) { return (v > 0.0f) - (v < 0.0f); }

// The slope at an end point from the chords `near` (the end interval, width hNear) and `far`
// (the next one): the non-centred three-point difference, set to 0 when it points against the
// end chord and held to three times the end chord when the data turn at the next point, so
// that the end piece stays monotone.
float endSlope(float hNear, float hFar, float near, float far) {
    float d = ((2.0f * hNear + hFar) * near - hNear * far) / (hNear + hFar);
    if (sign(d) != sign(near)) {
        d = 0.0f;
    } else if (sign(near) != sign(far) && std::fabs(d) > 3.0f * std::fabs(near)) {
        d = 3.0f * near;
    }
    return d;
}

}  // namespace

void C2MON(const int& NDATA, const float XDATA[], const float FDATA[], float BREAK[],
           float CSCOEF[], int IWK[]) {
    RoutineScope scope("C2MON");
    const int n = NDATA;
    if (n < 2) {
        E1VALI(1, n);
        E1MES(kTerminal, 1,
              "The number of data points must be 2 or more while NDATA = %(I1) is given.");
        return;
    }
    C1SOR(NDATA, XDATA, FDATA, BREAK, CSCOEF, 4, IWK);
    if (N1RTY(0) >= kFatal) return;
    Vec1<const float> x(BREAK);
    Mat1<float> c(CSCOEF, 4);

    auto h = [&](int i) { return x(i + 1) - x(i); };
    auto chord = [&](int i) { return (c(1, i + 1) - c(1, i)) / h(i); };
    if (n == 2) {
        c(2, 1) = c(2, 2) = chord(1);  // a straight line
    } else {
        // Row 2 receives the slopes; row 3 keeps the chord slopes until then.
        for (int i = 1; i <= n - 1; ++i) c(3, i) = chord(i);
        for (int i = 2; i <= n - 1; ++i) {
            const float left = c(3, i - 1), right = c(3, i);
            if (sign(left) * sign(right) > 0) {
                // Each chord weighted towards the nearer point's interval.
                const float w1 = 2.0f * h(i) + h(i - 1), w2 = h(i) + 2.0f * h(i - 1);
                c(2, i) = (w1 + w2) / (w1 / left + w2 / right);
            } else {
                c(2, i) = 0.0f;
            }
        }
        c(2, 1) = endSlope(h(1), h(2), c(3, 1), c(3, 2));
        c(2, n) = endSlope(h(n - 1), h(n - 2), c(3, n - 1), c(3, n - 2));
    }
    HermiteToTaylor(n, BREAK, CSCOEF);
}

void CSMEZ(const int& NDATA, const float XDATA[], const float FDATA[], const int& N,
           const float XVEC[], float VALUE[]) {
    RoutineScope scope("CSMEZ");
    CheckEasyInterpolationArguments(NDATA, N);
    if (N1RTY(0) >= kFatal) return;

    const long long ndata = NDATA, n = N;
    Workspace<float> pieces(5 * ndata);  // BREAK, then the coefficients
    Workspace<float> wk(4 * n);
    Workspace<int> iwk(std::max(ndata, 2 * n));
    if (!pieces.ok() || !wk.ok() || !iwk.ok()) {
        E1VALI(1, NDATA);
        E1VALI(2, N);
        E1MES(kTerminal, 3,
              "The required storage cannot be allocated.  Workspace allocation is based on NDATA = "
              "%(I1) and N = %(I2).");
        return;
    }
    float* breaks = pieces.get();
    float* coefficients = breaks + ndata;
    C2MON(NDATA, XDATA, FDATA, breaks, coefficients, iwk.get());
    if (N1RTY(0) >= kFatal) return;
    EvaluateCubicPiecesInCallerOrder(0, N, XVEC, VALUE, NDATA - 1, breaks, coefficients, wk.get(),
                                     iwk.get(), false);
}
