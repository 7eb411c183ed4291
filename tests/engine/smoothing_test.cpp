// The cross-validated cubic smoothing spline: its choice of smoothing against
// an independent dense computation of the GCV score, the spline conditions of
// its coefficients, straight lines, input order and the messages.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "capture.h"
#include "dense_lu.h"
#include "fitlib.h"
#include "report_text.h"

namespace {

struct Fit {
    std::vector<float> brk, c;
};

Fit smooth(const std::vector<float>& x, const std::vector<float>& y) {
    const int n = int(x.size());
    Fit fit{std::vector<float>(n), std::vector<float>(4 * n)};
    std::vector<float> wk(9 * n + 15);
    std::vector<int> iwk(n);
    C2SCV(n, x.data(), y.data(), 0, fit.brk.data(), fit.c.data(), wk.data(), iwk.data());
    return fit;
}

using Matrix = std::vector<std::vector<double>>;

Matrix inverse(Matrix a) { return ref::DenseLU(std::move(a)).inverse(); }

// The smoothing spline minimising sum (y - g)^2 + lambda * int g''^2 in dense
// double precision (Reinsch's formulation): influence matrix A = inv(I + lambda K),
// K = Q inv(R) Q'.
struct DenseSmoother {
    int n;
    std::vector<double> y;
    Matrix k;
    DenseSmoother(const std::vector<float>& xs, const std::vector<float>& ys)
        : n(int(xs.size())), y(ys.begin(), ys.end()), k(n, std::vector<double>(n, 0.0)) {
        const int m = n - 2;
        Matrix q(n, std::vector<double>(m, 0.0)), r(m, std::vector<double>(m, 0.0));
        auto h = [&](int i) { return double(xs[i + 1]) - double(xs[i]); };
        for (int j = 0; j < m; ++j) {
            q[j][j] = 1.0 / h(j);
            q[j + 1][j] = -1.0 / h(j) - 1.0 / h(j + 1);
            q[j + 2][j] = 1.0 / h(j + 1);
            r[j][j] = (h(j) + h(j + 1)) / 3.0;
            if (j + 1 < m) r[j][j + 1] = r[j + 1][j] = h(j + 1) / 6.0;
        }
        Matrix ri = inverse(r);
        for (int a = 0; a < n; ++a)
            for (int b = 0; b < n; ++b) {
                double s = 0.0;
                for (int i = 0; i < m; ++i)
                    for (int j = 0; j < m; ++j) s += q[a][i] * ri[i][j] * q[b][j];
                k[a][b] = s;
            }
    }
    // Smoothed values and the GCV score n*RSS/tr(I - A)^2 for one lambda.
    double score(double lambda, std::vector<double>* fitted = nullptr) const {
        Matrix m(n, std::vector<double>(n));
        for (int a = 0; a < n; ++a)
            for (int b = 0; b < n; ++b) m[a][b] = (a == b ? 1.0 : 0.0) + lambda * k[a][b];
        Matrix inf = inverse(m);
        double rss = 0.0, trace = 0.0;
        std::vector<double> g(n, 0.0);
        for (int a = 0; a < n; ++a) {
            for (int b = 0; b < n; ++b) g[a] += inf[a][b] * y[b];
            rss += (y[a] - g[a]) * (y[a] - g[a]);
            trace += 1.0 - inf[a][a];
        }
        if (fitted) *fitted = g;
        return n * rss / (trace * trace);
    }
    double rss(double lambda) const {
        std::vector<double> g;
        score(lambda, &g);
        double s = 0.0;
        for (int a = 0; a < n; ++a) s += (y[a] - g[a]) * (y[a] - g[a]);
        return s;
    }
};

// Noisy samples of a smooth curve at uneven abscissas.
void noisyData(int n, std::vector<float>& x, std::vector<float>& y) {
    x.resize(n);
    y.resize(n);
    for (int i = 0; i < n; ++i) {
        x[i] = float(i + 0.3 * std::sin(3.7 * i));
        const double noise = 0.15 * std::sin(12.9898 * i + 78.233 * i * i);
        y[i] = float(std::sin(0.35 * x[i]) + noise);
    }
}

TEST(SmoothingSpline, ChosenSmoothingScoresWithinATenthOfAPercentOfTheBest) {
    for (int n : {12, 25, 40}) {
        std::vector<float> x, y;
        noisyData(n, x, y);
        LibraryCapture cap;
        Fit fit = smooth(x, y);
        EXPECT_EQ(cap.text(), "");
        DenseSmoother ref(x, y);
        // The lambda whose fit has the residual of the returned fit (the
        // residual grows with lambda).
        double rss = 0.0;
        for (int i = 0; i < n; ++i) rss += std::pow(double(y[i]) - fit.c[4 * i], 2);
        double lo = -12.0, hi = 8.0;
        for (int it = 0; it < 80; ++it) {
            const double mid = 0.5 * (lo + hi);
            (ref.rss(std::pow(10.0, mid)) < rss ? lo : hi) = mid;
        }
        const double chosen = ref.score(std::pow(10.0, 0.5 * (lo + hi)));
        double best = HUGE_VAL;
        for (double e = -10.0; e <= 6.0; e += 0.005)
            best = std::min(best, ref.score(std::pow(10.0, e)));
        EXPECT_LE(chosen, 1.001 * best) << "n=" << n;
    }
}

TEST(SmoothingSpline, CoefficientsFormANaturalCubicSplineThroughTheSmoothedValues) {
    std::vector<float> x, y;
    noisyData(20, x, y);
    LibraryCapture cap;
    Fit fit = smooth(x, y);
    const int n = 20;
    auto piece = [&](int i, double at, int der) {  // derivative der of piece i (0-based)
        const float* c = &fit.c[4 * i];
        const double h = at - fit.brk[i];
        switch (der) {
            case 0:
                return c[0] + c[1] * h + c[2] * h * h / 2 + c[3] * h * h * h / 6;
            case 1:
                return c[1] + c[2] * h + c[3] * h * h / 2;
            default:
                return c[2] + c[3] * h;
        }
    };
    double scale = 0.0;
    for (int i = 0; i < n; ++i) scale = std::max(scale, std::fabs(double(fit.c[4 * i + 1])));
    for (int i = 0; i + 1 < n; ++i) {
        EXPECT_NEAR(piece(i, fit.brk[i + 1], 0), fit.c[4 * (i + 1)], 2e-6) << i;
        if (i + 2 < n) {
            EXPECT_NEAR(piece(i, fit.brk[i + 1], 1), fit.c[4 * (i + 1) + 1], 2e-5 * scale) << i;
            EXPECT_NEAR(piece(i, fit.brk[i + 1], 2), fit.c[4 * (i + 1) + 2], 2e-4 * scale) << i;
        }
    }
    EXPECT_NEAR(fit.c[2], 0.0, 1e-5);                         // natural left end
    EXPECT_NEAR(piece(n - 2, fit.brk[n - 1], 2), 0.0, 1e-4);  // natural right end
    for (int r = 1; r < 4; ++r) EXPECT_EQ(fit.c[4 * (n - 1) + r], 0.0f);
}

TEST(SmoothingSpline, StraightLinesAreReproducedFromFourPointsOn) {
    const std::vector<std::vector<float>> abscissas = {{0, 1, 2, 3},
                                                       {-2.5f, -1, 0.25f, 4, 4.5f, 9}};
    for (const auto& x : abscissas) {
        std::vector<float> y;
        for (float v : x) y.push_back(1.5f - 0.75f * v);
        LibraryCapture cap;
        Fit fit = smooth(x, y);
        for (std::size_t i = 0; i < x.size(); ++i) {
            EXPECT_NEAR(fit.c[4 * i], y[i], 2e-6 * (1 + std::fabs(y[i])));
            EXPECT_NEAR(fit.c[4 * i + 2], 0.0f, 1e-5);
            if (i + 1 < x.size()) {
                EXPECT_NEAR(fit.c[4 * i + 1], -0.75f, 1e-5);
            }
        }
    }
}

TEST(SmoothingSpline, InputOrderDoesNotMatter) {
    std::vector<float> x, y;
    noisyData(15, x, y);
    Fit sorted = smooth(x, y);
    std::vector<int> order = {7, 2, 14, 0, 9, 4, 11, 1, 13, 6, 3, 10, 5, 12, 8};
    std::vector<float> xs, ys;
    for (int i : order) {
        xs.push_back(x[i]);
        ys.push_back(y[i]);
    }
    LibraryCapture cap;
    Fit shuffled = smooth(xs, ys);
    EXPECT_EQ(shuffled.brk, sorted.brk);
    EXPECT_EQ(shuffled.c, sorted.c);
}

TEST(SmoothingSpline, Messages) {
    {
        LibraryCapture cap;
        E1PSH("USERCALL");  // so the set-up's report is raised internally
        EXPECT_THROW(smooth({0, 1}, {0, 1}), StopCalled);
        EXPECT_EQ(ReportTexts(cap.lines()),
                  std::vector<std::string>{"TERMINAL ERROR 1 from C3SCV.  The number of data "
                                           "points must be at least 3 while NDATA = 2 is given."});
    }
    {
        LibraryCapture cap;
        EXPECT_THROW(smooth({0, 1, 1, 2}, {0, 1, 2, 3}), StopCalled);
        EXPECT_EQ(ReportTexts(cap.lines()),
                  std::vector<std::string>{
                      "FATAL    ERROR 2 from C2SCV.  Points in the data point abscissas array, "
                      "XDATA, must be distinct, but XDATA(2) = XDATA(3) = 1.000000E+00."});
    }
    {
        // Out of order: the positions are those of the equal pair in XDATA,
        // in the order the sort leaves them.
        const std::vector<float> x = {3, 1, 2, 1};
        std::vector<float> sorted(4);
        std::vector<int> perm = {1, 2, 3, 4};
        SVRGP(4, x.data(), sorted.data(), perm.data());
        LibraryCapture cap;
        EXPECT_THROW(smooth(x, {0, 1, 2, 3}), StopCalled);
        EXPECT_EQ(ReportTexts(cap.lines()),
                  std::vector<std::string>{
                      "FATAL    ERROR 2 from C2SCV.  Points in the data point abscissas array, "
                      "XDATA, must be distinct, but XDATA(" +
                      std::to_string(perm[0]) + ") = XDATA(" + std::to_string(perm[1]) +
                      ") = 1.000000E+00."});
    }
}

}  // namespace
