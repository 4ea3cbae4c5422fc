#include "app/gui/AppShell.h"
#include "AppTestSupport.h"
#include "app/AppTexts.h"
#include "app/gui/MainFrame.h"
#include "app/gui/OrvoViewDoc.h"
#include "link/LinkTexts.h"
#include "store/DAT_DataFile.h"
#include "support/InstanceLock.h"
#include "support/PrivateProfile.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <csignal>
#include <gtest/gtest.h>
#include <optional>

using namespace apptest;

namespace {

constexpr char kBase[] = "orvoview";

std::string iniOf(const QTemporaryDir& dir) {
    return utf8Path(dir) + "/orvoview.INI";
}

AppShell::Options optionsFor(const QTemporaryDir& dir) {
    AppShell::Options o;
    o.folder = utf8Path(dir);
    o.baseName = kBase;
    return o;
}

// All log lines of the folder, concatenated.
QByteArray allLogs(const QTemporaryDir& dir) {
    QByteArray text;
    for (const QString& name : QDir(dir.path()).entryList({"*.LOG"}, QDir::Files)) {
        QFile f(dir.filePath(name));
        if (f.open(QIODevice::ReadOnly))
            text += f.readAll();
    }
    return text;
}

int countOf(const QByteArray& text, const std::string& needle) {
    return static_cast<int>(text.count(QByteArray::fromStdString(needle)));
}

QProcessEnvironment childEnvironment(const QTemporaryDir& dir) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("ORVOVIEW_HOME", dir.path());
    env.insert("QT_QPA_PLATFORM", "offscreen");
    return env;
}

// Waits (with a generous limit against hangs) until the child has finished its start.
bool waitForStarted(const QTemporaryDir& dir) {
    for (int i = 0; i < 600; ++i) {
        if (iniValue(iniOf(dir), "check", "RunningNum") == "0" &&
            QFile::exists(dir.filePath("DATA/Orvo.DAT")))
            return true;
        QTest::qWait(50);
    }
    return false;
}

// Starts the real program in `dir` and waits until its start sequence has run.
void startProgram(QProcess& child, const QTemporaryDir& dir) {
    child.setProcessEnvironment(childEnvironment(dir));
    child.start(QStringLiteral(ORVOVIEW_EXE), {});
    ASSERT_TRUE(child.waitForStarted(20000));
    ASSERT_TRUE(waitForStarted(dir));
}

} // namespace

TEST(AppShell, FirstStartWritesEverySettingWithItsDefaultAndAnEmptyDataFile) {
    QTemporaryDir dir;
    AppShell shell(optionsFor(dir));
    ASSERT_TRUE(shell.initInstance());
    const std::string ini = iniOf(dir);
    EXPECT_EQ(iniValue(ini, "Window", "Placement"), "");
    EXPECT_EQ(iniValue(ini, "Param", "MonStartDay"), "1");
    EXPECT_EQ(iniValue(ini, "Param", "TxtOutDir"), "");
    EXPECT_EQ(iniValue(ini, "Param", "TxtOutAppRun"), "0");
    EXPECT_EQ(iniValue(ini, "Param", "TxtOutApp"), "");
    EXPECT_EQ(iniValue(ini, "Filepath", "SaveDir"), "C:\\");
    EXPECT_EQ(iniValue(ini, "Filepath", "SaveFile"), "CustData.VLK");
    EXPECT_EQ(iniValue(ini, "Debug", txt::link::kDebugCommKey), "0");
    EXPECT_EQ(iniValue(ini, "Debug", txt::link::kCommLogKey), "0");
    EXPECT_EQ(iniValue(ini, "check", "RunningNum"), "0");
    EXPECT_EQ(iniValue(ini, "check", "Version"), "1.0.0.0");

    // An empty data file: signature, version 3, default serial settings, no customer.
    QFile data(dir.filePath("DATA/Orvo.DAT"));
    ASSERT_TRUE(data.open(QIODevice::ReadOnly));
    const QByteArray bytes = data.readAll();
    ASSERT_EQ(bytes.size(), 1 + 29 + 4 + 24 + 2);
    EXPECT_EQ(bytes.mid(1, 29), QByteArray("56a5s440s-20061215-ds56sd40v1"));
    EXPECT_EQ(bytes.right(2), QByteArray(2, '\0'));
    EXPECT_TRUE(allLogs(dir).isEmpty()) << "the first start reports nothing";

    shell.exitInstance();
    EXPECT_EQ(iniValue(ini, "check", "RunningNum"), "15685");
}

TEST(AppShell, KilledRunIsReportedOnceByTheNextStart) {
    QTemporaryDir dir;
    QProcess child;
    ASSERT_NO_FATAL_FAILURE(startProgram(child, dir));
    child.kill();
    ASSERT_TRUE(child.waitForFinished(20000));
    EXPECT_EQ(iniValue(iniOf(dir), "check", "RunningNum"), "0");

    {
        AppShell shell(optionsFor(dir));
        ASSERT_TRUE(shell.initInstance());
        EXPECT_EQ(countOf(allLogs(dir), txt::app::kAbnormalEnd), 1);
        EXPECT_EQ(iniValue(iniOf(dir), "check", "RunningNum"), "0");
        shell.exitInstance();
        EXPECT_EQ(iniValue(iniOf(dir), "check", "RunningNum"), "15685");
    }
    {
        AppShell shell(optionsFor(dir));
        ASSERT_TRUE(shell.initInstance());
        shell.exitInstance();
    }
    EXPECT_EQ(countOf(allLogs(dir), txt::app::kAbnormalEnd), 1) << "a normal run adds nothing";
}

TEST(AppShell, SavedPlacementComesBackAsItsRectangle) {
    struct Case {
        const char* placement;
        std::optional<QRect> geometry; // none: the placement is ignored, the default size shows
    };
    const Case cases[] = {
        {"0 , 1 , -1 , -1 , -1 , -1 , 40 , 50 , 840", std::nullopt}, // nine numbers
        {"0 , 1 , -1 , -1 , -1 , -1 , 40 , 50 , 640 , 450", QRect(40, 50, 600, 400)},
        // Narrower than the selector bar in one row: the bar wraps instead of widening it.
        {"0 , 1 , -1 , -1 , -1 , -1 , 40 , 50 , 560 , 450", QRect(40, 50, 520, 400)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.placement);
        QTemporaryDir dir;
        profile::writeString(iniOf(dir), "Window", "Placement", c.placement);
        AppShell shell(optionsFor(dir));
        ASSERT_TRUE(shell.initInstance());
        EXPECT_EQ(shell.settings().placement.has_value(), c.geometry.has_value());
        if (c.geometry) {
            EXPECT_EQ(shell.frame()->geometry(), *c.geometry);
        } else {
            EXPECT_EQ(shell.frame()->size(), QSize(1024, 720)) << "default size";
        }
        shell.exitInstance();
    }
}

// A placement saved on a larger screen (or a hand-edited giant) is fitted into this screen.
TEST(AppShell, APlacementLargerThanTheScreenIsFittedIntoIt) {
    for (const char* placement : {"0 , 1 , -1 , -1 , -1 , -1 , 40 , 50 , 1320 , 1074",
                                  "0 , 1 , -1 , -1 , -1 , -1 , 0 , 0 , 30000 , 30000"}) {
        SCOPED_TRACE(placement);
        QTemporaryDir dir;
        profile::writeString(iniOf(dir), "Window", "Placement", placement);
        AppShell shell(optionsFor(dir));
        ASSERT_TRUE(shell.initInstance());
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        const QRect window = shell.frame()->geometry();
        EXPECT_LE(window.width(), screen.width());
        EXPECT_LE(window.height(), screen.height());
        EXPECT_GE(window.width(), screen.width() - 8) << "as large as the screen allows";
        shell.exitInstance();
    }
}

TEST(AppShell, CloseStoresPlacementWithMaximisedStateAndSavesTheData) {
    QTemporaryDir dir;
    {
        AppShell shell(optionsFor(dir));
        ASSERT_TRUE(shell.initInstance());
        shell.frame()->setGeometry(30, 40, 700, 500);
        shell.frame()->showMaximized();
        QTest::qWait(20);
        QFile::remove(dir.filePath("DATA/Orvo.DAT"));
        shell.frame()->close();
        EXPECT_TRUE(QFile::exists(dir.filePath("DATA/Orvo.DAT"))) << "saved when the window goes";
        shell.exitInstance();
    }
    const std::string text = iniValue(iniOf(dir), "Window", "Placement");
    auto placement = parsePlacement(text);
    ASSERT_TRUE(placement.has_value()) << text;
    EXPECT_EQ(placement->showCmd, 3u);

    AppShell again(optionsFor(dir));
    ASSERT_TRUE(again.initInstance());
    EXPECT_TRUE(again.frame()->isMaximized());
    again.exitInstance();
}

TEST(AppShell, SecondStartInTheSameFolderRaisesTheFirstAndEnds) {
    QTemporaryDir dir;
    AppShell first(optionsFor(dir));
    ASSERT_TRUE(first.initInstance());
    QSignalSpy raised(&first, &AppShell::raiseRequested);

    AppShell second(optionsFor(dir));
    EXPECT_FALSE(second.initInstance());
    EXPECT_EQ(second.frame(), nullptr) << "no window of its own";
    EXPECT_TRUE(raised.count() > 0 || raised.wait(10000));

    // The real program as the second copy.
    raised.clear();
    QProcess child;
    child.setProcessEnvironment(childEnvironment(dir));
    child.start(QStringLiteral(ORVOVIEW_EXE), {});
    ASSERT_TRUE(child.waitForStarted(20000));
    EXPECT_TRUE(raised.wait(20000));
    // Keep serving the event loop while the child finishes.
    for (int i = 0; i < 400 && child.state() != QProcess::NotRunning; ++i)
        QTest::qWait(50);
    EXPECT_EQ(child.state(), QProcess::NotRunning);
    EXPECT_EQ(child.exitCode(), 0);
    first.exitInstance();
}

TEST(AppShell, MonthStartDayChangesAreWrittenAtExit) {
    QTemporaryDir dir;
    {
        AppShell shell(optionsFor(dir));
        ASSERT_TRUE(shell.initInstance());
        shell.settings().monthStartDay = 21;
        shell.settings().saveDir = "/home/user";
        shell.exitInstance();
    }
    EXPECT_EQ(iniValue(iniOf(dir), "Param", "MonStartDay"), "21");
    EXPECT_EQ(iniValue(iniOf(dir), "Filepath", "SaveDir"), "/home/user");
}

TEST(AppShell, TerminationRequestClosesTheProgramNormally) {
    QTemporaryDir dir;
    QProcess child;
    ASSERT_NO_FATAL_FAILURE(startProgram(child, dir));
    child.terminate();
    ASSERT_TRUE(child.waitForFinished(20000));
    EXPECT_EQ(child.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(iniValue(iniOf(dir), "check", "RunningNum"), "15685");
    EXPECT_NE(iniValue(iniOf(dir), "Window", "Placement"), "");
}

// A termination request while a message box of the start is open (here the damaged-data-file
// message) ends the program: one save of the current store, the folder unlocked, a clean exit.
TEST(AppShell, TerminationRequestDuringTheStartMessageEndsTheProgram) {
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
        SCOPED_TRACE(signal);
        QTemporaryDir dir;
        QDir(dir.path()).mkpath("DATA");
        QFile damaged(dir.filePath("DATA/Orvo.DAT"));
        ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
        damaged.write("not a data file at all");
        damaged.close();
        QProcess child;
        child.setProcessEnvironment(childEnvironment(dir));
        child.start(QStringLiteral(ORVOVIEW_EXE), {});
        ASSERT_TRUE(child.waitForStarted(20000));
        // The copy aside is made just before the message is shown.
        bool shown = false;
        for (int i = 0; i < 600 && !shown; ++i) {
            shown = !QDir(dir.filePath("DATA")).entryList({"Orvo.DAT.damaged-*"}).isEmpty();
            QTest::qWait(50);
        }
        ASSERT_TRUE(shown);
        QTest::qWait(500);
        ::kill(static_cast<pid_t>(child.processId()), signal);
        const bool ended = child.waitForFinished(20000);
        if (!ended)
            child.kill();
        ASSERT_TRUE(ended) << "the program did not end";
        EXPECT_EQ(child.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(child.exitCode(), 0);
        EXPECT_EQ(iniValue(iniOf(dir), "check", "RunningNum"), "15685");
        QFile saved(dir.filePath("DATA/Orvo.DAT"));
        ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
        EXPECT_EQ(saved.readAll().toStdString(),
                  datafile::encode(SerialSettings(), MeasurementStore()));
        InstanceLock lock;
        EXPECT_TRUE(lock.tryAcquire(utf8Path(dir))) << "the folder is still locked";
    }
}
