#include "support/InstanceLock.h"
#include "common/OtherUser.h"
#include "common/TempFolder.h"
#include "support/ProgramFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

TEST(InstanceLock, SecondHolderIsRefused) {
    TempFolder dir;
    InstanceLock first;
    ASSERT_TRUE(first.tryAcquire(dir.str()));
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "OrvoView.lock"));

    InstanceLock second;
    EXPECT_FALSE(second.tryAcquire(dir.str()));
    EXPECT_FALSE(second.held());

    first.release();
    EXPECT_TRUE(second.tryAcquire(dir.str()));
}

TEST(InstanceLock, AnotherProcessIsRefusedAndTheLockEndsWithItsHolder) {
    TempFolder dir;
    InstanceLock mine;
    ASSERT_TRUE(mine.tryAcquire(dir.str() + "/"));
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        mine.release(); // closes only the child's copy; the parent still holds the lock
        InstanceLock theirs;
        ::_exit(theirs.tryAcquire(dir.str()) ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the child got the lock";
    EXPECT_TRUE(mine.held());
    mine.release();
    InstanceLock again;
    EXPECT_TRUE(again.tryAcquire(dir.str()));
}

TEST(InstanceLock, MissingFolderGivesNoLock) {
    TempFolder dir;
    InstanceLock lock;
    EXPECT_FALSE(lock.tryAcquire(dir.file("missing")));
}

TEST(InstanceLock, MovedLockKeepsHolding) {
    TempFolder dir;
    InstanceLock a;
    ASSERT_TRUE(a.tryAcquire(dir.str()));
    InstanceLock b = std::move(a);
    EXPECT_TRUE(b.held());
    InstanceLock c;
    EXPECT_FALSE(c.tryAcquire(dir.str()));
}

TEST(ProgramFolder, EnvironmentVariableWins) {
    const char* old = std::getenv("ORVOVIEW_HOME");
    std::string saved = old ? old : "";
    ::setenv("ORVOVIEW_HOME", "/srv/orvo/", 1);
    EXPECT_EQ(programFolder(), "/srv/orvo");
    ::setenv("ORVOVIEW_HOME", "", 1);
    std::string exeFolder = programFolder();
    EXPECT_EQ(exeFolder + "/" + programBaseName(), programPath());
    EXPECT_EQ(programBaseName(), "test_support");
    if (old) {
        ::setenv("ORVOVIEW_HOME", saved.c_str(), 1);
    } else {
        ::unsetenv("ORVOVIEW_HOME");
    }
}

// flock needs only read access: a lock file others may read is a lock others may hold.
TEST(InstanceLock, LockFileIsForTheUserOnly) {
    TempFolder dir;
    {
        InstanceLock lock;
        ASSERT_TRUE(lock.tryAcquire(dir.str()));
    }
    struct stat st {};
    ASSERT_EQ(::stat(InstanceLock::lockPath(dir.str()).c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    if (!otheruser::available())
        GTEST_SKIP() << otheruser::skipReason();
    std::filesystem::permissions(dir.path(), std::filesystem::perms(0711));
    EXPECT_NE(otheruser::run("flock -n " + InstanceLock::lockPath(dir.str()).native() + " sleep 0"),
              0);
    InstanceLock again;
    EXPECT_TRUE(again.tryAcquire(dir.str()));
}
