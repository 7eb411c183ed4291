// Test support: the dense solve in double precision that the library's band, smoothing and
// spline solvers are checked against.
#pragma once

#include <vector>

namespace ref {

using Dense = std::vector<std::vector<double>>;  // row-major, n x n

// LU factorisation of A with partial pivoting: row perm[i] of A is row i of L*U, with U in the
// upper triangle of lu and L (unit diagonal) below it.
struct DenseLU {
    Dense lu;
    std::vector<int> perm;

    explicit DenseLU(Dense a);
    // The solution z of A z = b.
    std::vector<double> solve(const std::vector<double>& b) const;
    // The inverse of A, column by column.
    Dense inverse() const;
};

}  // namespace ref
