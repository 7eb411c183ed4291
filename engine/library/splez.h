// The one-call spline entry SPLEZ, its dispatcher S2LEZ over the fifteen methods, and the
// method workers.
#pragma once

// VALUE(i) = derivative of order IDER at XVEC(i) of the spline of method ITYPE (1..15) built
// from the NDATA points (XDATA, FDATA). Obtains its workspace for the call.
void SPLEZ(const int& NDATA, const float XDATA[], const float FDATA[], const int& ITYPE,
           const int& IDER, const int& N, const float XVEC[], float VALUE[]);

// The same with caller-supplied workspace: WK of the size that SPLEZ obtains for ITYPE, IWK of
// N + max(NDATA, N) integers.
void S2LEZ(const int& NDATA, const float XDATA[], const float FDATA[], const int& ITYPE,
           const int& IDER, const int& N, const float XVEC[], float VALUE[], float WK[], int IWK[]);

// The entries of WK and IWK that SPLEZ obtains for a method (the sizes are 64-bit, so that no
// argument can wrap them into a workspace too small for the call).
long long SplezRealWorkspace(int NDATA, int ITYPE, int N);
long long SplezIntegerWorkspace(int NDATA, int N);

// Workers. Each builds its spline from the data, evaluates it at the sorted abscissas and puts
// every result at the position of its own abscissa. The last piece of WK named below is the
// worker's scratch; IWK holds N + max(NDATA, N) integers.
//
// Called directly, a worker sorts a copy of XVEC itself (kAsGiven). S2LEZ has sorted the
// evaluation points for its check already and hands them on (kHandedOn): the scratch starts
// with XVEC in ascending order and IWK(1..N) holds its permutation; for ITYPE 10..12 the
// scratch goes on with the NDATA sorted data abscissas, their permutation in IWK(N+1..N+NDATA).
enum class SplezPoints { kAsGiven, kHandedOn };

// ITYPE 1: not-a-knot interpolating cubic spline. WK1 BREAK (NDATA), WK2 the 4 x NDATA
// coefficients, WK3 scratch (4*N).
void S3LEZ(const int& NDATA, const float XDATA[], const float FDATA[], const int& ITYPE,
           const int& IDER, const int& N, const float XVEC[], float VALUE[], float WK1[],
           float WK2[], float WK3[], int IWK[], SplezPoints points = SplezPoints::kAsGiven);
// ITYPE 2: Akima's interpolating piecewise cubic.
void S4LEZ(const int& NDATA, const float XDATA[], const float FDATA[], const int& ITYPE,
           const int& IDER, const int& N, const float XVEC[], float VALUE[], float WK1[],
           float WK2[], float WK3[], int IWK[], SplezPoints points = SplezPoints::kAsGiven);
// ITYPE 3: shape-preserving interpolating cubic.
void S5LEZ(const int& NDATA, const float XDATA[], const float FDATA[], const int& ITYPE,
           const int& IDER, const int& N, const float XVEC[], float VALUE[], float WK1[],
           float WK2[], float WK3[], int IWK[], SplezPoints points = SplezPoints::kAsGiven);
// ITYPE 4..8: interpolating B-spline of order ITYPE - 2.
void S6LEZ(const int& NDATA, const float XDATA[], const float FDATA[], const int& ITYPE,
           const int& IDER, const int& N, const float XVEC[], float VALUE[], float WK1[],
           float WK2[], float WK3[], int IWK[], SplezPoints points = SplezPoints::kAsGiven);
// ITYPE 9: cubic smoothing spline, smoothing chosen by cross-validation.
void S7LEZ(const int& NDATA, const float XDATA[], const float FDATA[], const int& ITYPE,
           const int& IDER, const int& N, const float XVEC[], float VALUE[], float WK1[],
           float WK2[], float WK3[], int IWK[], SplezPoints points = SplezPoints::kAsGiven);
// ITYPE 10..12: least-squares B-spline of order K with unit weights and knots from the sorted
// abscissas. BSCOEF (NCOEF), WEIGHT (NDATA), XKNOT (NCOEF+K), WK scratch.
void S8LEZ(const int& NDATA, const float XDATA[], const float FDATA[], const int& K,
           const int& IDER, const int& N, const float XVEC[], float VALUE[], float BSCOEF[],
           float WEIGHT[], float XKNOT[], float WK[], int IWK[],
           SplezPoints points = SplezPoints::kAsGiven);
// ITYPE 13..15: least-squares B-spline of order K with optimised knots.
void S9LEZ(const int& NDATA, const float XDATA[], const float FDATA[], const int& K,
           const int& IDER, const int& N, const float XVEC[], float VALUE[], float WK1[],
           float WK2[], float WK3[], float WK4[], float WK5[], int IWK[],
           SplezPoints points = SplezPoints::kAsGiven);
