#include "link/ReceptionCapture.h"
#include "common/FileBytes.h"
#include "common/LocalTime.h"
#include "support/ManualClock.h"
#include "support/ScopedClock.h"
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/stat.h>

namespace {

namespace fs = std::filesystem;

fs::path freshFolder(const std::string& name) {
    fs::path folder = fs::path(::testing::TempDir()) / ("capture_" + name);
    fs::remove_all(folder);
    return folder;
}

void touch(const fs::path& path) {
    std::ofstream(path, std::ios::binary) << "x";
}

TEST(ReceptionCapture, StampIsLocalDateAndTime) {
    struct Case {
        int y, mo, d, h, mi, s;
        const char* stamp;
    } cases[] = {
        {2024, 5, 1, 9, 3, 7, "20240501-090307"},
        {1999, 12, 31, 23, 59, 59, "19991231-235959"},
        {2030, 1, 1, 0, 0, 0, "20300101-000000"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReceptionCapture::stamp(localTime(c.y, c.mo, c.d, c.h, c.mi, c.s)), c.stamp);
}

TEST(ReceptionCapture, FileIsMadeWithTheFirstBytesAndHoldsThemUnchanged) {
    fs::path folder = freshFolder("first");
    ManualClock clock(localTime(2024, 5, 1, 9, 3, 7));
    ScopedClock use(clock);
    {
        ReceptionCapture capture(folder.string());
        EXPECT_TRUE(capture.append(""));
        EXPECT_FALSE(fs::exists(folder)); // nothing received, nothing kept
        EXPECT_TRUE(capture.path().empty());
        const std::string bytes = std::string("\x82\xa0\r\n", 4) + std::string(1, '\0') + "\x1a\n";
        EXPECT_TRUE(capture.append(bytes.substr(0, 3)));
        EXPECT_TRUE(capture.append(bytes.substr(3)));
        EXPECT_EQ(capture.path(), (folder / "20240501-090307.txt").string());
        EXPECT_EQ(fileBytes(capture.path()), bytes);
    }
    // A second reception within the same second gets a name of its own.
    ReceptionCapture second(folder.string());
    EXPECT_TRUE(second.append("abc"));
    EXPECT_EQ(second.path(), (folder / "20240501-090307-2.txt").string());
    EXPECT_EQ(ReceptionCapture::captureFiles(folder.string()),
              (std::vector<std::string>{"20240501-090307.txt", "20240501-090307-2.txt"}));
}

TEST(ReceptionCapture, ListOrdersCapturesByStampAndSequenceAndIgnoresOtherFiles) {
    fs::path folder = freshFolder("list");
    fs::create_directories(folder / "20240101-000000.txt"); // a folder is not a capture
    for (const char* name :
         {"20240502-000000.txt", "20240501-120000-10.txt", "20240501-120000-2.txt",
          "20240501-120000.txt", "note.txt", "20240501-1200.txt", "20240501_120000.txt",
          "20240501-120000-.txt", "20240501-120000.TXT", "20240501-120000-x.txt"})
        touch(folder / name);
    EXPECT_EQ(ReceptionCapture::captureFiles(folder.string()),
              (std::vector<std::string>{"20240501-120000.txt", "20240501-120000-2.txt",
                                        "20240501-120000-10.txt", "20240502-000000.txt"}));
    EXPECT_TRUE(ReceptionCapture::captureFiles((folder / "missing").string()).empty());
}

// `count` captures made one minute apart by the program, each finished like a reception.
std::vector<std::string> makeCaptures(const fs::path& folder, int count, std::size_t keep,
                                      int firstMinute = 0) {
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i) {
        const int minute = firstMinute + i;
        ManualClock clock(localTime(2024, 5, 1 + minute / 1440, minute / 60 % 24, minute % 60, 0));
        ScopedClock use(clock);
        ReceptionCapture capture(folder.string(), keep);
        EXPECT_TRUE(capture.append("data"));
        names.push_back(fs::path(capture.path()).filename().string());
        capture.finish();
    }
    return names;
}

// The newest captures the program made are kept; what it did not make stays, whatever its name.
TEST(ReceptionCapture, OnlyTheNewestOfTheProgramsOwnCapturesAreKept) {
    struct Case {
        int made;
        std::size_t keep;
        std::size_t left;
    } cases[] = {{1, 50, 1}, {50, 50, 50}, {53, 50, 50}, {3, 1, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.made);
        fs::path folder = freshFolder("keep");
        fs::create_directories(folder);
        touch(folder / "other.LOG");
        touch(folder / "20230101-000000.txt"); // capture-like, not the program's
        const std::vector<std::string> made = makeCaptures(folder, c.made, c.keep);
        const std::vector<std::string> expected(made.end() - static_cast<long>(c.left), made.end());
        EXPECT_EQ(ReceptionCapture::recordedCaptures(folder.string()), expected);
        std::vector<std::string> left = ReceptionCapture::captureFiles(folder.string());
        left.erase(std::remove(left.begin(), left.end(), "20230101-000000.txt"), left.end());
        EXPECT_EQ(left, expected);
        EXPECT_TRUE(fs::exists(folder / "other.LOG"));
        EXPECT_TRUE(fs::exists(folder / "20230101-000000.txt"));
    }
}

// A clock once set ahead left captures stamped later than now: a new capture still stays (it
// is the newest the program made), and those files are not the program's to delete.
TEST(ReceptionCapture, CapturesStampedInTheFutureNeverPruneTheNewOne) {
    fs::path folder = freshFolder("future");
    fs::create_directories(folder);
    for (int i = 0; i < 60; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "20990101-00%02d%02d.txt", i / 60, i % 60);
        touch(folder / name);
    }
    // Even a record that names them (an old program's) never takes the capture just made.
    const std::vector<std::string> future = ReceptionCapture::captureFiles(folder.string());
    {
        std::ofstream record(folder / ReceptionCapture::kRecordName, std::ios::binary);
        for (const std::string& name : future)
            record << name << "\n";
    }
    const std::vector<std::string> made = makeCaptures(folder, 1, 1);
    EXPECT_TRUE(fs::exists(folder / made[0]));
    EXPECT_EQ(ReceptionCapture::recordedCaptures(folder.string()), made);
}

// Pruning comes after the reception, never while it starts: the first bytes only make the file.
TEST(ReceptionCapture, PruningWaitsForTheEndOfTheReception) {
    fs::path folder = freshFolder("late");
    const std::vector<std::string> old = makeCaptures(folder, 2, 2);
    ManualClock clock(localTime(2024, 6, 1, 12, 0, 0));
    ScopedClock use(clock);
    ReceptionCapture capture(folder.string(), 2);
    ASSERT_TRUE(capture.append("data"));
    EXPECT_TRUE(fs::exists(folder / old[0]));
    capture.finish();
    EXPECT_FALSE(fs::exists(folder / old[0]));
    EXPECT_TRUE(fs::exists(folder / old[1]));
    EXPECT_TRUE(fs::exists(capture.path()));
}

// What the record names is only ever a capture name in the folder itself.
TEST(ReceptionCapture, RecordLinesThatAreNoCaptureNamesAreIgnored) {
    fs::path base = freshFolder("record");
    fs::path folder = base / "RECEIVED";
    fs::create_directories(folder);
    touch(base / "20240101-000000.txt");
    touch(folder / "Orvo.DAT");
    {
        std::ofstream record(folder / ReceptionCapture::kRecordName, std::ios::binary);
        record << "../20240101-000000.txt\nOrvo.DAT\n"
               << (base / "20240101-000000.txt").string()
               << "\n20240101-000001.txt"; // the last without its line end: cut
    }
    touch(folder / "20240101-000001.txt");
    makeCaptures(folder, 1, 1);
    EXPECT_TRUE(fs::exists(base / "20240101-000000.txt"));
    EXPECT_TRUE(fs::exists(folder / "Orvo.DAT"));
    EXPECT_TRUE(fs::exists(folder / "20240101-000001.txt"));
}

// The folder and the captures are the user's alone, whatever the umask; a folder others could
// read is made private.
TEST(ReceptionCapture, FolderAndCapturesArePrivate) {
    const mode_t previous = ::umask(0);
    fs::path folder = freshFolder("modes");
    makeCaptures(folder, 1, 50);
    auto mode = [](const fs::path& p) { return fs::status(p).permissions() & fs::perms::all; };
    EXPECT_EQ(mode(folder), fs::perms::owner_all);
    for (const auto& item : fs::directory_iterator(folder))
        EXPECT_EQ(mode(item.path()), fs::perms::owner_read | fs::perms::owner_write) << item.path();
    fs::permissions(folder, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                fs::perms::others_read | fs::perms::others_exec);
    makeCaptures(folder, 1, 50, 10);
    EXPECT_EQ(mode(folder), fs::perms::owner_all);
    ::umask(previous);
}

// A RECEIVED that is a link is not followed: nothing is written or deleted where it points.
TEST(ReceptionCapture, FolderThatIsALinkIsNotUsed) {
    fs::path base = freshFolder("link");
    fs::path elsewhere = base / "elsewhere";
    const std::vector<std::string> theirs = makeCaptures(elsewhere, 3, 50);
    fs::create_directory_symlink(elsewhere, base / "RECEIVED");
    ReceptionCapture capture((base / "RECEIVED").string(), 1);
    EXPECT_FALSE(capture.append("data"));
    EXPECT_TRUE(capture.failed());
    capture.finish();
    ReceptionCapture::prune((base / "RECEIVED").string(), 1);
    for (const std::string& name : theirs)
        EXPECT_TRUE(fs::exists(elsewhere / name)) << name;
    EXPECT_EQ(ReceptionCapture::captureFiles(elsewhere.string()).size(), 3u);
}

TEST(ReceptionCapture, AFolderThatCannotBeMadeFailsOnceAndWritesNothingMore) {
    fs::path base = freshFolder("blocked");
    fs::create_directories(base);
    touch(base / "file");
    ReceptionCapture capture((base / "file" / "RECEIVED").string());
    EXPECT_FALSE(capture.append("abc"));
    EXPECT_TRUE(capture.failed());
    EXPECT_FALSE(capture.append("def"));
    EXPECT_TRUE(capture.path().empty());
}

} // namespace
