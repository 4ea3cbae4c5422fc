// The data file's load at the start: a large file is read on a worker thread while the main
// window shows its progress, with the same outcome and messages as a load at once.
#include "AppTestSupport.h"
#include "app/gui/AppShell.h"
#include "app/gui/MainFrame.h"
#include "app/gui/OrvoViewDoc.h"
#include "app/gui/SelectorBar.h"
#include "res/ResourceIds.h"
#include "store/DAT_DataFile.h"
#include "support/ScriptedPrompt.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QSemaphore>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <gtest/gtest.h>
#include <regex>

using namespace apptest;

namespace {

QString dataFile(const QTemporaryDir& dir) {
    return dir.filePath("DATA/Orvo.DAT");
}

void writeFile(const QString& path, const std::string& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

MeasurementStore twoDays() {
    return makeStore({makeDay(2024, 5, 1), makeDay(2024, 5, 2)});
}

std::string withVersion(int32_t version) {
    std::string bytes = datafile::encode(SerialSettings(), MeasurementStore());
    bytes[30] = static_cast<char>(version); // int32 right after the 1 + 29 signature bytes
    return bytes;
}

} // namespace

// The window is shown and painted and tells the file and its progress while the read is held
// on the worker; what needs the data waits; once the read ends the data is there and the
// progress is gone.
TEST(StartupLoad, LargeFileShowsTheWindowAndProgressBeforeTheLoadEnds) {
    QTemporaryDir dir;
    writeFile(dataFile(dir), datafile::encode(SerialSettings(), twoDays()));
    QSemaphore reading, release;
    AppShell::Options options;
    options.folder = utf8Path(dir);
    options.baseName = "orvoview";
    options.beforeLoad = [&](COrvoViewDoc& doc) {
        doc.setBackgroundLoadBytesForTesting(0); // this small file counts as large
        doc.setBeforeReadForTesting([&] {
            reading.release();
            release.acquire();
        });
    };
    AppShell shell(options);
    ASSERT_TRUE(shell.initInstance());
    CMainFrame* frame = shell.frame();
    COrvoViewDoc* doc = shell.document();
    ASSERT_TRUE(reading.tryAcquire(1, 10000)) << "the worker reached the read";

    QSignalSpy painted(frame, &CMainFrame::firstPainted);
    frame->resize(1024, 768);
    QTRY_VERIFY(painted.count() > 0 || frame->isVisible());
    EXPECT_TRUE(frame->isVisible());
    EXPECT_TRUE(doc->isLoading());
    EXPECT_FALSE(doc->isLoaded());
    auto* label = frame->statusBar()->findChild<QLabel*>("loadLabel");
    auto* progress = frame->statusBar()->findChild<QProgressBar*>("loadProgress");
    ASSERT_NE(label, nullptr);
    ASSERT_NE(progress, nullptr);
    EXPECT_TRUE(label->isVisible());
    EXPECT_TRUE(progress->isVisible());
    EXPECT_TRUE(label->text().contains(dir.filePath("DATA/Orvo.DAT")))
        << label->text().toStdString();
    EXPECT_TRUE(label->text().contains(" MB)"));
    frame->grab().save(QStringLiteral(ORVO_SHOT_DIR) + "/startup-loading.png");
    for (int id : {res::ID_READ_DATA, res::ID_SELECT_DATA, res::ID_CUST_EDIT, res::ID_CUST_IMPORT,
                   res::ID_SERIAL_SETTINGS, res::ID_MON_START_DAY})
        EXPECT_FALSE(frame->action(id)->isEnabled()) << id << ": waits for the data";
    for (int id : {res::ID_APP_EXIT, res::ID_APP_ABOUT, res::ID_VIEW_STATUS_BAR})
        EXPECT_TRUE(frame->action(id)->isEnabled()) << id;
    EXPECT_FALSE(frame->selectorBar()->isEnabled());

    release.release();
    QTRY_VERIFY_WITH_TIMEOUT(doc->isLoaded(), 10000);
    EXPECT_FALSE(doc->isLoading());
    EXPECT_TRUE(doc->store() == twoDays());
    EXPECT_EQ(doc->loadedBytes(), doc->loadBytes()) << "the progress reached the end";
    QTRY_VERIFY(frame->statusBar()->findChild<QProgressBar*>("loadProgress") == nullptr);
    EXPECT_TRUE(frame->action(res::ID_READ_DATA)->isEnabled());
    EXPECT_TRUE(frame->action(res::ID_SELECT_DATA)->isEnabled());
    EXPECT_TRUE(frame->selectorBar()->isEnabled());
    shell.exitInstance();
}

// Closing the window while the read is held waits for it, takes it in and writes nothing: the
// document did not change.
TEST(StartupLoad, ExitDuringTheLoadWaitsForItAndSavesNothing) {
    QTemporaryDir dir;
    const std::string bytes = datafile::encode(SerialSettings(), twoDays());
    writeFile(dataFile(dir), bytes);
    QSemaphore reading, release;
    AppShell::Options options;
    options.folder = utf8Path(dir);
    options.baseName = "orvoview";
    options.beforeLoad = [&](COrvoViewDoc& doc) {
        doc.setBackgroundLoadBytesForTesting(0);
        doc.setBeforeReadForTesting([&] {
            reading.release();
            release.acquire();
        });
    };
    AppShell shell(options);
    ASSERT_TRUE(shell.initInstance());
    ASSERT_TRUE(reading.tryAcquire(1, 10000));
    const QDateTime written = QFileInfo(dataFile(dir)).lastModified();
    release.release(); // the close below waits for the worker
    shell.exitInstance();
    EXPECT_TRUE(shell.document()->isLoaded());
    EXPECT_TRUE(shell.document()->store() == twoDays());
    EXPECT_FALSE(QFile::exists(dataFile(dir) + ".bak")) << "nothing was saved";
    EXPECT_EQ(QFileInfo(dataFile(dir)).lastModified(), written);
}

// A file read on the worker gives what a read at once gives: the same store, and for a damaged
// file or one of another version the same messages in the same order.
TEST(StartupLoad, WorkerAndAtOnceGiveTheSameOutcomeAndMessages) {
    struct Case {
        const char* name;
        std::string bytes;
    };
    const Case cases[] = {
        {"sound", datafile::encode(SerialSettings(), twoDays())},
        {"damaged", "not a data file at all"},
        {"older_version", withVersion(2)},
        {"newer_version", withVersion(4)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> told[2];
        MeasurementStore stores[2];
        for (int worker : {0, 1}) {
            QTemporaryDir dir;
            writeFile(dataFile(dir), c.bytes);
            ScriptedPrompt prompt;
            COrvoViewDoc doc;
            doc.setProgramFolder(utf8Path(dir));
            doc.setBackgroundLoadBytesForTesting(worker ? 0 : UINT64_MAX);
            QSignalSpy finished(&doc, &COrvoViewDoc::loadFinished);
            doc.startLoad(prompt);
            EXPECT_EQ(doc.isLoading(), worker == 1);
            QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 10000);
            for (const auto& asked : prompt.asked()) {
                // The paths differ by folder: the texts are compared without it.
                std::string text = asked.text;
                const std::string folder = utf8Path(dir);
                for (std::size_t at; (at = text.find(folder)) != std::string::npos;)
                    text.erase(at, folder.size());
                // The copy aside is named after the second it was made in.
                told[worker].push_back(std::regex_replace(
                    text, std::regex(R"(\.damaged-\d{8}-\d{6})"), ".damaged-<time>"));
            }
            stores[worker] = doc.store();
        }
        EXPECT_EQ(told[0], told[1]);
        EXPECT_EQ(told[0].empty(), std::string(c.name) == "sound");
        EXPECT_TRUE(stores[0] == stores[1]);
    }
}
