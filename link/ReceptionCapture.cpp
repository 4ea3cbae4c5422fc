#include "link/ReceptionCapture.h"
#include "support/Clock.h"
#include "support/DescriptorIo.h"
#include "support/FilePath.h"
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace {

constexpr std::size_t kStampLength = 15; // yyyymmdd-hhmmss

// The order of a capture name: its stamp, then its sequence (1 for the plain name); false
// for a name that is not a capture's.
bool captureKey(const std::string& name, std::string& stamp, long& sequence) {
    const std::string ext = ".txt";
    if (name.size() < kStampLength + ext.size() ||
        name.compare(name.size() - ext.size(), ext.size(), ext) != 0)
        return false;
    for (std::size_t i = 0; i < kStampLength; ++i) {
        const bool digit = name[i] >= '0' && name[i] <= '9';
        if (i == 8 ? name[i] != '-' : !digit)
            return false;
    }
    const std::string rest = name.substr(kStampLength, name.size() - ext.size() - kStampLength);
    sequence = 1;
    if (!rest.empty()) {
        if (rest.size() < 2 || rest.size() > 6 || rest[0] != '-')
            return false;
        if (!std::all_of(rest.begin() + 1, rest.end(), [](char c) { return c >= '0' && c <= '9'; }))
            return false;
        sequence = std::stol(rest.substr(1));
    }
    stamp = name.substr(0, kStampLength);
    return true;
}

// The capture folder, opened without following a link in its place; created 0700 when asked.
// A folder of the user's own that others may read is made private first. -1 when it cannot
// be used.
int openFolder(const std::string& folder, bool create) {
    const std::filesystem::path native = nativePath(folder);
    if (create) {
        if (native.has_parent_path())
            createFolderPath(cp932Path(native.parent_path()), FolderAccess::UserOnly);
        ::mkdir(native.c_str(), 0700);
    }
    const int fd = ::open(native.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return -1;
    struct stat st {};
    if (::fstat(fd, &st) == 0 && st.st_uid == ::geteuid() && (st.st_mode & 077) != 0)
        ::fchmod(fd, 0700);
    return fd;
}

// The record, opened without following a link and only when it is a regular file; locked.
int openRecord(int folder, int flags) {
    const int fd = ::openat(folder, ReceptionCapture::kRecordName,
                            flags | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK, 0600);
    if (fd < 0)
        return -1;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || ::flock(fd, LOCK_EX) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

constexpr std::size_t kRecordLimit = 1 << 20; // far more than kKept names

std::vector<std::string> readRecord(int record) {
    std::string text;
    char buffer[4096];
    ssize_t n = 0;
    while (text.size() < kRecordLimit && (n = readSome(record, buffer, sizeof buffer)) > 0)
        text.append(buffer, static_cast<std::size_t>(n));
    std::vector<std::string> names;
    std::size_t from = 0;
    while (from < text.size()) {
        std::size_t end = text.find('\n', from);
        if (end == std::string::npos)
            break; // a name whose writing was cut
        std::string name = text.substr(from, end - from);
        std::string stamp;
        long sequence = 0;
        if (captureKey(name, stamp, sequence) &&
            std::find(names.begin(), names.end(), name) == names.end())
            names.push_back(std::move(name));
        from = end + 1;
    }
    return names;
}

class Fd {
public:
    explicit Fd(int fd) : m_fd(fd) {}
    ~Fd() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

} // namespace

ReceptionCapture::ReceptionCapture(std::string folder, std::size_t keep)
    : m_folder(std::move(folder)), m_keep(keep) {}

ReceptionCapture::~ReceptionCapture() {
    if (m_fd >= 0)
        ::close(m_fd);
}

std::string ReceptionCapture::stamp(std::chrono::system_clock::time_point t) {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(t);
    std::tm local{};
    ::localtime_r(&seconds, &local);
    char text[32];
    std::snprintf(text, sizeof text, "%04d%02d%02d-%02d%02d%02d", local.tm_year + 1900,
                  local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
    return text;
}

std::vector<std::string> ReceptionCapture::captureFiles(const std::string& folder) {
    struct Entry {
        std::string stamp;
        long sequence;
        std::string name;
    };
    std::vector<Entry> entries;
    std::error_code ec;
    for (const auto& item : std::filesystem::directory_iterator(nativePath(folder), ec)) {
        std::error_code typeError;
        if (!item.is_regular_file(typeError))
            continue;
        Entry e;
        e.name = cp932Path(item.path().filename());
        if (captureKey(e.name, e.stamp, e.sequence))
            entries.push_back(std::move(e));
    }
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        return a.stamp != b.stamp ? a.stamp < b.stamp : a.sequence < b.sequence;
    });
    std::vector<std::string> names;
    for (auto& e : entries)
        names.push_back(std::move(e.name));
    return names;
}

std::vector<std::string> ReceptionCapture::recordedCaptures(const std::string& folder) {
    Fd dir(openFolder(folder, false));
    if (dir.get() < 0)
        return {};
    Fd record(openRecord(dir.get(), O_RDONLY));
    if (record.get() < 0)
        return {};
    return readRecord(record.get());
}

void ReceptionCapture::prune(const std::string& folder, std::size_t keep,
                             const std::string& spare) {
    Fd dir(openFolder(folder, false));
    if (dir.get() < 0)
        return;
    Fd record(openRecord(dir.get(), O_RDWR));
    if (record.get() < 0)
        return;
    // Names whose files went (deleted by hand) leave the record as well.
    std::vector<std::string> present;
    for (std::string& name : readRecord(record.get())) {
        struct stat st {};
        if (::fstatat(dir.get(), name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 &&
            !S_ISDIR(st.st_mode))
            present.push_back(std::move(name));
    }
    std::vector<std::string> kept;
    const std::size_t excess = present.size() > keep ? present.size() - keep : 0;
    for (std::size_t i = 0; i < present.size(); ++i) {
        // A link in a capture's place goes itself; its target is never touched.
        if (i < excess && present[i] != spare && ::unlinkat(dir.get(), present[i].c_str(), 0) == 0)
            continue;
        kept.push_back(present[i]);
    }
    std::string text;
    for (const std::string& name : kept)
        text += name + "\n";
    if (::ftruncate(record.get(), 0) == 0 && ::lseek(record.get(), 0, SEEK_SET) == 0)
        writeAll(record.get(), text);
}

bool ReceptionCapture::create() {
    Fd dir(openFolder(m_folder, true));
    if (dir.get() < 0)
        return false;
    const std::string base = stamp(Clock::current().now());
    for (int sequence = 1; sequence < 1000; ++sequence) {
        std::string name = base;
        if (sequence > 1)
            name += "-" + std::to_string(sequence);
        name += ".txt";
        const int fd = ::openat(dir.get(), name.c_str(),
                                O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd >= 0) {
            m_fd = fd;
            m_name = name;
            m_path = joinPath(m_folder, name);
            // Noted at once: a capture of a program that dies is pruned like any other.
            Fd record(openRecord(dir.get(), O_WRONLY | O_APPEND | O_CREAT));
            if (record.get() >= 0)
                writeAll(record.get(), name + "\n");
            return true;
        }
        if (errno != EEXIST)
            return false;
    }
    return false;
}

void ReceptionCapture::finish() {
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    if (!m_name.empty())
        prune(m_folder, m_keep, m_name);
}

bool ReceptionCapture::append(std::string_view bytes) {
    if (m_failed)
        return false;
    if (bytes.empty())
        return true;
    if (m_fd < 0 && (!m_name.empty() || !create())) {
        m_failed = true;
        return false;
    }
    // Straight to the file, unbuffered: what came in is kept even if the program dies.
    if (writeAll(m_fd, bytes) != 0) {
        m_failed = true;
        return false;
    }
    return true;
}
