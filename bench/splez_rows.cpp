// The engine's table for a library method computed the way the engine computes
// the B-spline's, one SPLEZ call per row (CSMEZ for the monotone cubic, 20), for
// compare_methods.py:
//   splez_rows ITYPE < B2F.dat > F2B.dat
// The rows' abscissas and the output records follow the engine's layout, so the
// two tables can be compared byte for byte.
#include <cstdio>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "fitlib.h"
#include "records.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: splez_rows ITYPE < B2F.dat > F2B.dat\n");
        return 2;
    }
    const int itype = std::stoi(argv[1]), ider = 0, one = 1;
    std::string line;
    std::getline(std::cin, line);
    const int ndata = records::ReadFreeInteger(line).value_or(0);
    std::vector<float> x(ndata), f(ndata);
    for (int i = 0; i < ndata && std::getline(std::cin, line); ++i) {
        x[i] = records::ReadEField(records::Field(line, 0, 12), 5).value_or(0.0f);
        f[i] = records::ReadEField(records::Field(line, 12, 13), 5).value_or(0.0f);
    }
    std::string table = records::WriteI(ndata > 1 ? 100 * (ndata - 1) : 0, 6) + "\r\n";
    for (int i = 0; i + 1 < ndata; ++i) {
        for (int j = 1; j <= 100; ++j) {
            const double width = static_cast<double>(x[i + 1]) - x[i];
            float xvec = static_cast<float>(x[i] + (width * j) * static_cast<double>(0.01f));
            float value = 0.0f;
            if (itype == 20) {
                CSMEZ(ndata, x.data(), f.data(), one, &xvec, &value);  // the monotone cubic
            } else {
                SPLEZ(ndata, x.data(), f.data(), itype, ider, one, &xvec, &value);
            }
            records::AppendE(table, xvec, 13, 6);
            records::AppendE(table, value, 13, 6);
            table += "\r\n";
        }
    }
    std::fwrite(table.data(), 1, table.size(), stdout);
    return 0;
}
