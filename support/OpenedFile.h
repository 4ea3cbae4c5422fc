#pragma once
#include "support/AtomicFile.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

// The one handle of a file the program opened itself (data file, export, import, CSV, captured
// report). Closes on destruction; the lock taken at open goes with it. A file opened for writing
// is a ReplacementFile: its bytes take the name only at close(); a file destroyed without close()
// leaves the name as it was.
class OpenedFile {
public:
    OpenedFile() = default;
    OpenedFile(int fd, std::filesystem::path path) : m_fd(fd), m_path(std::move(path)) {}
    // Writing: `lockFd` holds the lock on what is under the name (-1: nothing there yet).
    OpenedFile(ReplacementFile replacement, std::filesystem::path path, int lockFd = -1);
    // Opens a regular file to read, without lock or retry; not open (errno tells why) when it
    // cannot, EISDIR for a folder and EINVAL for anything else that is no regular file (a FIFO or
    // a device never ends; the open does not block on a FIFO).
    static OpenedFile openRead(const std::filesystem::path& path);
    ~OpenedFile();
    OpenedFile(OpenedFile&& other) noexcept;
    OpenedFile& operator=(OpenedFile&& other) noexcept;
    OpenedFile(const OpenedFile&) = delete;
    OpenedFile& operator=(const OpenedFile&) = delete;

    bool isOpen() const { return m_fd >= 0; }
    int fd() const { return m_fd; }
    const std::filesystem::path& path() const { return m_path; }

    // These throw FileAccessError ("<path>: <reason>", the reason alone for a file opened without
    // a path, whose callers name it) when the system call fails.
    void write(std::string_view bytes);
    // Up to size bytes; 0 at the end of the file.
    std::size_t read(void* buffer, std::size_t size);
    std::string readAll();
    // The file's length in bytes; moving the position of the next read.
    uint64_t size() const;
    void seek(uint64_t offset);
    // Flushes to disk and closes (a written file takes its name); a failure (full disk, lost
    // network share) throws and leaves the name as it was.
    void close();

private:
    [[noreturn]] void fail(int error) const;
    void release();

    int m_fd = -1;
    std::filesystem::path m_path;
    ReplacementFile m_replacement;
    int m_lockFd = -1;
};
