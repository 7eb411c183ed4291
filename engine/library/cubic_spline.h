// The cubic spline interpolant in piecewise-polynomial form: the easy entry
// CSIEZ and its worker C2IEZ, construction with end conditions (C2INT,
// C2DEC) and the sorting check of the data (C1SOR).
#pragma once

// VALUE(I) = the not-a-knot cubic spline through (XDATA, FDATA) at XVEC(I).
// XDATA in any order, pairwise distinct; XVEC in any order (left as given).
void CSIEZ(const int& NDATA, const float XDATA[], const float FDATA[], const int& N, float XVEC[],
           float VALUE[]);
// CSIEZ in caller storage: IWK of max(N, NDATA) + N integers, WKP of
// 5 * NDATA reals (BREAK, then PPCOEF), WKE of 2 * N reals.
void C2IEZ(const int& NDATA, const float XDATA[], const float FDATA[], const int& N, float XVEC[],
           float VALUE[], int IWK[], float WKP[], float WKE[]);
// The not-a-knot interpolant: BREAK (NDATA) and PPCOEF (4 x NDATA), IWK of
// NDATA integers.
void C2INT(const int& NDATA, const float XDATA[], const float FDATA[], float BREAK[],
           float PPCOEF[], int IWK[]);
// The interpolant with an end condition at each end: 0 not-a-knot, 1 first
// derivative VLEFT/VRIGHT, 2 second derivative VLEFT/VRIGHT.
void C2DEC(const int& NDATA, const float XDATA[], const float FDATA[], const int& ILEFT,
           const float& VLEFT, const int& IRIGHT, const float& VRIGHT, float BREAK[],
           float PPCOEF[], int IWK[]);
// XS = the abscissas in ascending order, FS(1 + (I-1)*INCF) the matching
// values; stops on two equal abscissas. IWK (NDATA) receives the sorting
// permutation when sorting is needed.
void C1SOR(const int& NDATA, const float XDATA[], const float FDATA[], float XS[], float FS[],
           const int& INCF, int IWK[]);
