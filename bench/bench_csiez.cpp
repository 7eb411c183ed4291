// CSIEZ timings: the engine's call (100 points, one abscissa per call) and
// large grids on many points.
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

// Data on an irregular ascending grid; distinct evaluation abscissas (the
// grid evaluation refuses repeats) evenly spread over the data range, in
// random order.
Problem makeProblem(int ndata, int n) {
    std::mt19937 gen(42);
    std::uniform_real_distribution<float> gap(0.5f, 1.5f), unit(0.0f, 1.0f);
    Problem p;
    float x = 0.0f;
    for (int i = 0; i < ndata; ++i) {
        p.x.push_back(x);
        p.f.push_back(std::sin(0.01f * x) + 0.1f * unit(gen));
        x += gap(gen);
    }
    for (int i = 0; i < n; ++i) p.xvec.push_back(x * (static_cast<float>(i) + 0.5f) / n);
    std::shuffle(p.xvec.begin(), p.xvec.end(), gen);
    p.value.resize(n);
    return p;
}

void BM_Csiez(benchmark::State& state) {
    const int ndata = static_cast<int>(state.range(0));
    const int n = static_cast<int>(state.range(1));
    Problem p = makeProblem(ndata, n);
    for (auto _ : state) {
        CSIEZ(ndata, p.x.data(), p.f.data(), n, p.xvec.data(), p.value.data());
        benchmark::DoNotOptimize(p.value.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * static_cast<long long>(n));
}

BENCHMARK(BM_Csiez)->Args({100, 1})->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Csiez)->Args({10000, 1000000})->Args({100000, 1000000})->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
