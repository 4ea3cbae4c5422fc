#include "support/AtomicFile.h"
#include "support/OpenedFile.h"

#include "support/DescriptorIo.h"
#include "support/FilePath.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr mode_t kUserOnly = 0600;
constexpr std::string_view kTempTag = ".tmp";

std::error_code lastError() {
    return {errno, std::generic_category()};
}

void syncFolder(const std::filesystem::path& folder) {
    int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// The process id of a temporary name "<pid>_<n>" (after the tag), or 0 when it is none.
pid_t temporaryOwner(std::string_view rest) {
    std::size_t underscore = rest.find('_');
    if (underscore == 0 || underscore == std::string_view::npos || underscore + 1 == rest.size()) {
        return 0;
    }
    long pid = 0;
    for (std::size_t i = 0; i < rest.size(); ++i) {
        if (i == underscore) {
            continue;
        }
        if (rest[i] < '0' || rest[i] > '9') {
            return 0;
        }
        if (i < underscore && pid < 100000000) {
            pid = pid * 10 + (rest[i] - '0');
        }
    }
    return static_cast<pid_t>(pid);
}

// Removes the temporary files in `folder` that ended runs left: regular files of this user
// named "<name>.tmp<pid>_<n>" (for `name` only, unless it is empty) whose process is gone.
int removeStaleIn(const std::filesystem::path& folder, const std::string& name) {
    int removed = 0;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::string entry = it->path().filename().string();
        const std::size_t tag = entry.rfind(kTempTag);
        if (tag == std::string::npos || (!name.empty() && entry.compare(0, tag, name) != 0) ||
            (!name.empty() && tag != name.size()))
            continue;
        const pid_t pid = temporaryOwner(std::string_view(entry).substr(tag + kTempTag.size()));
        struct stat st {};
        if (pid <= 0 || pid == ::getpid() || ::lstat(it->path().c_str(), &st) != 0 ||
            !S_ISREG(st.st_mode) || st.st_uid != ::geteuid()) {
            continue;
        }
        if (::kill(pid, 0) == 0 || errno != ESRCH) {
            continue; // its writer may still be at work
        }
        if (::unlink(it->path().c_str()) == 0) {
            ++removed;
        }
    }
    return removed;
}

// The process's umask, read without changing it (umask(2) would, for every thread at once).
mode_t currentUmask() {
    constexpr mode_t kUsual = 022;
    const std::optional<std::string> status = readWholeFile("/proc/self/status");
    const std::string_view key = "\nUmask:";
    const std::size_t at = status ? status->find(key) : std::string::npos;
    if (at == std::string::npos)
        return kUsual;
    return static_cast<mode_t>(std::strtoul(status->c_str() + at + key.size(), nullptr, 8) & 0777);
}

mode_t newFileMode(FileKind kind) {
    return kind == FileKind::Report ? 0666 & ~currentUmask() : kUserOnly;
}

std::filesystem::path folderOf(const std::filesystem::path& target) {
    std::filesystem::path folder = target.parent_path();
    return folder.empty() ? std::filesystem::path(".") : folder;
}

} // namespace

ReplacementFile ReplacementFile::create(const std::filesystem::path& target, std::error_code& error,
                                        FileKind kind) {
    static std::atomic<unsigned> counter{0};
    ReplacementFile file;
    file.m_target = target;
    file.m_kind = kind;
    // Temporaries that killed runs left in this folder go at the next write there.
    removeStaleIn(folderOf(file.m_target), std::string());
    // A name taken by someone else (planted, or left by a killed run) is skipped, never reused.
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::filesystem::path temp = file.m_target;
        temp +=
            std::string(kTempTag) + std::to_string(::getpid()) + "_" + std::to_string(counter++);
        int fd =
            ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, kUserOnly);
        if (fd >= 0) {
            // The creation mode passes the umask; make sure nobody else may read meanwhile.
            ::fchmod(fd, kUserOnly);
            file.m_fd = fd;
            file.m_temp = std::move(temp);
            error.clear();
            return file;
        }
        if (errno != EEXIST) {
            break;
        }
    }
    error = lastError();
    return file;
}

ReplacementFile::~ReplacementFile() {
    discard();
}

ReplacementFile::ReplacementFile(ReplacementFile&& other) noexcept
    : m_fd(other.m_fd), m_temp(std::move(other.m_temp)), m_target(std::move(other.m_target)),
      m_kind(other.m_kind) {
    other.m_fd = -1;
    other.m_temp.clear();
}

ReplacementFile& ReplacementFile::operator=(ReplacementFile&& other) noexcept {
    if (this != &other) {
        discard();
        m_fd = other.m_fd;
        m_temp = std::move(other.m_temp);
        m_target = std::move(other.m_target);
        m_kind = other.m_kind;
        other.m_fd = -1;
        other.m_temp.clear();
    }
    return *this;
}

void ReplacementFile::discard() {
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    if (!m_temp.empty()) {
        ::unlink(m_temp.c_str());
        m_temp.clear();
    }
}

bool ReplacementFile::commit(std::error_code& error) {
    if (m_fd < 0) {
        error = std::make_error_code(std::errc::bad_file_descriptor);
        return false;
    }
    // Only a regular file under the name lends its mode; a link's target is none of ours.
    struct stat old {};
    if (::lstat(m_target.c_str(), &old) == 0 && S_ISREG(old.st_mode)) {
        ::fchmod(m_fd, old.st_mode & 07777);
    } else if (m_kind == FileKind::Report) {
        ::fchmod(m_fd, newFileMode(m_kind));
    }
    bool ok = true;
    if (::fsync(m_fd) != 0) {
        ok = false;
        error = lastError();
    }
    if (::close(m_fd) != 0 && ok) {
        ok = false;
        error = lastError();
    }
    m_fd = -1;
    if (ok && ::rename(m_temp.c_str(), m_target.c_str()) != 0) {
        ok = false;
        error = lastError();
    }
    if (!ok) {
        discard();
        return false;
    }
    m_temp.clear();
    syncFolder(m_target.parent_path());
    error.clear();
    return true;
}

int removeStaleTemporaries(const std::filesystem::path& target) {
    return removeStaleIn(folderOf(target), target.filename().string());
}

bool writeFileAtomically(const std::filesystem::path& path, std::string_view bytes,
                         std::error_code& error, FileKind kind) {
    // A failed write leaves its reason in `error`, which stops the rename.
    return writeFileAtomically(
        path,
        [&](int fd) {
            if (int e = writeAll(fd, bytes)) {
                error = std::error_code(e, std::generic_category());
            }
        },
        error, kind);
}

bool writeFileAtomically(const std::filesystem::path& path,
                         const std::function<void(int fd)>& produce, std::error_code& error,
                         FileKind kind) {
    ReplacementFile file = ReplacementFile::create(path, error, kind);
    if (!file.isOpen()) {
        return false;
    }
    produce(file.fd()); // a throw discards the temporary file on the way out
    if (error) {
        return false;
    }
    return file.commit(error);
}

std::optional<std::string> readWholeFile(const std::filesystem::path& path) {
    int error = 0;
    return readWholeFile(path, error);
}

std::optional<std::string> readWholeFile(const std::filesystem::path& path, int& error) {
    error = 0;
    errno = 0;
    const OpenedFile file = OpenedFile::openRead(path);
    if (!file.isOpen()) {
        error = errno != 0 ? errno : EINVAL;
        return std::nullopt;
    }
    std::string out;
    char buf[65536];
    for (;;) {
        ssize_t n = readSome(file.fd(), buf, sizeof buf);
        if (n < 0) {
            error = errno;
            return std::nullopt;
        }
        if (n == 0) {
            break;
        }
        if (out.size() + static_cast<size_t>(n) > kSettingsFileLimit) {
            error = EFBIG;
            return std::nullopt;
        }
        out.append(buf, static_cast<size_t>(n));
    }
    return out;
}
