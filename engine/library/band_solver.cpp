// General band solver: Gaussian elimination with partial pivoting on the band
// (Golub and Van Loan, Matrix Computations, 4.3), Hager's 1-norm estimate of
// the inverse with Higham's refinements, and iterative refinement with
// residuals in double precision.
#include "band_solver.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "errors.h"
#include "internal/views.h"
#include "machine.h"

namespace {

// Entry (i, j) of a band matrix with `upper` codiagonals above the diagonal
// stored at band row upper + 1 + i - j.
struct Band {
    const float* p;
    std::ptrdiff_t ld;
    std::ptrdiff_t upper;
    float operator()(std::ptrdiff_t i, std::ptrdiff_t j) const {
        return p[(upper + i - j) + (j - 1) * ld];
    }
};

struct MutableBand {
    float* p;
    std::ptrdiff_t ld;
    std::ptrdiff_t upper;
    float& operator()(std::ptrdiff_t i, std::ptrdiff_t j) const {
        return p[(upper + i - j) + (j - 1) * ld];
    }
};

// Solves with the factor on a vector of T, accumulating in double. The factor
// holds U with NLCA + NUCA upper codiagonals (fill-in from the row exchanges)
// and the multipliers of each elimination step below the diagonal.
template <typename T>
void solveFactored(int n, const float* fact, int ldf, int nl, int nu, const int* ipvt, int ipath,
                   T* x) {
    const int nup = nl + nu;
    Band f{fact, ldf, nup};
    Vec1<T> b(x);
    Vec1<const int> piv(ipvt);
    if (ipath == 1) {
        for (int k = 1; k <= n - 1; ++k) {
            std::swap(b(k), b(piv(k)));
            const int last = std::min(k + nl, n);
            for (int i = k + 1; i <= last; ++i) b(i) = T(b(i) - double(f(i, k)) * b(k));
        }
        for (int k = n; k >= 1; --k) {
            const int last = std::min(k + nup, n);
            double s = b(k);
            for (int j = k + 1; j <= last; ++j) s -= double(f(k, j)) * b(j);
            b(k) = T(s / double(f(k, k)));
        }
    } else {
        for (int k = 1; k <= n; ++k) {
            const int first = std::max(1, k - nup);
            double s = b(k);
            for (int i = first; i < k; ++i) s -= double(f(i, k)) * b(i);
            b(k) = T(s / double(f(k, k)));
        }
        for (int k = n - 1; k >= 1; --k) {
            const int last = std::min(k + nl, n);
            double s = b(k);
            for (int i = k + 1; i <= last; ++i) s -= double(f(i, k)) * b(i);
            b(k) = T(s);
            std::swap(b(k), b(piv(k)));
        }
    }
}

// y = op(A) * x accumulated in double, op = identity (ipath 1) or transpose.
double bandProductRow(const Band& a, int n, int nl, int nu, int ipath, int i, const float* X) {
    Vec1<const float> x(X);
    double s = 0.0;
    if (ipath == 1) {
        for (int j = std::max(1, i - nl); j <= std::min(n, i + nu); ++j)
            s += double(a(i, j)) * x(j);
    } else {
        for (int j = std::max(1, i - nu); j <= std::min(n, i + nl); ++j)
            s += double(a(j, i)) * x(j);
    }
    return s;
}

double norm1(const float* v, int n) {
    double s = 0.0;
    for (int i = 0; i < n; ++i) s += std::fabs(double(v[i]));
    return s;
}

// Hager's estimate of the 1-norm of inv(A). The iterate x is always either the
// uniform vector 1/n or a unit vector, so trans(z)*x needs no storage of x.
double inverseNorm1(int n, const float* fact, int ldf, int nl, int nu, const int* ipvt, float* v,
                    float* w) {
    std::fill(v, v + n, 1.0f / float(n));
    int unitIndex = 0;  // 0: x is uniform, else x = e(unitIndex)
    double estimate = 0.0;
    for (int iter = 1; iter <= 5; ++iter) {
        solveFactored(n, fact, ldf, nl, nu, ipvt, 1, v);
        const double est = norm1(v, n);
        if (iter > 1 && est <= estimate) break;
        estimate = est;
        for (int i = 0; i < n; ++i) w[i] = v[i] >= 0.0f ? 1.0f : -1.0f;
        solveFactored(n, fact, ldf, nl, nu, ipvt, 2, w);
        int jmax = 0;
        for (int i = 1; i < n; ++i)
            if (std::fabs(w[i]) > std::fabs(w[jmax])) jmax = i;
        double ztx = 0.0;
        if (unitIndex == 0) {
            for (int i = 0; i < n; ++i) ztx += w[i];
            ztx /= n;
        } else {
            ztx = w[unitIndex - 1];
        }
        if (std::fabs(double(w[jmax])) <= ztx || jmax + 1 == unitIndex) break;
        std::fill(v, v + n, 0.0f);
        v[jmax] = 1.0f;
        unitIndex = jmax + 1;
    }
    // An alternating test vector guards against the rare matrices on which
    // the iteration stalls far below the true norm.
    for (int i = 0; i < n; ++i) {
        const double mag = 1.0 + (n > 1 ? double(i) / (n - 1) : 0.0);
        v[i] = float(i % 2 == 0 ? mag : -mag);
    }
    solveFactored(n, fact, ldf, nl, nu, ipvt, 1, v);
    return std::max(estimate, 2.0 * norm1(v, n) / (3.0 * n));
}

}  // namespace

void L2CRB(const int& N, const float A[], const int& LDA, const int& NLCA, const int& NUCA,
           float FACT[], const int& LDFACT, int IPVT[], float& RCOND, float WK[], float X[]) {
    RoutineScope scope("L2CRB");
    RCOND = 0.0f;
    const int nl = NLCA, nu = NUCA, n = N, nup = nl + nu;
    if (LDFACT < 2 * nl + nu + 1) {
        E1VALI(1, 2 * nl + nu + 1);
        E1VALI(2, LDFACT);
        E1MES(kTerminal, 1,
              "The leading dimension of the factor must be at least 2*NLCA + NUCA + 1 while "
              "2*NLCA + NUCA + 1 = %(I1) and LDFACT = %(I2) are given.");
        return;
    }
    Band a{A, LDA, nu};
    MutableBand f{FACT, LDFACT, nup};
    Vec1<int> piv(IPVT);

    // Copy the band, with room for nl more upper codiagonals of fill-in.
    std::fill(FACT, FACT + static_cast<std::ptrdiff_t>(LDFACT) * n, 0.0f);
    double anorm = 0.0;
    for (int j = 1; j <= n; ++j) {
        double colsum = 0.0;
        for (int i = std::max(1, j - nu); i <= std::min(n, j + nl); ++i) {
            f(i, j) = a(i, j);
            colsum += std::fabs(double(a(i, j)));
        }
        anorm = std::max(anorm, colsum);
    }

    bool singular = false;
    for (int k = 1; k <= n; ++k) {
        const int lastRow = std::min(k + nl, n);
        int p = k;
        for (int i = k + 1; i <= lastRow; ++i)
            if (std::fabs(f(i, k)) > std::fabs(f(p, k))) p = i;
        piv(k) = p;
        if (f(p, k) == 0.0f) {
            singular = true;
            continue;
        }
        const int lastCol = std::min(k + nup, n);
        if (p != k)
            for (int j = k; j <= lastCol; ++j) std::swap(f(k, j), f(p, j));
        const float pivot = f(k, k);
        for (int i = k + 1; i <= lastRow; ++i) {
            const float mult = f(i, k) / pivot;
            f(i, k) = mult;
            if (mult == 0.0f) continue;
            for (int j = k + 1; j <= lastCol; ++j) f(i, j) -= mult * f(k, j);
        }
    }
    if (singular) {
        E1MES(kFatal, 2,
              "The input matrix is singular.  Some of the diagonal elements of the upper "
              "triangular matrix U of the LU factorization are close to zero.");
        return;
    }
    const double ainvNorm = inverseNorm1(n, FACT, LDFACT, nl, nu, IPVT, WK, X);
    if (anorm > 0.0 && ainvNorm > 0.0) RCOND = float((1.0 / anorm) / ainvNorm);
}

void LFSRB(const int& N, const float FACT[], const int& LDFACT, const int& NLCA, const int& NUCA,
           const int IPVT[], const float B[], const int& IPATH, float X[]) {
    if (X != B) std::copy(B, B + N, X);
    solveFactored(N, FACT, LDFACT, NLCA, NUCA, IPVT, IPATH, X);
}

void LFIRB(const int& N, const float A[], const int& LDA, const int& NLCA, const int& NUCA,
           const float FACT[], const int& LDFACT, const int IPVT[], const float B[],
           const int& IPATH, float X[], float RES[]) {
    const int n = N;
    Band a{A, LDA, NUCA};
    const double eps = AMACH(4);
    double lastCorrection = HUGE_VAL;
    Vec1<const float> b(B);
    Vec1<float> res(RES);
    for (int iter = 1; iter <= 5; ++iter) {
        for (int i = 1; i <= n; ++i)
            res(i) = float(double(b(i)) - bandProductRow(a, n, NLCA, NUCA, IPATH, i, X));
        solveFactored(n, FACT, LDFACT, NLCA, NUCA, IPVT, IPATH, RES);
        double dmax = 0.0, xmax = 0.0;
        for (int i = 0; i < n; ++i) {
            X[i] = float(double(X[i]) + double(RES[i]));
            dmax = std::max(dmax, std::fabs(double(RES[i])));
            xmax = std::max(xmax, std::fabs(double(X[i])));
        }
        // Stop once the correction is below the rounding of X, or has stopped
        // shrinking (the system is too ill-conditioned for more to help).
        if (dmax <= eps * xmax || dmax >= 0.5 * lastCorrection) break;
        lastCorrection = dmax;
    }
}

void L2ARB(const int& N, const float A[], const int& LDA, const int& NLCA, const int& NUCA,
           const float B[], const int& IPATH, float X[], float FACT[], int IPVT[], float WK[]) {
    RoutineScope scope("L2ARB ");
    if (N <= 0) {
        E1VALI(1, N);
        E1MES(kTerminal, 1, "The number of equations must be positive while N = %(I1) is given.");
        return;
    }
    if (NLCA < 0 || NLCA >= N) {
        E1VALI(1, NLCA);
        E1MES(kTerminal, 2,
              "The number of lower codiagonals must be greater than or equal to zero and less "
              "than N while NLCA = %(I1) is given.");
        return;
    }
    if (NUCA < 0 || NUCA >= N) {
        E1VALI(1, NUCA);
        E1MES(kTerminal, 3,
              "The number of upper codiagonals must be greater than or equal to zero and less "
              "than N while NUCA = %(I1) is given.");
        return;
    }
    if (LDA < NLCA + NUCA + 1) {
        E1VALI(1, NLCA + NUCA + 1);
        E1VALI(2, LDA);
        E1MES(kTerminal, 4,
              "The number of rows of matrix A must be less than or equal to its leading "
              "dimension while NLCA + NUCA + 1 = %(I1) and LDA = %(I2) are given.");
        return;
    }
    if (IPATH != 1 && IPATH != 2) {
        E1VALI(1, IPATH);
        E1MES(kTerminal, 5, "IPATH must be either 1 or 2 while a value of %(I1) is given.");
        return;
    }
    const int ldf = 2 * NLCA + NUCA + 1;
    float rcond = 0.0f;
    L2CRB(N, A, LDA, NLCA, NUCA, FACT, ldf, IPVT, rcond, WK, X);
    if (N1RTY(1) >= kFatal) return;
    LFSRB(N, FACT, ldf, NLCA, NUCA, IPVT, B, IPATH, X);
    LFIRB(N, A, LDA, NLCA, NUCA, FACT, ldf, IPVT, B, IPATH, X, WK);
    if (rcond <= AMACH(4)) {
        E1VALR(1, rcond);
        E1MES(kWarning, 1,
              "The matrix is too ill-conditioned.  An estimate of the reciprocal of its L1 "
              "condition number is RCOND = %(R1).  The solution might not be accurate.");
    }
}
