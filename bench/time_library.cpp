// Times CSIEZ or SPLEZ ITYPE 12 on the benchmarks' data (bench_problem.h) and
// writes that data for a peer to time on the same points:
//   time_library csiez|splez NDATA N REPEATS DATAFILE
// DATAFILE receives NDATA, N, then x, f (NDATA each) and the evaluation
// abscissas (N) as 32-bit little-endian values; the median processor time of
// REPEATS calls in seconds goes to standard output.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "bench_problem.h"
#include "cpu_seconds.h"
#include "fitlib.h"

int main(int argc, char** argv) {
    if (argc != 6 || (std::strcmp(argv[1], "csiez") != 0 && std::strcmp(argv[1], "splez") != 0)) {
        std::fprintf(stderr, "usage: time_library csiez|splez NDATA N REPEATS DATAFILE\n");
        return 2;
    }
    const bool cubic = std::strcmp(argv[1], "csiez") == 0;
    const int ndata = std::stoi(argv[2]), n = std::stoi(argv[3]), repeats = std::stoi(argv[4]);
    BenchProblem p = MakeBenchProblem(ndata, n);

    if (FILE* out = std::fopen(argv[5], "wb")) {
        const std::int32_t sizes[2] = {ndata, n};
        std::fwrite(sizes, sizeof sizes, 1, out);
        std::fwrite(p.x.data(), sizeof(float), p.x.size(), out);
        std::fwrite(p.f.data(), sizeof(float), p.f.size(), out);
        std::fwrite(p.xvec.data(), sizeof(float), p.xvec.size(), out);
        std::fclose(out);
    }

    std::vector<double> seconds;
    std::vector<float> xvec;
    for (int r = 0; r < repeats; ++r) {
        xvec = p.xvec;  // CSIEZ may reorder its abscissas in place and back
        const double start = CpuSeconds();
        if (cubic)
            CSIEZ(ndata, p.x.data(), p.f.data(), n, xvec.data(), p.value.data());
        else
            SPLEZ(ndata, p.x.data(), p.f.data(), 12, 0, n, xvec.data(), p.value.data());
        seconds.push_back(CpuSeconds() - start);
    }
    std::sort(seconds.begin(), seconds.end());
    std::printf("%.6f\n", seconds[seconds.size() / 2]);
    return 0;
}
