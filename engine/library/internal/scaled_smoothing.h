// Internal to the library, not part of its interface: the smoothing spline's fit left in the
// units it is computed in, for a caller that evaluates it there.
#pragma once

// Data scaled by powers of two: a value v of the caller is v * 2^-x on the abscissa, v * 2^-y on
// the ordinate.
struct PowerOfTwoUnits {
    int x = 0, y = 0;
};

// C2SCV. With units given, BREAK, CSCOEF and the statistics stay in the scaled units of the fit,
// which units receives; without, they are converted to the data's units as C2SCV returns them.
void FitSmoothingSpline(const int& NDATA, const float XDATA[], const float FDATA[], float BREAK[],
                        float CSCOEF[], float WK[], int IWK[], PowerOfTwoUnits* units);
