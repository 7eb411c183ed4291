// Times the library's interpolating and fitting entries against the C and C++ routines a user
// would otherwise call (GSL's interpolation and B-splines, Boost.Math's interpolators), side by
// side in one run on the same data:
//   compare_peers [REPEATS] [NDATA...]
// Every job builds the curve from NDATA points and evaluates it at N = 10^6 distinct positions
// in random order, the values landing in the caller's order. The data abscissas come ascending
// ("sorted") or shuffled ("unsorted"); a peer that needs them ascending sorts the pairs inside
// its timer, as its caller would have to. A peer evaluates the positions either one by one in
// the caller's order or sorted first and scattered back, whichever is faster for the job (both
// are timed). Rounds alternate between the contestants, so a load that comes and goes falls on
// all of them; each figure is the median of REPEATS rounds and the ratio is library / peer.
// The peers compute in double precision, the library in single.
#include <algorithm>
#include <chrono>
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
#include "fitlib.h"

#if FITCORE_HAVE_GSL
#include <gsl/gsl_bspline.h>
#include <gsl/gsl_errno.h>
#include <gsl/gsl_multifit.h>
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
    const auto start = std::chrono::steady_clock::now();
    run(p);
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
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

// GSL's least-squares cubic B-spline on the library's knots: the dense design matrix solved by
// gsl_multifit_linear, evaluated by gsl_bspline_eval.
Run gslLeastSquares(Walk walk) {
    return [walk](Problem& p) {
        std::vector<double> x, f;
        sortedData(p, x, f);
        const std::vector<double> breaks = lsqBreakpoints(x);
        const std::size_t nbreak = breaks.size(), ncoef = nbreak + 2;
        gsl_bspline_workspace* bw = gsl_bspline_alloc(4, nbreak);
        gsl_vector_const_view bv = gsl_vector_const_view_array(breaks.data(), nbreak);
        gsl_bspline_knots(&bv.vector, bw);
        gsl_vector* basis = gsl_vector_alloc(ncoef);
        gsl_matrix* design = gsl_matrix_alloc(p.ndata, ncoef);
        for (int i = 0; i < p.ndata; ++i) {
            gsl_bspline_eval(x[i], basis, bw);
            for (std::size_t j = 0; j < ncoef; ++j)
                gsl_matrix_set(design, i, j, gsl_vector_get(basis, j));
        }
        gsl_vector_view fv = gsl_vector_view_array(f.data(), p.ndata);
        gsl_vector* coef = gsl_vector_alloc(ncoef);
        gsl_matrix* cov = gsl_matrix_alloc(ncoef, ncoef);
        gsl_multifit_linear_workspace* mw = gsl_multifit_linear_alloc(p.ndata, ncoef);
        double chisq = 0.0;
        gsl_multifit_linear(design, &fv.vector, coef, cov, &chisq, mw);
        evaluateAll(p, p.valued, walk, [&](double v) {
            gsl_bspline_eval(v, basis, bw);
            double s = 0.0;
            for (std::size_t j = 0; j < ncoef; ++j)
                s += gsl_vector_get(basis, j) * gsl_vector_get(coef, j);
            return s;
        });
        gsl_multifit_linear_free(mw);
        gsl_matrix_free(cov);
        gsl_vector_free(coef);
        gsl_matrix_free(design);
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
        // The dense design matrix grows with NDATA * NDATA / 4: beyond 10^3 points it is no
        // longer what a caller of GSL would do.
        if (ndata <= 1000) addPeer(c, "GSL bspline lsq", gslLeastSquares);
#endif
        all.push_back({"least-squares B-spline", std::move(c)});
    }
    return all;
}

}  // namespace

int main(int argc, char** argv) {
    const int repeats = argc > 1 ? std::atoi(argv[1]) : 5;
    std::vector<int> sizes;
    for (int i = 2; i < argc; ++i) sizes.push_back(std::atoi(argv[i]));
    if (repeats < 1) {
        std::fprintf(stderr, "usage: compare_peers [REPEATS] [NDATA...]\n");
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
    std::printf("N = %d positions in random order, median of %d rounds, load %.2f %.2f %.2f\n",
                kPositions, repeats, load[0], load[1], load[2]);
    std::printf("%-24s %-8s %9s  %-28s %10s %10s %7s\n", "method", "data", "NDATA", "peer",
                "library s", "peer s", "ratio");
    for (int ndata : sizes) {
        for (bool shuffled : {false, true}) {
            Problem p = makeProblem(ndata, shuffled);
            for (auto& [method, list] : methods(ndata)) {
                for (int r = 0; r < repeats; ++r) {
                    for (Contestant& c : list) c.seconds.push_back(secondsOf(c.run, p));
                }
                const double ours = median(list[0].seconds);
                // The peers, each under its faster walk.
                for (std::size_t i = 1; i + 1 < list.size(); i += 2) {
                    const double a = median(list[i].seconds), b = median(list[i + 1].seconds);
                    const Contestant& best = a <= b ? list[i] : list[i + 1];
                    std::printf("%-24s %-8s %9d  %-28s %10.4f %10.4f %7.2f\n", method.c_str(),
                                shuffled ? "unsorted" : "sorted", ndata, best.name.c_str(), ours,
                                std::min(a, b), ours / std::min(a, b));
                }
                if (list.size() == 1) {
                    std::printf("%-24s %-8s %9d  %-28s %10.4f %10s %7s\n", method.c_str(),
                                shuffled ? "unsorted" : "sorted", ndata, "(no peer)", ours, "-",
                                "-");
                }
                std::fflush(stdout);
            }
        }
    }
    return 0;
}
