// Arbitrary bytes through the serial port's line reader, delivered by a pseudo-terminal that
// plays the device in chunks whose sizes the input chooses (first byte). Every read ends with
// one of the documented results, never writes past its buffer, and a line ends at its LF.
#include "link/SerialPort.h"

#include "FuzzCheck.h"
#include <cerrno>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <string>
#include <termios.h>
#include <unistd.h>

namespace {

// One pseudo-terminal for the whole run: the master side is the fake device's far end.
struct FakeDevice {
    int master = -1;
    int keeper = -1;
    std::string slave;
    SerialPort port;

    FakeDevice() {
        master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        fuzzCheck(master >= 0 && ::grantpt(master) == 0 && ::unlockpt(master) == 0);
        slave = ::ptsname(master);
        keeper = ::open(slave.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
        termios t{};
        ::tcgetattr(keeper, &t);
        ::cfmakeraw(&t);
        ::tcsetattr(keeper, TCSANOW, &t);
        port.setDeviceLookup([this](int) { return slave; });
        port.Configure(1, 38400, 8, 0, 0, 0);
        fuzzCheck(port.Open());
        port.SetReadLineTimeout(1);
    }
};

FakeDevice& device() {
    static FakeDevice* d = new FakeDevice(); // lives for the whole run
    return *d;
}

// Reads lines until the device has nothing more (time-out).
void drain(SerialPort& port, uint32_t limit) {
    static const char* const kTerminators[] = {"\n", "\r\n", "END"};
    std::unique_ptr<char[]> buffer(new char[limit + 1]);
    for (int reads = 0; reads < 10000; ++reads) {
        uint32_t count = 0;
        int matched = -1;
        int32_t rc = port.ReadLine(buffer.get(), limit, &count, kTerminators, 3, &matched);
        fuzzCheck(count <= limit);
        fuzzCheck(rc == 0 || rc == -2 || rc == -3);
        if (rc == 0) {
            fuzzCheck(matched >= 0 && matched < 3);
            const std::size_t n = std::strlen(kTerminators[matched]);
            fuzzCheck(count >= n &&
                      std::memcmp(buffer.get() + count - n, kTerminators[matched], n) == 0);
        }
        if (rc == -3) {
            fuzzCheck(count == limit);
        }
        if (rc == -2) {
            return;
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) {
        return 0;
    }
    FakeDevice& d = device();
    const std::size_t chunk = 1 + data[0] % 64;
    const uint32_t limit = 1 + data[1] % 200;
    data += 2;
    size -= 2;
    ::tcflush(d.keeper, TCIFLUSH); // nothing of the previous input
    for (std::size_t at = 0; at < size; at += chunk) {
        const std::size_t n = std::min(chunk, size - at);
        for (std::size_t done = 0; done < n;) {
            const ssize_t w = ::write(d.master, data + at + done, n - done);
            if (w > 0) {
                done += static_cast<std::size_t>(w);
            } else {
                fuzzCheck(errno == EINTR || errno == EAGAIN);
            }
        }
        drain(d.port, limit);
    }
    drain(d.port, limit);
    return 0;
}
