#include "app/gui/DataCommands.h"
#include "AppTestSupport.h"
#include "DialogTestSupport.h"
#include "app/AppSettings.h"
#include "app/gui/AppShell.h"
#include "app/gui/MainFrame.h"
#include "app/gui/OrvoViewDoc.h"
#include "app/gui/SelectorBar.h"
#include "common/Cp932.h"
#include "res/ResourceIds.h"
#include "store/DAT_Archive.h"
#include "store/DAT_DataFile.h"
#include "store/StoreTestSupport.h"
#include "store/gui/D_DataSave.h"
#include "store/gui/D_InputMonStartDay.h"
#include "support/ScriptedPrompt.h"
#include "tests/textout/WorkbookDump.h"
#include "textout/gui/D_TxtOut.h"
#include "transfer/gui/D_SelectData.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QProcess>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace apptest;
using namespace dlgtest;

namespace {

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeAll(const std::string& path, const std::string& bytes) {
    QFile f(QString::fromStdString(path));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

const std::vector<MeasurementDay> kThreeDays = {makeDay(2007, 1, 5), makeDay(2007, 1, 6, 700.0),
                                                makeDay(2007, 2, 7, 900.0)};

class DataCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_settings.init(utf8Path(m_dir), "orvoview");
        m_settings.readAll();
        m_doc.setProgramFolder(utf8Path(m_dir));
        m_doc.setMonthStartDay([this] { return m_settings.monthStartDay; });
        m_frame = std::make_unique<CMainFrame>(&m_doc, &m_settings);
        commands()->setPromptForTesting(&m_prompt);
        m_frame->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_frame.get()));
    }
    void TearDown() override { m_frame.reset(); }
    DataCommands* commands() const { return m_frame->dataCommands(); }
    CSelectorBar* bar() const { return m_frame->selectorBar(); }
    void run(int command) { m_frame->action(command)->trigger(); }
    int shownDay() const { return m_doc.currentSelection().dayIndex; }
    std::string file(const char* name) const { return utf8Path(m_dir) + "/" + name; }

    QTemporaryDir m_dir;
    AppSettings m_settings;
    COrvoViewDoc m_doc;
    std::unique_ptr<CMainFrame> m_frame;
    ScriptedPrompt m_prompt;
};

TEST_F(DataCommandsTest, PageKeysWithCtrlStepThroughTheStoredDaysAndStopAtTheEnds) {
    m_doc.replaceStore(makeStore(kThreeDays));
    m_doc.select({0, 0, 2, -1, -1}, 1);
    EXPECT_EQ(m_frame->action(res::ID_NEXT_DATA)->shortcut(), QKeySequence("Ctrl+PgDown"));
    EXPECT_EQ(m_frame->action(res::ID_PREV_DATA)->shortcut(), QKeySequence("Ctrl+PgUp"));
    m_frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_frame.get()));
    QTest::keyClick(m_frame.get(), Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(shownDay(), 2); // the last day stays
    QTest::keyClick(m_frame.get(), Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_EQ(shownDay(), 1);
    EXPECT_EQ(bar()->month()->currentText(), QStringLiteral("01"));
    EXPECT_EQ(bar()->day()->currentText(), QStringLiteral("06"));
    run(res::ID_PREV_DATA);
    run(res::ID_PREV_DATA);
    EXPECT_EQ(shownDay(), 0); // the first day stays
    run(res::ID_NEXT_DATA);
    EXPECT_EQ(shownDay(), 1);
}

TEST_F(DataCommandsTest, InMonthlyModeTheStepIsOneReportMonth) {
    m_doc.replaceStore(makeStore(kThreeDays));
    m_doc.select({0, 0, 0, -1, -1}, 1);
    choose(bar()->kind(), 1); // 月別: report month 2007/01
    ASSERT_EQ(m_doc.currentSelection().month, 1);
    run(res::ID_NEXT_DATA);
    EXPECT_EQ(m_doc.currentSelection().year, 2007);
    EXPECT_EQ(m_doc.currentSelection().month, 2);
    EXPECT_EQ(shownDay(), 2);
    EXPECT_EQ(bar()->month()->currentText(), QStringLiteral("02"));
    run(res::ID_NEXT_DATA); // no later month
    EXPECT_EQ(m_doc.currentSelection().month, 2);
    run(res::ID_PREV_DATA);
    EXPECT_EQ(m_doc.currentSelection().month, 1);
    EXPECT_EQ(shownDay(), 0);
}

TEST_F(DataCommandsTest, SelectionDialogResultIsShownInTheTable) {
    m_doc.replaceStore(makeStore(kThreeDays));
    whenModal([](QWidget* w) {
        auto* d = qobject_cast<CSelectData*>(w);
        ASSERT_NE(d, nullptr);
        d->days()->setCurrentRow(1);
        press(d, res::IDOK);
    });
    run(res::ID_SELECT_DATA);
    EXPECT_EQ(shownDay(), 1);
    EXPECT_EQ(m_frame->viewMode(), CMainFrame::ViewSheet);
    EXPECT_TRUE(m_frame->action(res::ID_TXT_OUT)->isEnabled());
}

TEST_F(DataCommandsTest, ImportOfAHostileFileTellsAndLeavesTheStoreUnchanged) {
    m_doc.replaceStore(makeStore(kThreeDays));
    m_doc.select({0, 0, 1, -1, -1}, 1);
    const MeasurementStore before = m_doc.store();
    struct Case {
        const char* name;
        std::string bytes;
        std::vector<const char*> heads; // the start of each message, in order
    };
    const Case cases[] = {
        {"huge circuit count", Bytes().u16(0xFFFF).u32(0x7FFFFFFF).str(), {"ｱｰｶｲﾌﾞ異常\n"}},
        {"huge name length",
         Bytes().u16(0).u8(0xFF).u16(0xFFFF).u32(0x7FFFFFF0).str(),
         {"ｱｰｶｲﾌﾞ異常\n"}},
        {"wrong signature",
         Bytes().u16(0).str("cust-19991231-xxxxxxxxxxx").i32(3).str("A").str(),
         {"データファイルが壊れている可能性があります", "例外発生\n"}},
        {"empty file", "", {"ｱｰｶｲﾌﾞ異常\n"}},
    };
    for (const Case& c : cases) {
        ScriptedPrompt prompt;
        commands()->setPromptForTesting(&prompt);
        writeAll(file("hostile.VLK"), c.bytes);
        commands()->setImportFileChooserForTesting(
            [this] { return QString::fromStdString(file("hostile.VLK")); });
        run(res::ID_CUST_IMPORT);
        ASSERT_EQ(prompt.asked().size(), c.heads.size()) << c.name;
        for (std::size_t i = 0; i < c.heads.size(); ++i)
            EXPECT_EQ(sjis::toUtf8(prompt.asked()[i].text).rfind(c.heads[i], 0), 0u)
                << c.name << ": " << sjis::toUtf8(prompt.asked()[i].text);
        EXPECT_EQ(datafile::encode({}, m_doc.store()), datafile::encode({}, before)) << c.name;
        EXPECT_EQ(shownDay(), 1) << c.name;
    }
}

TEST_F(DataCommandsTest, ImportOfATakenNameAddsTheNextFreeSuffixAndKeepsTheShownDay) {
    MeasurementStore store = makeStore(kThreeDays); // 東京工場
    store.insert("A");
    store.insert("A_1");
    m_doc.replaceStore(store);
    const int tokyo = m_doc.store().find(sj("東京工場"));
    m_doc.select({tokyo, 0, 1, -1, -1}, 1);
    Customer incoming;
    incoming.name = "A";
    incoming.circuits.insert("K");
    writeAll(file("a.VLK"), builders::exportFileBytes(incoming));
    commands()->setImportFileChooserForTesting(
        [this] { return QString::fromStdString(file("a.VLK")); });
    run(res::ID_CUST_IMPORT);
    ASSERT_EQ(m_prompt.asked().size(), 3u);
    EXPECT_EQ(sjis::toUtf8(m_prompt.asked()[0].text),
              "次の需要家データを取り込みます\nA\nよろしいですか");
    EXPECT_EQ(sjis::toUtf8(m_prompt.asked()[1].text),
              "取り込もうとしている需要家名は既に登録されています\n次の名前に変更して取り込みます\n"
              "A_2");
    // The success names the customer as stored and the file read.
    EXPECT_EQ(sjis::toUtf8(m_prompt.asked()[2].text),
              "需要家データを取り込みました。\nA_2\n" + file("a.VLK"));
    ASSERT_GE(m_doc.store().find("A_2"), 0);
    EXPECT_EQ(m_doc.store().at(m_doc.store().find("A_2")).circuits.count(), 1);
    EXPECT_EQ(sjis::toUtf8(m_doc.currentSelection().customerName), "東京工場");
    EXPECT_EQ(m_doc.currentSelection().day.date, DateTime::make(2007, 1, 6));
    EXPECT_EQ(bar()->day()->currentText(), QStringLiteral("06"));

    // Cancel in the file dialog and No to the question change nothing.
    const std::string bytes = datafile::encode({}, m_doc.store());
    commands()->setImportFileChooserForTesting([] { return QString(); });
    run(res::ID_CUST_IMPORT);
    commands()->setImportFileChooserForTesting(
        [this] { return QString::fromStdString(file("a.VLK")); });
    m_prompt.answer(PromptAnswer::No);
    run(res::ID_CUST_IMPORT);
    EXPECT_EQ(datafile::encode({}, m_doc.store()), bytes);
}

TEST_F(DataCommandsTest, MonthStartDayIsKeptForTheNextSelection) {
    m_doc.replaceStore(makeStore(kThreeDays));
    whenModal([](QWidget* w) {
        auto* d = qobject_cast<CInputMonStartDay*>(w);
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(d->edit()->text(), QStringLiteral("1"));
        d->edit()->setText(QStringLiteral("031"));
        press(d, res::IDOK);
    });
    run(res::ID_MON_START_DAY);
    EXPECT_EQ(m_settings.monthStartDay, 31);
    whenModal([](QWidget* w) { press(w, res::IDCANCEL); });
    run(res::ID_MON_START_DAY);
    EXPECT_EQ(m_settings.monthStartDay, 31);
}

TEST_F(DataCommandsTest, FrameAt1024x768WithTheStepButtons) {
    m_doc.replaceStore(makeStore(kThreeDays));
    m_doc.select({0, 0, 1, -1, -1}, 1);
    m_frame->resize(1024, 768);
    QTest::qWait(50);
    for (int id : {res::ID_PREV_DATA, res::ID_NEXT_DATA})
        EXPECT_TRUE(m_frame->action(id)->isEnabled());
    shot(m_frame.get(), "frame_1024x768_steps.png");
    auto* view = m_frame->findChild<QMenu*>("viewMenu");
    ASSERT_NE(view, nullptr);
    view->popup(m_frame->mapToGlobal(QPoint(150, 20)));
    QTest::qWait(50);
    shot(view, "view_menu.png");
    view->hide();
}

// ---- end to end with the real program and orvoview-cli -----------------------------------

class EndToEnd : public ::testing::Test {
protected:
    // The program folder with a data file holding 東京工場 / 受電 and three days.
    static void prepare(const QTemporaryDir& home) {
        QDir().mkpath(home.filePath("DATA"));
        writeAll(utf8Path(home) + "/DATA/Orvo.DAT",
                 datafile::encode(SerialSettings{}, makeStore(kThreeDays)));
    }
    // The program's start sequence on that folder; its messages go to `prompt`.
    static std::unique_ptr<AppShell> start(const QTemporaryDir& home, Prompt& prompt) {
        AppShell::Options o;
        o.folder = utf8Path(home);
        o.baseName = "orvoview";
        auto shell = std::make_unique<AppShell>(o);
        EXPECT_TRUE(shell->initInstance());
        shell->frame()->dataCommands()->setPromptForTesting(&prompt);
        return shell;
    }
    static QByteArray cli(const QStringList& args) {
        QProcess p;
        p.start(QStringLiteral(ORVOVIEW_CLI_EXE), args);
        EXPECT_TRUE(p.waitForFinished(60000));
        EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
        return p.readAllStandardOutput();
    }
};

TEST_F(EndToEnd, CsvThroughTheDialogEqualsTheCommandLine) {
    QTemporaryDir home, outGui, outCli;
    prepare(home);
    ScriptedPrompt prompt;
    auto shell = start(home, prompt);
    whenModal([](QWidget* w) {
        auto* d = qobject_cast<CSelectData*>(w);
        ASSERT_NE(d, nullptr);
        d->days()->setCurrentRow(1); // 2007-01-06
        press(d, res::IDOK);
    });
    shell->frame()->action(res::ID_SELECT_DATA)->trigger();
    QString written;
    whenModal([&](QWidget* w) {
        auto* d = qobject_cast<CTxtOut*>(w);
        ASSERT_NE(d, nullptr);
        d->folder()->setText(outGui.path());
        d->openAfter()->setChecked(false);
        written = d->fileName()->text();
        shot(d, "txt_out_program.png");
        press(d, res::IDOK);
    });
    shell->frame()->action(res::ID_TXT_OUT)->trigger();
    EXPECT_EQ(written, QStringLiteral("日報_東京工場_受電_20070106_1.CSV"));
    EXPECT_EQ(shell->settings().txtOutDir, outGui.path().toStdString());
    whenModal([](QWidget* w) {
        qobject_cast<CInputMonStartDay*>(w)->edit()->setText(QStringLiteral("21"));
        press(w, res::IDOK);
    });
    shell->frame()->action(res::ID_MON_START_DAY)->trigger();
    shell->exitInstance();
    shell.reset();
    // The settings reach the INI file at exit.
    const std::string ini = utf8Path(home) + "/orvoview.INI";
    EXPECT_EQ(iniValue(ini, "Param", "TxtOutDir"), outGui.path().toStdString());
    EXPECT_EQ(iniValue(ini, "Param", "TxtOutAppRun"), "0");
    EXPECT_EQ(iniValue(ini, "Param", "MonStartDay"), "21");

    cli({"csv", "--customer", "東京工場", "--circuit", "受電", "--day", "2007-01-06", "--out",
         outCli.path(), "--home", home.path()});
    const QByteArray gui = readAll(outGui.filePath(written));
    ASSERT_FALSE(gui.isEmpty());
    EXPECT_EQ(gui, readAll(outCli.filePath(written)));
}

TEST_F(EndToEnd, WorkbookThroughTheDialogCarriesTheAnalysisSheetWhenItsPageIsPrinted) {
    QTemporaryDir home, out;
    prepare(home);
    writeAll(utf8Path(home) + "/DATA/Analysis.INI", "[Print]\r\nAnalysisPage=1\r\n");
    ScriptedPrompt prompt;
    auto shell = start(home, prompt);
    whenModal([](QWidget* w) {
        auto* d = qobject_cast<CSelectData*>(w);
        ASSERT_NE(d, nullptr);
        d->days()->setCurrentRow(1); // 2007-01-06
        press(d, res::IDOK);
    });
    shell->frame()->action(res::ID_SELECT_DATA)->trigger();
    QString written;
    whenModal([&](QWidget* w) {
        auto* d = qobject_cast<CTxtOut*>(w);
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(d->windowTitle(), QStringLiteral("Excelに出力"));
        d->folder()->setText(out.path());
        d->openAfter()->setChecked(false);
        written = d->fileName()->text();
        shot(d, "xlsx_out.png");
        press(d, res::IDOK);
    });
    shell->frame()->action(res::ID_XLSX_OUT)->trigger();
    EXPECT_EQ(written, QStringLiteral("日報_東京工場_受電_20070106_1.xlsx"));
    ASSERT_FALSE(prompt.asked().empty());
    EXPECT_EQ(sjis::toUtf8(prompt.asked().back().text),
              "Excelファイルへ正常に出力しました\n" + out.filePath(written).toStdString());
    const auto book = workbook_dump::read(out.filePath(written).toStdString());
    EXPECT_EQ(book.sheets, (std::vector<std::string>{"日報 2007年1月6日", "分析"}));

    // Again: the overwrite question; No keeps the dialog open and the file as it was.
    const QByteArray before = readAll(out.filePath(written));
    prompt.answer(PromptAnswer::No);
    whenModal([&](QWidget* w) {
        auto* d = qobject_cast<CTxtOut*>(w);
        ASSERT_NE(d, nullptr);
        d->folder()->setText(out.path());
        press(d, res::IDOK);
        EXPECT_TRUE(d->isVisible());
        press(d, res::IDCANCEL);
    });
    shell->frame()->action(res::ID_XLSX_OUT)->trigger();
    EXPECT_NE(sjis::toUtf8(prompt.asked().back().text).find("上書きしますか"), std::string::npos);
    EXPECT_EQ(readAll(out.filePath(written)), before);
    EXPECT_EQ(shell->settings().txtOutDir, out.path().toStdString());
}

TEST_F(EndToEnd, ExportThenImportIntoAFreshFolderGivesTheSameData) {
    QTemporaryDir home, fresh, exports;
    prepare(home);
    ScriptedPrompt prompt;
    auto shell = start(home, prompt);
    whenModal([&](QWidget* w) {
        auto* d = qobject_cast<CDataSave*>(w);
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(d->fileName()->text(), QStringLiteral("東京工場.VLK"));
        d->folder()->setText(exports.path());
        press(d, res::IDOK);
        EXPECT_TRUE(d->isVisible()); // the dialog stays open after an export
        press(d, res::IDCANCEL);
    });
    shell->frame()->action(res::ID_CUST_EXPORT)->trigger();
    shell->exitInstance();
    shell.reset();
    const std::string ini = utf8Path(home) + "/orvoview.INI";
    EXPECT_EQ(iniValue(ini, "Filepath", "SaveDir"), exports.path().toStdString());
    EXPECT_EQ(sjis::toUtf8(iniValue(ini, "Filepath", "SaveFile")), "東京工場.VLK");

    auto second = start(fresh, prompt);
    second->frame()->dataCommands()->setImportFileChooserForTesting(
        [&] { return exports.filePath(QStringLiteral("東京工場.VLK")); });
    second->frame()->action(res::ID_CUST_IMPORT)->trigger();
    EXPECT_EQ(second->document()->store().count(), 1);
    second->exitInstance();
    second.reset();

    const QByteArray original = cli({"dump-data", home.filePath("DATA/Orvo.DAT")});
    ASSERT_FALSE(original.isEmpty());
    EXPECT_EQ(cli({"dump-data", fresh.filePath("DATA/Orvo.DAT")}), original);
}

} // namespace
