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

// A clock that stands still until told to move.
class ManualClock : public Clock {
public:
    explicit ManualClock(std::chrono::system_clock::time_point start) : m_now(start) {}
    std::chrono::system_clock::time_point now() const override { return m_now; }
    uint64_t tickMs() const override { return m_tick; }
    void advance(std::chrono::milliseconds step) {
        m_now += step;
        m_tick += static_cast<uint64_t>(step.count());
    }
    void set(std::chrono::system_clock::time_point t) { m_now = t; }

private:
    std::chrono::system_clock::time_point m_now;
    uint64_t m_tick = 0;
};

// Installs a clock for the lifetime of a scope.
class ScopedClock {
public:
    explicit ScopedClock(const Clock& clock) { Clock::install(&clock); }
    ~ScopedClock() { Clock::install(nullptr); }
    ScopedClock(const ScopedClock&) = delete;
    ScopedClock& operator=(const ScopedClock&) = delete;
};
