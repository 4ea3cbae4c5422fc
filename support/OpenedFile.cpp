#include "support/OpenedFile.h"

#include "support/ArchiveError.h"
#include "support/Sjis.h"

#include <cerrno>
#include <cstring>
#include <sys/file.h>
#include <unistd.h>

OpenedFile::~OpenedFile() {
    if (m_fd >= 0) {
        ::close(m_fd);
    }
}

OpenedFile::OpenedFile(OpenedFile&& other) noexcept
    : m_fd(other.m_fd), m_path(std::move(other.m_path)) {
    other.m_fd = -1;
}

OpenedFile& OpenedFile::operator=(OpenedFile&& other) noexcept {
    if (this != &other) {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
        m_fd = other.m_fd;
        m_path = std::move(other.m_path);
        other.m_fd = -1;
    }
    return *this;
}

void OpenedFile::fail(int error) const {
    throw FileAccessError(m_path + ": " + sjis::fromUtf8(std::strerror(error)));
}

void OpenedFile::write(std::string_view bytes) {
    if (m_fd < 0) {
        fail(EBADF);
    }
    const char* p = bytes.data();
    size_t left = bytes.size();
    while (left > 0) {
        ssize_t n = ::write(m_fd, p, left);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            fail(errno);
        }
        if (n == 0) {
            fail(ENOSPC);
        }
        p += n;
        left -= static_cast<size_t>(n);
    }
}

std::size_t OpenedFile::read(void* buffer, std::size_t size) {
    if (m_fd < 0) {
        fail(EBADF);
    }
    for (;;) {
        ssize_t n = ::read(m_fd, buffer, size);
        if (n >= 0) {
            return static_cast<std::size_t>(n);
        }
        if (errno != EINTR) {
            fail(errno);
        }
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
