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

std::filesystem::path InstanceLock::lockPath(const std::filesystem::path& folder) {
    return pathInFolder(folder, kFileName);
}

bool InstanceLock::tryAcquire(const std::filesystem::path& folder) {
    if (held()) {
        return true;
    }
    int fd = ::open(lockPath(folder).c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
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
