// Akima's interpolating piecewise cubic (H. Akima, A new
// method of interpolation and smooth curve fitting based on local procedures,
// J. ACM 17, 1970).
#include "akima.h"

#include <cmath>

#include "cubic_spline.h"
#include "errors.h"
#include "internal/hermite.h"
#include "internal/views.h"

void C2AKM(const int& NDATA, const float XDATA[], const float FDATA[], float BREAK[],
           float CSCOEF[], int IWK[]) {
    RoutineScope scope("C2AKM ");
    const int n = NDATA;
    if (n <= 3) {
        E1VALI(1, n);
        E1MES(kTerminal, 1,
              "The number of data points must be 4 or more while NDATA = %(I1) is given.");
        return;
    }
    C1SOR(NDATA, XDATA, FDATA, BREAK, CSCOEF, 4, IWK);
    if (N1RTY(0) >= kFatal) return;
    Vec1<const float> x(BREAK);
    Mat1<float> c(CSCOEF, 4);

    // Chord slope m(j) for j = -1 .. n + 1; the two beyond each end are
    // extrapolated from the two latest slopes, in the running order
    // m(0), m(-1) at the left and m(n), m(n + 1) at the right.
    auto chord = [&](int j) { return (c(1, j + 1) - c(1, j)) / (x(j + 1) - x(j)); };
    const float m1 = chord(1), m2 = chord(2);
    const float m0 = 2.0f * m1 - m2;
    const float mMinus1 = 2.0f * m0 - m1;
    // window = m(i - 2), m(i - 1), m(i), m(i + 1) for the point i.
    float w0 = mMinus1, w1 = m0, w2 = m1, w3 = m2;
    for (int i = 1; i <= n; ++i) {
        const float a = std::fabs(w3 - w2);  // |m(i+1) - m(i)|
        const float b = std::fabs(w1 - w0);  // |m(i-1) - m(i-2)|
        c(2, i) = (a + b != 0.0f) ? (b * w2 + a * w1) / (a + b) : (w1 + w2) / 2.0f;
        if (i == n) break;
        // Next slope m(i + 2): a chord while one exists, else extrapolated
        // from m(i + 1) and m(i).
        const float next = (i + 2 <= n - 1) ? chord(i + 2) : 2.0f * w3 - w2;
        w0 = w1;
        w1 = w2;
        w2 = w3;
        w3 = next;
    }

    HermiteToTaylor(n, BREAK, CSCOEF);
}
