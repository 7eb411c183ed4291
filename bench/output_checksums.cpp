// Prints a checksum of everything the library's entries return on many random problems, so that
// two builds can be shown to give the same results to the bit: run it against each and diff.
//   output_checksums [SETS]
// SETS random data sets (4 to 303 points, every 50th with 2000 to 22000, values random or smooth,
// abscissas ascending or shuffled, up to 500 evaluation points in random order, some outside
// the data) go through CSIEZ and SPLEZ with every ITYPE and IDER 0 to 2; then the benchmarks'
// problems of 100 to 10^6 points at 2*10^5 positions through CSIEZ and SPLEZ 1, 2, 3, 9 and 12.
// A line holds a routine, a method and the FNV-1a hash of its values, error types and codes.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <numeric>
#include <random>
#include <vector>

#include "bench_problem.h"
#include "fitlib.h"

namespace {

struct Hash {
    std::uint64_t h = 1469598103934665603ull;
    void add(const void* p, std::size_t n) {
        const auto* c = static_cast<const unsigned char*>(p);
        for (std::size_t i = 0; i < n; ++i) {
            h ^= c[i];
            h *= 1099511628211ull;
        }
    }
};

void shuffleData(std::vector<float>& x, std::vector<float>& f, std::mt19937& gen) {
    std::vector<int> order(x.size());
    std::iota(order.begin(), order.end(), 0);
    std::shuffle(order.begin(), order.end(), gen);
    const std::vector<float> x0 = x, f0 = f;
    for (std::size_t i = 0; i < order.size(); ++i) {
        x[i] = x0[order[i]];
        f[i] = f0[order[i]];
    }
}

// One call with the stop turned into an exception; its values and error state go to the hash.
void hashCall(Hash& hash, int itype, int ider, const std::vector<float>& x,
              const std::vector<float>& f, std::vector<float>& xvec) {
    const int ndata = static_cast<int>(x.size()), n = static_cast<int>(xvec.size());
    std::vector<float> value(n, -7.0f);
    int stopped = 0;
    try {
        if (itype == 0)
            CSIEZ(ndata, x.data(), f.data(), n, xvec.data(), value.data());
        else
            SPLEZ(ndata, x.data(), f.data(), itype, ider, n, xvec.data(), value.data());
    } catch (int) {
        stopped = 1;
    }
    const int state[3] = {stopped, N1RTY(1), N1RCD(1)};
    hash.add(state, sizeof state);
    hash.add(value.data(), sizeof(float) * value.size());
    hash.add(xvec.data(), sizeof(float) * xvec.size());
    ResetErrorState();
}

}  // namespace

int main(int argc, char** argv) {
    const int sets = argc > 1 ? std::atoi(argv[1]) : 300;
    SetStopAction([](int) { throw 1; });
    std::mt19937 gen(99);
    Hash random[16];
    for (int s = 0; s < sets; ++s) {
        const int ndata = s % 50 == 0 ? 2000 + static_cast<int>(gen() % 20000)
                                      : 4 + static_cast<int>(gen() % 300);
        const int n = 1 + static_cast<int>(gen() % 500);
        std::uniform_real_distribution<float> gap(0.1f, 2.0f), any(-3.0f, 3.0f);
        std::vector<float> x(ndata), f(ndata), xvec(n);
        float t = 0.0f;
        for (int i = 0; i < ndata; ++i) {
            x[i] = t;
            t += gap(gen);
            f[i] = s % 3 == 0 ? std::sin(0.3f * x[i]) : any(gen);
        }
        for (int i = 0; i < n; ++i) xvec[i] = -1.0f + (t + 2.0f) * (i + 0.5f) / n;
        std::shuffle(xvec.begin(), xvec.end(), gen);
        if (s % 2) shuffleData(x, f, gen);
        for (int itype = 0; itype <= 15; ++itype) {
            for (int ider = 0; ider <= (itype == 0 ? 0 : 2); ++ider)
                hashCall(random[itype], itype, ider, x, f, xvec);
        }
    }
    for (int itype = 0; itype <= 15; ++itype) {
        std::printf("random %s %2d %016llx\n", itype ? "SPLEZ" : "CSIEZ", itype,
                    static_cast<unsigned long long>(random[itype].h));
    }

    for (int ndata : {100, 1000, 10000, 100000, 1000000}) {
        for (bool shuffled : {false, true}) {
            for (int itype : {0, 1, 2, 3, 9, 12}) {
                if (itype == 9 && ndata > 10000) continue;  // the smoothing spline up to 10^4
                BenchProblem p = MakeBenchProblem(ndata, 1);
                std::mt19937 order(1234);
                if (shuffled) shuffleData(p.x, p.f, order);
                const int n = 200000;
                const float xmax = *std::max_element(p.x.begin(), p.x.end());
                std::vector<float> xvec(n);
                for (int i = 0; i < n; ++i) xvec[i] = xmax * (i + 0.5f) / n;
                std::shuffle(xvec.begin(), xvec.end(), std::mt19937(5678));
                Hash hash;
                hashCall(hash, itype, 0, p.x, p.f, xvec);
                std::printf("bench %s %2d NDATA %7d %-8s %016llx\n", itype ? "SPLEZ" : "CSIEZ",
                            itype, ndata, shuffled ? "unsorted" : "sorted",
                            static_cast<unsigned long long>(hash.h));
            }
        }
    }
    return 0;
}
