#include "support/DescriptorIo.h"

#include <cerrno>
#include <unistd.h>

int writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            return errno;
        }
        if (n == 0) {
            return ENOSPC;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return 0;
}

ssize_t readSome(int fd, void* buffer, std::size_t size) {
    for (;;) {
        ssize_t n = ::read(fd, buffer, size);
        if (n >= 0 || errno != EINTR) {
            return n;
        }
    }
}
