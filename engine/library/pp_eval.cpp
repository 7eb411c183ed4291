// Evaluation of piecewise polynomials in Taylor form on each piece, after de
// Boor, "A Practical Guide to Splines" (PPVALU and INTERV): a hunt from the
// last position found, then bisection.
#include "pp_eval.h"

#include "errors.h"
#include "internal/pp_piece.h"
#include "internal/views.h"

namespace {

// The largest L in 1..n with t(L) <= x, or 1 when x < t(1). The search hunts
// from `hint` with steps 1, 2, 4, ... and then bisects; `hint` receives the
// result.
int huntInterval(const float* first, int n, float x, int& hint) {
    Vec1<const float> t(first);
    int left = 1;
    if (n > 1) {
        int lo = hint;
        int hi = lo + 1;
        bool found = false;
        if (hi >= n) {
            if (x >= t(n)) {
                left = n;
                found = true;
            } else {
                lo = n - 1;
                hi = n;
            }
        }
        if (!found && x < t(hi)) {
            if (x >= t(lo)) {
                left = lo;
                found = true;
            } else {
                for (int step = 1;; step *= 2) {
                    hi = lo;
                    lo = hi - step;
                    if (lo <= 1) {
                        lo = 1;
                        if (x < t(1)) {
                            left = 1;
                            found = true;
                        }
                        break;
                    }
                    if (x >= t(lo)) break;
                }
            }
        } else if (!found) {
            for (int step = 1;; step *= 2) {
                lo = hi;
                hi = lo + step;
                if (hi >= n) {
                    if (x >= t(n)) {
                        left = n;
                        found = true;
                    } else {
                        hi = n;
                    }
                    break;
                }
                if (x < t(hi)) break;
            }
        }
        if (!found) {
            // t(lo) <= x < t(hi)
            for (;;) {
                int mid = (lo + hi) / 2;
                if (mid == lo) break;
                if (x >= t(mid)) {
                    lo = mid;
                } else {
                    hi = mid;
                }
            }
            left = lo;
        }
    }
    hint = left;
    return left;
}

int& ppfindHint() {
    static int hint = 1;
    return hint;
}

int& knfindHint() {
    static int hint = 1;
    return hint;
}

void raiseIntervalCountError(int nintv) {
    E1VALI(1, nintv);
    E1MES(kTerminal, 1, "The number of intervals must be at least 1 while NINTV = %(I1) is given.");
}

void raiseDerivativeOrderError(int ideriv) {
    E1VALI(1, ideriv);
    E1MES(kTerminal, 2,
          "The order of the derivative must be positive while IDERIV = %(I1) is given.");
}

}  // namespace

void PPFIND(const int& KORDER, const int& NINTV, const float BREAK[], const float& X, int& LEFT) {
    static_cast<void>(KORDER);
    LEFT = huntInterval(BREAK, NINTV, X, ppfindHint());
}

void KNFIND(const float XKNOT[], const int& LXT, const float& X, int& LEFT, int& MFLAG) {
    Vec1<const float> t(XKNOT);
    if (X < t(1)) {
        LEFT = 1;
        MFLAG = -1;
        return;
    }
    if (X >= t(LXT)) {
        LEFT = LXT;
        MFLAG = 1;
        if (X == t(LXT)) {
            // The last interval is closed on the right.
            while (LEFT > 1 && t(LEFT) == X) --LEFT;
            MFLAG = 0;
        }
        return;
    }
    // t(1) <= X < t(LXT): the largest LEFT < LXT with t(LEFT) <= X.
    LEFT = huntInterval(XKNOT, LXT - 1, X, knfindHint());
    MFLAG = 0;
}

void C21GD(const int& IDERIV, const int& N, const float XVEC[], const int& NINTV,
           const float BREAK[], const float PPCOEF[], float VALUE[], int IWK[], float WKH[],
           float /*WKC*/[]) {
    RoutineScope scope("C21GD");
    Vec1<const float> x(XVEC);
    Vec1<float> value(VALUE);

    for (int i = 1; i <= N; ++i) value(i) = 0.0f;
    if (NINTV <= 0) raiseIntervalCountError(NINTV);
    if (IDERIV < 0) raiseDerivativeOrderError(IDERIV);
    if (N <= 0) {
        E1VALI(1, N);
        E1MES(kTerminal, 3, "The length of XVEC must be at least 1 while N = %(I1) is given.");
    }
    if (N1RTY(0) >= kFatal) return;

    if (!CheckIncreasingXvec(x, N, 4, true)) return;
    EvaluatePieces(IDERIV, N, XVEC, 4, NINTV, BREAK, PPCOEF, VALUE, IWK, WKH);
}

float PPDER(const int& IDERIV, const float& X, const int& KORDER, const int& NINTV,
            const float BREAK[], const float PPCOEF[]) {
    RoutineScope scope("PPDER");
    float result = 0.0f;
    if (NINTV <= 0) raiseIntervalCountError(NINTV);
    if (IDERIV < 0) raiseDerivativeOrderError(IDERIV);
    if (KORDER <= 0) {
        E1VALI(1, KORDER);
        E1MES(kTerminal, 3,
              "The order of the interpolating polynomial must be positive while KORDER = %(I1) is "
              "given.");
    }
    if (N1RTY(0) >= kFatal || IDERIV >= KORDER) return result;

    Vec1<const float> brk(BREAK);
    Mat1<const float> c(PPCOEF, KORDER);
    int l = 0;
    PPFIND(KORDER, NINTV, BREAK, X, l);
    return EvaluatePiece(c.at(1, l), KORDER, IDERIV, X - brk(l));
}
