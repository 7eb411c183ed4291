// The library's one evaluation of a piecewise polynomial in Taylor form, shared by the
// grid and point evaluators of every method. Not part of the library's interface.
#pragma once

#include "errors.h"
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

// Reports a pair of evaluation points XVEC(1..n) that does not increase, as a FATAL error with
// the caller's code. With stopAtFirst only the first such pair is reported; otherwise every one
// is, and the last report stands. Returns whether XVEC increases strictly.
inline bool CheckIncreasingXvec(Vec1<const float> x, int n, int code, bool stopAtFirst) {
    bool increasing = true;
    for (int i = 2; i <= n; ++i) {
        if (x(i) > x(i - 1)) continue;
        increasing = false;
        E1VALI(1, i - 1);
        E1VALI(2, i);
        E1VALR(1, x(i - 1));
        E1VALR(2, x(i));
        E1MES(kFatal, code,
              "The X data values must be strictly increasing, but XVEC(%(I1)) = %(R1) and "
              "XVEC(%(I2)) = %(R2).");
        if (stopAtFirst) break;
    }
    return increasing;
}
