#include "link/SerialPort.h"
#include "PtyPair.h"
#include "common/FileBytes.h"
#include "support/LogFile.h"
#include "support/Sjis.h"
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <future>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kPort = 7;
const char* const kLf[] = {"\n"};

// Port 7 is the pseudo-terminal; every other number names nothing.
PortDeviceLookup lookupFor(const PtyPair& pty) {
    std::string path = pty.slavePath();
    return [path](int n) {
        return n == kPort ? path : std::string("/nonexistent/tty") + std::to_string(n);
    };
}

struct OpenPort {
    explicit OpenPort(const PtyPair& pty, int byteSize = 8, int stopBits = 0, int parity = 0,
                      int flow = 1) {
        port.setDeviceLookup(lookupFor(pty));
        port.Configure(kPort, 38400, byteSize, stopBits, parity, flow);
        opened = port.Open();
    }
    SerialPort port;
    bool opened = false;
};

termios slaveTermios(const PtyPair& pty) {
    termios t{};
    ::tcgetattr(pty.master(), &t); // the master reports the slave's settings
    return t;
}

TEST(SerialDevicePath, DefaultIsTheUsbAdapterAndTheIniOverridesIt) {
    EXPECT_EQ(serialDevicePath(1), "/dev/ttyUSB0");
    EXPECT_EQ(serialDevicePath(12), "/dev/ttyUSB11");
    EXPECT_EQ(serialDevicePath(0), "");
    PortDeviceLookup ini = [](int n) { return n == 2 ? std::string("/dev/ttyS0") : std::string(); };
    EXPECT_EQ(serialDevicePath(2, ini), "/dev/ttyS0");
    EXPECT_EQ(serialDevicePath(3, ini), "/dev/ttyUSB2");
    EXPECT_EQ(portDeviceKey(3), "COM3");
}

TEST(SerialDevicePath, IniSectionPortNamesTheDevice) {
    std::string ini = ::testing::TempDir() + "serial_ports.INI";
    std::ofstream(ini, std::ios::binary) << "[Param]\r\nCOM5=no\r\n[Port]\r\ncom5 = /dev/ttyS4\r\n";
    PortDeviceLookup lookup = portDevicesFromIni(ini);
    EXPECT_EQ(serialDevicePath(5, lookup), "/dev/ttyS4");
    EXPECT_EQ(serialDevicePath(6, lookup), "/dev/ttyUSB5");
}

TEST(SerialPortError, FormatsTextHexAndDecimal) {
    std::string expected = std::string(std::strerror(ENOENT)) + "\xb4\xd7\xb0No:hex(2),dec(2)";
    EXPECT_EQ(SerialPort::FormatSystemError(ENOENT), expected);
    EXPECT_NE(SerialPort::FormatSystemError(255).find("No:hex(FF),dec(255)"), std::string::npos);
}

TEST(SerialPortOpen, MissingDeviceFailsWithNotFound) {
    PtyPair pty;
    SerialPort port;
    port.setDeviceLookup(lookupFor(pty));
    port.Configure(3, 38400, 8, 0, 0, 1);
    EXPECT_FALSE(port.Open());
    EXPECT_EQ(port.lastError(), static_cast<uint32_t>(ENOENT));
    EXPECT_FALSE(port.isOpen());
}

TEST(SerialPortOpen, SecondOpenerIsRefusedUntilTheFirstCloses) {
    PtyPair pty;
    OpenPort first(pty);
    ASSERT_TRUE(first.opened);
    OpenPort second(pty);
    EXPECT_FALSE(second.opened);
    EXPECT_EQ(second.port.lastError(), static_cast<uint32_t>(EACCES));
    EXPECT_TRUE(first.port.Close());
    EXPECT_TRUE(second.port.Open());
}

TEST(SerialPortOpen, FourDataBitsAreRefusedWithTheSystemError) {
    PtyPair pty;
    OpenPort p(pty, 4);
    EXPECT_FALSE(p.opened);
    EXPECT_EQ(p.port.lastError(), static_cast<uint32_t>(EINVAL));
    EXPECT_FALSE(p.port.isOpen());
}

// A pseudo-terminal keeps 8 data bits whatever it is told; the port does not pretend.
TEST(SerialPortOpen, SizeTheDeviceKeepsOtherwiseIsRefused) {
    PtyPair pty;
    OpenPort seven(pty, 7);
    EXPECT_FALSE(seven.opened);
    EXPECT_EQ(seven.port.lastError(), static_cast<uint32_t>(EINVAL));
    OpenPort eight(pty, 8);
    EXPECT_TRUE(eight.opened);
}

TEST(SerialPortOpen, AFileIsNotAPort) {
    std::string path = ::testing::TempDir() + "not_a_tty";
    std::ofstream(path) << "x";
    SerialPort port;
    port.setDeviceLookup([path](int) { return path; });
    port.Configure(1, 38400, 8, 0, 0, 1);
    EXPECT_FALSE(port.Open());
    EXPECT_EQ(port.lastError(), static_cast<uint32_t>(ENOTTY));
}

// The INI may map a port to any path: what is not a terminal character device is refused
// before it is opened at all (an open alone can act, e.g. on a watchdog device or a FIFO).
TEST(SerialPortOpen, WhatIsNoTerminalIsNeverOpened) {
    const std::filesystem::path folder =
        std::filesystem::path(::testing::TempDir()) / "serial_not_opened";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    const std::string file = (folder / "file").string();
    std::ofstream(file) << "x";
    const std::string fifo = (folder / "fifo").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    struct Case {
        std::string path;
        uint32_t error;
    } cases[] = {{file, ENOTTY}, {fifo, ENOTTY}, {"/dev/null", ENOTTY}, {folder.string(), ENOTTY}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        int watch = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        ASSERT_GE(watch, 0);
        ASSERT_GE(::inotify_add_watch(watch, c.path.c_str(), IN_OPEN), 0);
        SerialPort port;
        port.setDeviceLookup([&c](int) { return c.path; });
        port.Configure(1, 38400, 8, 0, 0, 1);
        EXPECT_FALSE(port.Open());
        EXPECT_EQ(port.lastError(), c.error);
        char events[4096];
        EXPECT_LT(::read(watch, events, sizeof events), 0) << "the path was opened";
        ::close(watch);
    }
    std::filesystem::remove_all(folder);
}

TEST(SerialPortOpen, LineIsRawAndTakesStopBitsAndXonXoff) {
    struct Case {
        int stopBits, flow;
        bool cstopb, xon;
    };
    for (Case c : {Case{0, 0, false, false}, Case{1, 1, true, false}, Case{2, 2, true, true}}) {
        PtyPair pty;
        OpenPort p(pty, 8, c.stopBits, 0, c.flow);
        ASSERT_TRUE(p.opened);
        termios t = slaveTermios(pty);
        EXPECT_EQ((t.c_cflag & CSTOPB) != 0, c.cstopb) << c.stopBits;
        EXPECT_EQ((t.c_iflag & IXON) != 0, c.xon) << c.flow;
        EXPECT_EQ((t.c_iflag & IXOFF) != 0, c.xon) << c.flow;
        EXPECT_EQ(t.c_iflag & ICRNL, 0u);
        EXPECT_EQ(t.c_lflag & (ICANON | ECHO), 0u);
    }
}

TEST(SerialPortOpen, HardwareFlowKeepsWhatTheDeviceHad) {
    for (bool before : {false, true}) {
        PtyPair pty;
        termios t = slaveTermios(pty);
        if (before)
            t.c_cflag |= CRTSCTS;
        else
            t.c_cflag &= ~CRTSCTS;
        ::tcsetattr(pty.master(), TCSANOW, &t);
        for (int flow : {0, 1, 2}) {
            OpenPort p(pty, 8, 0, 0, flow);
            ASSERT_TRUE(p.opened);
            EXPECT_EQ((slaveTermios(pty).c_cflag & CRTSCTS) != 0, before) << flow;
        }
    }
}

TEST(SerialPortOpen, MarkParityUsesStickParityAndOddRatesAreAccepted) {
    PtyPair pty;
    SerialPort port;
    port.setDeviceLookup(lookupFor(pty));
    port.Configure(kPort, 14400, 8, 0, 3, 0);
    ASSERT_TRUE(port.Open());
    EXPECT_NE(slaveTermios(pty).c_cflag & CMSPAR, 0u);
    port.Configure(kPort, 256000, 8, 0, 0, 0);
    ASSERT_TRUE(port.Open());
    EXPECT_EQ(slaveTermios(pty).c_cflag & CMSPAR, 0u);
}

TEST(SerialPortReadLine, LineEndsAtLfAndKeepsCrAndTheRestForTheNextLine) {
    PtyPair pty;
    OpenPort p(pty);
    ASSERT_TRUE(p.opened);
    pty.write("AB\r\nCD\n");
    char buffer[101];
    uint32_t count = 0;
    int index = -1;
    const char* text = nullptr;
    EXPECT_EQ(p.port.ReadLine(buffer, 100, &count, kLf, 1, &index, &text), 0);
    EXPECT_EQ(std::string(buffer, count), "AB\r\n");
    EXPECT_EQ(buffer[count], '\0');
    EXPECT_EQ(index, 0);
    EXPECT_STREQ(text, "\n");
    EXPECT_EQ(p.port.ReadLine(buffer, 100, &count, kLf, 1), 0);
    EXPECT_EQ(std::string(buffer, count), "CD\n");
}

TEST(SerialPortReadLine, TerminatorMatchers) {
    struct Case {
        const char* input;
        int expectedIndex;
        const char* line;
    };
    const char* const terms[] = {"\r\n", "ETX", "\n"};
    // A matcher that fails falls back to the start without looking at the byte again.
    for (Case c : {Case{"ab\r\n", 0, "ab\r\n"}, Case{"xETX", 1, "xETX"}, Case{"EEETX", 1, "EEETX"},
                   Case{"a\r\r\n", 2, "a\r\r\n"}, Case{"ET\n", 2, "ET\n"}}) {
        PtyPair pty;
        OpenPort p(pty);
        ASSERT_TRUE(p.opened);
        pty.write(c.input);
        char buffer[33];
        uint32_t count = 0;
        int index = -1;
        p.port.SetReadLineTimeout(2000);
        EXPECT_EQ(p.port.ReadLine(buffer, 32, &count, terms, 3, &index), 0) << c.input;
        EXPECT_EQ(index, c.expectedIndex) << c.input;
        EXPECT_EQ(std::string(buffer, count), c.line);
    }
}

TEST(SerialPortReadLine, ThousandBytesWithoutLfGiveMinusThree) {
    PtyPair pty;
    OpenPort p(pty);
    ASSERT_TRUE(p.opened);
    pty.write(std::string(1200, 'x'));
    std::string buffer(1001, '?');
    uint32_t count = 0;
    EXPECT_EQ(p.port.ReadLine(buffer.data(), 1000, &count, kLf, 1), -3);
    EXPECT_EQ(count, 1000u);
    EXPECT_EQ(buffer[1000], '?'); // no room was asked for the zero
}

TEST(SerialPortReadLine, LimitZeroReturnsAtOnce) {
    PtyPair pty;
    OpenPort p(pty);
    ASSERT_TRUE(p.opened);
    char buffer[4];
    uint32_t count = 9;
    EXPECT_EQ(p.port.ReadLine(buffer, 0, &count, kLf, 1), 0);
    EXPECT_EQ(count, 0u);
}

TEST(SerialPortReadLine, SilenceBetweenBytesGivesMinusTwo) {
    PtyPair pty;
    OpenPort p(pty);
    ASSERT_TRUE(p.opened);
    p.port.SetReadLineTimeout(100);
    pty.write("half a li");
    char buffer[101];
    uint32_t count = 0;
    EXPECT_EQ(p.port.ReadLine(buffer, 100, &count, kLf, 1), -2);
    EXPECT_EQ(std::string(buffer, count), "half a li");
}

TEST(SerialPortReadLine, HangUpIsAReadError) {
    PtyPair pty;
    OpenPort p(pty);
    ASSERT_TRUE(p.opened);
    p.port.SetReadLineTimeout(SerialPort::kNoLimit);
    pty.write("partial");
    pty.releaseKeeper();
    pty.closeMaster();
    char buffer[101];
    uint32_t count = 0;
    EXPECT_EQ(p.port.ReadLine(buffer, 100, &count, kLf, 1), -1);
    EXPECT_NE(p.port.lastError(), 0u);
}

TEST(SerialPortReadLine, ReadOnAClosedPortFails) {
    SerialPort port;
    char buffer[8];
    uint32_t count = 0;
    EXPECT_EQ(port.ReadLine(buffer, 4, &count, kLf, 1), -1);
    EXPECT_EQ(port.lastError(), static_cast<uint32_t>(EBADF));
}

// The stop protocol of the dialog: shortened time-outs make a read without limit return.
TEST(SerialPortReadLine, ShortenedTimeoutsEndAReadWithoutLimit) {
    for (bool cancel : {false, true}) {
        PtyPair pty;
        OpenPort p(pty);
        ASSERT_TRUE(p.opened);
        p.port.SetReadLineTimeout(SerialPort::kNoLimit);
        auto reader = std::async(std::launch::async, [&] {
            char buffer[101];
            uint32_t count = 0;
            return p.port.ReadLine(buffer, 100, &count, kLf, 1);
        });
        EXPECT_EQ(reader.wait_for(std::chrono::milliseconds(200)), std::future_status::timeout);
        if (cancel) {
            p.port.cancelPendingRead();
        } else {
            p.port.SetPortTimeouts(1, 1, 1, 1, 1);
            p.port.SetReadLineTimeout(1);
        }
        ASSERT_EQ(reader.wait_for(std::chrono::seconds(10)), std::future_status::ready);
        EXPECT_EQ(reader.get(), -2);
    }
}

TEST(SerialPortClose, DiscardsPendingInput) {
    PtyPair pty;
    OpenPort p(pty);
    ASSERT_TRUE(p.opened);
    pty.write("stale\n");
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_TRUE(p.port.Close());
    EXPECT_EQ(p.port.readLineTimeout(), 1u);
    ASSERT_TRUE(p.port.Open());
    pty.write("fresh\n");
    char buffer[101];
    uint32_t count = 0;
    EXPECT_EQ(p.port.ReadLine(buffer, 100, &count, kLf, 1), 0);
    EXPECT_EQ(std::string(buffer, count), "fresh\n");
}

TEST(SerialPortTrace, ReceiveDumpNamesControlCodes) {
    auto [hex, chars] = SerialPort::formatReceiveDump("A\r\n\x05\x01\xb1", 6);
    EXPECT_EQ(hex, "**>41 0D 0A 05 01 B1 ");
    EXPECT_EQ(chars, std::string(36, ' ') + " A @CR@LF@EQ    \xb1 ");
}

TEST(SerialPortTrace, WritesOperationsAndDumps) {
    namespace fs = std::filesystem;
    fs::path folder = fs::path(::testing::TempDir()) / "serial_trace";
    fs::remove_all(folder);
    fs::create_directories(folder);
    std::string prefix = (folder / "COMM_").string();
    {
        PtyPair pty;
        SerialPort port;
        port.OpenTrace(prefix, 7, 4, 10000, 0x500000);
        port.setDeviceLookup(lookupFor(pty));
        port.Configure(kPort, 9600, 8, 0, 2, 2);
        ASSERT_TRUE(port.Open());
        pty.write("OK\r\n");
        char buffer[101];
        uint32_t count = 0;
        ASSERT_EQ(port.ReadLine(buffer, 100, &count, kLf, 1), 0);
    }
    const std::string all = folderBytes(folder);
    EXPECT_NE(all.find("port open /dev/pts/"), std::string::npos) << all;
    EXPECT_NE(all.find("BaudRate[9600 ], Parity[1], OutX[1], InX[1], ByteSize[8], Parity[2], "
                       "StopBits[0]"),
              std::string::npos)
        << all;
    EXPECT_NE(all.find("SetTimeout[5000]"), std::string::npos);
    EXPECT_NE(all.find("**>4F 4B 0D 0A \r\n" + std::string(36, ' ') + " O  K @CR@LF\r\n"),
              std::string::npos)
        << all;
}

} // namespace

// A cancelled reception leaves the recorder's tail in the port: it is taken aside whole (the
// capture keeps it), and the next line read is what arrives from now on.
TEST(SerialPortReadLine, ANewReceptionTakesTheWaitingTailAsideAndReadsWhatArrivesFromNowOn) {
    PtyPair pty;
    pty.write("old tail of a cancelled reception\r\n");
    OpenPort p(pty);
    ASSERT_TRUE(p.opened);
    EXPECT_EQ(p.port.takeWaitingInput(), "old tail of a cancelled reception\r\n");
    pty.write("NEW\n");
    char buffer[101];
    uint32_t count = 0;
    EXPECT_EQ(p.port.ReadLine(buffer, 100, &count, kLf, 1), 0);
    EXPECT_EQ(std::string(buffer, count), "NEW\n");
}
