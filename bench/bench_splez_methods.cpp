// SPLEZ timings for every method number: a small problem with one abscissa (the shape of the
// engine's calls) and a large one, 10^4 points evaluated at 10^5 abscissas.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "fitlib.h"

namespace {

struct Problem {
    std::vector<float> x, f, xvec, value;
};

// Noisy smooth data on an irregular ascending grid; distinct evaluation abscissas spread over
// the data range, in random order.
Problem makeProblem(int ndata, int n) {
    std::mt19937 gen(7);
    std::uniform_real_distribution<float> gap(0.5f, 1.5f), unit(0.0f, 1.0f);
    Problem p;
    float x = 0.0f;
    for (int i = 0; i < ndata; ++i) {
        p.x.push_back(x);
        p.f.push_back(std::sin(0.05f * x) + 0.05f * unit(gen));
        x += gap(gen);
    }
    for (int i = 0; i < n; ++i) p.xvec.push_back(x * (static_cast<float>(i) + 0.5f) / n);
    std::shuffle(p.xvec.begin(), p.xvec.end(), gen);
    p.value.resize(n);
    return p;
}

void BM_SplezMethod(benchmark::State& state) {
    const int itype = static_cast<int>(state.range(0));
    const int ndata = static_cast<int>(state.range(1));
    const int n = static_cast<int>(state.range(2));
    Problem p = makeProblem(ndata, n);
    for (auto _ : state) {
        SPLEZ(ndata, p.x.data(), p.f.data(), itype, 0, n, p.xvec.data(), p.value.data());
        benchmark::DoNotOptimize(p.value.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * static_cast<long long>(n));
}

void Sizes(benchmark::internal::Benchmark* b) {
    b->ArgNames({"ITYPE", "NDATA", "N"});
    for (int itype = 1; itype <= 15; ++itype) b->Args({itype, 100, 1});
    for (int itype = 1; itype <= 15; ++itype) b->Args({itype, 10000, 100000});
}

BENCHMARK(BM_SplezMethod)->Apply(Sizes)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
