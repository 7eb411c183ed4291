// Weighted least-squares fit of a B-spline with given order and knots through banded normal
// equations (de Boor, A Practical Guide to Splines, L2APPR, BCHFAC and BCHSLV). The SPLEZ worker
// that places the knots and evaluates the fit, S8LEZ, is declared with the others in splez.h.
#pragma once

// BSCOEF minimises the weighted sum of squared residuals of the spline of order KORDER with
// knots XKNOT(1..NCOEF+KORDER). Data in any order. Scratch: WK (NCOEF+3)*KORDER, XS, FS and WS
// NDATA each, IWK NDATA.
void B2LSQ(const int& NDATA, const float XDATA[], const float FDATA[], const float WEIGHT[],
           const int& KORDER, const float XKNOT[], const int& NCOEF, float BSCOEF[], float WK[],
           float XS[], float FS[], float WS[], int IWK[]);

// The fit for ascending abscissas XS: normal equations in Q (KORDER x NCOEF, lower band by
// columns), factored and solved in place. WKB: 3*KORDER reals for the basis values.
void B4LSQ(const int& NDATA, const float XS[], const float FS[], const float WS[],
           const int& KORDER, const float XKNOT[], const int& NCOEF, float BSCOEF[], float Q[],
           float WKB[]);

// L*D*L^T factorisation of the symmetric banded matrix held in Q (KORDER x NCOEF, Q(r, c) is
// the entry in row c + r - 1, column c), in place: Q(1, c) = 1/d(c), Q(r, c) = l(c + r - 1, c).
// A column whose pivot is not positive is set to zero.
void BANDCHOL(float Q[], const int& KORDER, const int& NCOEF);

// Solves with the factor of BANDCHOL; B holds the right-hand side on entry and the solution on
// return.
void BANDSOLVE(const float Q[], const int& KORDER, const int& NCOEF, float B[]);
