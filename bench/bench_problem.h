// The benchmarks' data: noisy smooth values on an irregular ascending grid,
// and distinct evaluation abscissas (the grid evaluators refuse repeats)
// spread evenly over the data range, in random order.
#pragma once

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

struct BenchProblem {
    std::vector<float> x, f, xvec, value;
};

inline BenchProblem MakeBenchProblem(int ndata, int n, unsigned seed = 42, float frequency = 0.01f,
                                     float noise = 0.1f) {
    std::mt19937 gen(seed);
    std::uniform_real_distribution<float> gap(0.5f, 1.5f), unit(0.0f, 1.0f);
    BenchProblem p;
    float x = 0.0f;
    for (int i = 0; i < ndata; ++i) {
        p.x.push_back(x);
        p.f.push_back(std::sin(frequency * x) + noise * unit(gen));
        x += gap(gen);
    }
    for (int i = 0; i < n; ++i) p.xvec.push_back(x * (static_cast<float>(i) + 0.5f) / n);
    std::shuffle(p.xvec.begin(), p.xvec.end(), gen);
    p.value.resize(n);
    return p;
}
