// CSIEZ timings: the engine's call (100 points, one abscissa per call) and
// large grids on many points.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "bench_problem.h"
#include "fitlib.h"

namespace {

void BM_Csiez(benchmark::State& state) {
    const int ndata = static_cast<int>(state.range(0));
    const int n = static_cast<int>(state.range(1));
    BenchProblem p = MakeBenchProblem(ndata, n);
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
