// B-spline basis values by the Cox-de Boor recurrence (de Boor, A Practical Guide to Splines,
// BSPLVB) and the knot-sequence check shared by the fitting and the conversion routines.
#pragma once

#include <string_view>

// B(1..KORDER) receives the values at X of the B-splines B(LEFT-KORDER+1) .. B(LEFT) of order
// KORDER; DL and DR are KORDER-entry scratch vectors. The knot interval
// XKNOT(LEFT) .. XKNOT(LEFT+1) must not be empty.
void BASISVAL(const float XKNOT[], const int& KORDER, const float& X, const int& LEFT, float B[],
              float DL[], float DR[]);

// One step of that recurrence: B(1..J) holds the values of order J at X, and on return
// B(1..J+1) holds those of order J + 1; sets DL(J) and DR(J).
void RaiseBasisOrder(const float XKNOT[], float x, int left, int j, float B[], float DL[],
                     float DR[]);

// The first fault of a knot sequence XKNOT(1..count) of a spline of order korder: a run of more
// than korder equal knots, XKNOT(first) .. XKNOT(last), or a decrease from XKNOT(first) to
// XKNOT(last) = XKNOT(first + 1).
struct KnotFault {
    enum Kind { kNone, kMultiplicity, kDecrease };
    Kind kind = kNone;
    int first = 0;
    int last = 0;
};
KnotFault ScanKnots(const float XKNOT[], int count, int korder);

// Raises the FATAL error for a fault found by ScanKnots, with the routine's own codes.
void RaiseKnotFault(const KnotFault& fault, const float XKNOT[], int korder, int multiplicityCode,
                    int decreaseCode);

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
