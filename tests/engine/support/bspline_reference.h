// Test support: B-splines and least-squares fits in double precision, straight from their
// definitions, to check the library's single-precision routines against.
#pragma once

#include <vector>

namespace ref {

// Value at x of the B-spline B_i (1-based) of order k on the knots t (t[0] is knot 1), from
// the recursive definition. Right-continuous, except that the closing end of the basic
// interval, t(nbasis + 1), belongs to the last knot interval of positive length.
double Bspline(const std::vector<double>& t, int nbasis, int i, int k, double x);

// s(x) = sum of coef(i) B_i(x), and its derivative of order der (der < k).
double SplineValue(const std::vector<double>& t, int k, const std::vector<double>& coef, double x,
                   int der = 0);

// Coefficients minimising sum w_i (s(x_i) - f_i)^2.
std::vector<double> LeastSquares(const std::vector<double>& t, int k, const std::vector<double>& x,
                                 const std::vector<double>& f, const std::vector<double>& w);

// Solution of the dense system A z = b (A row-major n x n), by Gaussian elimination with
// partial pivoting.
std::vector<double> DenseSolve(std::vector<double> a, std::vector<double> b);

}  // namespace ref
