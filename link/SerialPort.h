#pragma once
#include "link/SerialDevice.h"
#include "support/LogFile.h"
#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Port numbers keep the meaning they have on the recorder's cable labels (COM1, COM2, …).
// Port n is the device the INI names under section "Port", key "COM<n>" (for example
// COM1=/dev/ttyS0); without such a key it is /dev/ttyUSB<n-1>, the usual name of the n-th
// USB serial adapter. The lookup returns the INI text (CP932) or an empty string.
using PortDeviceLookup = std::function<std::string(int portNumber)>;
inline constexpr const char kPortDeviceSection[] = "Port";
std::string portDeviceKey(int portNumber); // "COM<n>"
// The device path of a port number (native encoding); empty for a number below 1.
std::string serialDevicePath(int portNumber, const PortDeviceLookup& configured = {});
// The lookup that reads section "Port" of the INI file (a CP932 path) at each call. Reading
// writes nothing back, so the probe of twenty ports leaves the file alone.
PortDeviceLookup portDevicesFromIni(std::string iniFile);
// Stores the device (CP932 text) of a port number; false when it could not be stored.
using PortDeviceStore = std::function<bool(int portNumber, const std::string& device)>;
// The store that writes section "Port" of the INI file (a CP932 path).
PortDeviceStore portDeviceStoreInIni(std::string iniFile);

// The program's serial port: opens a port from the six stored settings and reads the
// recorder's text line by line with an inter-byte timeout. It only receives. Failures are
// reported by the results and kept in lastError() (an errno value); nothing is thrown.
//
// Threads: one thread uses the port. Another thread may, while it is blocked in ReadLine,
// call SetPortTimeouts, SetReadLineTimeout and cancelPendingRead to make it return.
class SerialPort {
public:
    static constexpr uint32_t kNoLimit = 0xFFFFFFFF;

    SerialPort();
    ~SerialPort();
    SerialPort(const SerialPort&) = delete;
    SerialPort& operator=(const SerialPort&) = delete;

    // Which device a port number means; set before Open. Default: no INI overrides.
    void setDeviceLookup(PortDeviceLookup lookup) { m_lookup = std::move(lookup); }

    void Configure(int32_t portNumber, int32_t baudRate, int32_t byteSize, int32_t stopBits,
                   int32_t parity, int32_t flowControl);
    // Opens the configured port for exclusive use. A port held by another opener fails
    // with EACCES, a missing device with ENOENT.
    bool Open();
    bool isOpen() const { return m_device.isOpen(); }

    // Read interval, read multiplier, read constant, write multiplier, write constant (ms).
    // A one-byte read waits multiplier + constant for a byte (the interval 0xFFFFFFFF with
    // both totals 0 means "return at once", both totals 0 otherwise "no limit").
    bool SetPortTimeouts(uint32_t interval, uint32_t multiplier, uint32_t constant,
                         uint32_t writeMultiplier, uint32_t writeConstant);
    // Silence between two bytes that ends a ReadLine; kNoLimit waits without limit.
    void SetReadLineTimeout(uint32_t milliseconds);
    uint32_t readLineTimeout() const { return m_readLineTimeout.load(); }

    // Reads bytes into buffer until one of the terminators has arrived (0), the read fails
    // (-1), no byte came for the read-line timeout (-2), or limit bytes arrived without a
    // terminator (-3). The terminator stays in the buffer; a zero follows when there is
    // room (count < limit), so the buffer should hold limit + 1 bytes.
    int32_t ReadLine(char* buffer, uint32_t limit, uint32_t* count, const char* const* terminators,
                     int terminatorCount, int* matchedIndex = nullptr,
                     const char** matchedText = nullptr);

    // What the device holds now, without waiting: bytes an earlier sender left (at most
    // `limit`; the rest stays). The reading starts after them.
    std::string takeWaitingInput(std::size_t limit = std::size_t{1} << 20);

    // Makes a pending and every later ReadLine return -2 at once, until the next Open.
    void cancelPendingRead();

    // Discards pending input and closes; the time-outs drop to 1 ms.
    bool Close();

    // Traces operations and received bytes into the log (prefix, days per file,
    // generations, retry ms, maximum bytes).
    void OpenTrace(const std::string& prefix, int32_t daysPerFile, int32_t generations,
                   uint32_t retryMs, int32_t maxBytes);
    void closeTrace();

    uint32_t lastError() const { return m_lastError.load(); }
    // The last Open failed because the user may not read and write the device (not because
    // another program holds it): on Linux, not a member of the group that owns it.
    bool lackedPermission() const { return m_lackedPermission; }
    int32_t portNumber() const { return m_portNumber; }

    // "<text>ｴﾗｰNo:hex(<code>),dec(<code>)" with the system's text for an errno value (CP932).
    static std::string FormatSystemError(uint32_t code);
    // The receive dump: the "**>" line with the hexadecimal cells and the line of
    // character cells below it (without the time stamp the log puts in front).
    static std::pair<std::string, std::string> formatReceiveDump(const char* bytes,
                                                                 std::size_t count);

private:
    bool tracing() const { return m_tracing; }
    void trace(const std::string& text);
    int perReadWaitMs() const;
    bool fail(int error);

    SerialDevice m_device;
    PortDeviceLookup m_lookup;
    LogFile m_trace;
    bool m_tracing = false;

    int32_t m_portNumber = 0;
    int32_t m_baudRate = 0;
    int32_t m_byteSize = 0;
    int32_t m_stopBits = 0;
    int32_t m_parity = 0;
    int32_t m_flowControl = 0;

    std::atomic<uint32_t> m_readLineTimeout{kNoLimit};
    std::array<std::atomic<uint32_t>, 5> m_timeouts{};
    std::atomic<bool> m_cancelled{false};
    std::atomic<uint32_t> m_lastError{0};
    bool m_lackedPermission = false;

    // Bytes read from the device and not yet handed out.
    std::vector<char> m_pending;
    std::size_t m_pendingPos = 0;
};
