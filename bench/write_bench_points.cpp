// Writes a B2F.dat for the engine to standard output: "problem" is the
// benchmarks' 100-point irregular noisy set (bench_problem.h), "sine" the
// in-process engine benchmark's 100 points of sin(x) on a regular grid.
#include <cmath>
#include <cstdio>
#include <cstring>

#include "bench_problem.h"

namespace {

void writeRecord(double x, double y) {
    std::printf("%+.5E %c%.5E\r\n", x, y < 0 ? '-' : '+', std::fabs(y));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 || (std::strcmp(argv[1], "problem") != 0 && std::strcmp(argv[1], "sine") != 0)) {
        std::fprintf(stderr, "usage: write_bench_points problem|sine > B2F.dat\n");
        return 2;
    }
    std::printf(" 100 \r\n");
    if (std::strcmp(argv[1], "problem") == 0) {
        BenchProblem p = MakeBenchProblem(100, 1);
        for (int i = 0; i < 100; ++i) writeRecord(p.x[i], p.f[i]);
    } else {
        for (int i = 0; i < 100; ++i) writeRecord(0.1 * i, std::sin(0.1 * i) + 0.01 * (i % 7));
    }
    return 0;
}
