// A reception cut inside a block in the transfer dialog: the days whose blocks arrived whole are
// offered, marked, and can be filed; the user is told why, what was kept and where the capture
// is. End to end with a pseudo-terminal playing the recorder and the real reception dialog.
#include "common/Cp932.h"
#include "common/DialogDriver.h"
#include "common/StoreBuilders.h"
#include "link/FiveDayReport.h"
#include "link/PtyPair.h"
#include "link/ReceptionCapture.h"
#include "link/gui/D_CommRead.h"
#include "res/ResourceIds.h"
#include "support/ScriptedPrompt.h"
#include "support/Sjis.h"
#include "support/gui/QtCp932.h"
#include "textout/ValueFormat.h"
#include "transfer/gui/D_ReadData.h"
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QTimer>
#include <filesystem>
#include <gtest/gtest.h>
#include <thread>

using namespace dialogtest;
using namespace builders;

namespace {

namespace fs = std::filesystem;

const QString kMark = QStringLiteral("  （中断した受信）");

std::string u8(const std::string& cp932) {
    return sjis::toUtf8(cp932);
}

ReceptionHandover cutHandover(std::vector<MeasurementDay> days, const char* notice) {
    ReceptionHandover handover(circuitOf(std::move(days)));
    handover.interrupted = true;
    handover.notice = sjis::fromUtf8(notice);
    return handover;
}

class CutReceptionTest : public ::testing::Test {
protected:
    void SetUp() override {
        Customer& c = m_store.at(m_store.insert(sj("東京工場")));
        c.circuits.at(c.circuits.insert(sj("受電"))).addOrReplaceDay(dayOfMay2024(1, 4));
        m_dialog = std::make_unique<CReadData>(
            m_store, [](MeasurementStore) {}, ReceptionRequest{}, m_prompt);
        m_dialog->setReceiver([this](const ReceptionRequest&) {
            std::optional<ReceptionHandover> next = m_next;
            m_next.reset();
            return next;
        });
    }
    void receive(ReceptionHandover handover) {
        m_next = std::move(handover);
        click(m_dialog.get(), res::IDC_RD_RECEIVE);
    }

    MeasurementStore m_store;
    ScriptedPrompt m_prompt;
    std::unique_ptr<CReadData> m_dialog;
    std::optional<ReceptionHandover> m_next;
};

TEST_F(CutReceptionTest, WholeDaysAreOfferedMarkedAndTheUserIsTold) {
    receive(cutHandover({dayOfMay2024(1, 1), dayOfMay2024(1, 2)}, "切れました"));
    EXPECT_EQ(texts(m_dialog->transferList()),
              (QStringList{QStringLiteral("1ch 2024/05/01 単相:PT:1.0,CT:1.0") + kMark,
                           QStringLiteral("1ch 2024/05/02 単相:PT:1.0,CT:1.0") + kMark}));
    ASSERT_EQ(m_prompt.asked().size(), 1u);
    EXPECT_EQ(u8(m_prompt.asked()[0].text), "切れました");
    EXPECT_EQ(m_prompt.asked()[0].icon, PromptIcon::Warning);
    EXPECT_EQ(m_prompt.asked()[0].buttons, PromptButtons::Ok);

    // A stored day sent back is the stored one: no mark; the others keep theirs.
    selectRows(m_dialog->storedList(), {0});
    click(m_dialog.get(), res::IDC_RD_RETURN);
    EXPECT_EQ(texts(m_dialog->transferList()),
              (QStringList{QStringLiteral("1ch 2024/05/01 単相:PT:1.0,CT:1.0") + kMark,
                           QStringLiteral("1ch 2024/05/02 単相:PT:1.0,CT:1.0") + kMark,
                           QStringLiteral("1ch 2024/05/04 単相:PT:1.0,CT:1.0")}));
    EXPECT_TRUE(m_dialog->fromCutReception(0));
    EXPECT_FALSE(m_dialog->fromCutReception(2));

    // Filed like any other day.
    selectRows(m_dialog->transferList(), {0, 1});
    click(m_dialog.get(), res::IDC_RD_ADD);
    EXPECT_EQ(m_dialog->storedList()->count(), 2);
    EXPECT_EQ(texts(m_dialog->transferList()),
              QStringList{QStringLiteral("1ch 2024/05/04 単相:PT:1.0,CT:1.0")});

    // A whole reception replaces the list without marks.
    receive(ReceptionHandover(circuitOf({dayOfMay2024(2, 9)})));
    EXPECT_EQ(texts(m_dialog->transferList()),
              QStringList{QStringLiteral("2ch 2024/05/09 単相:PT:1.0,CT:1.0")});
    EXPECT_EQ(m_prompt.asked().size(), 1u);
}

TEST_F(CutReceptionTest, NothingWholeOffersNothingAndSaysSo) {
    receive(ReceptionHandover(circuitOf({dayOfMay2024(1, 1)})));
    receive(cutHandover({}, "完全に届いた測定データはありません。"));
    // The list keeps what it had; the user reads why nothing came.
    EXPECT_EQ(texts(m_dialog->transferList()),
              QStringList{QStringLiteral("1ch 2024/05/01 単相:PT:1.0,CT:1.0")});
    ASSERT_EQ(m_prompt.asked().size(), 1u);
    EXPECT_EQ(u8(m_prompt.asked()[0].text), "完全に届いた測定データはありません。");
}

// The recorder on a pseudo-terminal stops inside the listing of a day: through the real
// reception dialog the whole days come into the transfer list and are filed with "← 追加" and
// OK; the capture file imports the same days with the same message.
struct PtyTransfer {
    PtyTransfer() {
        folder = fs::path(::testing::TempDir()) /
                 ("cutreception_" +
                  std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(folder);
        fs::create_directories(folder);
        const std::string path = recorder.slavePath();
        request.port.portNumber = 1;
        request.deviceLookup = [path](int n) { return n == 1 ? path : std::string(); };
        request.captureFolder = (folder / "RECEIVED").string();
        request.timings.settle = std::chrono::milliseconds(20);
        request.timings.interByteMs = 1000;
        request.timings.endPause = std::chrono::milliseconds(0);
        Customer& c = store.at(store.insert(sj("新工場")));
        c.circuits.insert(sj("一号"));
    }
    ~PtyTransfer() {
        if (writer.joinable())
            writer.join();
    }
    // "データ転送開始"; the recorder sends `bytes` once the reception dialog waits for it.
    void receive(CReadData& dialog, const std::string& bytes) {
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                auto* comm = qobject_cast<CCommRead*>(w);
                if (comm && comm->isVisible() && !writer.joinable() &&
                    comm->statusLine()->text() == QStringLiteral("機器からのデータ送信待ち"))
                    writer = std::thread([this, bytes] { recorder.writePaced(bytes, 115200); });
            }
        });
        poll.start(20);
        click(&dialog, res::IDC_RD_RECEIVE);
        poll.stop();
    }
    std::string capture() const {
        const auto files = ReceptionCapture::captureFiles(request.captureFolder);
        return files.size() == 1 ? (fs::path(request.captureFolder) / files[0]).string() : "";
    }

    fs::path folder;
    PtyPair recorder;
    ReceptionRequest request;
    MeasurementStore store;
    ScriptedPrompt prompt;
    std::thread writer;
};

std::string cutText(const char* reason, int kept, const char* day, const char* fileLabel,
                    const std::string& file) {
    std::string text = std::string(reason) + " ";
    text += kept > 0 ? "完全に届いた測定データは " + std::to_string(kept) + " 件です。"
                     : std::string("完全に届いた測定データはありません。");
    return text + " 途中で切れた " + day + " は取り込みません。 " + fileLabel + file;
}

TEST(CutReceptionEndToEnd, RecorderCutInsideTheThirdDayOffersAndFilesTheFirstTwo) {
    const FiveDayReport report;
    PtyTransfer run;
    CReadData dialog(
        run.store, [](MeasurementStore) {}, run.request, run.prompt);
    run.receive(dialog, report.cutInside(3));
    const std::string capture = run.capture();
    ASSERT_FALSE(capture.empty());
    QStringList offered;
    for (const MeasurementDay& day : report.firstDays(2).days)
        offered << qtFromCp932(DayListLabelWithChannel(day)) + kMark;
    EXPECT_TRUE(offered.front().startsWith(QStringLiteral("1ch 2024/03/01 単相:PT:")));
    EXPECT_EQ(texts(dialog.transferList()), offered);
    ASSERT_EQ(run.prompt.asked().size(), 1u);
    EXPECT_EQ(u8(run.prompt.asked()[0].text),
              cutText("記録計からの送信が測定データの途中で途切れました。", 2, "1ch 2024/03/03",
                      "受信ファイル：", capture));
    EXPECT_EQ(run.prompt.asked()[0].icon, PromptIcon::Warning);

    selectRows(dialog.transferList(), {0, 1});
    click(&dialog, res::IDC_RD_ADD);
    click(&dialog, res::IDOK);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    MeasurementStore filed = dialog.takeStore();
    EXPECT_EQ(filed.at(0).circuits.at(0).days, report.firstDays(2).days);

    // The capture brings back the same two days, with the same kind of message.
    CReadData again(
        run.store, [](MeasurementStore) {}, run.request, run.prompt);
    again.setFileChooser([&](const QString&) { return QString::fromStdString(capture); });
    click(&again, res::IDC_RD_IMPORT_FILE);
    EXPECT_EQ(texts(again.transferList()), offered);
    EXPECT_TRUE(again.transferDays().days == report.firstDays(2).days);
    EXPECT_TRUE(again.fromCutReception(0) && again.fromCutReception(1));
    ASSERT_EQ(run.prompt.asked().size(), 2u);
    EXPECT_EQ(u8(run.prompt.asked()[1].text),
              cutText("ファイルが測定データの途中で終わっています。", 2, "1ch 2024/03/03",
                      "ファイル：", capture));
}

TEST(CutReceptionEndToEnd, RecorderCutInsideTheFirstDayOffersNothingAndSaysSo) {
    const FiveDayReport report;
    PtyTransfer run;
    CReadData dialog(
        run.store, [](MeasurementStore) {}, run.request, run.prompt);
    run.receive(dialog, report.cutInside(1));
    EXPECT_EQ(dialog.transferList()->count(), 0);
    ASSERT_EQ(run.prompt.asked().size(), 1u);
    EXPECT_EQ(u8(run.prompt.asked()[0].text),
              cutText("記録計からの送信が測定データの途中で途切れました。", 0, "1ch 2024/03/01",
                      "受信ファイル：", run.capture()));
    dialog.reject();
}

} // namespace
