// The engine's main line (under construction: banners only).
#include "engine_main.h"

#include <iostream>

int RunEngine() {
    std::cout << "\n   ---  Spline Interpolation  ---\n   ---   Calculation start    ---\n\n";
    return 0;
}
