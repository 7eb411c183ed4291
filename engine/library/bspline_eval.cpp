// Evaluation of a spline in B-spline form on a grid of abscissas, through its conversion to
// piecewise-polynomial form (de Boor, A Practical Guide to Splines, BSPLPP and PPVALU).
#include "bspline_eval.h"

#include "bspline_basis.h"
#include "errors.h"
#include "internal/bspline_steps.h"
#include "internal/pp_piece.h"
#include "internal/views.h"

void B21GD(const int& IDERIV, const int& N, const float XVEC[], const int& KORDER,
           const float XKNOT[], const int& NCOEF, const float BSCOEF[], float VALUE[],
           float PPCOEF[], float BREAK[], int IWK[], float WKH[], float /*WKC*/[], float WKCONV[]) {
    RoutineScope scope("B21GD");
    Vec1<const float> x(XVEC);
    if (N < 1) {
        E1VALI(1, N);
        E1MES(kTerminal, 2, "The length of XVEC must be at least one while N = %(I1) is given.");
    }
    if (IDERIV < 0) {
        E1VALI(1, IDERIV);
        E1MES(kTerminal, 4,
              "The order of the derivative must be at least zero, while IDERIV = %(I1) is given.");
    }
    if (KORDER < 1) {
        E1VALI(1, KORDER);
        E1MES(kTerminal, 1, kOrderAtLeastOne);
    }
    CheckIncreasingXvec(x, N, 5, false);
    if (NCOEF < KORDER) {
        E1VALI(1, NCOEF);
        E1VALI(2, KORDER);
        E1MES(kTerminal, 3,
              "The number of coefficients must be greater than or equal to the order while NCOEF "
              "= %(I1) and KORDER = %(I2) are given.");
    }
    if (N1RTY(0) >= kFatal) return;

    int nintv = 0;
    B2CPP(KORDER, XKNOT, NCOEF, BSCOEF, nintv, BREAK, PPCOEF, WKCONV);
    // A knot error of the conversion leaves the piecewise-polynomial form unset.
    if (N1RTY(0) >= kFatal) return;

    EvaluatePieces(IDERIV, N, XVEC, KORDER, nintv, BREAK, PPCOEF, VALUE, IWK, WKH);
}

void B2CPP(const int& KORDER, const float XKNOT[], const int& NCOEF, const float BSCOEF[],
           int& NINTV, float BREAK[], float PPCOEF[], float WK[]) {
    RoutineScope scope("B2CPP");
    if (!OrderAndCountHold(KORDER, NCOEF, 3, kCoefficientsAtLeastOrder)) return;
    B3INT(KORDER, XKNOT, NCOEF);
    if (N1RTY(0) >= kFatal) return;
    Vec1<float> wk(WK);
    B3CPP(KORDER, XKNOT, NCOEF, BSCOEF, NINTV, BREAK, PPCOEF, wk.at(1), wk.at(KORDER + 1),
          wk.at(2 * KORDER + 1), wk.at(3 * KORDER + 1));
}

namespace {

// B3CPP's conversion, with the order known where the code is compiled (K > 0: the table and the
// basis values live in local storage, so the loops unroll and nothing aliases the caller's
// arrays) or taken at run time (K = 0: the caller's scratch). Same operations in the same order.
// A table entry whose knot difference is zero keeps its earlier value, which only ever meets a
// basis value of zero; the local table starts at zero.
template <int K>
void convertToPieces(int korder, const float XKNOT[], int ncoef, const float BSCOEF[], int& NINTV,
                     float BREAK[], float PPCOEF[], float BIATX[], float DL[], float DR[],
                     float TABLE[]) {
    const int k = K > 0 ? K : korder;
    float localTable[K > 0 ? K * K : 1] = {};
    float localB[K > 0 ? K : 1], localL[K > 0 ? K : 1], localR[K > 0 ? K : 1];
    float* bFirst = K > 0 ? localB : BIATX;
    float* dl = K > 0 ? localL : DL;
    float* dr = K > 0 ? localR : DR;
    Vec1<const float> t(XKNOT), a(BSCOEF);
    Vec1<float> brk(BREAK), b(bFirst);
    Mat1<float> c(PPCOEF, k), tab(K > 0 ? localTable : TABLE, k);
    NINTV = 0;
    brk(1) = t(k);
    for (int left = k; left <= ncoef; ++left) {
        if (t(left + 1) == t(left)) continue;
        ++NINTV;
        brk(NINTV + 1) = t(left + 1);
        if (k == 1) {
            c(1, NINTV) = a(left);
            continue;
        }
        // Column j + 1 of the table: the B-spline coefficients of the j-th derivative on this
        // interval.
#pragma GCC unroll 8
        for (int i = 1; i <= k; ++i) tab(i, 1) = a(left - k + i);
#pragma GCC unroll 8
        for (int j = 1; j <= k - 1; ++j) {
            const int m = k - j;
#pragma GCC unroll 8
            for (int i = 1; i <= m; ++i) {
                float diff = t(left + i) - t(left + i - m);
                if (diff > 0.0f) tab(i, j + 1) = ((tab(i + 1, j) - tab(i, j)) / diff) * m;
            }
        }
        c(k, NINTV) = tab(1, k);
        // The derivative of order k - j - 1 at the left end is a spline of order j + 1 there.
        const float x = t(left);
        b(1) = 1.0f;
#pragma GCC unroll 8
        for (int j = 1; j <= k - 1; ++j) {
            RaiseBasisOrder(XKNOT, x, left, j, bFirst, dl, dr);
            float sum = 0.0f;
#pragma GCC unroll 8
            for (int i = 1; i <= j + 1; ++i) sum += b(i) * tab(i, k - j);
            c(k - j, NINTV) = sum;
        }
    }
}

}  // namespace

void B3CPP(const int& KORDER, const float XKNOT[], const int& NCOEF, const float BSCOEF[],
           int& NINTV, float BREAK[], float PPCOEF[], float BIATX[], float DL[], float DR[],
           float TABLE[]) {
    RoutineScope scope("B3CPP");
    if (KORDER == 4)
        convertToPieces<4>(KORDER, XKNOT, NCOEF, BSCOEF, NINTV, BREAK, PPCOEF, BIATX, DL, DR,
                           TABLE);
    else
        convertToPieces<0>(KORDER, XKNOT, NCOEF, BSCOEF, NINTV, BREAK, PPCOEF, BIATX, DL, DR,
                           TABLE);
}

void B3INT(const int& KORDER, const float XKNOT[], const int& NDATA) {
    RoutineScope scope("B3INT ");
    if (!OrderAndCountHold(KORDER, NDATA, 2,
                           "The number of data points must be at least as large as the order of "
                           "the spline while NDATA = %(I1) and KORDER = %(I2) are given.")) {
        return;
    }
    if (!KnotsHold(XKNOT, "XKNOT", NDATA + KORDER, KORDER, 4, 5)) return;
    // Equal end knots of the basic interval leave no piece to convert or evaluate.
    Vec1<const float> t(XKNOT);
    if (t(KORDER) == t(NDATA + 1)) {
        E1VALI(1, KORDER);
        E1VALI(2, NDATA + 1);
        E1VALR(1, t(KORDER));
        E1MES(kFatal, 6,
              "The knots XKNOT(%(I1)) and XKNOT(%(I2)) are both equal to %(R1).  The spline must "
              "have at least one knot interval of positive length.");
    }
}
