// The shape-preserving interpolating cubic spline: convex where the data are
// convex, concave where they are concave, straight where they are straight.
#pragma once

// Breakpoints BREAK(1..NBREAK) and the 4 x NBREAK coefficients CSCOEF of the
// cubic spline through the data (any order) that keeps the sign of the data's
// curvature on every interval. It has a continuous second derivative except
// where a straight stretch meets a bend (there the slope is continuous), or
// where a bend lies between two straight stretches (a corner). Between two
// data points at most one breakpoint is added, so NBREAK <= 2*NDATA - 1; BREAK
// and CSCOEF need room for 2*NDATA breakpoints. ITMAX bounds the Newton steps.
// WK: 2*NDATA reals, IWK: NDATA integers.
void C2CON(const int& NDATA, const float XDATA[], const float FDATA[], const int& ITMAX,
           float BREAK[], float CSCOEF[], int& NBREAK, float WK[], int IWK[]);
