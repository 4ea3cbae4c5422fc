#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// Line parameters in the codes the program stores (see SerialSettings).
struct SerialLineParams {
    int32_t baudRate = 38400;
    int32_t byteSize = 8;    // 4-8; what the device cannot do fails
    int32_t stopBits = 0;    // 0 = 1 bit, 1 = 1.5 bits (sent as 2), 2 = 2 bits
    int32_t parity = 0;      // 0 none, 1 odd, 2 even, 3 mark
    int32_t flowControl = 1; // 0 none, 1 hardware, 2 Xon/Xoff
};

// A terminal device opened for exclusive use, on POSIX termios. Every failing call returns
// the errno value (0 = success). Reads wait in poll() together with a wake-up event, so
// another thread can make a pending read return at once.
class SerialDevicePosix {
public:
    SerialDevicePosix();
    ~SerialDevicePosix();
    SerialDevicePosix(const SerialDevicePosix&) = delete;
    SerialDevicePosix& operator=(const SerialDevicePosix&) = delete;

    // A device held by another opener fails with EACCES.
    int open(const std::string& path);
    bool isOpen() const { return m_fd >= 0; }
    // Raw line with the given parameters. Flags that the parameters do not name keep the
    // device's values, so hardware flow control is whatever the device had.
    int configure(const SerialLineParams& params);
    // Waits up to timeoutMs (negative = no limit) for input or a wake-up, then reads what is
    // there. Returns the byte count, 0 when nothing came, or -errno (a hang-up is -EIO).
    long readSome(char* buffer, std::size_t max, int timeoutMs);
    // Makes a pending or the next readSome() return. Safe from any thread.
    void wake();
    // Discards pending input and output, then closes.
    int close();

private:
    int m_fd = -1;
    int m_wakeFd = -1;
};
