// Evaluation of a spline in B-spline form on a grid of abscissas, through its conversion to
// piecewise-polynomial form (de Boor, A Practical Guide to Splines, BSPLPP and PPVALU).
#pragma once

// VALUE(i) = derivative of order IDERIV at XVEC(i) (strictly increasing) of the spline of order
// KORDER with knots XKNOT(1..NCOEF+KORDER) and coefficients BSCOEF(1..NCOEF). Scratch:
// PPCOEF KORDER*(NCOEF-KORDER+1), BREAK NCOEF-KORDER+2, IWK N (piece indices), WKH N (offsets),
// WKCONV 3*KORDER+KORDER*KORDER (conversion). WKC is no longer used and stays in the calling
// sequence.
void B21GD(const int& IDERIV, const int& N, const float XVEC[], const int& KORDER,
           const float XKNOT[], const int& NCOEF, const float BSCOEF[], float VALUE[],
           float PPCOEF[], float BREAK[], int IWK[], float WKH[], float WKC[], float WKCONV[]);

// Checks the knots and converts the B-spline form into NINTV pieces BREAK, PPCOEF (leading
// dimension KORDER). WK: 3*KORDER + KORDER*KORDER reals.
void B2CPP(const int& KORDER, const float XKNOT[], const int& NCOEF, const float BSCOEF[],
           int& NINTV, float BREAK[], float PPCOEF[], float WK[]);

// The conversion itself, knot interval by knot interval. Scratch: the basis values BIATX, the
// difference vectors DL and DR (KORDER each) and the KORDER x KORDER table of derivative
// coefficients.
void B3CPP(const int& KORDER, const float XKNOT[], const int& NCOEF, const float BSCOEF[],
           int& NINTV, float BREAK[], float PPCOEF[], float BIATX[], float DL[], float DR[],
           float TABLE[]);

// Knot check for a spline of order KORDER with NDATA coefficients.
void B3INT(const int& KORDER, const float XKNOT[], const int& NDATA);
