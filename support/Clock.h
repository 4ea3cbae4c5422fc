#pragma once
#include <chrono>
#include <cstdint>

// The program's source of time. Tests install a fake clock to move through weeks at once.
class Clock {
public:
    virtual ~Clock() = default;
    virtual std::chrono::system_clock::time_point now() const = 0;
    // Milliseconds since an arbitrary start (the stamp's tick count).
    virtual uint64_t tickMs() const = 0;

    static const Clock& current();
    // Installs a clock; nullptr restores the system clock. The caller keeps ownership.
    static void install(const Clock* clock);
};
