#pragma once
// Writes bytes at the pace of a serial line, to a serial device, a pseudo-terminal or a file.
#include <chrono>
#include <string>
#include <string_view>

class PacedWriter {
public:
    // Opens a device or a file for writing. A terminal (serial port, pseudo-terminal) is put in
    // raw mode at the given rate. A baud of 0 writes as fast as the device takes it.
    // Throws std::runtime_error when the path cannot be opened.
    PacedWriter(const std::string& path, int baud);
    // Creates a pseudo-terminal pair and writes to its master side; slavePath() names the end
    // the reader opens (in raw mode already).
    explicit PacedWriter(int baud);
    ~PacedWriter();
    PacedWriter(const PacedWriter&) = delete;
    PacedWriter& operator=(const PacedWriter&) = delete;

    const std::string& slavePath() const { return m_slavePath; }
    // Pseudo-terminal only: waits until a reader has the slave side open. False on time-out.
    bool waitForReader(std::chrono::milliseconds timeout);

    // Writes all bytes, at most baud/10 bytes a second (8 data bits, start and stop bit).
    void write(std::string_view bytes);
    // Waits until the device has sent what it holds.
    void drain();
    std::size_t bytesWritten() const { return m_written; }

private:
    void setRaw();
    void writeAll(const char* data, std::size_t n);

    int m_fd = -1;
    int m_baud = 0;
    std::string m_slavePath;
    std::size_t m_written = 0;
    std::chrono::steady_clock::time_point m_start;
    bool m_started = false;
};
