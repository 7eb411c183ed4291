// The one-call spline entry SPLEZ, its dispatcher S2LEZ over the fifteen methods, and the
// method workers.
#pragma once

#include "bspline_lsq.h"  // S8LEZ, the ITYPE 10..12 worker
#include "errors.h"
#include "sort.h"

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
// every result at the position of its own abscissa.

// ITYPE 1: not-a-knot interpolating cubic spline. WK1 BREAK (NDATA), WK2 the 4 x NDATA
// coefficients, WK3 scratch (4*N).
void S3LEZ(const int& NDATA, const float XDATA[], const float FDATA[], const int& ITYPE,
           const int& IDER, const int& N, const float XVEC[], float VALUE[], float WK1[],
           float WK2[], float WK3[], int IWK[]);
// ITYPE 2: Akima's interpolating piecewise cubic.
void S4LEZ(const int& NDATA, const float XDATA[], const float FDATA[], const int& ITYPE,
           const int& IDER, const int& N, const float XVEC[], float VALUE[], float WK1[],
           float WK2[], float WK3[], int IWK[]);
// ITYPE 3: shape-preserving interpolating cubic.
void S5LEZ(const int& NDATA, const float XDATA[], const float FDATA[], const int& ITYPE,
           const int& IDER, const int& N, const float XVEC[], float VALUE[], float WK1[],
           float WK2[], float WK3[], int IWK[]);
// ITYPE 4..8: interpolating B-spline of order ITYPE - 2.
void S6LEZ(const int& NDATA, const float XDATA[], const float FDATA[], const int& ITYPE,
           const int& IDER, const int& N, const float XVEC[], float VALUE[], float WK1[],
           float WK2[], float WK3[], int IWK[]);
// ITYPE 9: cubic smoothing spline, smoothing chosen by cross-validation.
void S7LEZ(const int& NDATA, const float XDATA[], const float FDATA[], const int& ITYPE,
           const int& IDER, const int& N, const float XVEC[], float VALUE[], float WK1[],
           float WK2[], float WK3[], int IWK[]);
// ITYPE 13..15: least-squares B-spline of order K with optimised knots.
void S9LEZ(const int& NDATA, const float XDATA[], const float FDATA[], const int& K,
           const int& IDER, const int& N, const float XVEC[], float VALUE[], float WK1[],
           float WK2[], float WK3[], float WK4[], float WK5[], int IWK[]);

// The common tail of the workers: sorts a copy of XVEC into XS with its permutation in IWK(1..N),
// has evaluate() fill RESULT(1..N) at the sorted abscissas (a grid evaluator needs them
// increasing), and puts every result at the position of its own abscissa in VALUE. After an
// error recorded by the evaluation VALUE is left untouched; a warning (from the fit, for
// example) does not hold the results back.
template <typename Evaluate>
void EvaluateInCallerOrder(const int& N, const float XVEC[], float VALUE[], float XS[],
                           float RESULT[], int IWK[], Evaluate evaluate) {
    for (int i = 0; i < N; ++i) IWK[i] = i + 1;
    SVRGP(N, XVEC, XS, IWK);
    evaluate();
    if (N1RTY(0) >= kFatal) return;
    for (int j = 0; j < N; ++j) VALUE[IWK[j] - 1] = RESULT[j];
}

// The common tail of the cubic workers: VALUE(i) = derivative of order IDER at XVEC(i) of the
// cubic with NINTV pieces BREAK, C, evaluated with C21GD in caller order. WK holds 4*N reals,
// IWK 2*N integers.
void EvaluateCubicPiecesInCallerOrder(const int& IDER, const int& N, const float XVEC[],
                                      float VALUE[], const int& NINTV, const float BREAK[],
                                      const float C[], float WK[], int IWK[]);

// The common tail of the B-spline workers: VALUE(i) = derivative of order IDER at XVEC(i) of the
// B-spline of order k with ncoef coefficients, evaluated with B21GD in caller order. WK holds
// 4*N + k*(ncoef - k + 1) + ncoef - k + 2 + 3*k + k*k reals, IWK 2*N integers.
void EvaluateBSplineInCallerOrder(const int& IDER, const int& N, const float XVEC[], float VALUE[],
                                  int k, const float xknot[], int ncoef, const float bscoef[],
                                  float WK[], int IWK[]);
