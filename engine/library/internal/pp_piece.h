// Internal to the library, not part of its interface: the one evaluation of a piecewise
// polynomial in Taylor form, shared by the grid and point evaluators of every method.
#pragma once

#include "errors.h"
#include "pp_eval.h"
#include "views.h"

// The derivative of order ideriv, at offset h from the piece's left breakpoint, of the piece of
// order korder whose Taylor coefficients (the derivatives of order 0..korder-1 at the left
// breakpoint) are coef(1..korder): nested multiplication, dividing by the factorials on the
// way. Zero when ideriv >= korder. K > 0 fixes the order at K and the derivative at D where the
// code is compiled, so that the divisions by 4, 2 and 1 of the cubic's values become the exact
// multiplications they equal; K = 0 takes korder and ideriv at run time.
template <int K = 0, int D = 0>
inline float EvaluatePiece(const float* coef, int korder, int ideriv, float h) {
    if constexpr (K > 0) {
        korder = K;
        ideriv = D;
    }
    Vec1<const float> c(coef);
    float value = 0.0f;
    float fac = static_cast<float>(korder - ideriv);
#pragma GCC unroll 8
    for (int k = korder; k >= ideriv + 1; --k) {
        value = value / fac * h + c(k);
        fac -= 1.0f;
    }
    return value;
}

// VALUE(i) for i = 1..N: EvaluatePiece at XVEC(i), strictly increasing, on the piece PPFIND
// would find in BREAK (NINTV pieces; PPCOEF has korder rows). PIECE(i) receives the piece and
// OFFSET(i) the offset from its left breakpoint.
inline void EvaluatePieces(int ideriv, int n, const float XVEC[], int korder, int nintv,
                           const float BREAK[], const float PPCOEF[], float VALUE[], int PIECE[],
                           float OFFSET[]) {
    Vec1<const float> x(XVEC), brk(BREAK);
    Mat1<const float> c(PPCOEF, korder);
    Vec1<float> value(VALUE), h(OFFSET);
    Vec1<int> piece(PIECE);
    auto walk = [&](auto evaluate) {
        int l = 1;
        for (int i = 1; i <= n; ++i) {
            // The points ascend, so the piece never moves left: most points stay in the piece
            // of the one before or move to the next, and only a wider gap needs the search.
            if (l < nintv && brk(l + 1) <= x(i)) {
                if (l + 1 == nintv || brk(l + 2) > x(i)) {
                    ++l;
                } else {
                    PPFIND(korder, nintv, BREAK, x(i), l);
                }
            }
            piece(i) = l;
            h(i) = x(i) - brk(l);
            value(i) = evaluate(c.at(1, l), h(i));
        }
    };
    // The values of a cubic, the common case, with its order and derivative fixed.
    if (korder == 4 && ideriv == 0) {
        walk([](const float* coef, float at) { return EvaluatePiece<4, 0>(coef, 4, 0, at); });
    } else {
        walk([&](const float* coef, float at) { return EvaluatePiece(coef, korder, ideriv, at); });
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
