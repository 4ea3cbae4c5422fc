#pragma once
#include "support/Clock.h"

// Installs a clock for the lifetime of a scope.
class ScopedClock {
public:
    explicit ScopedClock(const Clock& clock) { Clock::install(&clock); }
    ~ScopedClock() { Clock::install(nullptr); }
    ScopedClock(const ScopedClock&) = delete;
    ScopedClock& operator=(const ScopedClock&) = delete;
};
