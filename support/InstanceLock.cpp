#include "support/InstanceLock.h"

#include "support/FilePath.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

InstanceLock::InstanceLock(InstanceLock&& other) noexcept : m_fd(other.m_fd) {
    other.m_fd = -1;
}

InstanceLock& InstanceLock::operator=(InstanceLock&& other) noexcept {
    if (this != &other) {
        release();
        m_fd = other.m_fd;
        other.m_fd = -1;
    }
    return *this;
}

std::string InstanceLock::lockPath(std::string_view folder) {
    return joinPath(withoutTrailingSeparator(folder), kFileName);
}

bool InstanceLock::tryAcquire(std::string_view folder) {
    if (held()) {
        return true;
    }
    int fd = ::open(nativePath(lockPath(folder)).c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC,
                    0600);
    if (fd < 0) {
        return false;
    }
    int rc;
    while ((rc = ::flock(fd, LOCK_EX | LOCK_NB)) != 0 && errno == EINTR) {
    }
    if (rc != 0) {
        ::close(fd);
        return false;
    }
    m_fd = fd;
    return true;
}

void InstanceLock::release() {
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
}
