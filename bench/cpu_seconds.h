// The processor time the calling thread has used, in seconds: what the comparison programs time,
// so that a job waiting for a core on a loaded machine is not charged for the wait.
#pragma once

#include <ctime>

inline double CpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
}
