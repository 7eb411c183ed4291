// Support of the fuzz targets: a property check that reports the failed
// property and aborts (libFuzzer then saves the input; a corpus replay fails).
#pragma once

#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(condition, ...)                                                                \
    do {                                                                                          \
        if (!(condition)) {                                                                       \
            std::fprintf(stderr, "%s:%d: property failed: %s\n", __FILE__, __LINE__, #condition); \
            std::fprintf(stderr, "  " __VA_ARGS__);                                               \
            std::fprintf(stderr, "\n");                                                           \
            std::abort();                                                                         \
        }                                                                                         \
    } while (0)
