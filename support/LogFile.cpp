#include "support/LogFile.h"

#include "support/Format.h"

#include "support/Clock.h"
#include "support/DescriptorIo.h"
#include "support/FilePath.h"
#include "support/RetryTimer.h"
#include "support/TextMode.h"

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <map>
#include <memory>
#include <mutex>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::tm localParts(std::chrono::system_clock::time_point t) {
    std::time_t secs = std::chrono::system_clock::to_time_t(t);
    std::tm tm{};
    localtime_r(&secs, &tm);
    return tm;
}

// 1998-01-01 00:00 local time, worked out once.
std::time_t epoch1998() {
    static const std::time_t start = [] {
        std::tm base{};
        base.tm_year = 98;
        base.tm_mon = 0;
        base.tm_mday = 1;
        base.tm_isdst = -1;
        return std::mktime(&base);
    }();
    return start;
}

int64_t dayNumberOfSeconds(std::time_t secs) {
    return (static_cast<int64_t>(secs) - static_cast<int64_t>(epoch1998())) / 86400;
}

// The previous stamped line of any log of this process.
struct StampState {
    std::mutex mutex;
    bool any = false;
    uint32_t previous = 0;
};
StampState& stampState() {
    static StampState s;
    return s;
}

// A mutex per lock file: threads of this process queue here, processes on the flock.
std::mutex& processMutex(const std::string& lockPath) {
    static std::mutex mapMutex;
    static std::map<std::string, std::unique_ptr<std::mutex>> mutexes;
    std::lock_guard guard(mapMutex);
    auto& m = mutexes[lockPath];
    if (!m) {
        m = std::make_unique<std::mutex>();
    }
    return *m;
}

// The lock of the log's files. Taken without blocking, retried within the log's own retry
// limit: a lock held elsewhere (another copy, another user) never stalls the caller for longer.
class FileLock {
public:
    FileLock(const std::string& lockPath, RetryTimer& timer, std::chrono::milliseconds interval,
             const LogFile::Sleep& sleep)
        : m_guard(processMutex(lockPath)),
          m_fd(::open(lockPath.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600)) {
        if (m_fd < 0) {
            return; // no lock to be had: write unlocked rather than not at all
        }
        for (;;) {
            if (::flock(m_fd, LOCK_EX | LOCK_NB) == 0) {
                return;
            }
            if (errno != EINTR && timer.expired()) {
                m_busy = true;
                return;
            }
            if (errno != EINTR) {
                timer.pause(interval, sleep);
            }
        }
    }
    ~FileLock() {
        if (m_fd >= 0) {
            ::close(m_fd); // releases the flock
        }
    }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // Someone else held the lock for the whole retry time.
    bool busy() const { return m_busy; }

private:
    std::lock_guard<std::mutex> m_guard;
    int m_fd;
    bool m_busy = false;
};

void deleteWhen(const std::filesystem::path& path,
                const std::function<bool(const struct stat&)>& test) {
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && test(st)) {
        ::unlink(path.c_str()); // failures are ignored
    }
}

int openForAppend(const std::filesystem::path& path) {
    // Never through a link planted at the name: its target is no log of ours.
    return ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
}

} // namespace

void LogFile::OpenLog(std::filesystem::path prefix, int32_t daysPerFile, int32_t generations,
                      uint32_t retryMs, int32_t maxBytes) {
    m_prefix = std::move(prefix);
    // Zero or negative counts would divide by zero; one day and one file are the least.
    m_daysPerFile = daysPerFile > 0 ? daysPerFile : 1;
    m_generations = generations > 0 ? generations : 1;
    m_retryMs = retryMs;
    m_maxBytes = maxBytes;
    m_generationMode = 1;
}

void LogFile::WriteLine(sjis::Text text) {
    write(text.view(), true, true);
}

void LogFile::WriteStamped(sjis::Text text) {
    write(text.view(), true, false);
}

void LogFile::WriteRaw(sjis::Text text) {
    write(text.view(), false, true);
}

int64_t LogFile::dayNumber(std::chrono::system_clock::time_point t) {
    return dayNumberOfSeconds(std::chrono::system_clock::to_time_t(t));
}

int64_t LogFile::generationOf(int64_t day) const {
    return (day - 1) / m_daysPerFile;
}

std::filesystem::path LogFile::generationFileName(std::chrono::system_clock::time_point t) const {
    int64_t g = generationOf(dayNumber(t)) % m_generations;
    if (g < 0) {
        g += m_generations; // dates before 1998 still name one of the files
    }
    return std::filesystem::path(m_prefix.native() + std::to_string(g) + ".LOG");
}

std::filesystem::path LogFile::fallbackFileName() const {
    return std::filesystem::path(m_prefix.native() + "E.LOG");
}

std::string LogFile::formatStamp(std::chrono::system_clock::time_point t, uint32_t tick,
                                 uint32_t sincePrevious) {
    std::tm tm = localParts(t);
    char buf[64];
    std::snprintf(buf, sizeof buf, "%02d/%02d %02d:%02d:%02d[%08lu](%8lu)", tm.tm_mon + 1,
                  tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec, static_cast<unsigned long>(tick),
                  static_cast<unsigned long>(sincePrevious));
    return buf;
}

void LogFile::write(std::string_view text, bool stamp, bool lineBreak) {
    if (m_prefix.empty()) {
        return;
    }
    const Clock& clock = Clock::current();
    const auto now = clock.now();
    const int64_t generation = generationOf(dayNumber(now));
    const std::filesystem::path path = generationFileName(now);

    RetryTimer timer{std::chrono::milliseconds(m_retryMs)};
    FileLock lock(m_prefix.native() + ".lck", timer, m_retryInterval, m_sleep);
    const int64_t maxBytes = m_maxBytes;

    // Retry only while waiting can help (the file is busy); a lasting failure, or a lock held
    // elsewhere for the whole retry time, sends the line to the fallback file at once.
    bool fallback = lock.busy();
    int fd = -1;
    if (!fallback) {
        deleteWhen(path, [&](const struct stat& st) {
            return generationOf(dayNumberOfSeconds(st.st_mtime)) != generation ||
                   st.st_size > maxBytes;
        });
        for (;;) {
            fd = openForAppend(path);
            if (fd >= 0) {
                break;
            }
            if (waitingCannotCure(errno) || timer.expired()) {
                fallback = true;
                break;
            }
            timer.pause(m_retryInterval, m_sleep);
        }
    }
    if (fallback) {
        const std::filesystem::path other = fallbackFileName();
        deleteWhen(other, [&](const struct stat& st) { return st.st_size > maxBytes; });
        fd = openForAppend(other);
    }
    if (fd < 0) {
        return; // the line is lost
    }

    std::string bytes;
    if (stamp) {
        const uint32_t tick = static_cast<uint32_t>(clock.tickMs());
        uint32_t since = 0;
        {
            StampState& s = stampState();
            std::lock_guard guard(s.mutex);
            since = s.any ? tick - s.previous : 0;
            s.previous = tick;
            s.any = true;
        }
        bytes = formatStamp(clock.now(), tick, since);
    }
    appendTextMode(bytes, text);
    if (lineBreak) {
        bytes += "\r\n";
    }
    writeAll(fd, bytes); // a full disk loses the line, as a busy file does

    if (!fallback) {
        // The age test above reads the modification time; it must follow the installed clock.
        const auto since = clock.now().time_since_epoch();
        const auto secs = std::chrono::duration_cast<std::chrono::seconds>(since);
        struct timespec times[2];
        times[0].tv_sec = 0;
        times[0].tv_nsec = UTIME_OMIT;
        times[1].tv_sec = static_cast<time_t>(secs.count());
        times[1].tv_nsec = static_cast<long>(
            std::chrono::duration_cast<std::chrono::nanoseconds>(since - secs).count());
        ::futimens(fd, times);
    }
    ::close(fd);
}
