// Times the library's interpolating and fitting entries against the C and C++ routines a user
// would otherwise call (GSL's interpolation and B-splines, Boost.Math's interpolators), side by
// side in one run on the same data:
//   compare_peers [REPEATS] [NDATA...]
// Every job builds the curve from NDATA points and evaluates it at N = 10^6 distinct positions
// in random order, the values landing in the caller's order. The data abscissas come ascending
// ("sorted") or shuffled ("unsorted"); a peer that needs them ascending sorts the pairs inside
// its timer, as its caller would have to. A peer evaluates the positions either one by one in
// the caller's order or sorted first and scattered back, whichever is faster for the job (both
// are timed). After a warm-up round, which also compares every peer's values with the library's,
// REPEATS rounds (at least 5) alternate between the contestants, so a load that comes and goes
// falls on all of them; each figure is the processor time of the job's thread, the median and the
// range of the rounds, and the ratio,
// library / peer, is taken round by round. The peers compute in double precision, the library in
// single.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <limits>
#include <numeric>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "bench_problem.h"
#include "cpu_seconds.h"
#include "fitlib.h"

#if FITCORE_HAVE_GSL
#include <gsl/gsl_bspline.h>
#include <gsl/gsl_errno.h>
#include <gsl/gsl_linalg.h>
#include <gsl/gsl_spline.h>
#endif
#if FITCORE_HAVE_BOOST_MATH
// Debian's Boost 1.74 calls isnan unqualified in pchip.hpp; math.h declares it.
#include <math.h>

#include <boost/math/interpolators/makima.hpp>
#include <boost/math/interpolators/pchip.hpp>
#endif

namespace {

constexpr int kPositions = 1000000;

// One job's data: float for the library, double copies for the peers (made outside the timers).
struct Problem {
    int ndata = 0, n = 0;
    std::vector<float> x, f, xvec, value;
    std::vector<double> xd, fd, xvecd, valued;
};

Problem makeProblem(int ndata, bool shuffled) {
    BenchProblem b = MakeBenchProblem(ndata, 1);
    Problem p;
    p.ndata = ndata;
    p.n = kPositions;
    p.x = b.x;
    p.f = b.f;
    if (shuffled) {
        std::vector<int> order(ndata);
        std::iota(order.begin(), order.end(), 0);
        std::shuffle(order.begin(), order.end(), std::mt19937(1234));
        for (int i = 0; i < ndata; ++i) {
            p.x[i] = b.x[order[i]];
            p.f[i] = b.f[order[i]];
        }
    }
    // Distinct positions spread evenly over the data's range (the peers do not extrapolate), in
    // random order.
    const float xmax = b.x.back();
    for (int i = 0; i < p.n; ++i) p.xvec.push_back(xmax * (static_cast<float>(i) + 0.5f) / p.n);
    std::shuffle(p.xvec.begin(), p.xvec.end(), std::mt19937(5678));
    p.value.assign(p.n, 0.0f);
    p.xd.assign(p.x.begin(), p.x.end());
    p.fd.assign(p.f.begin(), p.f.end());
    p.xvecd.assign(p.xvec.begin(), p.xvec.end());
    p.valued.assign(p.n, 0.0);
    return p;
}

// What a peer's caller does with data in any order: the pairs sorted by abscissa (left alone when
// they already ascend).
void sortedData(const Problem& p, std::vector<double>& x, std::vector<double>& f) {
    x = p.xd;
    f = p.fd;
    if (std::is_sorted(x.begin(), x.end())) return;
    std::vector<std::pair<double, double>> pairs(p.ndata);
    for (int i = 0; i < p.ndata; ++i) pairs[i] = {p.xd[i], p.fd[i]};
    std::sort(pairs.begin(), pairs.end());
    for (int i = 0; i < p.ndata; ++i) {
        x[i] = pairs[i].first;
        f[i] = pairs[i].second;
    }
}

// The two ways a peer evaluates N positions in caller order.
enum class Walk { kCallerOrder, kSorted };

template <typename Eval>
void evaluateAll(const Problem& p, std::vector<double>& out, Walk walk, Eval eval) {
    if (walk == Walk::kCallerOrder) {
        for (int i = 0; i < p.n; ++i) out[i] = eval(p.xvecd[i]);
        return;
    }
    std::vector<std::pair<double, int>> order(p.n);
    for (int i = 0; i < p.n; ++i) order[i] = {p.xvecd[i], i};
    std::sort(order.begin(), order.end());
    for (const auto& [x, i] : order) out[i] = eval(x);
}

using Run = std::function<void(Problem&)>;

struct Contestant {
    std::string name;
    Run run;
    std::vector<double> seconds;
};

double secondsOf(const Run& run, Problem& p) {
    const double start = CpuSeconds();
    run(p);
    return CpuSeconds() - start;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const std::size_t m = v.size() / 2;
    return v.size() % 2 ? v[m] : 0.5 * (v[m - 1] + v[m]);
}

#if FITCORE_HAVE_GSL
// A GSL interpolation type built on the sorted pairs and evaluated with an accelerator.
Run gslInterp(const gsl_interp_type* type, Walk walk) {
    return [type, walk](Problem& p) {
        std::vector<double> x, f;
        sortedData(p, x, f);
        gsl_spline* spline = gsl_spline_alloc(type, p.ndata);
        gsl_interp_accel* acc = gsl_interp_accel_alloc();
        gsl_spline_init(spline, x.data(), f.data(), p.ndata);
        evaluateAll(p, p.valued, walk, [&](double v) { return gsl_spline_eval(spline, v, acc); });
        gsl_interp_accel_free(acc);
        gsl_spline_free(spline);
    };
}

// The library's knots for SPLEZ ITYPE 12 on the sorted abscissas x, as GSL's breakpoints: x(1),
// every fourth abscissa inside (the last one moved as the library moves it) and the enlarged
// right end.
std::vector<double> lsqBreakpoints(const std::vector<double>& x) {
    const int n = static_cast<int>(x.size());
    const int m = n / 4, r = n % 4;
    std::vector<double> b{x[0]};
    for (int j = 1; j <= m - 1; ++j) b.push_back(x[4 * j - 1]);
    if (r == 1) b.push_back(x[4 * m - 3]);
    if (r == 2 || r == 3) b.push_back(x[4 * m - 2]);
    // The right end moved out by a relative 100 single-precision epsilons, in one rounding.
    const double eps = std::numeric_limits<float>::epsilon(), xr = x[n - 1];
    const float end = static_cast<float>(xr * (1.0 + 100.0 * eps * (xr >= 0 ? 1 : -1)));
    b.push_back(end != 0.0f ? end : 100.0 * eps);
    return b;
}

// GSL's least-squares cubic B-spline on the library's knots, as its users build it: the banded
// normal equations from the four nonzero basis values at each abscissa, solved by the banded
// Cholesky decomposition, and each position evaluated from its four nonzero basis values.
Run gslLeastSquares(Walk walk) {
    return [walk](Problem& p) {
        std::vector<double> x, f;
        sortedData(p, x, f);
        const std::vector<double> breaks = lsqBreakpoints(x);
        const std::size_t nbreak = breaks.size(), ncoef = nbreak + 2, order = 4;
        gsl_bspline_workspace* bw = gsl_bspline_alloc(order, nbreak);
        gsl_vector_const_view bv = gsl_vector_const_view_array(breaks.data(), nbreak);
        gsl_bspline_knots(&bv.vector, bw);
        gsl_vector* basis = gsl_vector_alloc(order);
        // Row j of the band holds the normal matrix's column j from the diagonal down.
        gsl_matrix* band = gsl_matrix_calloc(ncoef, order);
        gsl_vector* rhs = gsl_vector_calloc(ncoef);
        for (int i = 0; i < p.ndata; ++i) {
            std::size_t first = 0, last = 0;
            gsl_bspline_eval_nonzero(x[i], basis, &first, &last, bw);
            for (std::size_t a = 0; a < order; ++a) {
                const double ba = gsl_vector_get(basis, a);
                *gsl_vector_ptr(rhs, first + a) += ba * f[i];
                for (std::size_t b = 0; b <= a; ++b)
                    *gsl_matrix_ptr(band, first + b, a - b) += ba * gsl_vector_get(basis, b);
            }
        }
        gsl_vector* coef = gsl_vector_alloc(ncoef);
        gsl_linalg_cholesky_band_decomp(band);
        gsl_linalg_cholesky_band_solve(band, rhs, coef);
        evaluateAll(p, p.valued, walk, [&](double v) {
            std::size_t first = 0, last = 0;
            gsl_bspline_eval_nonzero(v, basis, &first, &last, bw);
            double s = 0.0;
            for (std::size_t a = 0; a < order; ++a)
                s += gsl_vector_get(basis, a) * gsl_vector_get(coef, first + a);
            return s;
        });
        gsl_vector_free(coef);
        gsl_vector_free(rhs);
        gsl_matrix_free(band);
        gsl_vector_free(basis);
        gsl_bspline_free(bw);
    };
}
#endif

#if FITCORE_HAVE_BOOST_MATH
template <template <typename> class Interpolator>
Run boostInterp(Walk walk) {
    return [walk](Problem& p) {
        std::vector<double> x, f;
        sortedData(p, x, f);
        Interpolator<std::vector<double>> curve(std::move(x), std::move(f));
        evaluateAll(p, p.valued, walk, [&](double v) { return curve(v); });
    };
}
#endif

// A peer under both walks; the faster one is its figure.
void addPeer(std::vector<Contestant>& list, const std::string& name,
             const std::function<Run(Walk)>& make) {
    list.push_back({name + " (caller order)", make(Walk::kCallerOrder), {}});
    list.push_back({name + " (sorted)", make(Walk::kSorted), {}});
}

Run splez(int itype) {
    return [itype](Problem& p) {
        SPLEZ(p.ndata, p.x.data(), p.f.data(), itype, 0, p.n, p.xvec.data(), p.value.data());
    };
}

std::vector<std::pair<std::string, std::vector<Contestant>>> methods(int ndata) {
    std::vector<std::pair<std::string, std::vector<Contestant>>> all;
    {
        const Run csiez = [](Problem& p) {
            CSIEZ(p.ndata, p.x.data(), p.f.data(), p.n, p.xvec.data(), p.value.data());
        };
        std::vector<Contestant> c{{"CSIEZ", csiez, {}}};
#if FITCORE_HAVE_GSL
        addPeer(c, "GSL cspline", [](Walk w) { return gslInterp(gsl_interp_cspline, w); });
#endif
        all.push_back({"cubic spline", std::move(c)});
    }
    {
        std::vector<Contestant> c{{"SPLEZ 2", splez(2), {}}};
#if FITCORE_HAVE_GSL
        addPeer(c, "GSL akima", [](Walk w) { return gslInterp(gsl_interp_akima, w); });
#endif
#if FITCORE_HAVE_BOOST_MATH
        addPeer(c, "Boost makima",
                [](Walk w) { return boostInterp<boost::math::interpolators::makima>(w); });
#endif
        all.push_back({"Akima", std::move(c)});
    }
    {
        std::vector<Contestant> c{{"SPLEZ 3", splez(3), {}}};
#if FITCORE_HAVE_GSL
        addPeer(c, "GSL steffen", [](Walk w) { return gslInterp(gsl_interp_steffen, w); });
#endif
#if FITCORE_HAVE_BOOST_MATH
        addPeer(c, "Boost pchip",
                [](Walk w) { return boostInterp<boost::math::interpolators::pchip>(w); });
#endif
        all.push_back({"shape-preserving", std::move(c)});
    }
    {
        std::vector<Contestant> c{{"SPLEZ 12", splez(12), {}}};
#if FITCORE_HAVE_GSL
        // GSL 2.7 finds a position's knot interval by a linear search over the knots, so its
        // fit and evaluation grow with NDATA times the positions: not timed beyond 10^4 points.
        if (ndata <= 10000) addPeer(c, "GSL bspline lsq", gslLeastSquares);
#endif
        all.push_back({"least-squares B-spline", std::move(c)});
    }
    return all;
}

// A figure over the rounds: "median [least, greatest]".
std::string spread(const std::vector<double>& v, const char* format) {
    char text[96];
    const std::string f = std::string(format) + " [" + format + ", " + format + "]";
    std::snprintf(text, sizeof text, f.c_str(), median(v), *std::min_element(v.begin(), v.end()),
                  *std::max_element(v.begin(), v.end()));
    return text;
}

// The largest difference between a peer's values and the library's, relative to the largest
// library value in magnitude: single-precision rounding where both compute the same curve.
double relativeDifference(const Problem& p) {
    double diff = 0.0, scale = 0.0;
    for (int i = 0; i < p.n; ++i) {
        diff = std::max(diff, std::abs(p.valued[i] - static_cast<double>(p.value[i])));
        scale = std::max(scale, std::abs(static_cast<double>(p.value[i])));
    }
    return scale > 0.0 ? diff / scale : diff;
}

}  // namespace

int main(int argc, char** argv) {
    const int repeats = argc > 1 ? std::atoi(argv[1]) : 5;
    std::vector<int> sizes;
    for (int i = 2; i < argc; ++i) sizes.push_back(std::atoi(argv[i]));
    if (repeats < 5) {
        std::fprintf(stderr, "usage: compare_peers [REPEATS >= 5] [NDATA...]\n");
        return 2;
    }
    if (sizes.empty()) sizes = {100, 1000, 10000, 100000, 1000000};
#if FITCORE_HAVE_GSL
    gsl_set_error_handler_off();
#endif
    double load[3] = {};
    if (FILE* f = std::fopen("/proc/loadavg", "r")) {
        if (std::fscanf(f, "%lf %lf %lf", &load[0], &load[1], &load[2]) != 3) load[0] = -1;
        std::fclose(f);
    }
    std::printf("N = %d positions in random order; after a warm-up round, median [least, "
                "greatest] of %d rounds; load %.2f %.2f %.2f\n",
                kPositions, repeats, load[0], load[1], load[2]);
    std::printf("%-24s %-8s %9s  %-31s %-28s %-28s %-20s %9s\n", "method", "data", "NDATA", "peer",
                "library s", "peer s", "ratio", "value diff");
    for (int ndata : sizes) {
        for (bool shuffled : {false, true}) {
            Problem p = makeProblem(ndata, shuffled);
            const char* data = shuffled ? "unsorted" : "sorted";
            for (auto& [method, list] : methods(ndata)) {
                // The warm-up round also checks the values: each peer against the library.
                std::vector<double> diff(list.size(), 0.0);
                list[0].run(p);
                for (std::size_t i = 1; i < list.size(); ++i) {
                    list[i].run(p);
                    diff[i] = relativeDifference(p);
                }
                for (int r = 0; r < repeats; ++r) {
                    for (Contestant& c : list) c.seconds.push_back(secondsOf(c.run, p));
                }
                const std::vector<double>& ours = list[0].seconds;
                // The peers, each under its faster walk; the ratio is taken round by round.
                for (std::size_t i = 1; i + 1 < list.size(); i += 2) {
                    const bool first = median(list[i].seconds) <= median(list[i + 1].seconds);
                    const Contestant& best = first ? list[i] : list[i + 1];
                    std::vector<double> ratio;
                    for (int r = 0; r < repeats; ++r) ratio.push_back(ours[r] / best.seconds[r]);
                    std::printf("%-24s %-8s %9d  %-31s %-28s %-28s %-20s %9.1e\n", method.c_str(),
                                data, ndata, best.name.c_str(), spread(ours, "%.4f").c_str(),
                                spread(best.seconds, "%.4f").c_str(),
                                spread(ratio, "%.2f").c_str(), diff[first ? i : i + 1]);
                }
                if (list.size() == 1) {
                    std::printf("%-24s %-8s %9d  %-31s %-28s\n", method.c_str(), data, ndata,
                                "(no peer)", spread(ours, "%.4f").c_str());
                }
                std::fflush(stdout);
            }
        }
    }
    return 0;
}
