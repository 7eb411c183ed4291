// Internal to the library, not part of its interface: the Taylor form of a piecewise cubic
// Hermite interpolant, shared by the methods that choose a slope at every data point.
#pragma once

#include "views.h"

// On entry BREAK(1..n) holds the ascending abscissas and column i of CSCOEF (4 x n) the value
// c(1, i) and the slope c(2, i) at BREAK(i). Fills rows 3 and 4 with the second and third
// derivatives at the left end of each piece of the cubic that takes those values and slopes at
// both ends of its interval; the last column, which starts no piece, gets zeros there.
inline void HermiteToTaylor(int n, const float BREAK[], float CSCOEF[]) {
    Vec1<const float> x(BREAK);
    Mat1<float> c(CSCOEF, 4);
    for (int i = 1; i <= n - 1; ++i) {
        const float r = 1.0f / (x(i + 1) - x(i));
        const float d1 = (c(1, i + 1) - c(1, i)) * r;
        const float d3 = (c(2, i + 1) - 2.0f * d1 + c(2, i)) * r;
        c(4, i) = 6.0f * d3 * r;
        c(3, i) = 2.0f * ((d1 - c(2, i)) * r - d3);
    }
    c(3, n) = 0.0f;
    c(4, n) = 0.0f;
}
