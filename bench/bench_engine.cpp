// The engine's whole table for 100 data points, in process: reading the
// exchange files, 9900 library calls, writing F2B.dat and the console echo.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "engine_main.h"
#include "fitlib.h"

namespace {

void writeInputs(int flag) {
    std::ofstream points("B2F.dat", std::ios::binary);
    points << " 100 \r\n";
    for (int i = 0; i < 100; ++i) {
        double x = 0.1 * i, y = std::sin(x) + 0.01 * (i % 7);
        char line[64];
        std::snprintf(line, sizeof line, "+%.5E %c%.5E\r\n", x, y < 0 ? '-' : '+', std::fabs(y));
        points << line;
    }
    std::ofstream method("Bor3.dat", std::ios::binary);
    method << (flag == 0 ? "00\r\n" : "01\r\n");
}

void BM_EngineTable(benchmark::State& state) {
    namespace fs = std::filesystem;
    fs::path dir = fs::temp_directory_path() / ("fitcore-bench-" + std::to_string(getpid()));
    fs::create_directories(dir);
    fs::path old = fs::current_path();
    fs::current_path(dir);
    writeInputs(static_cast<int>(state.range(0)));
    std::ostringstream console;
    AttachUnit(6, &console);
    for (auto _ : state) {
        console.str({});
        std::istringstream keyboard("\n");
        benchmark::DoNotOptimize(RunEngine(keyboard));
    }
    AttachUnit(6, nullptr);
    fs::current_path(old);
    fs::remove_all(dir);
}
BENCHMARK(BM_EngineTable)->Arg(0)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
