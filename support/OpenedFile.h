#pragma once
#include <cstddef>
#include <string>
#include <string_view>

// A file the program opened itself (export, import, CSV, captured report). Closes on
// destruction; the lock taken at open goes with it.
class OpenedFile {
public:
    OpenedFile() = default;
    OpenedFile(int fd, std::string path) : m_fd(fd), m_path(std::move(path)) {}
    ~OpenedFile();
    OpenedFile(OpenedFile&& other) noexcept;
    OpenedFile& operator=(OpenedFile&& other) noexcept;
    OpenedFile(const OpenedFile&) = delete;
    OpenedFile& operator=(const OpenedFile&) = delete;

    bool isOpen() const { return m_fd >= 0; }
    int fd() const { return m_fd; }
    const std::string& path() const { return m_path; } // CP932

    // These throw FileAccessError ("<path>: <reason>") when the system call fails.
    void write(std::string_view bytes);
    // Up to size bytes; 0 at the end of the file.
    std::size_t read(void* buffer, std::size_t size);
    std::string readAll();
    // Flushes to disk and closes; a failure (full disk, lost network share) throws.
    void close();

private:
    [[noreturn]] void fail(int error) const;

    int m_fd = -1;
    std::string m_path;
};
