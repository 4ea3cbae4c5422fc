#pragma once
// A pseudo-terminal that plays the recorder: the port under test opens the slave side by its
// path; the test writes into the master side.
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <stdexcept>
#include <string>
#include <string_view>
#include <termios.h>
#include <thread>
#include <unistd.h>

class PtyPair {
public:
    PtyPair() {
        m_master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (m_master < 0 || ::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0)
            throw std::runtime_error("no pseudo-terminal");
        const char* name = ::ptsname(m_master);
        if (!name)
            throw std::runtime_error("no pseudo-terminal name");
        m_slavePath = name;
        // Keep the slave side alive while the port under test is closed, and raw from the
        // start, so nothing written early is echoed or translated.
        m_keeper = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
        termios t{};
        ::tcgetattr(m_keeper, &t);
        ::cfmakeraw(&t);
        ::tcsetattr(m_keeper, TCSANOW, &t);
    }
    ~PtyPair() {
        closeMaster();
        if (m_keeper >= 0)
            ::close(m_keeper);
    }
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    const std::string& slavePath() const { return m_slavePath; }
    int master() const { return m_master; }

    // Drops the keeper, so that closing the master is a hang-up for the port under test.
    void releaseKeeper() {
        if (m_keeper >= 0)
            ::close(m_keeper);
        m_keeper = -1;
    }

    void write(std::string_view bytes) {
        while (!bytes.empty()) {
            ssize_t n = ::write(m_master, bytes.data(), bytes.size());
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                throw std::runtime_error("pty write failed");
            }
            bytes.remove_prefix(static_cast<std::size_t>(n));
        }
    }

    // Writes at about the given rate (8N1: ten bits per byte), in small slices.
    void writePaced(std::string_view bytes, int baud = 38400) {
        const std::size_t slice = 64;
        const auto perSlice = std::chrono::microseconds(slice * 10 * 1000000 / baud);
        auto next = std::chrono::steady_clock::now();
        while (!bytes.empty()) {
            std::size_t n = std::min(slice, bytes.size());
            write(bytes.substr(0, n));
            bytes.remove_prefix(n);
            next += perSlice;
            std::this_thread::sleep_until(next);
        }
    }

    void closeMaster() {
        if (m_master >= 0)
            ::close(m_master);
        m_master = -1;
    }

private:
    int m_master = -1;
    int m_keeper = -1;
    std::string m_slavePath;
};
