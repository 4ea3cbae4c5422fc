#include "support/Clock.h"

#include <atomic>

namespace {

class SystemClock : public Clock {
public:
    std::chrono::system_clock::time_point now() const override {
        return std::chrono::system_clock::now();
    }
    uint64_t tickMs() const override {
        using namespace std::chrono;
        return static_cast<uint64_t>(
            duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
    }
};

const SystemClock g_systemClock;
std::atomic<const Clock*> g_installed{nullptr};

} // namespace

const Clock& Clock::current() {
    const Clock* c = g_installed.load(std::memory_order_acquire);
    return c ? *c : g_systemClock;
}

void Clock::install(const Clock* clock) {
    g_installed.store(clock, std::memory_order_release);
}
