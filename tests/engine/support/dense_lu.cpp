#include "dense_lu.h"

#include <cmath>
#include <utility>

namespace ref {

DenseLU::DenseLU(Dense a) : lu(std::move(a)), perm(lu.size()) {
    const int n = int(lu.size());
    for (int i = 0; i < n; ++i) perm[i] = i;
    for (int k = 0; k < n; ++k) {
        int p = k;
        for (int i = k + 1; i < n; ++i)
            if (std::fabs(lu[i][k]) > std::fabs(lu[p][k])) p = i;
        std::swap(lu[k], lu[p]);
        std::swap(perm[k], perm[p]);
        for (int i = k + 1; i < n; ++i) {
            lu[i][k] /= lu[k][k];
            for (int j = k + 1; j < n; ++j) lu[i][j] -= lu[i][k] * lu[k][j];
        }
    }
}

std::vector<double> DenseLU::solve(const std::vector<double>& b) const {
    const int n = int(lu.size());
    std::vector<double> y(n);
    for (int i = 0; i < n; ++i) {
        y[i] = b[perm[i]];
        for (int j = 0; j < i; ++j) y[i] -= lu[i][j] * y[j];
    }
    for (int i = n - 1; i >= 0; --i) {
        for (int j = i + 1; j < n; ++j) y[i] -= lu[i][j] * y[j];
        y[i] /= lu[i][i];
    }
    return y;
}

Dense DenseLU::inverse() const {
    const int n = int(lu.size());
    Dense inv(n, std::vector<double>(n));
    for (int j = 0; j < n; ++j) {
        std::vector<double> e(n, 0.0);
        e[j] = 1.0;
        const std::vector<double> col = solve(e);
        for (int i = 0; i < n; ++i) inv[i][j] = col[i];
    }
    return inv;
}

}  // namespace ref
