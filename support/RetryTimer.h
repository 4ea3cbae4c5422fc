#pragma once
#include <cerrno>
#include <chrono>
#include <functional>
#include <thread>

// Time spent in a retry loop: the real time since the first attempt or the sum of the pauses,
// whichever is larger. With an injected pause that does not really wait (tests), the loop still
// ends after timeout / interval attempts.
class RetryTimer {
public:
    using Sleep = std::function<void(std::chrono::milliseconds)>;

    explicit RetryTimer(std::chrono::milliseconds timeout) : m_timeout(timeout) {}

    bool expired() const {
        auto real = std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::steady_clock::now() - m_start);
        return std::max(real, m_paused) >= m_timeout;
    }
    void pause(std::chrono::milliseconds interval, const Sleep& sleep) {
        if (sleep) {
            sleep(interval);
        } else {
            std::this_thread::sleep_for(interval);
        }
        m_paused += interval;
    }

private:
    std::chrono::milliseconds m_timeout;
    std::chrono::steady_clock::time_point m_start = std::chrono::steady_clock::now();
    std::chrono::milliseconds m_paused{0};
};

// Open failures that waiting cannot cure (nothing there, no permission, a read-only file system,
// a folder in the way, a name too long); a retry loop gives up on them at once.
inline bool waitingCannotCure(int error) {
    switch (error) {
    case ENOENT:
    case ENOTDIR:
    case EISDIR:
    case ENAMETOOLONG:
    case ELOOP:
    case EINVAL:
    case EROFS:
    case EACCES:
    case EPERM:
        return true;
    default:
        return false;
    }
}
