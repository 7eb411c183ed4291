// Evaluation of the piecewise-polynomial form (BREAK, PPCOEF) and the
// interval searches behind it.
#pragma once

// LEFT = the largest L in 1..NINTV with BREAK(L) <= X, or 1 when X < BREAK(1).
// KORDER is not used. The search starts from a hint shared by all callers,
// which speeds up nearby searches and never changes the result.
void PPFIND(const int& KORDER, const int& NINTV, const float BREAK[], const float& X, int& LEFT);
// LEFT with XKNOT(LEFT) <= X < XKNOT(LEFT+1) and MFLAG = 0; LEFT = 1 and
// MFLAG = -1 below XKNOT(1); LEFT = LXT and MFLAG = 1 above XKNOT(LXT); at
// X = XKNOT(LXT) LEFT steps back over the knots equal to X and MFLAG = 0.
// Keeps a hint of its own.
void KNFIND(const float XKNOT[], const int& LXT, const float& X, int& LEFT, int& MFLAG);
// VALUE(I) = derivative of order IDERIV of the cubic piecewise polynomial at
// XVEC(I), for strictly increasing XVEC. Work arrays of N entries: IWK (piece
// indices), WKH (offsets from the piece's left breakpoint); WKC is no longer
// used and stays in the calling sequence.
void C21GD(const int& IDERIV, const int& N, const float XVEC[], const int& NINTV,
           const float BREAK[], const float PPCOEF[], float VALUE[], int IWK[], float WKH[],
           float WKC[]);
// The derivative of order IDERIV at X of the piecewise polynomial of order
// KORDER (PPCOEF has KORDER rows).
float PPDER(const int& IDERIV, const float& X, const int& KORDER, const int& NINTV,
            const float BREAK[], const float PPCOEF[]);
