// General band linear systems: LU factorization with partial pivoting, a
// 1-norm reciprocal condition estimate, and solves with iterative refinement.
#pragma once

// Solves A*X = B (IPATH = 1) or trans(A)*X = B (IPATH = 2) for a general band
// matrix with NLCA lower and NUCA upper codiagonals, stored by columns in band
// form: entry (i, j) of the matrix at row NUCA + 1 + i - j, column j of A.
// FACT receives the LU factor ((2*NLCA + NUCA + 1)*N reals, same layout with
// leading dimension 2*NLCA + NUCA + 1), IPVT the N pivot indices, WK is N reals
// of scratch. A singular matrix is a FATAL error; RCOND <= eps a WARNING.
void L2ARB(const int& N, const float A[], const int& LDA, const int& NLCA, const int& NUCA,
           const float B[], const int& IPATH, float X[], float FACT[], int IPVT[], float WK[]);

// Factors A into FACT (leading dimension LDFACT >= 2*NLCA + NUCA + 1) and
// estimates the reciprocal of its 1-norm condition number in RCOND. WK is N
// reals of scratch; the estimate uses X as a second scratch vector of N reals.
void L2CRB(const int& N, const float A[], const int& LDA, const int& NLCA, const int& NUCA,
           float FACT[], const int& LDFACT, int IPVT[], float& RCOND, float WK[], float X[]);

// Solves with a factor from L2CRB: B in, X out (X may be B). Not on the
// error stack: it raises nothing.
void LFSRB(const int& N, const float FACT[], const int& LDFACT, const int& NLCA, const int& NUCA,
           const int IPVT[], const float B[], const int& IPATH, float X[]);

// Improves a solution X of the system by iterative refinement with residuals
// accumulated in double precision; RES is N reals of scratch. Not on the
// error stack.
void LFIRB(const int& N, const float A[], const int& LDA, const int& NLCA, const int& NUCA,
           const float FACT[], const int& LDFACT, const int IPVT[], const float B[],
           const int& IPATH, float X[], float RES[]);
