#include "support/AtomicFile.h"

#include "support/FilePath.h"

#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::error_code lastError() {
    return {errno, std::generic_category()};
}

bool writeAll(int fd, std::string_view bytes) {
    const char* p = bytes.data();
    size_t left = bytes.size();
    while (left > 0) {
        ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        p += n;
        left -= static_cast<size_t>(n);
    }
    return true;
}

void syncFolder(const std::filesystem::path& folder) {
    int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

bool writeFileAtomically(std::string_view cp932Path, std::string_view bytes,
                         std::error_code& error) {
    // A failed write leaves its reason in `error`, which stops the rename.
    return writeFileAtomically(
        cp932Path,
        [&](int fd) {
            if (!writeAll(fd, bytes)) {
                error = lastError();
            }
        },
        error);
}

bool writeFileAtomically(std::string_view cp932Path, const std::function<void(int fd)>& produce,
                         std::error_code& error) {
    static std::atomic<unsigned> counter{0};
    const std::filesystem::path target = nativePath(cp932Path);
    std::filesystem::path temp = target;
    temp += ".tmp" + std::to_string(::getpid()) + "_" + std::to_string(counter++);

    struct stat old {};
    const bool hadOld = ::stat(target.c_str(), &old) == 0;
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
        error = lastError();
        return false;
    }
    error.clear();
    try {
        produce(fd);
    } catch (...) {
        ::close(fd);
        ::unlink(temp.c_str());
        throw;
    }
    bool ok = !error;
    if (ok && hadOld) {
        ::fchmod(fd, old.st_mode & 07777);
    }
    if (ok && ::fsync(fd) != 0) {
        ok = false;
        error = lastError();
    }
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = lastError();
    }
    if (ok && ::rename(temp.c_str(), target.c_str()) != 0) {
        ok = false;
        error = lastError();
    }
    if (!ok) {
        ::unlink(temp.c_str());
        return false;
    }
    syncFolder(target.parent_path());
    return true;
}

std::optional<std::string> readWholeFile(std::string_view cp932Path) {
    int fd = ::open(nativePath(cp932Path).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return std::nullopt;
    }
    std::string out;
    char buf[65536];
    for (;;) {
        ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            ::close(fd);
            return std::nullopt;
        }
        if (n == 0) {
            break;
        }
        out.append(buf, static_cast<size_t>(n));
    }
    ::close(fd);
    return out;
}
