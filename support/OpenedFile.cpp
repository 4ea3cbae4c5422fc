#include "support/OpenedFile.h"

#include "support/ArchiveError.h"
#include "support/DescriptorIo.h"
#include "support/FilePath.h"
#include "support/Sjis.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

OpenedFile::OpenedFile(ReplacementFile replacement, std::filesystem::path path, int lockFd)
    : m_fd(replacement.fd()), m_path(std::move(path)), m_replacement(std::move(replacement)),
      m_lockFd(lockFd) {}

OpenedFile OpenedFile::openRead(const std::filesystem::path& path) {
    // Opened without blocking, so a FIFO cannot hold the open; made blocking again for reading.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        return {};
    }
    struct stat st {};
    int error = 0;
    if (::fstat(fd, &st) != 0) {
        error = errno;
    } else if (!S_ISREG(st.st_mode)) {
        error = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
    } else if (int flags = ::fcntl(fd, F_GETFL);
               flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        error = errno;
    }
    if (error != 0) {
        ::close(fd);
        errno = error;
        return {};
    }
    return OpenedFile(fd, path);
}

OpenedFile::~OpenedFile() {
    release();
}

void OpenedFile::release() {
    if (m_replacement.isOpen()) {
        m_replacement.discard(); // closes m_fd with it
        m_fd = -1;
    }
    if (m_fd >= 0) {
        ::close(m_fd);
    }
    m_fd = -1;
    if (m_lockFd >= 0) {
        ::close(m_lockFd);
    }
    m_lockFd = -1;
}

OpenedFile::OpenedFile(OpenedFile&& other) noexcept
    : m_fd(other.m_fd), m_path(std::move(other.m_path)),
      m_replacement(std::move(other.m_replacement)), m_lockFd(other.m_lockFd) {
    other.m_fd = -1;
    other.m_lockFd = -1;
}

OpenedFile& OpenedFile::operator=(OpenedFile&& other) noexcept {
    if (this != &other) {
        release();
        m_fd = other.m_fd;
        m_path = std::move(other.m_path);
        m_replacement = std::move(other.m_replacement);
        m_lockFd = other.m_lockFd;
        other.m_fd = -1;
        other.m_lockFd = -1;
    }
    return *this;
}

void OpenedFile::fail(int error) const {
    const std::string reason = sjis::fromUtf8Shown(std::strerror(error));
    throw FileAccessError(m_path.empty() ? reason : displayPath(m_path) + ": " + reason);
}

void OpenedFile::write(std::string_view bytes) {
    if (m_fd < 0) {
        fail(EBADF);
    }
    if (int error = writeAll(m_fd, bytes)) {
        fail(error);
    }
}

std::size_t OpenedFile::read(void* buffer, std::size_t size) {
    if (m_fd < 0) {
        fail(EBADF);
    }
    ssize_t n = readSome(m_fd, buffer, size);
    if (n < 0) {
        fail(errno);
    }
    return static_cast<std::size_t>(n);
}

uint64_t OpenedFile::size() const {
    struct stat st {};
    if (::fstat(m_fd, &st) != 0) {
        fail(errno);
    }
    return static_cast<uint64_t>(st.st_size);
}

void OpenedFile::seek(uint64_t offset) {
    if (::lseek(m_fd, static_cast<off_t>(offset), SEEK_SET) < 0) {
        fail(errno);
    }
}

std::string OpenedFile::readAll() {
    std::string out;
    char buf[65536];
    while (std::size_t n = read(buf, sizeof buf)) {
        out.append(buf, n);
    }
    return out;
}

void OpenedFile::close() {
    if (m_replacement.isOpen()) {
        m_fd = -1;
        std::error_code error;
        const bool ok = m_replacement.commit(error);
        release();
        if (!ok) {
            fail(error.value());
        }
        return;
    }
    if (m_fd < 0) {
        return;
    }
    int fd = m_fd;
    m_fd = -1;
    int syncError = ::fsync(fd) != 0 && errno != EINVAL && errno != EROFS ? errno : 0;
    int closeError = ::close(fd) != 0 && errno != EINTR ? errno : 0;
    if (syncError || closeError) {
        fail(syncError ? syncError : closeError);
    }
}
