// Internal to the library, not part of its interface: the step of the Cox-de Boor recurrence
// that every B-spline routine builds on (de Boor, A Practical Guide to Splines, BSPLVB), and
// the checks of knot sequences and orders that the fitting and conversion routines share.
#pragma once

#include <string_view>

#include "views.h"

// One step of the recurrence in the arithmetic of V on knots of type T: B(1..J) holds the values
// of order J at X of the B-splines ending at LEFT, and on return B(1..J+1) holds those of order
// J + 1; sets DL(J) and DR(J).
template <typename V, typename T>
inline void RaiseBasisOrderIn(const T XKNOT[], V x, int left, int j, V B[], V DL[], V DR[]) {
    Vec1<const T> t(XKNOT);
    Vec1<V> b(B), dl(DL), dr(DR);
    dr(j) = V(t(left + j)) - x;
    dl(j) = x - V(t(left + 1 - j));
    V saved = 0;
    for (int i = 1; i <= j; ++i) {
        // The denominator is t(left + i) - t(left + i - j) >= t(left + 1) - t(left) > 0.
        const V term = b(i) / (dr(i) + dl(j + 1 - i));
        b(i) = saved + dr(i) * term;
        saved = dl(j + 1 - i) * term;
    }
    b(j + 1) = saved;
}

// The step in single precision, as BASISVAL takes it.
inline void RaiseBasisOrder(const float XKNOT[], float x, int left, int j, float B[], float DL[],
                            float DR[]) {
    RaiseBasisOrderIn<float, float>(XKNOT, x, left, j, B, DL, DR);
}

// BASISVAL for an order known where the code is compiled (K > 0): the recurrence runs on local
// scratch, free of any alias with the caller's arrays, and unrolls into straight-line code.
// K = 0 takes the order korder at run time and the caller's scratch. Same steps either way.
template <int K>
inline void BasisValues(const float XKNOT[], int korder, float x, int left, float B[], float DL[],
                        float DR[]) {
    if constexpr (K == 0) {
        B[0] = 1.0f;
        for (int j = 1; j <= korder - 1; ++j) RaiseBasisOrder(XKNOT, x, left, j, B, DL, DR);
    } else {
        float b[K], dl[K], dr[K];
        b[0] = 1.0f;
#pragma GCC unroll 8
        for (int j = 1; j <= K - 1; ++j) RaiseBasisOrder(XKNOT, x, left, j, b, dl, dr);
#pragma GCC unroll 8
        for (int i = 0; i < K; ++i) B[i] = b[i];
    }
}

// The first fault of a knot sequence XKNOT(1..count) of a spline of order korder: a knot
// XKNOT(first) that is NaN or infinite (every knot is checked for that first), a run of more
// than korder equal knots, XKNOT(first) .. XKNOT(last), or a decrease from XKNOT(first) to
// XKNOT(last) = XKNOT(first + 1).
struct KnotFault {
    enum Kind { kNone, kNotFinite, kMultiplicity, kDecrease };
    Kind kind = kNone;
    int first = 0;
    int last = 0;
};
KnotFault ScanKnots(const float XKNOT[], int count, int korder);

// Raises the FATAL error for a fault found by ScanKnots in the knot array called `name` in the
// messages, with the routine's own codes; a knot that is not finite breaks the order of the
// sequence and is raised with the decrease code.
void RaiseKnotFault(const KnotFault& fault, const float XKNOT[], std::string_view name, int korder,
                    int multiplicityCode, int decreaseCode);
// ScanKnots over XKNOT(1..count), raising the first fault with RaiseKnotFault. True when the
// knots hold.
bool KnotsHold(const float XKNOT[], std::string_view name, int count, int korder,
               int multiplicityCode, int decreaseCode);

// The opening checks of the B-spline routines: the order korder at least 1 (TERMINAL 1, with
// kOrderAtLeastOne) and `count` at least korder (TERMINAL countCode, with countMessage and the
// inserts I1 = count, I2 = korder). True when both hold; otherwise the first failure is raised.
bool OrderAndCountHold(int korder, int count, int countCode, std::string_view countMessage);

// The right end knot of the library's B-spline workers: XMAX moved outward by a relative 100*eps
// in one rounding (100*eps itself when that gives 0), so that the largest abscissa lies strictly
// inside the last knot interval.
float EnlargedRightEnd(float XMAX);

// Message texts that several B-spline routines share.
inline constexpr std::string_view kOrderAtLeastOne =
    "The order of the spline must be at least 1 while KORDER = %(I1) is given.";
inline constexpr std::string_view kCoefficientsAtLeastOrder =
    "The number of coefficients must be at least as large as the order of the spline while "
    "NCOEF = %(I1) and KORDER = %(I2) are given.";
