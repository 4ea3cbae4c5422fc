#include "tools/reportgen/PacedWriter.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <stdexcept>
#include <stdlib.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace {

speed_t speedFor(int baud) {
    switch (baud) {
    case 1200:
        return B1200;
    case 2400:
        return B2400;
    case 4800:
        return B4800;
    case 9600:
        return B9600;
    case 19200:
        return B19200;
    case 57600:
        return B57600;
    case 115200:
        return B115200;
    case 230400:
        return B230400;
    default:
        return B38400;
    }
}

std::runtime_error systemError(const std::string& what) {
    return std::runtime_error(what + ": " + std::strerror(errno));
}

} // namespace

PacedWriter::PacedWriter(const std::string& path, int baud) : m_baud(baud) {
    m_fd = ::open(path.c_str(), O_WRONLY | O_NOCTTY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (m_fd < 0) {
        throw systemError("cannot open " + path);
    }
    if (::isatty(m_fd)) {
        setRaw();
    }
}

PacedWriter::PacedWriter(int baud) : m_baud(baud) {
    m_fd = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    char name[128];
    const char* failure = nullptr;
    if (m_fd < 0 || ::grantpt(m_fd) != 0 || ::unlockpt(m_fd) != 0) {
        failure = "cannot create a pseudo-terminal";
    } else if (::ptsname_r(m_fd, name, sizeof name) != 0) {
        failure = "cannot name the pseudo-terminal";
    }
    if (failure) {
        std::runtime_error error = systemError(failure);
        if (m_fd >= 0) {
            ::close(m_fd); // no destructor runs for a constructor that throws
        }
        throw error;
    }
    m_slavePath = name;
    setRaw(); // on Linux the pair shares one set of terminal settings
}

PacedWriter::~PacedWriter() {
    if (m_fd >= 0) {
        ::close(m_fd);
    }
}

void PacedWriter::setRaw() {
    termios tio{};
    if (::tcgetattr(m_fd, &tio) != 0) {
        return; // not a terminal after all: write plainly
    }
    ::cfmakeraw(&tio);
    speed_t speed = speedFor(m_baud);
    ::cfsetispeed(&tio, speed);
    ::cfsetospeed(&tio, speed);
    ::tcsetattr(m_fd, TCSANOW, &tio);
}

bool PacedWriter::waitForReader(std::chrono::milliseconds timeout) {
    if (m_slavePath.empty()) {
        return true;
    }
    // The master reports a hang-up while no one has the slave side open.
    auto end = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        pollfd p{m_fd, POLLOUT, 0};
        if (::poll(&p, 1, 0) >= 0 && !(p.revents & POLLHUP)) {
            return true;
        }
        if (std::chrono::steady_clock::now() >= end) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

void PacedWriter::writeAll(const char* data, std::size_t n) {
    while (n > 0) {
        ssize_t w = ::write(m_fd, data, n);
        if (w < 0) {
            if (errno == EINTR) {
                continue;
            }
            if (errno == EAGAIN) {
                pollfd p{m_fd, POLLOUT, 0};
                ::poll(&p, 1, 100);
                continue;
            }
            throw systemError("write failed");
        }
        data += w;
        n -= static_cast<std::size_t>(w);
        m_written += static_cast<std::size_t>(w);
    }
}

void PacedWriter::write(std::string_view bytes) {
    if (m_baud <= 0) {
        writeAll(bytes.data(), bytes.size());
        return;
    }
    if (!m_started) {
        m_start = std::chrono::steady_clock::now();
        m_started = true;
    }
    // Chunks of about 10 ms, each sent when the line would have carried the bytes before it;
    // the schedule is absolute, so sleeping late does not add up.
    const double bytesPerSecond = m_baud / 10.0;
    const std::size_t chunk =
        std::max<std::size_t>(1, static_cast<std::size_t>(bytesPerSecond / 100));
    std::size_t sentHere = 0;
    while (sentHere < bytes.size()) {
        auto due = m_start + std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                                 std::chrono::duration<double>(m_written / bytesPerSecond));
        std::this_thread::sleep_until(due);
        std::size_t n = std::min(chunk, bytes.size() - sentHere);
        writeAll(bytes.data() + sentHere, n);
        sentHere += n;
    }
}

void PacedWriter::drain() {
    if (::isatty(m_fd)) {
        ::tcdrain(m_fd);
    } else {
        ::fsync(m_fd);
    }
}
