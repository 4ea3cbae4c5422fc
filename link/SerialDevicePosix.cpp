// The kernel's termios2 (not <termios.h>) so that rates like 14400 or 256000 can be set.
#include "link/SerialDevicePosix.h"
#include <asm/termbits.h>
#include <cerrno>
#include <cstdint>
#include <fcntl.h>
#include <poll.h>
#include <string>
#include <string_view>
#include <sys/eventfd.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {

struct RateCode {
    int32_t rate;
    unsigned code;
};

// Rates with a code of their own; the others go through BOTHER.
constexpr RateCode kRates[] = {
    {50, B50},       {75, B75},         {110, B110},       {134, B134},       {150, B150},
    {200, B200},     {300, B300},       {600, B600},       {1200, B1200},     {1800, B1800},
    {2400, B2400},   {4800, B4800},     {9600, B9600},     {19200, B19200},   {38400, B38400},
    {57600, B57600}, {115200, B115200}, {230400, B230400}, {460800, B460800}, {921600, B921600},
};

void setRate(termios2& t, int32_t rate) {
    unsigned code = BOTHER;
    for (const RateCode& r : kRates)
        if (r.rate == rate)
            code = r.code;
    t.c_cflag &= ~(CBAUD | (CBAUD << IBSHIFT));
    t.c_cflag |= code | (code << IBSHIFT);
    t.c_ispeed = static_cast<speed_t>(rate);
    t.c_ospeed = static_cast<speed_t>(rate);
}

// A character device that the system files under another class than "tty" (a watchdog, a
// memory device) is no terminal; one it does not file (pseudo-terminals) is found out by
// isatty after the open.
bool mayBeTerminal(dev_t device) {
    const std::string entry = "/sys/dev/char/" + std::to_string(major(device)) + ":" +
                              std::to_string(minor(device)) + "/subsystem";
    char target[256];
    const ssize_t n = ::readlink(entry.c_str(), target, sizeof target - 1);
    if (n <= 0)
        return true;
    const std::string_view subsystem(target, static_cast<std::size_t>(n));
    return subsystem.size() >= 4 && subsystem.substr(subsystem.size() - 4) == "/tty";
}

int lastErrno() {
    return errno != 0 ? errno : EIO;
}

} // namespace

SerialDevicePosix::SerialDevicePosix() {
    m_wakeFd = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
}

SerialDevicePosix::~SerialDevicePosix() {
    close();
    if (m_wakeFd >= 0)
        ::close(m_wakeFd);
}

int SerialDevicePosix::open(const std::string& path) {
    close();
    if (path.empty())
        return ENOENT;
    // The INI may name any path: only a character device is opened at all (an open alone can
    // act on some devices and files), and it must then be a terminal.
    struct stat before {};
    if (::stat(path.c_str(), &before) != 0)
        return lastErrno();
    if (::access(path.c_str(), R_OK | W_OK) != 0)
        return lastErrno(); // no permission (or gone): told as such, nothing opened
    if (!S_ISCHR(before.st_mode) || !mayBeTerminal(before.st_rdev))
        return ENOTTY;
    // Non-blocking, so that neither open nor a read waits for the modem lines.
    int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return errno == EBUSY ? EACCES : lastErrno();
    struct stat opened {};
    if (::fstat(fd, &opened) != 0 || opened.st_rdev != before.st_rdev || !::isatty(fd)) {
        ::close(fd); // swapped for something else meanwhile, or no terminal
        return ENOTTY;
    }
    // TIOCEXCL keeps out other openers that do not lock; flock keeps out a second copy of
    // this program even when it runs with the privilege that TIOCEXCL ignores.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        int e = errno == EWOULDBLOCK ? EACCES : lastErrno();
        ::close(fd);
        return e;
    }
    if (::ioctl(fd, TIOCEXCL) != 0) {
        int e = lastErrno();
        ::close(fd);
        return e;
    }
    m_fd = fd;
    return 0;
}

int SerialDevicePosix::configure(const SerialLineParams& p) {
    if (m_fd < 0)
        return EBADF;
    termios2 t{};
    if (::ioctl(m_fd, TCGETS2, &t) != 0)
        return lastErrno();

    unsigned size = 0;
    switch (p.byteSize) {
    case 5:
        size = CS5;
        break;
    case 6:
        size = CS6;
        break;
    case 7:
        size = CS7;
        break;
    case 8:
        size = CS8;
        break;
    default:
        return EINVAL; // termios has no 4-bit characters
    }
    if (p.baudRate <= 0 || p.stopBits < 0 || p.stopBits > 2 || p.parity < 0 || p.parity > 3)
        return EINVAL;

    // Raw bytes, as a COM port delivers them: no line editing, no CR/LF mapping, no echo.
    t.c_iflag &= ~(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IUCLC | IXANY |
                   IMAXBEL | INPCK | IXON | IXOFF);
    t.c_oflag &= ~OPOST;
    t.c_lflag &= ~(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
    t.c_cflag |= CREAD | CLOCAL;
    t.c_cc[VMIN] = 1;
    t.c_cc[VTIME] = 0;

    t.c_cflag = (t.c_cflag & ~CSIZE) | size;
    // 1.5 stop bits do not exist in termios; two are the nearest.
    if (p.stopBits == 0)
        t.c_cflag &= ~CSTOPB;
    else
        t.c_cflag |= CSTOPB;
    t.c_cflag &= ~(PARENB | PARODD | CMSPAR);
    switch (p.parity) {
    case 1:
        t.c_cflag |= PARENB | PARODD;
        break;
    case 2:
        t.c_cflag |= PARENB;
        break;
    case 3:
        t.c_cflag |= PARENB | PARODD | CMSPAR;
        break;
    default:
        break;
    }
    if (p.parity != 0)
        t.c_iflag |= INPCK;
    // Only Xon/Xoff is switched; CRTSCTS keeps the device's value whatever the code says.
    if (p.flowControl == 2)
        t.c_iflag |= IXON | IXOFF;
    setRate(t, p.baudRate);

    if (::ioctl(m_fd, TCSETS2, &t) != 0)
        return lastErrno();
    // A driver may quietly keep another character size (pseudo-terminals and some USB
    // adapters know only 8 bits); reading with the wrong size would garble every byte.
    termios2 applied{};
    if (::ioctl(m_fd, TCGETS2, &applied) != 0)
        return lastErrno();
    if ((applied.c_cflag & CSIZE) != size)
        return EINVAL;
    return 0;
}

long SerialDevicePosix::readSome(char* buffer, std::size_t max, int timeoutMs) {
    if (m_fd < 0)
        return -EBADF;
    pollfd fds[2] = {{m_fd, POLLIN, 0}, {m_wakeFd, POLLIN, 0}};
    nfds_t count = m_wakeFd >= 0 ? 2 : 1;
    if (count == 1 && (timeoutMs < 0 || timeoutMs > 50))
        timeoutMs = 50; // without the wake-up event, look again now and then
    int r = ::poll(fds, count, timeoutMs);
    if (r < 0)
        return errno == EINTR ? 0 : -lastErrno();
    if (count == 2 && (fds[1].revents & POLLIN) != 0) {
        uint64_t value = 0;
        ssize_t ignored = ::read(m_wakeFd, &value, sizeof value);
        (void)ignored;
    }
    if (fds[0].revents == 0)
        return 0;
    ssize_t n = ::read(m_fd, buffer, max);
    if (n > 0)
        return static_cast<long>(n);
    if (n == 0)
        return -EIO; // the other end hung up
    if (errno == EAGAIN || errno == EINTR)
        return 0;
    return -lastErrno();
}

void SerialDevicePosix::wake() {
    if (m_wakeFd < 0)
        return;
    uint64_t one = 1;
    ssize_t ignored = ::write(m_wakeFd, &one, sizeof one);
    (void)ignored;
}

int SerialDevicePosix::close() {
    if (m_fd < 0)
        return 0;
    ::ioctl(m_fd, TCFLSH, TCIOFLUSH);
    ::ioctl(m_fd, TIOCNXCL);
    int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0)
        return lastErrno();
    return 0;
}
