#include "support/RetryOpen.h"

#include "support/ArchiveError.h"
#include "support/FilePath.h"
#include "support/RetryTimer.h"
#include "support/Sjis.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Failures that waiting cannot cure.
bool isPermanent(int error) {
    switch (error) {
    case ENOENT:
    case ENOTDIR:
    case EISDIR:
    case ENAMETOOLONG:
    case ELOOP:
    case EINVAL:
    case EROFS:
        return true;
    default:
        return false;
    }
}

// One attempt: the open file with its lock, or -1 with errno set.
int tryOpen(const std::filesystem::path& path, OpenAccess access) {
    const bool writing = access == OpenAccess::WriteExclusive;
    int flags = (writing ? O_WRONLY | O_CREAT : O_RDONLY) | O_CLOEXEC;
    int fd = ::open(path.c_str(), flags, 0666);
    if (fd < 0) {
        return -1;
    }
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(fd);
        errno = EISDIR;
        return -1;
    }
    int op = (access == OpenAccess::ReadDenyWrite ? LOCK_SH : LOCK_EX) | LOCK_NB;
    int rc;
    while ((rc = ::flock(fd, op)) != 0 && errno == EINTR) {
    }
    if (rc != 0) {
        int e = errno;
        ::close(fd);
        errno = e;
        return -1;
    }
    if (writing && ::ftruncate(fd, 0) != 0) {
        int e = errno;
        ::close(fd);
        errno = e;
        return -1;
    }
    return fd;
}

} // namespace

OpenResult openWithRetry(std::string_view cp932Path, OpenAccess access, const RetryPolicy& policy) {
    OpenResult result;
    const std::filesystem::path path = nativePath(cp932Path);
    std::filesystem::path folder = path.parent_path();
    std::error_code ec;
    if (!folder.empty() && !std::filesystem::is_directory(folder, ec)) {
        result.error = std::make_error_code(std::errc::no_such_file_or_directory);
        return result;
    }
    RetryTimer timer(policy.timeout);
    for (;;) {
        int fd = tryOpen(path, access);
        if (fd >= 0) {
            result.file = OpenedFile(fd, std::string(cp932Path));
            result.error.clear();
            return result;
        }
        int error = errno;
        result.error = std::error_code(error, std::generic_category());
        if (isPermanent(error) || timer.expired()) {
            return result;
        }
        timer.pause(policy.interval, policy.sleep);
    }
}

TextFileWriter::~TextFileWriter() {
    try {
        flush();
    } catch (...) {
        // a destructor cannot report; callers that care call flush() themselves
    }
}

void TextFileWriter::WriteLine(std::string_view line) {
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '\n' && (i == 0 || line[i - 1] != '\r')) {
            m_buffer += '\r';
        }
        m_buffer += line[i];
    }
    m_buffer += "\r\n";
    ++m_lines;
    if (m_buffer.size() >= 65536) {
        flush();
    }
}

void TextFileWriter::flush() {
    if (m_buffer.empty()) {
        return;
    }
    std::string pending;
    pending.swap(m_buffer);
    m_file.write(pending);
}
