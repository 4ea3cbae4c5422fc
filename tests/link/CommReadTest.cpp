// The reception dialog driven through its controls, with a pseudo-terminal as the recorder.
#include "PtyPair.h"
#include "SampleReport.h"
#include "common/FileBytes.h"
#include "link/ReceptionCapture.h"
#include "link/ReportParser.h"
#include "link/ReportText.h"
#include "link/gui/AnimateCtrl.h"
#include "link/gui/D_CommRead.h"
#include "res/ResourceIds.h"
#include "support/LogFile.h"
#include "support/gui/QtCp932.h"
#include "tools/reportgen/ReportGenerator.h"
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <thread>

namespace {

namespace fs = std::filesystem;
using sample::u;
constexpr int kPort = 3;

QString q(const char* utf8) {
    return QString::fromUtf8(utf8);
}

MeasurementCircuit parsed(const std::string& text) {
    MeasurementCircuit days;
    ParseContext context(days);
    parseReportText(context, text);
    return days;
}

QStringList listTexts(const CCommRead& dlg) {
    QStringList out;
    for (int i = 0; i < dlg.lineList()->count(); ++i)
        out << dlg.lineList()->item(i)->text();
    return out;
}

// The next widget the Tab key reaches.
QWidget* nextTabStop(QWidget* from) {
    for (QWidget* w = from->nextInFocusChain(); w != from; w = w->nextInFocusChain())
        if ((w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && w->isVisibleTo(w->window()))
            return w;
    return from;
}

// One dialog on a pseudo-terminal (or a file), with its own folder for the log and captures.
struct DialogRun {
    DialogRun() {
        folder = fs::path(::testing::TempDir()) /
                 ("commread_" +
                  std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(folder);
        fs::create_directories(folder);
        log.OpenLog((folder / "ORVO").string(), 7, 4, 10000, 0x500000);
        std::string path = pty.slavePath();
        request.port.portNumber = kPort;
        request.deviceLookup = [path](int n) { return n == kPort ? path : std::string(); };
        request.captureFolder = (folder / "RECEIVED").string();
        request.programLog = &log;
        request.timings.settle = std::chrono::milliseconds(20);
        request.timings.interByteMs = 1000;
        request.timings.endPause = std::chrono::milliseconds(0);
    }
    ~DialogRun() {
        if (writer.joinable())
            writer.join();
    }
    void open() {
        dlg = std::make_unique<CCommRead>(request);
        spy = std::make_unique<QSignalSpy>(dlg.get(), &QDialog::finished);
        dlg->open();
    }
    // Waits (with a watchdog against hangs) until the list shows the text.
    bool waitForLine(const QString& text) {
        for (int i = 0; i < 3000; ++i) {
            if (listTexts(*dlg).contains(text))
                return true;
            QTest::qWait(10);
        }
        return false;
    }
    bool waitFinished() { return !spy->isEmpty() || spy->wait(30000); }
    std::string programLog() const {
        std::string all;
        for (int g = 0; g < 4; ++g)
            all += fileBytes(folder / ("ORVO" + std::to_string(g) + ".LOG"));
        return all;
    }

    fs::path folder;
    LogFile log;
    PtyPair pty;
    ReceptionRequest request;
    std::unique_ptr<CCommRead> dlg;
    std::unique_ptr<QSignalSpy> spy;
    std::thread writer;
};

TEST(CommRead, NormalReceptionEndsWithOkAndHandsOverTheDays) {
    ReportGenOptions options;
    options.days = 2;
    options.channel2 = true;
    options.lineEnd = "\n";
    ReportGenerator generator(options);
    const std::string report = generator.generate();

    DialogRun run;
    run.open();
    EXPECT_EQ(run.dlg->windowTitle(), q("データの受信"));
    EXPECT_TRUE(run.dlg->animation()->isPlaying());
    ASSERT_TRUE(run.waitForLine(q("機器からのデータ送信待ち")));
    run.writer = std::thread([&] { run.pty.writePaced(report, 115200); });
    ASSERT_TRUE(run.waitFinished());
    EXPECT_EQ(run.dlg->result(), QDialog::Accepted);
    EXPECT_FALSE(run.dlg->animation()->isPlaying());
    MeasurementCircuit days = run.dlg->takeReceivedDays();
    EXPECT_EQ(days.days.count(), 4);
    EXPECT_TRUE(days == generator.expectedDays());
    const QStringList lines = listTexts(*run.dlg);
    EXPECT_EQ(lines.front(), q("シリアルポートオープン"));
    EXPECT_TRUE(lines.contains(q("受信処理中...")));
    EXPECT_EQ(lines.back(), q("後処理中...しばらくお待ちください"));
    EXPECT_EQ(run.dlg->statusLine()->text(), q("後処理中...しばらくお待ちください"));
    // Every received line was shown (the check box is on).
    EXPECT_GT(lines.size(), static_cast<qsizetype>(generator.linesWritten()));
    // The capture holds exactly the bytes the recorder sent.
    auto files = ReceptionCapture::captureFiles(run.request.captureFolder);
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(fileBytes(fs::path(run.request.captureFolder) / files[0]), report);
}

TEST(CommRead, CancelDuringTheUnlimitedFirstWaitReturnsAtOnce) {
    for (const char* how : {"button", "close box", "escape"}) {
        SCOPED_TRACE(how);
        DialogRun run;
        run.request.timings.interByteMs = 3000;
        run.open();
        ASSERT_TRUE(run.waitForLine(q("機器からのデータ送信待ち")));
        EXPECT_EQ(run.dlg->statusLine()->text(), q("機器からのデータ送信待ち"));
        if (std::string(how) == "button")
            run.dlg->cancelButton()->click();
        else if (std::string(how) == "close box")
            run.dlg->close();
        else
            QTest::keyClick(run.dlg.get(), Qt::Key_Escape);
        // Returned from the click: the worker has ended and the dialog is done.
        EXPECT_EQ(run.spy->size(), 1);
        EXPECT_EQ(run.dlg->result(), QDialog::Rejected);
        EXPECT_TRUE(run.dlg->workerFinished());
        EXPECT_FALSE(run.dlg->isVisible());
        EXPECT_FALSE(run.dlg->animation()->isPlaying());
        EXPECT_EQ(run.dlg->takeReceivedDays().days.count(), 0);
        EXPECT_FALSE(fs::exists(run.request.captureFolder));
    }
}

TEST(CommRead, CancelInsideABlockHandsOverNothing) {
    DialogRun run;
    run.request.timings.interByteMs = 60000;
    run.open();
    ASSERT_TRUE(run.waitForLine(q("機器からのデータ送信待ち")));
    run.pty.write(sample::intervalBlock(1, 5, 4) + sample::intervalBlock(2, 5, 2, false));
    ASSERT_TRUE(run.waitForLine(q("受信処理中...")));
    run.dlg->cancelButton()->click();
    EXPECT_EQ(run.dlg->result(), QDialog::Rejected);
    EXPECT_EQ(run.dlg->takeReceivedDays().days.count(), 0);
    EXPECT_FALSE(listTexts(*run.dlg).contains(q("通信異常 [-2]")));
}

// Silence inside a block cuts the reception: the dialog ends with OK and hands over the days
// whose blocks arrived whole, with the message that says so; the cut day stays out.
TEST(CommRead, BlockCutOffBySilenceHandsOverTheWholeDaysWithTheMessage) {
    DialogRun run;
    run.open();
    ASSERT_TRUE(run.waitForLine(q("機器からのデータ送信待ち")));
    const std::string whole = sample::intervalBlock(1, 5, 4) + sample::summaryBlock(1, 5) + "\n";
    const std::string sent = whole + sample::intervalBlock(2, 5, 3, false);
    run.pty.write(sent);
    ASSERT_TRUE(run.waitFinished());
    EXPECT_EQ(run.dlg->result(), QDialog::Accepted);
    auto files = ReceptionCapture::captureFiles(run.request.captureFolder);
    ASSERT_EQ(files.size(), 1u);
    const fs::path capture = fs::path(run.request.captureFolder) / files[0];
    EXPECT_EQ(fileBytes(capture), sent);
    const std::string message =
        u("記録計からの送信が測定データの途中で途切れました。 完全に届いた測定データは 1 "
          "件です。 途中で切れた 2ch 2024/03/05 は取り込みません。 受信ファイル：") +
        capture.string();
    EXPECT_TRUE(listTexts(*run.dlg).contains(qtFromCp932(message)));
    EXPECT_FALSE(listTexts(*run.dlg).contains(q("通信異常 [-2]")));
    // The message went to the program log.
    EXPECT_NE(run.programLog().find(message), std::string::npos);
    ReceptionHandover handover = run.dlg->takeHandover();
    EXPECT_TRUE(handover.interrupted);
    EXPECT_EQ(handover.notice, message);
    EXPECT_TRUE(handover.days == parsed(whole));
}

TEST(CommRead, ShowLinesBoxIsReadByTheWorkerForTheFollowingLines) {
    DialogRun run;
    run.request.timings.interByteMs = 5000; // the silence that ends it, after the second block
    run.open();
    EXPECT_TRUE(run.dlg->showLinesBox()->isChecked());
    ASSERT_TRUE(run.waitForLine(q("機器からのデータ送信待ち")));
    run.pty.write(sample::intervalBlock(1, 5, 2));
    ASSERT_TRUE(run.waitForLine(q("")));
    const qsizetype shown = run.dlg->lineList()->count();
    run.dlg->showLinesBox()->click();
    EXPECT_FALSE(run.dlg->showLinesBox()->isChecked());
    run.pty.write(sample::intervalBlock(2, 5, 2));
    ASSERT_TRUE(run.waitFinished());
    EXPECT_EQ(run.dlg->result(), QDialog::Accepted);
    EXPECT_EQ(run.dlg->takeReceivedDays().days.count(), 2);
    // After the box was cleared only status texts came.
    EXPECT_EQ(listTexts(*run.dlg).mid(shown),
              (QStringList{q("シリアルポートクローズ"), q("後処理中...しばらくお待ちください")}));
}

TEST(CommRead, ListKeepsTheLast30000Lines) {
    ReportGenOptions options;
    options.days = 22;
    options.intervalMinutes = 1;
    options.noise = false;
    options.outages = false;
    ReportGenerator generator(options);
    const std::string report = generator.generate();
    ASSERT_GT(generator.linesWritten(), 30000u);
    DialogRun run;
    const fs::path file = run.folder / "big.txt";
    std::ofstream(file, std::ios::binary) << report;
    run.request.fromFile = true;
    run.request.filePath = file.string();
    run.request.timings.linePause = std::chrono::milliseconds(0);
    run.open();
    ASSERT_TRUE(run.waitFinished());
    EXPECT_EQ(run.dlg->result(), QDialog::Accepted);
    EXPECT_EQ(run.dlg->lineList()->count(), CCommRead::kMaxLines);
    EXPECT_EQ(run.dlg->lineList()->item(CCommRead::kMaxLines - 1)->text(),
              q("後処理中...しばらくお待ちください"));
    EXPECT_NE(run.dlg->lineList()->item(0)->text(), q("ファイル読み込み中..."));
    EXPECT_TRUE(run.dlg->takeReceivedDays() == parsed(report));
}

TEST(CommRead, MissingFileStaysOpenWithTheMessage) {
    DialogRun run;
    run.request.fromFile = true;
    run.request.filePath = (run.folder / "none.txt").string();
    run.open();
    const QString message =
        q("ファイルが存在しません:") + QString::fromStdString((run.folder / "none.txt").string());
    ASSERT_TRUE(run.waitForLine(message));
    for (int i = 0; i < 3000 && !run.dlg->workerFinished(); ++i)
        QTest::qWait(10);
    EXPECT_EQ(run.dlg->statusLine()->text(), q("受信処理で問題が発生しました"));
    EXPECT_TRUE(run.spy->isEmpty());
    QTest::keyClick(run.dlg.get(), Qt::Key_Return); // the default button is "中断／戻る"
    EXPECT_EQ(run.dlg->result(), QDialog::Rejected);
}

TEST(CommRead, ControlsCarryIdsNamesAndKeyboardOrder) {
    DialogRun run;
    run.request.timings.interByteMs = 3000;
    run.open();
    ASSERT_TRUE(run.waitForLine(q("機器からのデータ送信待ち")));
    struct Case {
        int id;
        const char* accessible;
    } cases[] = {
        {res::IDC_COMM_STATUS, "状態"},     {res::IDC_COMM_ANIMATE, "受信中"},
        {res::IDC_COMM_LIST, "受信データ"}, {res::IDC_COMM_SHOWLINES, "収集データを表示する"},
        {res::IDCANCEL, "中断／戻る"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        QWidget* found = nullptr;
        for (QWidget* w : run.dlg->findChildren<QWidget*>())
            if (w->property("controlId").toInt() == c.id)
                found = w;
        ASSERT_NE(found, nullptr);
        EXPECT_FALSE(found->objectName().isEmpty());
        const QString name = found->accessibleName().isEmpty() ? found->property("text").toString()
                                                               : found->accessibleName();
        EXPECT_EQ(name, q(c.accessible));
    }
    EXPECT_TRUE(run.dlg->cancelButton()->isDefault());
    EXPECT_EQ(nextTabStop(run.dlg->lineList()), run.dlg->showLinesBox());
    EXPECT_EQ(nextTabStop(run.dlg->showLinesBox()), run.dlg->cancelButton());
    EXPECT_EQ(nextTabStop(run.dlg->cancelButton()), run.dlg->lineList());
    run.dlg->lineList()->addItem(q("ＣＨ１ 単相 PT:66.0 CT:40.0 2024/03/05"));
    run.dlg->grab().save(QString::fromStdString((run.folder / "commread.png").string()));
    run.dlg->resize(1024, 768);
    run.dlg->grab().save(QString::fromStdString((run.folder / "commread-1024.png").string()));
    run.dlg->cancelButton()->click();
}

TEST(CommRead, WaitingNamesThePortAndAsksForTheRecordersSend) {
    DialogRun run;
    run.request.timings.interByteMs = 60000;
    // The port stands for a stable name of the adapter, as the communication settings store it.
    const fs::path byId =
        run.folder / "serial" / "by-id" / "usb-FTDI_FT232R_USB_UART_A1-if00-port0";
    fs::create_directories(byId.parent_path());
    fs::create_symlink(run.pty.slavePath(), byId);
    run.request.deviceLookup = [byId](int n) { return n == kPort ? byId.string() : ""; };
    run.open();
    ASSERT_TRUE(run.waitForLine(q("機器からのデータ送信待ち")));
    const QString port =
        q("COM3: ") + QString::fromStdString(byId.string()) + q(" (FTDI FT232R USB UART)");
    EXPECT_TRUE(run.dlg->portLine()->isVisible());
    EXPECT_EQ(run.dlg->portLine()->text(), port + q("\n記録計の送信操作を行ってください"));
    EXPECT_EQ(run.dlg->portLine()->property("controlId").toInt(), res::IDC_COMM_PORT);
    run.dlg->grab().save(QString::fromStdString((run.folder / "commread-waiting.png").string()));
    run.dlg->resize(1024, 768);
    run.dlg->grab().save(
        QString::fromStdString((run.folder / "commread-waiting-1024.png").string()));
    // Once the recorder sends, only the port stays.
    run.pty.write(sample::intervalBlock(1, 5, 4));
    ASSERT_TRUE(run.waitForLine(q("受信処理中...")));
    EXPECT_EQ(run.dlg->portLine()->text(), port);
    run.dlg->cancelButton()->click();
}

TEST(CommRead, AFileImportNamesNoPort) {
    DialogRun run;
    run.request.fromFile = true;
    run.request.filePath = (run.folder / "missing.txt").string();
    run.open();
    EXPECT_FALSE(run.dlg->portLine()->isVisible());
    EXPECT_TRUE(run.dlg->portLine()->text().isEmpty());
    for (int i = 0; i < 3000 && !run.dlg->workerFinished(); ++i)
        QTest::qWait(10);
    run.dlg->cancelButton()->click();
}

} // namespace
