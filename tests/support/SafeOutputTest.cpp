// Outputs written whole: never through a link at the name, private until they take the name,
// and temporaries of killed runs cleaned up.
#include "common/FileBytes.h"
#include "common/OtherUser.h"
#include "common/TempFolder.h"
#include "support/AtomicFile.h"
#include "support/FilePath.h"
#include "support/RetryOpen.h"

#include <gtest/gtest.h>

#include <functional>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

using Writer = std::function<bool(const std::string& path, const std::string& bytes)>;

bool writeAtomically(const std::string& path, const std::string& bytes) {
    std::error_code ec;
    return writeFileAtomically(path, bytes, ec);
}

bool writeReportAtomically(const std::string& path, const std::string& bytes) {
    std::error_code ec;
    return writeFileAtomically(path, bytes, ec, FileKind::Report);
}

bool writeAsOutput(const std::string& path, const std::string& bytes, FileKind kind) {
    OpenResult r = openWithRetry(path, OpenAccess::WriteExclusive, {}, kind);
    if (!r)
        return false;
    r.file.write(bytes);
    r.file.close();
    return true;
}

struct WriterCase {
    const char* name;
    Writer write;
    FileKind kind = FileKind::Own;
};

bool writeOwnOutput(const std::string& path, const std::string& bytes) {
    return writeAsOutput(path, bytes, FileKind::Own);
}

bool writeReportOutput(const std::string& path, const std::string& bytes) {
    return writeAsOutput(path, bytes, FileKind::Report);
}

const WriterCase kWriters[] = {{"data file and INI", writeAtomically},
                               {"export file", writeOwnOutput},
                               {"PDF and Excel", writeReportAtomically, FileKind::Report},
                               {"CSV", writeReportOutput, FileKind::Report}};

// Sets the umask for one scope.
class ScopedUmask {
public:
    explicit ScopedUmask(mode_t mask) : m_old(::umask(mask)) {}
    ~ScopedUmask() { ::umask(m_old); }

private:
    mode_t m_old;
};

mode_t modeOf(const fs::path& p) {
    struct stat st {};
    EXPECT_EQ(::lstat(p.c_str(), &st), 0) << p;
    return st.st_mode & 07777;
}

// A process id that is certainly not running any more.
pid_t deadPid() {
    pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    int status = 0;
    ::waitpid(child, &status, 0);
    return child;
}

} // namespace

TEST(SafeOutput, LinkPlantedAtTheNameIsReplacedNotWrittenThrough) {
    for (const WriterCase& w : kWriters) {
        for (bool dangling : {false, true}) {
            SCOPED_TRACE(std::string(w.name) + (dangling ? ", dangling link" : ", link to a file"));
            TempFolder dir;
            const fs::path victim = dir.path() / "victim";
            if (!dangling)
                TempFolder::write(victim.string(), "precious");
            fs::create_symlink(victim, dir.path() / "out.CSV");
            ASSERT_TRUE(w.write(dir.file("out.CSV"), "report"));
            EXPECT_FALSE(fs::is_symlink(dir.path() / "out.CSV"));
            EXPECT_EQ(fileBytes(dir.file("out.CSV")), "report");
            if (dangling)
                EXPECT_FALSE(fs::exists(victim));
            else
                EXPECT_EQ(fileBytes(victim.string()), "precious");
        }
    }
}

// The program's own files are the user's alone; a report is a document like any other the user
// saves, readable as the umask says.
TEST(SafeOutput, NewFilesTakeTheModeOfTheirKindAndOldFilesKeepTheirs) {
    for (mode_t mask : {mode_t{022}, mode_t{077}, mode_t{002}, mode_t{027}}) {
        ScopedUmask scoped(mask);
        for (const WriterCase& w : kWriters) {
            SCOPED_TRACE(std::string(w.name) + ", umask " + std::to_string(mask));
            TempFolder dir;
            ASSERT_TRUE(w.write(dir.file("new"), "x"));
            EXPECT_EQ(modeOf(dir.path() / "new"),
                      w.kind == FileKind::Report ? (0666 & ~mask) : 0600u);
        }
    }
}

TEST(SafeOutput, NewFilesAreForTheUserOnlyAndOldFilesKeepTheirMode) {
    for (const WriterCase& w : kWriters) {
        SCOPED_TRACE(w.name);
        TempFolder dir;
        ASSERT_TRUE(w.write(dir.file("new"), "x"));
        if (w.kind == FileKind::Own) {
            EXPECT_EQ(modeOf(dir.path() / "new"), 0600u);
        }
        TempFolder::write(dir.file("old"), "old");
        fs::permissions(dir.path() / "old", fs::perms(0640));
        ASSERT_TRUE(w.write(dir.file("old"), "new"));
        EXPECT_EQ(modeOf(dir.path() / "old"), 0640u);
    }
}

TEST(SafeOutput, TemporaryFileIsPrivateBeforeItsFirstByte) {
    TempFolder dir;
    const std::string path = dir.file("Orvo.DAT");
    TempFolder::write(path, "old");
    fs::permissions(path, fs::perms(0600));
    std::error_code ec;
    mode_t seen = 0;
    ASSERT_TRUE(writeFileAtomically(
        path,
        [&](int fd) {
            struct stat st {};
            ::fstat(fd, &st);
            seen = st.st_mode & 07777;
            EXPECT_EQ(::write(fd, "new", 3), 3);
        },
        ec));
    EXPECT_EQ(seen, 0600u);
    EXPECT_EQ(modeOf(path), 0600u);
}

// The program's own files are never readable by another user; a report is exactly when the
// user's umask lets others read what they save.
TEST(SafeOutput, OtherUsersReadOnlyTheReportsTheUmaskLetsThem) {
    if (!otheruser::available())
        GTEST_SKIP() << otheruser::skipReason();
    for (mode_t mask : {mode_t{022}, mode_t{077}}) {
        ScopedUmask scoped(mask);
        for (const WriterCase& w : kWriters) {
            SCOPED_TRACE(std::string(w.name) + ", umask " + std::to_string(mask));
            TempFolder dir;
            fs::permissions(dir.path(), fs::perms(0711));
            ASSERT_TRUE(w.write(dir.file("secret"), "measurements"));
            const bool readable =
                otheruser::run("cat " + dir.file("secret") + " >/dev/null 2>&1") == 0;
            EXPECT_EQ(readable, w.kind == FileKind::Report && mask == 022);
        }
    }
}

TEST(SafeOutput, OutputOpenedAndDroppedLeavesTheNameAsItWas) {
    TempFolder dir;
    {
        OpenResult r = openWithRetry(dir.file("fresh.CSV"), OpenAccess::WriteExclusive);
        ASSERT_TRUE(r);
        r.file.write("half");
    }
    TempFolder::write(dir.file("kept.CSV"), "kept");
    {
        OpenResult r = openWithRetry(dir.file("kept.CSV"), OpenAccess::WriteExclusive);
        ASSERT_TRUE(r);
        r.file.write("half");
    }
    EXPECT_FALSE(fs::exists(dir.path() / "fresh.CSV"));
    EXPECT_EQ(fileBytes(dir.file("kept.CSV")), "kept");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

TEST(SafeOutput, NameKindSeesADanglingLink) {
    TempFolder dir;
    fs::create_symlink(dir.path() / "nowhere", dir.path() / "link");
    EXPECT_EQ(pathKind(dir.file("link")), PathKind::Missing);
    EXPECT_EQ(nameKind(dir.file("link")), PathKind::File);
    EXPECT_EQ(nameKind(dir.file("none")), PathKind::Missing);
    EXPECT_EQ(nameKind(dir.str()), PathKind::Folder);
}

TEST(StaleTemporaries, OnlyThoseOfEndedRunsAreRemoved) {
    TempFolder dir;
    const std::string dead = std::to_string(deadPid());
    const std::string own = std::to_string(::getpid());
    struct Case {
        std::string name;
        bool removed;
    } cases[] = {
        {"Orvo.DAT.tmp" + dead + "_0", true},
        {"Orvo.DAT.tmp" + dead + "_17", true},
        {"Orvo.DAT.tmp" + own + "_0", false}, // this run may be writing it
        {"Orvo.DAT.tmp1_0", false},           // a running process
        {"Orvo.DAT.tmpx_0", false},
        {"Orvo.DAT.tmp" + dead, false},
        {"Other.DAT.tmp" + dead + "_0", false},
        {"Orvo.DAT", false},
    };
    for (const Case& c : cases)
        TempFolder::write(dir.file(c.name), "bytes");
    fs::create_symlink(dir.path() / "Orvo.DAT", dir.path() / ("Orvo.DAT.tmp" + dead + "_9"));
    EXPECT_EQ(removeStaleTemporaries(dir.file("Orvo.DAT")), 2);
    for (const Case& c : cases)
        EXPECT_EQ(fs::exists(dir.path() / c.name), !c.removed) << c.name;
    EXPECT_TRUE(fs::is_symlink(dir.path() / ("Orvo.DAT.tmp" + dead + "_9")));
}

TEST(PrivateFolders, NewFoldersAreForTheUserOnly) {
    TempFolder dir;
    ASSERT_TRUE(createFolderPath(dir.file("home/DATA"), FolderAccess::UserOnly));
    EXPECT_EQ(modeOf(dir.path() / "home"), 0700u);
    EXPECT_EQ(modeOf(dir.path() / "home/DATA"), 0700u);
    fs::permissions(dir.path(), fs::perms(0755));
    EXPECT_EQ(modeOf(dir.path()), 0755u); // an existing folder is left alone
}
