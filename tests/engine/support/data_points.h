// Test support: data points as the library takes them, abscissas and values in the caller's
// order.
#pragma once

#include <vector>

struct Data {
    std::vector<float> x, f;
};
