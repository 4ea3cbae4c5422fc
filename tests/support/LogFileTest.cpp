#include "support/LogFile.h"
#include "common/Cp932.h"
#include "common/FileBytes.h"
#include "common/LocalTime.h"
#include "common/OtherUser.h"
#include "common/TempFolder.h"
#include "support/Clock.h"
#include "support/ManualClock.h"
#include "support/ScopedClock.h"
#include "support/Sjis.h"

#include <gtest/gtest.h>

#include <ctime>
#include <fcntl.h>
#include <fstream>
#include <functional>
#include <sstream>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

using namespace std::chrono_literals;

namespace {

void setModified(const std::string& path, std::chrono::system_clock::time_point t) {
    struct timespec times[2];
    times[0].tv_sec = 0;
    times[0].tv_nsec = UTIME_OMIT;
    times[1].tv_sec = std::chrono::system_clock::to_time_t(t);
    times[1].tv_nsec = 0;
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start) + "<no line end>");
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

// What follows the stamp (the difference may be wider than 8 digits after another test's clock).
std::string afterStamp(const std::string& line) {
    std::size_t close = line.find(')');
    return close == std::string::npos ? "<no stamp>" : line.substr(close + 1);
}

class LogFileTest : public ::testing::Test {
protected:
    void SetUp() override { log.OpenLog(prefix, 7, 4, 10000, 5242880); }

    std::string file(const std::string& suffix) const { return prefix + suffix; }

    TempFolder dir;
    const std::string prefix = dir.file("OrvoView");
    ManualClock clock{localTime(1998, 1, 8, 12, 34, 56)};
    ScopedClock installed{clock};
    LogFile log;
};

} // namespace

TEST(LogFileGeneration, DayNumbersAndGenerations) {
    LogFile log;
    log.OpenLog("L", 7, 4, 10000, 5242880);
    struct Case {
        int year, month, day;
        int64_t dayNumber;
        const char* file;
    };
    const Case cases[] = {
        {1998, 1, 1, 0, "L0.LOG"},   {1998, 1, 8, 7, "L0.LOG"},   {1998, 1, 9, 8, "L1.LOG"},
        {1998, 1, 15, 14, "L1.LOG"}, {1998, 1, 16, 15, "L2.LOG"}, {1998, 1, 30, 29, "L0.LOG"},
        {1998, 2, 5, 35, "L0.LOG"},  {1998, 2, 6, 36, "L1.LOG"},
    };
    for (const Case& c : cases) {
        auto t = localTime(c.year, c.month, c.day, 0, 0, 1);
        EXPECT_EQ(LogFile::dayNumber(t), c.dayNumber) << c.month << "/" << c.day;
        EXPECT_EQ(log.generationFileName(t), c.file) << c.month << "/" << c.day;
    }
    EXPECT_EQ(log.fallbackFileName(), "LE.LOG");
}

TEST(LogFileGeneration, DatesBefore1998StillNameAFile) {
    LogFile log;
    log.OpenLog("L", 7, 4, 10000, 5242880);
    EXPECT_EQ(log.generationFileName(localTime(1997, 12, 20)), "L3.LOG");
}

TEST(LogFileGeneration, ZeroCountsDoNotDivideByZero) {
    LogFile log;
    log.OpenLog("L", 0, 0, 10000, 5242880);
    EXPECT_EQ(log.generationFileName(localTime(2007, 5, 5)), "L0.LOG");
}

TEST_F(LogFileTest, LineHasStampTextAndCrLf) {
    log.WriteLine("hello");
    std::string text = fileBytes(file("0.LOG"));
    EXPECT_EQ(text.substr(0, 25), "01/08 12:34:56[00000000](");
    EXPECT_EQ(afterStamp(text), "hello\r\n");
}

TEST_F(LogFileTest, StampShowsMillisecondsSinceThePreviousStampedLine) {
    clock.advance(1000ms);
    log.WriteLine("first");
    clock.advance(250ms);
    log.WriteLine("second");
    auto lines = linesOf(fileBytes(file("0.LOG")));
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1].substr(14), "[00001250](     250)second");
}

TEST(LogFileStamp, Format) {
    auto t = localTime(2007, 3, 4, 5, 6, 7);
    EXPECT_EQ(LogFile::formatStamp(t, 123456, 250), "03/04 05:06:07[00123456](     250)");
    EXPECT_EQ(LogFile::formatStamp(t, 4294967295u, 0), "03/04 05:06:07[4294967295](       0)");
}

TEST_F(LogFileTest, StampedAndRawMakeOneLine) {
    log.WriteStamped("RX:");
    log.WriteRaw("41 42");
    log.WriteRaw("two\nlines");
    log.WriteFormat("%s [%d]", sj("通信異常").c_str(), -2);
    auto lines = linesOf(fileBytes(file("0.LOG")));
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(afterStamp(lines[0]), "RX:41 42");
    EXPECT_EQ(lines[1], "two");
    EXPECT_EQ(lines[2], "lines");
    EXPECT_EQ(afterStamp(lines[3]), sj("通信異常 [-2]"));
}

TEST_F(LogFileTest, ClosedLogWritesNothing) {
    LogFile closed;
    closed.WriteLine("x");
    closed.WriteFormat("%d", 1);
    LogFile off;
    off.OpenLog("", 7, 4, 10000, 5242880);
    off.WriteRaw("x");
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

TEST_F(LogFileTest, NextWeekGoesToTheNextFile) {
    log.WriteLine("week 0");
    clock.set(localTime(1998, 1, 9, 0, 0, 1));
    log.WriteLine("week 1");
    EXPECT_EQ(linesOf(fileBytes(file("0.LOG"))).size(), 1u);
    EXPECT_EQ(linesOf(fileBytes(file("1.LOG"))).size(), 1u);
}

TEST_F(LogFileTest, FileFromFourWeeksAgoIsStartedAnew) {
    log.WriteLine("old");
    clock.set(localTime(1998, 1, 8 + 28, 12, 0, 0));
    log.WriteLine("new");
    auto lines = linesOf(fileBytes(file("0.LOG")));
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(afterStamp(lines[0]), "new");
}

TEST_F(LogFileTest, WriteSetsTheModificationTimeFromTheClock) {
    log.WriteLine("x");
    struct stat st {};
    ASSERT_EQ(::stat(file("0.LOG").c_str(), &st), 0);
    EXPECT_EQ(st.st_mtime, std::chrono::system_clock::to_time_t(clock.now()));
}

TEST_F(LogFileTest, FileAboveMaxBytesIsDeletedFirst) {
    log.OpenLog(prefix, 7, 4, 10000, 100);
    TempFolder::write(file("0.LOG"), std::string(100, 'a'));
    setModified(file("0.LOG"), clock.now());
    log.WriteRaw("kept"); // exactly maxBytes: appended to
    EXPECT_EQ(fileBytes(file("0.LOG")), std::string(100, 'a') + "kept\r\n");

    TempFolder::write(file("0.LOG"), std::string(101, 'a'));
    setModified(file("0.LOG"), clock.now());
    log.WriteRaw("fresh");
    EXPECT_EQ(fileBytes(file("0.LOG")), "fresh\r\n");
}

TEST_F(LogFileTest, BusyLogSendsTheLineToTheFallbackAfterRetrying) {
    // Another writer holds the log's lock for longer than the retry time.
    int holder = ::open(file(".lck").c_str(), O_RDWR | O_CREAT, 0600);
    ASSERT_GE(holder, 0);
    ASSERT_EQ(::flock(holder, LOCK_EX), 0);
    int pauses = 0;
    log.OpenLog(prefix, 7, 4, 1000, 100);
    log.setSleep([&](std::chrono::milliseconds ms) {
        EXPECT_EQ(ms, 100ms);
        ++pauses;
    });
    TempFolder::write(file("E.LOG"), std::string(101, 'e')); // too big: deleted first
    log.WriteRaw("to fallback");
    EXPECT_EQ(pauses, 10);
    EXPECT_EQ(fileBytes(file("E.LOG")), "to fallback\r\n");
    log.WriteRaw("again");
    EXPECT_EQ(fileBytes(file("E.LOG")), "to fallback\r\nagain\r\n");
    EXPECT_EQ(pauses, 20);
    EXPECT_FALSE(std::filesystem::exists(file("0.LOG")));
    ::close(holder);
    log.WriteRaw("back");
    EXPECT_EQ(fileBytes(file("0.LOG")), "back\r\n");
}

// Failures that waiting cannot cure go to the fallback file at once: no ten-second stall.
TEST_F(LogFileTest, LastingOpenFailureGoesToTheFallbackAtOnce) {
    struct Case {
        const char* name;
        std::function<void()> arrange;
    } cases[] = {
        {"a folder in the way", [&] { std::filesystem::create_directory(file("0.LOG")); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove_all(file("0.LOG"));
        std::filesystem::remove(file("E.LOG"));
        c.arrange();
        int pauses = 0;
        log.setSleep([&](std::chrono::milliseconds) { ++pauses; });
        log.WriteRaw("at once");
        EXPECT_EQ(pauses, 0);
        EXPECT_EQ(fileBytes(file("E.LOG")), "at once\r\n");
    }
    // A log whose folder is missing loses the line, also without waiting.
    LogFile lost;
    lost.OpenLog(dir.file("missing/OrvoView"), 7, 4, 10000, 100);
    int pauses = 0;
    lost.setSleep([&](std::chrono::milliseconds) { ++pauses; });
    lost.WriteRaw("lost");
    EXPECT_EQ(pauses, 0);
}

TEST_F(LogFileTest, LogAndLockFilesAreForTheUserOnly) {
    log.WriteLine("private");
    for (const char* suffix : {"0.LOG", ".lck"}) {
        struct stat st {};
        ASSERT_EQ(::stat(file(suffix).c_str(), &st), 0) << suffix;
        EXPECT_EQ(st.st_mode & 0777, 0600u) << suffix;
    }
    if (!otheruser::available())
        GTEST_SKIP() << otheruser::skipReason();
    std::filesystem::permissions(dir.path(), std::filesystem::perms(0711));
    // Another user can neither read the log nor hold its lock.
    EXPECT_NE(otheruser::run("cat " + file("0.LOG") + " >/dev/null 2>&1"), 0);
    EXPECT_NE(otheruser::run("flock -n " + file(".lck") + " true 2>/dev/null"), 0);
}

TEST_F(LogFileTest, LineIsLostWhenNeitherFileOpens) {
    std::filesystem::create_directory(file("0.LOG"));
    std::filesystem::create_directory(file("E.LOG"));
    log.OpenLog(prefix, 7, 4, 0, 100);
    log.setSleep([](std::chrono::milliseconds) {});
    EXPECT_NO_THROW(log.WriteLine("lost"));
}

namespace {

// Every line must be one whole "<writer>:<n>:xxxxxxxx…" after its stamp.
void expectWholeLines(const std::string& text, int writers, int perWriter, std::size_t filler) {
    auto lines = linesOf(text);
    ASSERT_EQ(lines.size(), static_cast<std::size_t>(writers * perWriter));
    std::vector<int> next(static_cast<std::size_t>(writers), 0);
    for (const std::string& line : lines) {
        std::istringstream in(afterStamp(line));
        int writer = -1, n = -1;
        char c1 = 0, c2 = 0;
        std::string rest;
        in >> writer >> c1 >> n >> c2 >> rest;
        ASSERT_TRUE(writer >= 0 && writer < writers) << line;
        EXPECT_EQ(n, next[static_cast<std::size_t>(writer)]++) << line;
        EXPECT_EQ(rest, std::string(filler, 'x')) << line;
    }
}

} // namespace

TEST(LogFileConcurrency, TwoThreadsNeverTearALine) {
    TempFolder dir;
    const std::string prefix = dir.file("T");
    constexpr int kLines = 300;
    constexpr std::size_t kFiller = 500;
    auto writer = [&](int id) {
        LogFile log; // each thread its own object, as two copies of the program would have
        log.OpenLog(prefix, 7, 4, 10000, 5242880);
        for (int i = 0; i < kLines; ++i) {
            log.WriteFormat("%d:%d:%s", id, i, std::string(kFiller, 'x').c_str());
        }
    };
    std::thread a(writer, 0);
    std::thread b(writer, 1);
    a.join();
    b.join();
    LogFile names;
    names.OpenLog(prefix, 7, 4, 10000, 5242880);
    expectWholeLines(fileBytes(names.generationFileName(Clock::current().now())), 2, kLines,
                     kFiller);
}

TEST(LogFileConcurrency, TwoProcessesNeverTearALine) {
    TempFolder dir;
    const std::string prefix = dir.file("P");
    constexpr int kLines = 200;
    constexpr std::size_t kFiller = 2000;
    auto wholeLine = [&](int id) {
        LogFile log;
        log.OpenLog(prefix, 7, 4, 10000, 5242880);
        for (int i = 0; i < kLines; ++i) {
            log.WriteFormat("%d:%d:%s", id, i, std::string(kFiller, 'x').c_str());
        }
    };
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        wholeLine(1);
        ::_exit(0);
    }
    wholeLine(0);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    LogFile names;
    names.OpenLog(prefix, 7, 4, 10000, 5242880);
    expectWholeLines(fileBytes(names.generationFileName(Clock::current().now())), 2, kLines,
                     kFiller);
}

// Links planted at the log's or the lock's name are never followed (refused or replaced): the
// log's target keeps its bytes, a dangling lock link creates nothing.
TEST_F(LogFileTest, LinksAtTheLogAndLockNamesAreNotFollowed) {
    const std::string victim = dir.file("victim.txt");
    { std::ofstream(victim) << "keep"; }
    const std::string created = dir.file("created-by-lock");
    std::filesystem::create_symlink(victim, file("0.LOG"));
    std::filesystem::create_symlink(created, file(".lck"));
    log.setSleep([](std::chrono::milliseconds) {});
    log.WriteLine("restart");
    EXPECT_EQ(fileBytes(victim), "keep");
    EXPECT_FALSE(std::filesystem::exists(created));
}
