// Internal to the library, not part of its interface: evaluation at points in any order through
// a grid evaluator, which needs them ascending, with every result put back at the position of
// its own point. Serves CSIEZ and the SPLEZ workers.
#pragma once

#include "abscissa_check.h"
#include "errors.h"
#include "scaled_smoothing.h"
#include "views.h"

// The argument tests of the easy entries that interpolate and evaluate: NDATA at least 2
// (TERMINAL 1) and N at least 1 (TERMINAL 2).
void CheckEasyInterpolationArguments(int ndata, int n);

// XS(1..N) and IWK(1..N) hold the points XVEC(1..N) in ascending order with their permutation
// (sortedAlready: as the caller left them; otherwise they are sorted here). evaluate() fills
// RESULT(1..N) at XS, and RESULT(j) goes to VALUE(IWK(j)): a scatter, whose stores do not wait
// on each other as a walk along the permutation's cycles does. After an error recorded by the
// evaluation VALUE is left untouched; a warning (from a fit, for example) does not hold the
// results back.
template <typename Evaluate>
void EvaluateInCallerOrder(int N, const float XVEC[], float VALUE[], float XS[],
                           const float RESULT[], int IWK[], bool sortedAlready, Evaluate evaluate) {
    if (!sortedAlready) SortWithPermutation(N, XVEC, XS, IWK);
    evaluate();
    if (N1RTY(0) >= kFatal) return;
    Vec1<const int> order(IWK);
    Vec1<const float> result(RESULT);
    Vec1<float> value(VALUE);
    for (int j = 1; j <= N; ++j) value(order(j)) = result(j);
}

// The common tail of the cubic SPLEZ workers: VALUE(i) = derivative of order IDER at XVEC(i) of
// the cubic with NINTV pieces BREAK, C, evaluated with C21GD in caller order. WK holds 4*N reals
// (the sorted points first), IWK 2*N integers. A cubic in units scaled by powers of two is
// evaluated in them: the points are scaled on the way in and the values back on the way out.
void EvaluateCubicPiecesInCallerOrder(int IDER, int N, const float XVEC[], float VALUE[], int NINTV,
                                      const float BREAK[], const float C[], float WK[], int IWK[],
                                      bool sortedAlready, PowerOfTwoUnits units = {});

// The common tail of the B-spline SPLEZ workers: VALUE(i) = derivative of order IDER at XVEC(i)
// of the B-spline of order k with ncoef coefficients, evaluated with B21GD in caller order. WK
// holds 4*N + k*(ncoef - k + 1) + ncoef - k + 2 + 3*k + k*k reals (the sorted points first), IWK
// 2*N integers.
void EvaluateBSplineInCallerOrder(int IDER, int N, const float XVEC[], float VALUE[], int k,
                                  const float xknot[], int ncoef, const float bscoef[], float WK[],
                                  int IWK[], bool sortedAlready);
