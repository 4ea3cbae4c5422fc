#pragma once
#include "support/AtomicFile.h"

#include <chrono>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <system_error>

// A file the program opened itself (export, import, CSV, captured report). Closes on
// destruction; the lock taken at open goes with it. A file opened for writing is a
// ReplacementFile: its bytes take the name only at close(); a file destroyed without close()
// leaves the name as it was.
class OpenedFile {
public:
    OpenedFile() = default;
    OpenedFile(int fd, std::string path) : m_fd(fd), m_path(std::move(path)) {}
    // Writing: `lockFd` holds the lock on what is under the name (-1: nothing lockable);
    // `placeholder` says that the open created the name, to be removed again when nothing is
    // written.
    OpenedFile(ReplacementFile replacement, int lockFd, bool placeholder, std::string path);
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
    // Flushes to disk and closes (a written file takes its name); a failure (full disk, lost
    // network share) throws and leaves the name as it was.
    void close();

private:
    [[noreturn]] void fail(int error) const;
    void release();

    int m_fd = -1;
    std::string m_path;
    ReplacementFile m_replacement;
    int m_lockFd = -1;
    bool m_placeholder = false;
};

enum class OpenAccess {
    ReadExclusive,  // read; no other opener of ours may have it open
    ReadDenyWrite,  // read; other readers allowed, writers kept out
    WriteExclusive, // replace the whole file (never through a link at the name); nobody else
};

struct RetryPolicy {
    std::chrono::milliseconds interval{200};
    std::chrono::milliseconds timeout{60000};
    // How to wait between attempts (tests pass one that does not really wait).
    std::function<void(std::chrono::milliseconds)> sleep;
};

struct OpenResult {
    OpenedFile file;
    std::error_code error; // set when file is not open
    explicit operator bool() const { return file.isOpen(); }
};

// Opens a file, retrying a failed open every interval until timeout has passed since the first
// attempt. Fails at once when the folder does not exist or the failure cannot go away by
// waiting (the path names a folder, a missing file to read, a name too long). Sharing is
// modelled with flock: exclusive = LOCK_EX, deny-write = LOCK_SH; a file locked by another
// opener counts as a failed open. A file to write is written to a ReplacementFile while the lock
// on the name is held (a name that is free is taken by an empty placeholder of mode 0600, created
// exclusively); a link or other non-file at the name is replaced, never followed.
OpenResult openWithRetry(std::string_view cp932Path, OpenAccess access,
                         const RetryPolicy& policy = {});

// Writes lines as a text-mode stream does: every line ends with CR LF and a line feed inside a
// line becomes CR LF too. Counts the lines written.
class TextFileWriter {
public:
    explicit TextFileWriter(OpenedFile& file) : m_file(file) {}
    ~TextFileWriter();
    TextFileWriter(const TextFileWriter&) = delete;
    TextFileWriter& operator=(const TextFileWriter&) = delete;

    void WriteLine(std::string_view line); // throws FileAccessError
    void flush();                          // throws FileAccessError
    int lineCount() const { return m_lines; }

private:
    OpenedFile& m_file;
    std::string m_buffer;
    int m_lines = 0;
};
