#include "link/ReceptionCapture.h"
#include "common/FileBytes.h"
#include "common/LocalTime.h"
#include "support/ManualClock.h"
#include "support/ScopedClock.h"
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

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

// Captures are pruned by the program's own record when a reception ends: the newest `keep` of
// those it made stay; names it did not make (junk, stamps from a clock set ahead) are never
// removed and never push a new capture out.
TEST(ReceptionCapture, OnlyTheNewestOfTheProgramsOwnCapturesAreKept) {
    struct Case {
        int made;
        std::size_t keep;
        std::size_t left;
    } cases[] = {{1, 50, 1}, {50, 50, 50}, {53, 50, 50}, {4, 1, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.made);
        fs::path folder = freshFolder("keep");
        fs::create_directories(folder);
        touch(folder / "other.LOG");
        for (int i = 0; i < 5; ++i) // stamped in the future, not the program's
            touch(folder / ("2099010" + std::to_string(i) + "-000000.txt"));
        for (int i = 0; i < c.made; ++i) {
            ManualClock clock(localTime(2024, 6, 1, 12, i / 60, i % 60));
            ScopedClock use(clock);
            ReceptionCapture capture(folder.string(), c.keep);
            ASSERT_TRUE(capture.append("data"));
        }
        const std::vector<std::string> recorded =
            ReceptionCapture::recordedCaptures(folder.string());
        ASSERT_EQ(recorded.size(), c.left);
        char newest[32];
        std::snprintf(newest, sizeof newest, "20240601-12%02d%02d.txt", (c.made - 1) / 60,
                      (c.made - 1) % 60);
        EXPECT_EQ(recorded.back(), newest);
        for (const std::string& name : recorded)
            EXPECT_TRUE(fs::exists(folder / name)) << name;
        // What is in the folder: the kept captures and everything the program did not make.
        EXPECT_EQ(ReceptionCapture::captureFiles(folder.string()).size(), c.left + 5);
        EXPECT_TRUE(fs::exists(folder / "other.LOG"));
    }
}

TEST(ReceptionCapture, FolderAndCapturesAreTheUsersAloneAndALinkedFolderIsRefused) {
    fs::path base = freshFolder("private");
    fs::create_directories(base);
    {
        ReceptionCapture capture((base / "RECEIVED").string());
        ASSERT_TRUE(capture.append("abc"));
        EXPECT_EQ(fs::status(base / "RECEIVED").permissions() & fs::perms::all,
                  fs::perms::owner_all);
        EXPECT_EQ(fs::status(capture.path()).permissions() & fs::perms::all,
                  fs::perms::owner_read | fs::perms::owner_write);
    }
    fs::create_directories(base / "elsewhere");
    fs::create_directory_symlink(base / "elsewhere", base / "LINKED");
    ReceptionCapture linked((base / "LINKED").string());
    EXPECT_FALSE(linked.append("abc"));
    EXPECT_TRUE(fs::is_empty(base / "elsewhere"));
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
