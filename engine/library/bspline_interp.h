// Interpolating B-splines with not-a-knot knots: the knots, the collocation
// system and its solution (de Boor, A Practical Guide to Splines, SPLINT).
#pragma once

// Not-a-knot knots XKNOT(1..NDATA+KORDER) for interpolation of order KORDER at
// the abscissas XDATA (any order). XSRT: NDATA reals, IWK: NDATA integers.
void B2NAK(const int& NDATA, const float XDATA[], const int& KORDER, float XKNOT[], float XSRT[],
           int IWK[]);

// Coefficients BSCOEF(1..NDATA) of the B-spline of order KORDER on XKNOT that
// interpolates (XDATA, FDATA). WK: (5*KORDER - 2)*NDATA reals (band matrix,
// factor, solver scratch), XS and FS: NDATA reals each (sorted data), IWK:
// NDATA integers.
void B2INT(const int& NDATA, const float XDATA[], const float FDATA[], const int& KORDER,
           const float XKNOT[], float BSCOEF[], float WK[], float XS[], float FS[], int IWK[]);

// The collocation system at the sorted abscissas XS with values FS, set up in
// the band array A (leading dimension LDA = 2*KORDER - 1) and solved into
// BSCOEF. WK: (3*KORDER - 1)*NDATA reals, IWK: NDATA integers.
void B5INT(const int& NDATA, const float XS[], const float FS[], const int& KORDER,
           const float XKNOT[], float BSCOEF[], float A[], const int& LDA, float WK[], int IWK[]);
