// The monotone piecewise cubic: a Hermite cubic whose slopes keep every piece between the data
// values at its ends (F. N. Fritsch and J. Butland, A method for constructing local monotone
// piecewise cubic interpolants, SIAM J. Sci. Stat. Comput. 5, 1984).
#pragma once

// Breakpoints BREAK(1..NDATA) (the sorted abscissas) and the 4 x NDATA coefficients CSCOEF of
// the piecewise cubic through the data (any order, pairwise distinct abscissas) that stays, on
// every interval, between the data values at the interval's ends: monotone where the data are,
// flat where two neighbouring values are equal, with a continuous slope. A value that is not
// finite spoils only the two pieces beside it. IWK: NDATA integers.
void C2MON(const int& NDATA, const float XDATA[], const float FDATA[], float BREAK[],
           float CSCOEF[], int IWK[]);
// VALUE(I) = that cubic at XVEC(I), for pairwise distinct XVEC in any order (left as given);
// beyond the data the end pieces go on.
void CSMEZ(const int& NDATA, const float XDATA[], const float FDATA[], const int& N,
           const float XVEC[], float VALUE[]);
