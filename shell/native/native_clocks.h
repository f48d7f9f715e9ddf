// The clocks of the native program: the monotonic clock and the process's
// processor time.
#pragma once

#include "platform/clocks.h"

struct NativeClocks : Clocks {
    double SteadySeconds() override;
    double WorkSeconds() override;
};
