// The library's one evaluation of a piecewise polynomial in Taylor form, shared by the
// grid and point evaluators of every method. Not part of the library's interface.
#pragma once

#include "pp_eval.h"
#include "views.h"

// The derivative of order ideriv, at offset h from the piece's left breakpoint, of the piece of
// order korder whose Taylor coefficients (the derivatives of order 0..korder-1 at the left
// breakpoint) are coef(1..korder): nested multiplication, dividing by the factorials on the
// way. Zero when ideriv >= korder.
inline float EvaluatePiece(const float* coef, int korder, int ideriv, float h) {
    Vec1<const float> c(coef);
    float value = 0.0f;
    float fac = static_cast<float>(korder - ideriv);
    for (int k = korder; k >= ideriv + 1; --k) {
        value = value / fac * h + c(k);
        fac -= 1.0f;
    }
    return value;
}

// VALUE(i) for i = 1..N: EvaluatePiece at XVEC(i), on the piece PPFIND finds in BREAK (NINTV
// pieces; PPCOEF has korder rows). PIECE(i) receives the piece and OFFSET(i) the offset from its
// left breakpoint.
inline void EvaluatePieces(int ideriv, int n, const float XVEC[], int korder, int nintv,
                           const float BREAK[], const float PPCOEF[], float VALUE[], int PIECE[],
                           float OFFSET[]) {
    Vec1<const float> x(XVEC), brk(BREAK);
    Mat1<const float> c(PPCOEF, korder);
    Vec1<float> value(VALUE), h(OFFSET);
    Vec1<int> piece(PIECE);
    for (int i = 1; i <= n; ++i) {
        PPFIND(korder, nintv, BREAK, x(i), piece(i));
        h(i) = x(i) - brk(piece(i));
        value(i) = EvaluatePiece(c.at(1, piece(i)), korder, ideriv, h(i));
    }
}
