#pragma once
#include "support/Clock.h"

#include <chrono>
#include <cstdint>

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
