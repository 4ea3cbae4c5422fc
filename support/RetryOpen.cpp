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

// Takes the lock without waiting for it; false with errno set when another holds it.
bool lockNow(int fd, int op) {
    int rc;
    while ((rc = ::flock(fd, op | LOCK_NB)) != 0 && errno == EINTR) {
    }
    return rc == 0;
}

int lockOrClose(int fd, int op) {
    if (!lockNow(fd, op)) {
        int e = errno;
        ::close(fd);
        errno = e;
        return -1;
    }
    return fd;
}

// One attempt to read: the open file with its lock, or a file not open with errno set.
OpenedFile tryOpenToRead(const std::filesystem::path& path, OpenAccess access) {
    OpenedFile file = OpenedFile::openRead(path);
    if (file.isOpen() &&
        !lockNow(file.fd(), access == OpenAccess::ReadDenyWrite ? LOCK_SH : LOCK_EX)) {
        const int error = errno;
        file = OpenedFile();
        errno = error;
    }
    return file;
}

// One attempt to write: the replacement file with the lock on what stands at the name, or
// false with errno. The name itself is opened only to lock it: read-only, never through a link.
// A name not there yet is left alone until the commit: a kill mid-write leaves nothing under it.
bool tryOpenToWrite(const std::filesystem::path& path, FileKind kind, OpenedFile& out) {
    struct stat st {};
    int lockFd = -1;
    if (::lstat(path.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) {
            errno = EISDIR;
            return false;
        }
        if (S_ISREG(st.st_mode)) {
            lockFd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
            if (lockFd < 0 && errno != ENOENT && errno != ELOOP) {
                return false;
            }
        }
    } else if (errno != ENOENT) {
        return false;
    }
    if (lockFd >= 0 && lockOrClose(lockFd, LOCK_EX) < 0) {
        return false;
    }
    std::error_code error;
    ReplacementFile replacement = ReplacementFile::create(path, error, kind);
    if (!replacement.isOpen()) {
        if (lockFd >= 0) {
            ::close(lockFd);
        }
        errno = error.value();
        return false;
    }
    out = OpenedFile(std::move(replacement), path, lockFd);
    return true;
}

} // namespace

OpenResult openWithRetry(const std::filesystem::path& path, OpenAccess access,
                         const RetryPolicy& policy, FileKind kind) {
    OpenResult result;
    std::filesystem::path folder = path.parent_path();
    std::error_code ec;
    if (!folder.empty() && !std::filesystem::is_directory(folder, ec)) {
        result.error = std::make_error_code(std::errc::no_such_file_or_directory);
        return result;
    }
    RetryTimer timer(policy.timeout);
    for (;;) {
        if (access == OpenAccess::WriteExclusive) {
            if (tryOpenToWrite(path, kind, result.file)) {
                result.error.clear();
                return result;
            }
        } else if (OpenedFile file = tryOpenToRead(path, access); file.isOpen()) {
            result.file = std::move(file);
            result.error.clear();
            return result;
        }
        int error = errno;
        result.error = std::error_code(error, std::generic_category());
        if (waitingCannotCure(error) || timer.expired()) {
            return result;
        }
        timer.pause(policy.interval, policy.sleep);
        if (policy.stop != nullptr && policy.stop->load()) {
            result.error = std::make_error_code(std::errc::operation_canceled);
            return result;
        }
    }
}
