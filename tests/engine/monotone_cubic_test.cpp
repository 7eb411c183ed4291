// The monotone cubic: against a double-precision construction of the same curve, its
// guarantees on random data (through the points, each piece between its end values, a
// continuous slope) and its argument checks.
#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "capture.h"
#include "data_points.h"
#include "fitlib.h"
#include "report_text.h"

namespace {

using Lines = std::vector<std::string>;

std::vector<float> csmez(const Data& d, const std::vector<float>& xvec) {
    std::vector<float> value(xvec.size(), -99.0f);
    CSMEZ(int(d.x.size()), d.x.data(), d.f.data(), int(xvec.size()), xvec.data(), value.data());
    return value;
}

// The curve in double precision from the published rules, evaluated in Hermite form: slopes
// by the weighted harmonic mean inside, the limited three-point formula at the ends.
struct Reference {
    std::vector<double> x, f, d;
    Reference(const std::vector<float>& xf, const std::vector<float>& ff)
        : x(xf.begin(), xf.end()), f(ff.begin(), ff.end()), d(xf.size()) {
        const std::size_t n = x.size();
        std::vector<double> h(n - 1), m(n - 1);
        for (std::size_t i = 0; i + 1 < n; ++i) {
            h[i] = x[i + 1] - x[i];
            m[i] = (f[i + 1] - f[i]) / h[i];
        }
        if (n == 2) {
            d[0] = d[1] = m[0];
            return;
        }
        for (std::size_t i = 1; i + 1 < n; ++i) {
            const double w1 = 2 * h[i] + h[i - 1], w2 = h[i] + 2 * h[i - 1];
            d[i] = m[i - 1] * m[i] > 0 ? (w1 + w2) / (w1 / m[i - 1] + w2 / m[i]) : 0.0;
        }
        auto end = [](double h0, double h1, double m0, double m1) {
            const double e = ((2 * h0 + h1) * m0 - h0 * m1) / (h0 + h1);
            if (e * m0 <= 0) return 0.0;
            return m0 * m1 < 0 && std::fabs(e) > 3 * std::fabs(m0) ? 3 * m0 : e;
        };
        d[0] = end(h[0], h[1], m[0], m[1]);
        d[n - 1] = end(h[n - 2], h[n - 3], m[n - 2], m[n - 3]);
    }
    double operator()(double at) const {
        std::size_t i = std::upper_bound(x.begin(), x.end(), at) - x.begin();
        i = std::clamp<std::size_t>(i, 1, x.size() - 1) - 1;
        const double h = x[i + 1] - x[i], t = (at - x[i]) / h;
        return (2 * t * t * t - 3 * t * t + 1) * f[i] + (t * t * t - 2 * t * t + t) * h * d[i] +
               (-2 * t * t * t + 3 * t * t) * f[i + 1] + (t * t * t - t * t) * h * d[i + 1];
    }
};

TEST(MonotoneCubic, AgreesWithADoublePrecisionConstruction) {
    const std::vector<Data> sets = {
        {{0, 1, 2}, {0, 1, 3}},
        {{1, 1.2f, 3.6f, 4.4f, 4.6f, 6}, {0.2f, 2.1f, 2.2f, 2.3f, 4.3f, 5.0f}},
        // Sharp turns next to long end intervals: both end slopes are held to three chords.
        {{0, 2, 2.1f, 3, 3.1f, 5}, {0, 1, 0, 1, 0, 1}},
        {{0, 0.1f, 2, 3, 3.1f}, {0, 1, -1, 2, 0}},
        {{-3, -1, 0, 0.5f, 2, 2.25f, 4, 7}, {5, 5, 4, 1, 1, 0.5f, -2, -2.5f}},
        {{2, 5}, {-1, 4}},
    };
    for (const Data& d : sets) {
        const Reference ref(d.x, d.f);
        std::vector<float> at;
        for (float x = d.x.front(); x < d.x.back(); x += 0.01f) at.push_back(x);
        at.push_back(d.x.back());
        LibraryCapture cap;
        const std::vector<float> v = csmez(d, at);
        double scale = 0;
        for (double f : ref.f) scale = std::max(scale, std::fabs(f));
        for (std::size_t k = 0; k < at.size(); ++k)
            ASSERT_NEAR(v[k], ref(at[k]), 2e-6 * scale) << at[k];
        EXPECT_EQ(cap.text(), "");
    }
    // Worked by hand: slopes 1/2, 4/3 and 5/2, so the curve is 19/48 half way to the second
    // point.
    EXPECT_NEAR(csmez(sets[0], {0.5f})[0], 19.0 / 48.0, 1e-7);
}

// Random data of one kind: n points, abscissas from gaps, values from steps.
struct Kind {
    const char* name;
    int least, most;          // the number of points
    double gapLow, gapHigh;   // the gaps between abscissas, log-uniform in this range
    double rise, fall, flat;  // chances of a step up, down or none (the rest up or down)
    double offset;            // added to every value
};

Data randomData(const Kind& kind, std::mt19937& rng) {
    std::uniform_int_distribution<int> count(kind.least, kind.most);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const int n = count(rng);
    Data d;
    double x = -10 * unit(rng), f = kind.offset;
    for (int i = 0; i < n; ++i) {
        // Abscissas that single precision cannot tell apart are no data for an interpolant.
        d.x.push_back(i > 0 ? std::max(float(x), std::nextafter(d.x.back(), 1e30f)) : float(x));
        d.f.push_back(float(f));
        x += kind.gapLow * std::pow(kind.gapHigh / kind.gapLow, unit(rng));
        const double u = unit(rng), size = std::pow(10.0, 3 * unit(rng) - 2);
        if (u < kind.rise) {
            f += size;
        } else if (u < kind.rise + kind.fall) {
            f -= size;
        } else if (u >= kind.rise + kind.fall + kind.flat) {
            f += unit(rng) < 0.5 ? size : -size;
        }
    }
    return d;
}

TEST(MonotoneCubic, GuaranteesHoldOnRandomData) {
    const Kind kinds[] = {
        {"rising", 2, 30, 0.5, 2, 1, 0, 0, 0},
        {"falling, gaps over six decades", 3, 30, 1e-3, 1e3, 0, 1, 0, 0},
        {"rising with flat stretches", 3, 40, 0.1, 10, 0.6, 0, 0.4, 0},
        {"up and down", 3, 40, 0.1, 10, 0, 0, 0, 0},
        {"up, down and flat, far from zero", 3, 40, 0.1, 10, 0.3, 0.3, 0.2, 1e4},
        {"two points", 2, 2, 0.1, 10, 0, 0, 0, 0},
    };
    std::mt19937 rng(20240611);
    for (const Kind& kind : kinds) {
        for (int set = 0; set < 200; ++set) {
            const Data d = randomData(kind, rng);
            SCOPED_TRACE(std::string(kind.name) + ", set " + std::to_string(set));
            const int n = int(d.x.size());
            LibraryCapture cap;
            std::vector<float> brk(n), c(4 * n);
            std::vector<int> iwk(n);
            C2MON(n, d.x.data(), d.f.data(), brk.data(), c.data(), iwk.data());
            for (int i = 0; i + 1 < n; ++i) {
                // Sixteen points across the interval, both ends included, each once.
                std::vector<float> at = {d.x[i]};
                for (int k = 1; k < 16; ++k)
                    if (float t = d.x[i] + float(k) / 16.0f * (d.x[i + 1] - d.x[i]); t > at.back())
                        at.push_back(t);
                if (d.x[i + 1] > at.back()) at.push_back(d.x[i + 1]);
                const std::vector<float> v = csmez(d, at);
                ASSERT_EQ(cap.text(), "");
                const double a = d.f[i], b = d.f[i + 1];
                // What single precision can hold of the interval's values and its curve.
                const double tol = 4 * FLT_EPSILON * (std::fabs(a) + std::fabs(b));
                ASSERT_NEAR(v.front(), a, tol) << "x = " << d.x[i];
                ASSERT_NEAR(v.back(), b, tol) << "x = " << d.x[i + 1];
                // Between the end values, and monotone on the way.
                for (std::size_t k = 1; k < at.size(); ++k) {
                    const double y = v[k], before = v[k - 1];
                    ASSERT_GE(y, std::min(a, b) - tol) << "x = " << at[k];
                    ASSERT_LE(y, std::max(a, b) + tol) << "x = " << at[k];
                    ASSERT_GE((y - before) * (b > a ? 1 : -1), -tol) << "x = " << at[k];
                    if (a == b) {
                        ASSERT_EQ(y, a);
                    }
                }
                // C1: the piece ends with the value and the slope the next one starts with.
                const double h = double(brk[i + 1]) - brk[i];
                const float* p = &c[4 * i];
                const double end = p[0] + h * (p[1] + h * (p[2] / 2 + h * p[3] / 6));
                const double slope = p[1] + h * (p[2] + h * p[3] / 2);
                const double next = c[4 * (i + 1) + 1];
                EXPECT_NEAR(end, c[4 * (i + 1)], tol);
                EXPECT_NEAR(
                    slope, next,
                    16 * FLT_EPSILON * (std::fabs(p[1]) + std::fabs(next) + std::fabs(b - a) / h));
            }
        }
    }
}

TEST(MonotoneCubic, ArgumentsAreCheckedAndANotANumberStaysLocal) {
    float x = 0.0f, v = 0.0f;
    const Data one{{1}, {1}};
    EXPECT_EQ(capture([&] { CSMEZ(1, one.x.data(), one.f.data(), 0, &x, &v); }).reports,
              (Lines{"TERMINAL ERROR 1 from CSMEZ.  The number of data points must be 2 or more "
                     "while NDATA = 1 is given.",
                     "TERMINAL ERROR 2 from CSMEZ.  The length of XVEC must be at least one while "
                     "N = 0 is given."}));
    std::vector<float> brk(1), c(4);
    std::vector<int> iwk(1);
    EXPECT_EQ(capture([&] {
                  C2MON(1, one.x.data(), one.f.data(), brk.data(), c.data(), iwk.data());
              }).reports,
              (Lines{"TERMINAL ERROR 1 from C2MON.  The number of data points must be 2 or more "
                     "while NDATA = 1 is given."}));
    EXPECT_EQ(capture([&] {
                  csmez(Data{{0, 1, 2, 1}, {1, 2, 3, 4}}, {0.5f});
              }).lines,
              EqualAbscissaReport("XDATA(2) = XDATA(4)", {"C2MON", "CSMEZ"}));

    // A value that is not a number spoils the two pieces beside it and nothing else.
    const float nan = std::numeric_limits<float>::quiet_NaN();
    LibraryCapture cap;
    const std::vector<float> v6 = csmez(Data{{0, 1, 2, 3, 4, 5, 6}, {0, 1, 2, nan, 4, 5, 6}},
                                        {0.5f, 1.5f, 2.5f, 3.5f, 4.5f, 5.5f});
    for (int k = 0; k < 6; ++k) EXPECT_EQ(std::isnan(v6[k]), k == 2 || k == 3) << k;
    EXPECT_EQ(cap.text(), "");
}

}  // namespace
