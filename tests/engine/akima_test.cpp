// Akima's interpolating cubic: slopes worked out by hand, straight lines,
// interpolation in any input order and the message.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "capture.h"
#include "fitlib.h"
#include "report_text.h"

namespace {

struct Akima {
    std::vector<float> brk, c;
    float at(float x, int der) const {
        return PPDER(der, x, 4, int(brk.size()) - 1, brk.data(), c.data());
    }
};

Akima akima(const std::vector<float>& x, const std::vector<float>& y) {
    const int n = int(x.size());
    Akima a{std::vector<float>(n), std::vector<float>(4 * n)};
    std::vector<int> iwk(n);
    C2AKM(n, x.data(), y.data(), a.brk.data(), a.c.data(), iwk.data());
    return a;
}

// Akima's slopes in double precision from the chord slopes, extended by
// linear extrapolation at both ends.
std::vector<double> referenceSlopes(const std::vector<double>& x, const std::vector<double>& y) {
    const int n = int(x.size());
    std::vector<double> m(n + 3);  // m[j + 2] = m(j), j = -1 .. n + 1
    auto M = [&](int j) -> double& { return m[j + 1]; };
    for (int j = 1; j <= n - 1; ++j) M(j) = (y[j] - y[j - 1]) / (x[j] - x[j - 1]);
    M(0) = 2 * M(1) - M(2);
    M(-1) = 2 * M(0) - M(1);
    M(n) = 2 * M(n - 1) - M(n - 2);
    M(n + 1) = 2 * M(n) - M(n - 1);
    std::vector<double> s(n);
    for (int i = 1; i <= n; ++i) {
        const double w1 = std::fabs(M(i + 1) - M(i)), w2 = std::fabs(M(i - 1) - M(i - 2));
        s[i - 1] = w1 + w2 != 0 ? (w2 * M(i) + w1 * M(i - 1)) / (w1 + w2) : (M(i - 1) + M(i)) / 2;
    }
    return s;
}

TEST(Akima, StepDataGiveZeroSlopesWhereTheyAreFlat) {
    LibraryCapture cap;
    Akima a = akima({0, 1, 2, 3, 4}, {0, 0, 0, 1, 1});
    EXPECT_EQ(a.c[4 * 2 + 1], 0.0f);  // slope at x = 2
    EXPECT_EQ(a.c[1], 0.0f);
    EXPECT_EQ(a.c[5], 0.0f);
    for (float t = 0.0f; t <= 2.0f; t += 0.125f) EXPECT_EQ(a.at(t, 0), 0.0f) << t;
}

TEST(Akima, AgreesWithADoublePrecisionHermiteCubicOnAkimaSlopes) {
    const std::vector<std::vector<double>> xs = {
        {0, 1, 2.5, 3}, {-3, -1, 0, 0.5, 2, 2.25, 4, 7}, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}};
    for (const auto& x : xs) {
        std::vector<double> y;
        std::vector<float> xf, yf;
        for (double v : x) {
            y.push_back(float(std::sin(v) + 0.1 * v * v));
            xf.push_back(float(v));
            yf.push_back(float(y.back()));
        }
        std::vector<double> s = referenceSlopes(x, y);
        LibraryCapture cap;
        Akima a = akima(xf, yf);
        for (std::size_t i = 0; i + 1 < x.size(); ++i) {
            EXPECT_NEAR(a.c[4 * i + 1], s[i], 2e-6 * (1 + std::fabs(s[i])));
            for (double t : {0.0, 0.2, 0.5, 0.9}) {
                const double h = x[i + 1] - x[i], u = t;
                const double h00 = 2 * u * u * u - 3 * u * u + 1, h10 = u * u * u - 2 * u * u + u;
                const double h01 = -2 * u * u * u + 3 * u * u, h11 = u * u * u - u * u;
                const double expected =
                    h00 * y[i] + h10 * h * s[i] + h01 * y[i + 1] + h11 * h * s[i + 1];
                EXPECT_NEAR(a.at(float(x[i] + t * h), 0), expected,
                            4e-6 * (1 + std::fabs(expected)));
            }
        }
        // The last data point is reached from the last piece.
        EXPECT_NEAR(a.at(xf.back(), 0), yf.back(), 2e-6 * (1 + std::fabs(yf.back())));
    }
}

TEST(Akima, StraightLinesAreReproducedInAnyInputOrder) {
    const std::vector<float> x = {4, -1, 2.5f, 0, 7, 1};
    std::vector<float> y;
    for (float v : x) y.push_back(3.0f * v - 2.0f);
    LibraryCapture cap;
    Akima a = akima(x, y);
    for (float t = -1.0f; t <= 7.0f; t += 0.25f) {
        EXPECT_NEAR(a.at(t, 0), 3.0f * t - 2.0f, 4e-6f * (1 + std::fabs(3 * t)));
        EXPECT_NEAR(a.at(t, 1), 3.0f, 2e-6f);
    }
    std::vector<float> sx = {-1, 0, 1, 2.5f, 4, 7}, sy;
    for (float v : sx) sy.push_back(3.0f * v - 2.0f);
    Akima sorted = akima(sx, sy);
    EXPECT_EQ(a.brk, sorted.brk);
    EXPECT_EQ(a.c, sorted.c);
}

TEST(Akima, FewerThanFourPointsAreRejected) {
    LibraryCapture cap;
    EXPECT_THROW(akima({0, 1, 2}, {0, 1, 0}), StopCalled);
    EXPECT_EQ(ReportTexts(cap.lines()),
              std::vector<std::string>{"TERMINAL ERROR 1 from C2AKM.  The number of data points "
                                       "must be 4 or more while NDATA = 3 is given."});
}

}  // namespace
