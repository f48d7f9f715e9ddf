#include "shell/native/native_clocks.h"

#include <time.h>

namespace {

// A clock's reading in seconds; 0 when it cannot be read.
double Seconds(clockid_t id) {
    struct timespec t;
    if (clock_gettime(id, &t) != 0) return 0;
    return (double)t.tv_sec + (double)t.tv_nsec / 1e9;
}

} // namespace

// The monotonic clock.
double NativeClocks::SteadySeconds() {
    return Seconds(CLOCK_MONOTONIC);
}

// The processor time of the process.
double NativeClocks::WorkSeconds() {
    return Seconds(CLOCK_PROCESS_CPUTIME_ID);
}
