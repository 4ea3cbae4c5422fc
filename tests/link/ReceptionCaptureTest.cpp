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

TEST(ReceptionCapture, OnlyTheNewestAreKept) {
    struct Case {
        int existing;
        std::size_t keep;
        std::size_t left;
    } cases[] = {{0, 50, 1}, {49, 50, 50}, {50, 50, 50}, {60, 50, 50}, {3, 1, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.existing);
        fs::path folder = freshFolder("keep");
        fs::create_directories(folder);
        touch(folder / "other.LOG");
        for (int i = 0; i < c.existing; ++i) {
            char name[32];
            std::snprintf(name, sizeof name, "20240101-00%02d%02d.txt", i / 60, i % 60);
            touch(folder / name);
        }
        ManualClock clock(localTime(2024, 6, 1, 12, 0, 0));
        ScopedClock use(clock);
        ReceptionCapture capture(folder.string(), c.keep);
        ASSERT_TRUE(capture.append("data"));
        std::vector<std::string> left = ReceptionCapture::captureFiles(folder.string());
        ASSERT_EQ(left.size(), c.left);
        EXPECT_EQ(left.back(), "20240601-120000.txt"); // the new one always stays
        if (c.existing >= 1 && c.left >= 2) {
            char newestOld[32];
            int i = c.existing - 1;
            std::snprintf(newestOld, sizeof newestOld, "20240101-00%02d%02d.txt", i / 60, i % 60);
            EXPECT_EQ(left[left.size() - 2], newestOld);
        }
        EXPECT_TRUE(fs::exists(folder / "other.LOG"));
    }
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
