// The clocks the core reads, in seconds from any fixed start: how long a
// statement's scripts run.
#pragma once

struct Clocks {
    virtual ~Clocks() = default;
    // A steady clock: the time that passes, however busy the machine is.
    virtual double SteadySeconds() = 0;
    // The processor time of the process: the program's own work.
    virtual double WorkSeconds() = 0;
};
