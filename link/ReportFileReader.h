#pragma once
#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

// Reads a captured report file as text the way the Windows runtime reads in text mode:
// CR LF becomes LF, a lone CR stays, and a Ctrl-Z (0x1A) ends the file.
class ReportFileReader {
public:
    ReportFileReader() = default;
    ~ReportFileReader();
    ReportFileReader(const ReportFileReader&) = delete;
    ReportFileReader& operator=(const ReportFileReader&) = delete;

    // 0 or the errno value. A folder fails with EISDIR.
    int open(const std::filesystem::path& path);
    bool isOpen() const { return m_fd >= 0; }
    void close();

    enum class Read { Line, End, Error };
    // The next line into line (its LF included), at most maxBytes bytes: a longer line comes
    // in pieces of maxBytes. End at the end of the file or at a Ctrl-Z; Error with error()
    // set when the read fails.
    Read nextLine(std::string& line, std::size_t maxBytes);
    int error() const { return m_error; }

private:
    // Makes at least one byte available; false at the end or on error.
    bool fill();

    int m_fd = -1;
    int m_error = 0;
    bool m_ended = false;
    std::vector<char> m_buffer;
    std::size_t m_pos = 0;
};
