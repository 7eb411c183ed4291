// Akima's interpolating piecewise cubic (H. Akima, A new method of
// interpolation and smooth curve fitting based on local procedures, 1970).
#pragma once

// Breakpoints BREAK(1..NDATA) (the sorted abscissas) and the 4 x NDATA
// coefficients CSCOEF of the piecewise cubic through the data, whose slope at
// each point is Akima's weighted average of the neighbouring chord slopes.
// IWK: NDATA integers.
void C2AKM(const int& NDATA, const float XDATA[], const float FDATA[], float BREAK[],
           float CSCOEF[], int IWK[]);
