// Least-squares B-splines whose interior knots are placed to minimise the
// weighted sum of squared residuals.
#pragma once

// The fit of order KORDER with NCOEF coefficients to (XDATA, FDATA, WEIGHT)
// (any order of the abscissas), starting from the knots XGUESS(1..NCOEF +
// KORDER) and moving the interior ones: XKNOT receives the knots, BSCOEF the
// coefficients and SSQ the weighted sum of squared residuals, which is never
// larger than that of the fit on XGUESS. WK: (NCOEF + 3)*KORDER + 3*NDATA +
// NCOEF reals; IWK: NDATA integers.
void B2VLS(const int& NDATA, const float XDATA[], const float FDATA[], const float WEIGHT[],
           const int& KORDER, const int& NCOEF, const float XGUESS[], float XKNOT[], float BSCOEF[],
           float& SSQ, float WK[], int IWK[]);

// The knot optimisation for data sorted by abscissa (XS, FS, WS): moves the
// interior knots XKNOT(KORDER+1..NCOEF) by damped Gauss-Newton steps on the
// coefficients and knots together, refitting the coefficients after each
// step and keeping a step only when it lowers the sum of squares. Knots
// found stacked more than KORDER times are separated.
void B3VLS(const int& NDATA, const float XS[], const float FS[], const float WS[],
           const int& KORDER, const int& NCOEF, float XKNOT[]);
