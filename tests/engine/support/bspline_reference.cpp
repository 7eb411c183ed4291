// Test support: B-splines and least-squares fits in double precision, straight from their
// definitions.
#include "bspline_reference.h"

#include <cmath>
#include <cstddef>
#include <utility>

#include "dense_lu.h"

namespace ref {

double Bspline(const std::vector<double>& t, int nbasis, int i, int k, double x) {
    auto T = [&](int j) { return t[static_cast<std::size_t>(j - 1)]; };
    if (k == 1) {
        if (T(i) <= x && x < T(i + 1)) return 1.0;
        // The closing end of the basic interval: the last interval of positive length.
        double end = T(nbasis + 1);
        if (x == end && T(i) < T(i + 1) && T(i + 1) == end) return 1.0;
        return 0.0;
    }
    double value = 0.0;
    double dl = T(i + k - 1) - T(i);
    if (dl > 0) value += (x - T(i)) / dl * Bspline(t, nbasis, i, k - 1, x);
    double dr = T(i + k) - T(i + 1);
    if (dr > 0) value += (T(i + k) - x) / dr * Bspline(t, nbasis, i + 1, k - 1, x);
    return value;
}

double SplineValue(const std::vector<double>& t, int k, const std::vector<double>& coef, double x,
                   int der) {
    const int n = static_cast<int>(coef.size());
    if (der > 0) {
        // The derivative is a spline of order k - 1 on the same knots with differenced
        // coefficients (the first one drops out).
        std::vector<double> d(coef.size(), 0.0);
        for (int i = 2; i <= n; ++i) {
            double span =
                t[static_cast<std::size_t>(i + k - 2)] - t[static_cast<std::size_t>(i - 1)];
            d[static_cast<std::size_t>(i - 1)] = span > 0
                                                     ? (k - 1) *
                                                           (coef[static_cast<std::size_t>(i - 1)] -
                                                            coef[static_cast<std::size_t>(i - 2)]) /
                                                           span
                                                     : 0.0;
        }
        std::vector<double> dt(t.begin() + 1, t.end() - 1);
        std::vector<double> dc(d.begin() + 1, d.end());
        return SplineValue(dt, k - 1, dc, x, der - 1);
    }
    double s = 0.0;
    for (int i = 1; i <= n; ++i)
        s += coef[static_cast<std::size_t>(i - 1)] * Bspline(t, n, i, k, x);
    return s;
}

std::vector<double> LeastSquares(const std::vector<double>& t, int k, const std::vector<double>& x,
                                 const std::vector<double>& f, const std::vector<double>& w) {
    // Dense normal equations in double precision, solved with pivoting.
    const int n = static_cast<int>(t.size()) - k;
    std::vector<double> a(static_cast<std::size_t>(n) * n, 0.0), b(n, 0.0), basis(n);
    for (std::size_t r = 0; r < x.size(); ++r) {
        for (int c = 0; c < n; ++c) basis[c] = Bspline(t, n, c + 1, k, x[r]);
        for (int i = 0; i < n; ++i) {
            b[i] += w[r] * basis[i] * f[r];
            for (int j = 0; j < n; ++j) a[i * n + j] += w[r] * basis[i] * basis[j];
        }
    }
    return DenseSolve(a, b);
}

std::vector<double> DenseSolve(std::vector<double> a, std::vector<double> b) {
    const std::size_t n = b.size();
    Dense rows(n);
    for (std::size_t r = 0; r < n; ++r) rows[r].assign(a.begin() + r * n, a.begin() + (r + 1) * n);
    return DenseLU(std::move(rows)).solve(b);
}

}  // namespace ref
