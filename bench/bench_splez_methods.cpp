// SPLEZ timings for every method number: a small problem with one abscissa (the shape of the
// engine's calls) and a large one, 10^4 points evaluated at 10^5 abscissas.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "bench_problem.h"
#include "fitlib.h"

namespace {

void BM_SplezMethod(benchmark::State& state) {
    const int itype = static_cast<int>(state.range(0));
    const int ndata = static_cast<int>(state.range(1));
    const int n = static_cast<int>(state.range(2));
    BenchProblem p = MakeBenchProblem(ndata, n, 7, 0.05f, 0.05f);
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
