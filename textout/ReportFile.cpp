#include "textout/ReportFile.h"

#include "support/ArchiveError.h"
#include "support/Clock.h"
#include "support/CxException.h"
#include "support/Sjis.h"
#include "textout/CsvReport.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

constexpr std::size_t kBufferSize = 64 * 1024;

[[noreturn]] void throwWriteError(int error) {
    throw FileAccessError(std::strerror(error));
}

std::string folderOf(const std::string& nativePath) {
    const auto slash = nativePath.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return nativePath.substr(0, slash);
}

bool isFolder(const std::string& nativePath) {
    struct stat st {};
    return ::stat(nativePath.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// Created or truncated, and held exclusively: another writer's lock makes the open fail.
int openExclusive(const std::string& nativePath) {
    int fd = ::open(nativePath.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0)
        return -1;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || ::ftruncate(fd, 0) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

} // namespace

FileReportSink::FileReportSink(int fd, std::string path) : m_fd(fd), m_path(std::move(path)) {
    m_buffer.reserve(kBufferSize);
}

FileReportSink::~FileReportSink() {
    if (m_fd >= 0)
        ::close(m_fd);
}

void FileReportSink::write(std::string_view bytes) {
    if (m_buffer.size() + bytes.size() > kBufferSize)
        flush();
    m_buffer.append(bytes);
}

void FileReportSink::flush() {
    std::size_t done = 0;
    while (done < m_buffer.size()) {
        ssize_t n = ::write(m_fd, m_buffer.data() + done, m_buffer.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            const int error = errno;
            m_buffer.erase(0, done);
            throwWriteError(error);
        }
        done += static_cast<std::size_t>(n);
    }
    m_buffer.clear();
}

void FileReportSink::finish() {
    flush();
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0)
        throwWriteError(errno);
}

std::unique_ptr<ReportSink> OpenReportFile(const std::string& path) {
    const std::string native = sjis::toUtf8(path);
    if (!isFolder(folderOf(native)))
        throw CxException(0, "OpenError\n%s", path.c_str());
    const Clock& clock = Clock::current();
    const uint64_t first = clock.tickMs();
    for (;;) {
        int fd = openExclusive(native);
        if (fd >= 0)
            return std::make_unique<FileReportSink>(fd, path);
        if (clock.tickMs() - first >= 60000)
            throw CxException(0, "OpenError\n%s", path.c_str());
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
}
