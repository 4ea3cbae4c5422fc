// Faults of the start sequence: a lock held without a window, a relative ORVOVIEW_HOME, a
// program folder longer than the settings allow, and the titles of the dialogs.
#include "AppTestSupport.h"
#include "app/AppTexts.h"
#include "app/gui/AppShell.h"
#include "app/gui/OrvoViewApp.h"
#include "support/Format.h"
#include "support/InstanceLock.h"
#include "support/ProgramFolder.h"
#include "support/ScriptedPrompt.h"
#include "support/Sjis.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace apptest;

namespace {

QProcessEnvironment environmentWithHome(const QString& home) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("ORVOVIEW_HOME", home);
    env.insert("QT_QPA_PLATFORM", "offscreen");
    return env;
}

// Waits (with a generous limit against hangs) until `file` exists.
bool waitForFile(const QString& file) {
    for (int i = 0; i < 600 && !QFile::exists(file); ++i)
        QTest::qWait(50);
    return QFile::exists(file);
}

TEST(StartupFaults, LockHeldWithoutAWindowIsToldWithTheFolder) {
    QTemporaryDir dir;
    InstanceLock held; // as a long orvoview-cli run holds it
    ASSERT_TRUE(held.tryAcquire(utf8Path(dir)));
    ScriptedPrompt prompt;
    AppShell::Options options;
    options.folder = utf8Path(dir);
    options.baseName = "orvoview";
    options.prompt = &prompt;
    AppShell shell(options);
    EXPECT_FALSE(shell.initInstance());
    EXPECT_EQ(shell.startExitCode(), 1);
    ASSERT_EQ(prompt.asked().size(), 1u);
    EXPECT_EQ(prompt.asked()[0].text, formatText(txt::app::kFolderInUse, utf8Path(dir).c_str()));
    EXPECT_EQ(prompt.asked()[0].icon, PromptIcon::Stop);
}

TEST(StartupFaults, RealProgramWithTheLockHeldTellsWhyAndWaits) {
    QTemporaryDir dir;
    InstanceLock held;
    ASSERT_TRUE(held.tryAcquire(utf8Path(dir)));
    QProcess child;
    child.setProcessEnvironment(environmentWithHome(dir.path()));
    child.start(QStringLiteral(ORVOVIEW_EXE), {});
    ASSERT_TRUE(child.waitForStarted(20000));
    // The message goes to stderr, then into a box that waits for the user (whose answer ends
    // the program with status 1, see LockHeldWithoutAWindowIsToldWithTheFolder).
    const QByteArray expected = QByteArray::fromStdString(
        sjis::toUtf8(formatText(txt::app::kFolderInUse, utf8Path(dir).c_str())));
    QByteArray err;
    for (int i = 0; i < 600 && !err.contains(expected); ++i) {
        QTest::qWait(50);
        err += child.readAllStandardError();
    }
    EXPECT_NE(err.indexOf(expected), -1) << err.toStdString();
    EXPECT_EQ(child.state(), QProcess::Running); // waiting on the box, not ended silently
    child.kill();
    child.waitForFinished(20000);
    EXPECT_FALSE(QFile::exists(dir.filePath("DATA/Orvo.DAT"))); // nothing was started
}

TEST(StartupFaults, RelativeOrvoviewHomeIsOneFolder) {
    QTemporaryDir dir;
    QProcess child;
    child.setWorkingDirectory(dir.path());
    child.setProcessEnvironment(environmentWithHome("home"));
    child.start(QStringLiteral(ORVOVIEW_EXE), {});
    ASSERT_TRUE(child.waitForStarted(20000));
    ASSERT_TRUE(waitForFile(dir.filePath("home/DATA/Orvo.DAT")));
    child.terminate();
    ASSERT_TRUE(child.waitForFinished(20000));
    EXPECT_EQ(child.exitCode(), 0);
    EXPECT_TRUE(QFile::exists(dir.filePath("home/orvoview.INI")));
    EXPECT_TRUE(QFile::exists(dir.filePath("home/OrvoView.lock")));
    EXPECT_FALSE(QFile::exists(dir.filePath("home/home"))); // the old split state
}

TEST(StartupFaults, ProgramFolderRuleMakesTheFolderAbsolute) {
    QTemporaryDir dir; // earlier tests may have left the working folder in a removed one
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    const std::string cwd = utf8Path(dir);
    struct Case {
        std::string given;
        std::string folder;
    } cases[] = {
        {"home", cwd + "/home"},
        {"./a/../home/", cwd + "/home"},
        {"/srv/orvo", "/srv/orvo"},
        {"/srv/orvo/", "/srv/orvo"},
    };
    for (const Case& c : cases) {
        ProgramFolderFacts facts;
        facts.orvoviewHome = c.given;
        EXPECT_EQ(chooseProgramFolder(facts).folder, c.folder) << c.given;
    }
}

TEST(StartupFaults, OverlongProgramFolderIsToldNotAborted) {
    QTemporaryDir dir;
    std::string folder = utf8Path(dir);
    while (folder.size() <= 300)
        folder += "/" + std::string(40, 'f');
    ScriptedPrompt prompt;
    AppShell::Options options;
    options.folder = folder;
    options.baseName = "orvoview";
    options.prompt = &prompt;
    AppShell shell(options);
    bool started = true;
    EXPECT_NO_THROW(started = shell.initInstance());
    EXPECT_FALSE(started);
    EXPECT_EQ(shell.startExitCode(), 1);
    ASSERT_EQ(prompt.asked().size(), 1u);
    EXPECT_EQ(prompt.asked()[0].text, formatText(txt::app::kFolderTooLong, folder.c_str()));
}

TEST(StartupFaults, DialogTitlesGetNoProgramNameAppended) {
    // The platform appends an application display name to every window title; the program
    // sets none, so a dialog's title is exactly its own.
    COrvoViewApp::applyIdentity();
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), QCoreApplication::applicationName());
    EXPECT_EQ(QCoreApplication::applicationName(), "OrvoView");
}

} // namespace
