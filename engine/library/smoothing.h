// The cubic smoothing spline whose smoothing parameter is chosen by
// generalized cross-validation (Hutchinson and de Hoog, Smoothing noisy data
// with spline functions, Numer. Math. 47, 1985).
#pragma once

// Breakpoints BREAK(1..NDATA) and the 4 x NDATA coefficients CSCOEF of the
// smoothing spline of the data (unit weights). IEQUAL (equal spacing) has no
// effect. WK: 9*NDATA + 15 reals; on return its first seven entries hold the
// statistics of the fit. IWK: NDATA integers.
void C2SCV(const int& NDATA, const float XDATA[], const float FDATA[], const int& IEQUAL,
           float BREAK[], float CSCOEF[], float WK[], int IWK[]);

// The band arrays of one smoothing problem. Row i of a band runs from 0 to
// NDATA + 1 where it is written.
struct SmoothingBands {
    int n;
    float* x;   // x(1..n), sorted abscissas
    float* y;   // y(1..n): row 1 of the coefficients (stride 4)
    float* c2;  // C2(i, 1..3): rows 2..4 of the coefficients (stride 4)
    float* dy;  // dy(1..n)
    float* a;   // A(1..n)
    float* t;   // T(1..n, 1..2), leading dimension n
    float* r;   // R(0..n+1, 1..3), leading dimension n + 2
    float* u;   // U(0..n+1)
    float* v;   // V(1..n)
    float avh;
    float avdy;
};

// Set-up: scales the spacing and the weights and fills A, T, R and C2.
void C3SCV(SmoothingBands& B);

// The fit for one RHO: P, Q, the GCV score (STAT(3)), STAT(1..6), U, V and R.
void SMOOTHFIT(SmoothingBands& B, const float& RHO, float& P, float& Q, float& SCORE, float STAT[]);

// Smoothed values into row 1 and rows 2..4 of the coefficients from the last
// fit (rows 3 and 4 still to be scaled by 2 and 6).
void SMOOTHCOEF(SmoothingBands& B, const float& P, const float& Q);
