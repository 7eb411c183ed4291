// SPLEZ timings for the least-squares cubic B-spline (ITYPE 12): the engine's call (100 points,
// one abscissa per call), the engine's whole table of 9900 calls, and large grids on many points.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "bench_problem.h"
#include "fitlib.h"

namespace {

void BM_SplezBspline(benchmark::State& state) {
    const int ndata = static_cast<int>(state.range(0));
    const int n = static_cast<int>(state.range(1));
    BenchProblem p = MakeBenchProblem(ndata, n);
    for (auto _ : state) {
        SPLEZ(ndata, p.x.data(), p.f.data(), 12, 0, n, p.xvec.data(), p.value.data());
        benchmark::DoNotOptimize(p.value.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * static_cast<long long>(n));
}

// The engine's B-spline table for 100 points: one SPLEZ call for each of the 100 positions in
// each of the 99 intervals.
void BM_EngineBsplineTable(benchmark::State& state) {
    BenchProblem p = MakeBenchProblem(100, 1);
    std::vector<float> table(9900);
    for (auto _ : state) {
        int row = 0;
        for (int i = 0; i + 1 < 100; ++i) {
            for (int j = 1; j <= 100; ++j) {
                float xvec = static_cast<float>(
                    p.x[i] + (static_cast<double>(p.x[i + 1]) - p.x[i]) * j * 0.01f);
                SPLEZ(100, p.x.data(), p.f.data(), 12, 0, 1, &xvec, &table[row++]);
            }
        }
        benchmark::DoNotOptimize(table.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * 9900LL);
}

BENCHMARK(BM_SplezBspline)->Args({100, 1})->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SplezBspline)
    ->Args({10000, 1000000})
    ->Args({100000, 1000000})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EngineBsplineTable)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
