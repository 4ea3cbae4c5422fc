#include "link/SerialPort.h"
#include "link/LinkTexts.h"
#include "support/FilePath.h"
#include "support/Format.h"
#include "support/PrivateProfile.h"
#include "support/Sjis.h"
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace {

using SteadyClock = std::chrono::steady_clock;

// strerror_r comes in two shapes (GNU and XSI); take the text from either.
[[maybe_unused]] const char* errorText(int result, const char* buffer) {
    return result == 0 ? buffer : "Unknown error";
}
[[maybe_unused]] const char* errorText(const char* result, const char*) {
    return result;
}

const char* controlName(unsigned char c) {
    switch (c) {
    case 0x02:
        return "@SX";
    case 0x03:
        return "@EX";
    case 0x04:
        return "@ET";
    case 0x05:
        return "@EQ";
    case 0x06:
        return "@AK";
    case 0x0A:
        return "@LF";
    case 0x0D:
        return "@CR";
    case 0x10:
        return "@DE";
    case 0x15:
        return "@NK";
    case 0x17:
        return "@EB";
    default:
        return "   ";
    }
}

} // namespace

std::string portDeviceKey(int portNumber) {
    return formatText("COM%d", portNumber);
}

std::filesystem::path serialDevicePath(int portNumber, const PortDeviceLookup& configured) {
    if (portNumber < 1)
        return {};
    if (configured) {
        std::filesystem::path device = configured(portNumber);
        if (!device.empty())
            return device;
    }
    return formatText("/dev/ttyUSB%d", portNumber - 1).str();
}

PortDeviceLookup portDevicesFromIni(std::filesystem::path iniFile) {
    return [file = std::move(iniFile)](int portNumber) {
        return profile::readPath(file, kPortDeviceSection, portDeviceKey(portNumber), "");
    };
}

PortDeviceStore portDeviceStoreInIni(std::filesystem::path iniFile) {
    return [file = std::move(iniFile)](int portNumber, const std::filesystem::path& device) {
        return profile::writePath(file, kPortDeviceSection, portDeviceKey(portNumber), device) !=
               profile::PathKept::No;
    };
}

SerialPort::SerialPort() {
    m_timeouts[0] = kNoLimit;
    m_timeouts[1] = 10;
    m_timeouts[2] = 1000;
    m_timeouts[3] = 1000;
    m_timeouts[4] = 1000;
}

SerialPort::~SerialPort() {
    Close();
    closeTrace();
}

void SerialPort::Configure(int32_t portNumber, int32_t baudRate, int32_t byteSize, int32_t stopBits,
                           int32_t parity, int32_t flowControl) {
    m_portNumber = portNumber;
    m_baudRate = baudRate;
    m_byteSize = byteSize;
    m_stopBits = stopBits;
    m_parity = parity;
    m_flowControl = flowControl;
}

bool SerialPort::fail(int error) {
    m_lastError = static_cast<uint32_t>(error);
    return false;
}

bool SerialPort::Open() {
    Close();
    m_cancelled = false;
    m_pending.clear();
    m_pendingPos = 0;

    const std::filesystem::path path = serialDevicePath(m_portNumber, m_lookup);
    trace("port open " + displayPath(path));
    m_lackedPermission = false;
    if (int e = m_device.open(path.native()); e != 0) {
        // A port held by another opener is EACCES too, but the device itself is accessible.
        m_lackedPermission =
            (e == EACCES || e == EPERM) && ::access(path.c_str(), R_OK | W_OK) != 0;
        return fail(e);
    }

    trace(formatText("BaudRate[%ld ], Parity[%ld], OutX[%d], InX[%d], ByteSize[%ld], Parity[%ld], "
                     "StopBits[%ld]",
                     static_cast<long>(m_baudRate), static_cast<long>(m_parity != 0),
                     m_flowControl == 2, m_flowControl == 2, static_cast<long>(m_byteSize),
                     static_cast<long>(m_parity), static_cast<long>(m_stopBits)));
    SerialLineParams params{m_baudRate, m_byteSize, m_stopBits, m_parity, m_flowControl};
    if (int e = m_device.configure(params); e != 0) {
        Close();
        return fail(e);
    }
    // A one-byte read returns as soon as a byte is there, or after about 1010 ms.
    if (!SetPortTimeouts(kNoLimit, 10, 1000, 1000, 1000)) {
        Close();
        return false;
    }
    SetReadLineTimeout(5000);
    return true;
}

bool SerialPort::SetPortTimeouts(uint32_t interval, uint32_t multiplier, uint32_t constant,
                                 uint32_t writeMultiplier, uint32_t writeConstant) {
    m_timeouts[0] = interval;
    m_timeouts[1] = multiplier;
    m_timeouts[2] = constant;
    m_timeouts[3] = writeMultiplier;
    m_timeouts[4] = writeConstant;
    m_device.wake(); // a pending read recomputes its wait
    return true;
}

void SerialPort::SetReadLineTimeout(uint32_t milliseconds) {
    m_readLineTimeout = milliseconds;
    m_device.wake();
    // As the Windows program logged it: a 32-bit long, so "no limit" shows as -1.
    trace(formatText("SetTimeout[%ld]", static_cast<long>(static_cast<int32_t>(milliseconds))));
}

void SerialPort::cancelPendingRead() {
    m_cancelled = true;
    m_device.wake();
}

int SerialPort::perReadWaitMs() const {
    uint64_t multiplier = m_timeouts[1];
    uint64_t constant = m_timeouts[2];
    if (multiplier == 0 && constant == 0)
        return m_timeouts[0] == kNoLimit ? 0 : -1;
    return static_cast<int>(std::min<uint64_t>(multiplier + constant, INT_MAX));
}

int32_t SerialPort::ReadLine(char* buffer, uint32_t limit, uint32_t* count,
                             const char* const* terminators, int terminatorCount, int* matchedIndex,
                             const char** matchedText) {
    uint32_t received = 0;
    if (count)
        *count = 0;
    if (limit == 0)
        return 0;

    struct Matcher {
        const char* text;
        std::size_t length;
        std::size_t progress;
    };
    Matcher matchers[8];
    int matcherCount = 0;
    std::vector<Matcher> moreMatchers;
    for (int i = 0; i < terminatorCount; ++i) {
        Matcher m{terminators[i], terminators[i] ? std::strlen(terminators[i]) : 0, 0};
        if (i < 8)
            matchers[matcherCount++] = m;
        else
            moreMatchers.push_back(m);
    }
    auto matcherAt = [&](int i) -> Matcher& { return i < 8 ? matchers[i] : moreMatchers[i - 8]; };

    int32_t result = 0;
    SteadyClock::time_point lastByte = SteadyClock::now();
    for (;;) {
        if (m_cancelled) {
            result = -2;
            break;
        }
        if (m_pendingPos >= m_pending.size()) {
            uint32_t lineLimit = m_readLineTimeout;
            auto elapsed =
                std::chrono::duration_cast<std::chrono::milliseconds>(SteadyClock::now() - lastByte)
                    .count();
            if (lineLimit != kNoLimit && static_cast<uint64_t>(elapsed) > lineLimit) {
                result = -2;
                break;
            }
            int wait = perReadWaitMs();
            if (lineLimit != kNoLimit) {
                int64_t remaining = static_cast<int64_t>(lineLimit) - elapsed + 1;
                remaining = std::clamp<int64_t>(remaining, 0, INT_MAX);
                wait = wait < 0 ? static_cast<int>(remaining)
                                : std::min(wait, static_cast<int>(remaining));
            }
            m_pending.resize(4096);
            m_pendingPos = 0;
            long got = m_device.readSome(m_pending.data(), m_pending.size(), wait);
            m_pending.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
            if (got < 0) {
                m_lastError = static_cast<uint32_t>(-got);
                result = -1;
                break;
            }
            if (got > 0)
                lastByte = SteadyClock::now();
            continue;
        }

        char byte = m_pending[m_pendingPos++];
        buffer[received++] = byte;

        int found = -1;
        int advanced = -1;
        for (int i = 0; i < terminatorCount; ++i) {
            Matcher& m = matcherAt(i);
            if (advanced < 0 && m.progress < m.length && m.text[m.progress] == byte) {
                advanced = i;
                if (++m.progress == m.length)
                    found = i;
            } else {
                m.progress = 0;
            }
        }
        if (found >= 0) {
            if (matchedIndex)
                *matchedIndex = found;
            if (matchedText)
                *matchedText = matcherAt(found).text;
            if (received < limit)
                buffer[received] = '\0';
            result = 0;
            break;
        }
        if (received >= limit) {
            result = -3;
            break;
        }
    }
    if (count)
        *count = received;
    if (tracing()) {
        auto [hex, chars] = formatReceiveDump(buffer, received);
        m_trace.WriteLine(sjis::Text(hex));
        m_trace.WriteRaw(sjis::Text(chars));
    }
    return result;
}

std::string SerialPort::takeWaitingInput(std::size_t limit) {
    std::string taken;
    if (m_pendingPos < m_pending.size()) {
        taken.assign(m_pending.begin() + static_cast<std::ptrdiff_t>(m_pendingPos),
                     m_pending.end());
        m_pending.clear();
        m_pendingPos = 0;
    }
    char chunk[4096];
    while (taken.size() < limit) {
        const long got = m_device.readSome(chunk, std::min(sizeof chunk, limit - taken.size()), 0);
        if (got <= 0)
            break;
        taken.append(chunk, static_cast<std::size_t>(got));
    }
    if (tracing() && !taken.empty()) {
        auto [hex, chars] = formatReceiveDump(taken.data(), taken.size());
        m_trace.WriteLine(sjis::Text(hex));
        m_trace.WriteRaw(sjis::Text(chars));
    }
    return taken;
}

bool SerialPort::Close() {
    SetPortTimeouts(1, 1, 1, 1, 1);
    SetReadLineTimeout(1);
    m_pending.clear();
    m_pendingPos = 0;
    if (!m_device.isOpen())
        return true;
    if (int e = m_device.close(); e != 0)
        return fail(e);
    return true;
}

void SerialPort::OpenTrace(const std::filesystem::path& prefix, int32_t daysPerFile,
                           int32_t generations, uint32_t retryMs, int32_t maxBytes) {
    m_trace.OpenLog(prefix, daysPerFile, generations, retryMs, maxBytes);
    m_tracing = !prefix.empty();
}

void SerialPort::closeTrace() {
    m_trace = LogFile();
    m_tracing = false;
}

void SerialPort::trace(const std::string& text) {
    if (tracing())
        m_trace.WriteLine(sjis::Text(text));
}

std::string SerialPort::FormatSystemError(uint32_t code) {
    char buffer[256] = "";
    const char* text = errorText(strerror_r(static_cast<int>(code), buffer, sizeof buffer), buffer);
    std::string message = sjis::fromUtf8Shown(text ? text : "");
    return formatText(txt::link::kSystemError, message.c_str(), static_cast<unsigned>(code),
                      static_cast<unsigned long>(code));
}

std::pair<std::string, std::string> SerialPort::formatReceiveDump(const char* bytes,
                                                                  std::size_t count) {
    std::string hex = "**>";
    std::string chars(36, ' ');
    hex.reserve(3 + count * 3);
    chars.reserve(36 + count * 3);
    static const char digits[] = "0123456789ABCDEF";
    for (std::size_t i = 0; i < count; ++i) {
        auto c = static_cast<unsigned char>(bytes[i]);
        hex += digits[c >> 4];
        hex += digits[c & 15];
        hex += ' ';
        if ((c >= 0x20 && c <= 0x7E) || (c >= 0xA1 && c <= 0xDF)) {
            chars += ' ';
            chars += static_cast<char>(c);
            chars += ' ';
        } else {
            chars += controlName(c);
        }
    }
    return {hex, chars};
}
