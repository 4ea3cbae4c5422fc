#include "app/gui/MainFrame.h"
#include "AppTestSupport.h"
#include "FrameFixture.h"
#include "app/AppSettings.h"
#include "app/gui/AboutDialog.h"
#include "app/gui/OrvoViewDoc.h"
#include "app/gui/OrvoViewView.h"
#include "app/gui/SelectorBar.h"
#include "app/gui/UpdateHints.h"
#include "app/gui/View.h"
#include "app/gui/ViewGraph.h"
#include "app/gui/ViewSheet.h"
#include "common/Cp932.h"
#include "common/DialogDriver.h"
#include "res/ResourceIds.h"
#include "support/gui/PaneSplitter.h"
#include "transfer/gui/D_ReadData.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QSet>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace apptest;

namespace {

// The box's own name and the text of the label it is announced with (its buddy).
QString accessibleNameOf(QWidget* widget) {
    QString labelText;
    if (QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(widget)) {
        for (const auto& [other, relation] : iface->relations(QAccessible::Label))
            labelText = other->text(QAccessible::Name);
    }
    return widget->accessibleName() + "|" + labelText;
}

// Records every hint the document sends.
class RecordingView : public CView {
public:
    using CView::CView;
    struct Update {
        int hint;
        const void* object;
        double value;
    };
    void onUpdate(CView*, int h, const void* object) override {
        const double value =
            hint::scaleBox(h) >= 0 && object ? *static_cast<const double*>(object) : 0.0;
        updates.push_back({h, object, value});
    }
    std::vector<Update> updates;
};

class FrameTest : public FrameFixture {
protected:
    CSelectorBar* bar() const { return m_frame->selectorBar(); }
    // Store with one customer and circuit; selects its day `index` as a daily report.
    void loadAndSelect(const std::vector<MeasurementDay>& days, int index) {
        m_doc.replaceStore(makeStore(days));
        m_doc.select({0, 0, index, -1, -1}, 1);
    }
    QString shot(const QString& name) {
        QDir().mkpath(QStringLiteral(ORVO_SHOT_DIR));
        const QString path = QStringLiteral(ORVO_SHOT_DIR) + "/" + name;
        m_frame->grab().save(path);
        return path;
    }
};

} // namespace

TEST_F(FrameTest, MenuCarriesEveryCommandWithItsText) {
    const std::pair<int, const char*> commands[] = {
        {res::ID_CUST_IMPORT, "需要家データの取り込み(&L)..."},
        {res::ID_CUST_EXPORT, "需要家データの切出し(&S)..."},
        {res::ID_TXT_OUT, "表示データをテキスト出力(CSV形式)(&C)"},
        {res::ID_XLSX_OUT, "Excelに出力(&E)..."},
        {res::ID_FILE_PRINT, "印刷...\tCtrl+P(&P)"},
        {res::ID_FILE_PRINT_PREVIEW, "印刷プレビュー(&V)..."},
        {res::ID_FILE_PDF, "PDFに出力(&F)..."},
        {res::ID_FILE_PRINT_SETUP, "プリンタの設定(&R)..."},
        {res::ID_APP_EXIT, "アプリケーションの終了(&X)"},
        {res::ID_CUST_EDIT, "需要家情報の編集(&I)..."},
        {res::ID_MON_START_DAY, "月報集計開始日の変更(&D)..."},
        {res::ID_SERIAL_SETTINGS, "通信設定(&C)..."},
        {res::ID_SELECT_DATA, "表示データの選択(&S)..."},
        {res::ID_READ_DATA, "機器からデータ転送(&M)..."},
        {res::ID_VIEW_SHEET, "表(&H)"},
        {res::ID_VIEW_GRAPH, "グラフ(&G)"},
        {res::ID_APP_ABOUT, "バージョン情報(&A)..."},
    };
    for (const auto& [id, text] : commands) {
        QAction* action = m_frame->action(id);
        ASSERT_NE(action, nullptr) << id;
        EXPECT_EQ(action->text(), QString::fromUtf8(text)) << id;
        EXPECT_EQ(action->property("controlId").toInt(), id);
    }
    EXPECT_EQ(m_frame->action(res::ID_FILE_PRINT)->shortcut(), QKeySequence("Ctrl+P"));
    EXPECT_NE(m_frame->action(res::ID_VIEW_TOOLBAR), nullptr);
    EXPECT_NE(m_frame->action(res::ID_VIEW_STATUS_BAR), nullptr);
}

TEST_F(FrameTest, CommandsWithoutTheirDialogStayDisabled) {
    for (int id :
         {res::ID_TXT_OUT, res::ID_FILE_PRINT, res::ID_FILE_PRINT_PREVIEW, res::ID_FILE_PDF,
          res::ID_VIEW_SHEET, res::ID_VIEW_GRAPH, res::ID_PREV_DATA, res::ID_NEXT_DATA})
        EXPECT_FALSE(m_frame->action(id)->isEnabled()) << id;
    // The data commands need no selection.
    for (int id : {res::ID_APP_EXIT, res::ID_APP_ABOUT, res::ID_VIEW_TOOLBAR,
                   res::ID_VIEW_STATUS_BAR, res::ID_SERIAL_SETTINGS, res::ID_READ_DATA,
                   res::ID_CUST_EDIT, res::ID_CUST_IMPORT, res::ID_FILE_PRINT_SETUP,
                   res::ID_CUST_EXPORT, res::ID_MON_START_DAY, res::ID_SELECT_DATA})
        EXPECT_TRUE(m_frame->action(id)->isEnabled()) << id;
}

TEST_F(FrameTest, CsvNeedsASelectionAndPreviousNextAStoredDayToStepTo) {
    const int guarded[] = {res::ID_TXT_OUT, res::ID_XLSX_OUT, res::ID_PREV_DATA, res::ID_NEXT_DATA};
    for (int id : guarded)
        EXPECT_FALSE(m_frame->action(id)->isEnabled()) << id;
    // One day: nothing before or after it.
    loadAndSelect({makeDay(2007, 1, 10)}, 0);
    EXPECT_TRUE(m_frame->action(res::ID_TXT_OUT)->isEnabled());
    EXPECT_TRUE(m_frame->action(res::ID_XLSX_OUT)->isEnabled());
    EXPECT_FALSE(m_frame->action(res::ID_PREV_DATA)->isEnabled());
    EXPECT_FALSE(m_frame->action(res::ID_NEXT_DATA)->isEnabled());
    // Three days: each end enables only the step that lands on a day.
    const struct {
        int shown;
        bool previous;
        bool next;
    } cases[] = {{0, false, true}, {1, true, true}, {2, true, false}};
    for (const auto& c : cases) {
        loadAndSelect({makeDay(2007, 1, 10), makeDay(2007, 1, 11), makeDay(2007, 1, 12)}, c.shown);
        EXPECT_EQ(m_frame->action(res::ID_PREV_DATA)->isEnabled(), c.previous) << c.shown;
        EXPECT_EQ(m_frame->action(res::ID_NEXT_DATA)->isEnabled(), c.next) << c.shown;
    }
}

TEST_F(FrameTest, TableGraphPrintAndCsvNeedAValidSelection) {
    const int guarded[] = {res::ID_VIEW_SHEET, res::ID_VIEW_GRAPH, res::ID_FILE_PRINT,
                           res::ID_TXT_OUT};
    for (int id : guarded)
        m_frame->setCommandHandler(id, [] {});
    m_frame->setCommandHandler(res::ID_SELECT_DATA, [] {});
    for (int id : guarded)
        EXPECT_FALSE(m_frame->action(id)->isEnabled()) << id;
    EXPECT_TRUE(m_frame->action(res::ID_SELECT_DATA)->isEnabled());

    loadAndSelect({makeDay(2007, 1, 10)}, 0);
    for (int id : guarded)
        EXPECT_TRUE(m_frame->action(id)->isEnabled()) << id;

    m_frame->applyEditedStore(makeStore({makeDay(2007, 1, 10)}));
    for (int id : guarded)
        EXPECT_FALSE(m_frame->action(id)->isEnabled()) << id;
}

TEST_F(FrameTest, SelectorBarStartsWithItsListsAndHiddenChannelBox) {
    EXPECT_EQ(items(bar()->kind()), (QStringList{"日別", "月別", "年報"}));
    EXPECT_EQ(bar()->kind()->currentIndex(), 0);
    EXPECT_EQ(bar()->power()->count(), 25);
    EXPECT_EQ(bar()->power()->currentText(), "1");
    EXPECT_EQ(bar()->voltage()->count(), 21);
    EXPECT_EQ(bar()->voltage()->currentText(), "1");
    EXPECT_EQ(bar()->current()->count(), 30);
    EXPECT_EQ(bar()->current()->currentIndex(), 20);
    EXPECT_EQ(bar()->current()->currentText(), "80");
    EXPECT_EQ(items(bar()->channel()), (QStringList{"1", "2"}));
    EXPECT_FALSE(bar()->channel()->isVisible());
    EXPECT_TRUE(bar()->day()->isVisible());
    // Controls are found by their ids.
    for (int id : {res::IDC_KIND, res::IDC_YEAR, res::IDC_MONTH, res::IDC_DAY, res::IDC_CHANNEL,
                   res::IDC_SCALE_POWER, res::IDC_SCALE_VOLTAGE, res::IDC_SCALE_CURRENT}) {
        int found = 0;
        for (QComboBox* box : bar()->findChildren<QComboBox*>())
            found += box->property("controlId").toInt() == id ? 1 : 0;
        EXPECT_EQ(found, 1) << id;
    }
    EXPECT_EQ(m_frame->windowTitle(), "Orvo.DAT - オルボ・ビュー");
    const QString path = shot("frame-empty.png");
    EXPECT_TRUE(QFile::exists(path));
}

TEST_F(FrameTest, DailyToMonthlyHidesTheDayAndListsReportMonths) {
    m_settings.monthStartDay = 21;
    loadAndSelect({makeDay(2006, 12, 20), makeDay(2007, 1, 10), makeDay(2007, 1, 25)}, 1);
    EXPECT_EQ(items(bar()->year()), (QStringList{"2006", "2007"}));
    EXPECT_EQ(bar()->year()->currentText(), "2007");
    EXPECT_EQ(items(bar()->month()), (QStringList{"01"}));
    EXPECT_EQ(items(bar()->day()), (QStringList{"10", "25"}));
    EXPECT_EQ(bar()->day()->currentText(), "10");

    choose(bar()->kind(), 1);
    EXPECT_FALSE(bar()->day()->isVisible());
    EXPECT_FALSE(bar()->dayLabel()->isVisible());
    // 2006-12-20 is in report month 2006/11, 2007-01-10 in 2006/12, 2007-01-25 in 2007/01.
    EXPECT_EQ(items(bar()->year()), (QStringList{"2006", "2007"}));
    EXPECT_EQ(bar()->year()->currentText(), "2006");
    EXPECT_EQ(items(bar()->month()), (QStringList{"11", "12"}));
    EXPECT_EQ(bar()->month()->currentText(), "12");
    const DisplaySelection& s = m_doc.currentSelection();
    EXPECT_EQ(s.year, 2006);
    EXPECT_EQ(s.month, 12);
    EXPECT_EQ(s.day.date, DateTime::make(2007, 1, 10));
    shot("frame-monthly.png");

    choose(bar()->kind(), 0);
    EXPECT_TRUE(bar()->day()->isVisible());
    EXPECT_EQ(m_doc.currentSelection().month, -1);
    EXPECT_EQ(bar()->year()->currentText(), "2007");
}

TEST_F(FrameTest, YearAndMonthChoicesSelectTheirFirstDay) {
    loadAndSelect(
        {makeDay(2006, 12, 20), makeDay(2007, 1, 10), makeDay(2007, 2, 3), makeDay(2007, 2, 9)}, 0);
    choose(bar()->year(), 1); // 2007
    EXPECT_EQ(items(bar()->month()), (QStringList{"01", "02"}));
    EXPECT_EQ(m_doc.currentSelection().day.date, DateTime::make(2007, 1, 10));
    choose(bar()->month(), 1); // 02
    EXPECT_EQ(items(bar()->day()), (QStringList{"03", "09"}));
    EXPECT_EQ(m_doc.currentSelection().day.date, DateTime::make(2007, 2, 3));
    choose(bar()->day(), 1);
    EXPECT_EQ(m_doc.currentSelection().day.date, DateTime::make(2007, 2, 9));
    choose(bar()->channel(), 1);
    EXPECT_EQ(m_doc.currentSelection().displayChannel, 2);
}

TEST_F(FrameTest, MonthlyChoiceNeverTakesADayBeforeTheReportMonth) {
    // The second channel's days sort after the first channel's: its earliest day must not
    // stand in for a month it does not belong to.
    MeasurementDay early = makeDay(2005, 6, 10);
    early.channel = 2;
    MeasurementDay march = makeDay(2006, 3, 15);
    march.channel = 2;
    loadAndSelect({makeDay(2006, 1, 5), early, march}, 0);
    choose(bar()->kind(), 1);
    ASSERT_EQ(bar()->year()->currentText(), "2006");
    EXPECT_EQ(items(bar()->month()), (QStringList{"01", "03"}));
    choose(bar()->month(), 1); // 03
    const DisplaySelection& s = m_doc.currentSelection();
    EXPECT_EQ(s.year, 2006);
    EXPECT_EQ(s.month, 3);
    EXPECT_EQ(s.day.date, DateTime::make(2006, 3, 15));
}

TEST_F(FrameTest, ScalePresetsPickTheSmallestListedValueNotBelowTheMaximum) {
    struct Case {
        double powerW;
        double maxDemand;
        const char* power;
        const char* label;
    };
    const Case cases[] = {
        {1234.0, 1234.0, "2000", "電力(W)："},
        {20000.0, 5000.0, "10000", "電力(W)："}, // above every entry: the first
        {0.0, 0.0, "1", "電力(W)："},
        {1000.0, 1000.0, "1000", "電力(W)："},  // a listed value is its own scale
        {12000.0, 12000.0, "20", "電力(kW)："}, // kW: 12 kW
    };
    for (const Case& c : cases) {
        loadAndSelect({makeDay(2007, 1, 10, c.powerW, 100.0, c.maxDemand)}, 0);
        EXPECT_EQ(bar()->power()->currentText(), c.power) << c.powerW;
        EXPECT_EQ(bar()->powerLabel()->text(), QString::fromUtf8(c.label)) << c.powerW;
    }
    loadAndSelect({makeDay(2007, 1, 10, 500.0, 6600.0)}, 0);
    EXPECT_EQ(bar()->voltageLabel()->text(), "電圧(kV)：");
    EXPECT_EQ(bar()->voltage()->currentText(), "10") << "6.6 kV";
    loadAndSelect({makeDay(2007, 1, 10, 500.0, 105.0)}, 0);
    EXPECT_EQ(bar()->voltageLabel()->text(), "電圧(V)：");
    EXPECT_EQ(bar()->voltage()->currentText(), "200");
    EXPECT_EQ(bar()->current()->currentText(), "20") << "12 A";
}

TEST_F(FrameTest, SelectAndScaleChangesReachTheViewsWithTheirHints) {
    RecordingView view(&m_doc);
    loadAndSelect({makeDay(2007, 1, 10, 1234.0)}, 0);
    ASSERT_EQ(view.updates.size(), 4u);
    EXPECT_EQ(view.updates[0].hint, 104);
    EXPECT_EQ(view.updates[0].value, 2000.0);
    EXPECT_EQ(view.updates[1].hint, 104 + 65536);
    EXPECT_EQ(view.updates[2].hint, 104 + 2 * 65536);
    EXPECT_EQ(view.updates[3].hint, 101);
    EXPECT_EQ(view.updates[3].object, &m_doc.currentSelection());

    view.updates.clear();
    choose(bar()->voltage(), 0);
    ASSERT_EQ(view.updates.size(), 4u);
    EXPECT_EQ(view.updates[1].hint, 104 + 65536);
    EXPECT_EQ(view.updates[1].value, 1000.0);
    EXPECT_EQ(view.updates[3].hint, 101);
    EXPECT_EQ(view.updates[3].object, nullptr);
}

TEST_F(FrameTest, ViewSwitchingFollowsTheDialogResults) {
    PaneSplitter* pane = m_frame->splitter();
    EXPECT_EQ(pane->name(), "main");
    ASSERT_EQ(pane->viewCount(0), 4);
    EXPECT_NE(qobject_cast<COrvoViewView*>(pane->view(0, 0)), nullptr);
    EXPECT_NE(qobject_cast<CViewSheet*>(pane->view(0, 1)), nullptr);
    EXPECT_NE(qobject_cast<CViewGraph*>(pane->view(0, 2)), nullptr);
    EXPECT_EQ(m_frame->viewMode(), CMainFrame::ViewBlank);
    EXPECT_TRUE(pane->view(0, 0)->isVisible());

    m_doc.replaceStore(makeStore({makeDay(2007, 1, 10), makeDay(2007, 1, 11)}));
    m_frame->applySelectDataResult({0, 0, 1, -1, -1});
    EXPECT_EQ(m_frame->viewMode(), CMainFrame::ViewSheet);
    EXPECT_TRUE(pane->view(0, 1)->isVisible());
    EXPECT_FALSE(pane->view(0, 0)->isVisible());
    EXPECT_EQ(m_doc.currentSelection().day.date, DateTime::make(2007, 1, 11));

    m_frame->showView(CMainFrame::ViewGraph);
    m_frame->applySelectDataResult({0, 0, 0, -1, -1});
    EXPECT_EQ(m_frame->viewMode(), CMainFrame::ViewGraph) << "the graph stays";

    m_frame->applyEditedStore(makeStore({makeDay(2007, 1, 10)}));
    EXPECT_EQ(m_frame->viewMode(), CMainFrame::ViewBlank);
    EXPECT_FALSE(m_doc.isSelectionValid());
    EXPECT_EQ(bar()->year()->count(), 0);

    m_frame->showView(-1);
    EXPECT_EQ(m_frame->viewMode(), CMainFrame::ViewSheet);
    m_frame->showView(CMainFrame::ViewAnalysis);
    m_frame->showView(-1);
    EXPECT_EQ(m_frame->viewMode(), CMainFrame::ViewBlank) << "wraps to the first view";
}

TEST_F(FrameTest, MonthlyDialogResultShowsTheReportMonthOfTheChosenDay) {
    m_settings.monthStartDay = 21;
    m_doc.replaceStore(makeStore({makeDay(2006, 12, 22), makeDay(2007, 1, 10)}));
    choose(bar()->kind(), 1);
    m_frame->applySelectDataResult({0, 0, 1, -1, -1});
    const DisplaySelection& s = m_doc.currentSelection();
    EXPECT_EQ(s.year, 2006);
    EXPECT_EQ(s.month, 12);
    EXPECT_EQ(s.day.date, DateTime::make(2006, 12, 22)) << "first day of the window";
    ASSERT_NE(s.monthSummary, nullptr);
}

TEST_F(FrameTest, ScreenshotWithASelection) {
    m_frame->resize(1100, 600);
    loadAndSelect({makeDay(2007, 1, 10, 1234.0, 210.0), makeDay(2007, 1, 11)}, 0);
    QTest::qWait(20);
    const QString path = shot("frame-selected.png");
    EXPECT_TRUE(QFile::exists(path));
    // The file menu with its disabled dialog commands.
    QMenu* file = m_frame->findChild<QMenu*>("fileMenu");
    ASSERT_NE(file, nullptr);
    file->popup(m_frame->mapToGlobal(QPoint(0, 20)));
    QTest::qWait(20);
    file->grab().save(QStringLiteral(ORVO_SHOT_DIR) + "/menu-file.png");
    file->hide();
}

// Hiding the day box for a month and showing it again leaves the bar as it was: no empty row.
TEST_F(FrameTest, SelectorBarKeepsItsHeightThroughAMonthAndBack) {
    loadAndSelect({makeDay(2007, 1, 10), makeDay(2007, 1, 11)}, 0);
    for (int width : {1280, 1024, 600}) {
        SCOPED_TRACE(width);
        m_frame->resize(width, 700);
        QTest::qWait(20);
        const int daily = bar()->height();
        const int rows = bar()->isWrapped();
        for (int kind : {1, 0}) {
            bar()->kind()->setCurrentIndex(kind);
            emit bar()->kind()->activated(kind);
            QTest::qWait(20);
        }
        EXPECT_EQ(bar()->isWrapped(), rows);
        EXPECT_EQ(bar()->height(), daily);
        EXPECT_EQ(bar()->sizeHint().height(), daily);
    }
}

TEST_F(FrameTest, NarrowWindowKeepsEverySelectorControlVisibleNamedAndReachable) {
    constexpr int kNarrow = 600;
    EXPECT_LT(m_frame->minimumSizeHint().width(), kNarrow);
    loadAndSelect({makeDay(2007, 1, 10, 1234.0, 210.0), makeDay(2007, 1, 11)}, 0);
    m_frame->resize(1024, 700);
    QTest::qWait(20);
    shot("frame-1024.png");
    EXPECT_FALSE(bar()->isWrapped()) << "one row where it fits";
    m_frame->resize(kNarrow, 500);
    QTest::qWait(20);
    EXPECT_EQ(m_frame->width(), kNarrow);
    shot("frame-narrow.png");
    EXPECT_TRUE(bar()->isWrapped());

    const QList<QComboBox*> boxes = {bar()->kind(),   bar()->year(),  bar()->month(),
                                     bar()->day(),    bar()->power(), bar()->voltage(),
                                     bar()->current()};
    std::vector<QRect> placed;
    for (QComboBox* box : boxes) {
        SCOPED_TRACE(box->objectName().toStdString());
        EXPECT_TRUE(box->isVisible());
        const QRect r(box->mapTo(m_frame.get(), QPoint(0, 0)), box->size());
        EXPECT_GE(r.left(), 0);
        EXPECT_LE(r.right(), m_frame->width() - 1) << "cut off at the right";
        EXPECT_GE(r.width(), box->minimumSizeHint().width()) << "squeezed below its text";
        for (const QRect& other : placed)
            EXPECT_FALSE(r.intersects(other)) << "overlaps another box";
        placed.push_back(r);
        const QStringList name = accessibleNameOf(box).split('|');
        EXPECT_FALSE(name[0].isEmpty());
        EXPECT_TRUE(name[1].startsWith(name[0])) << "named by its label";
    }
    // The label reads as the box does: without its colon.
    EXPECT_EQ(accessibleNameOf(bar()->kind()), "種類|種類");
    EXPECT_EQ(accessibleNameOf(bar()->power()), "電力(W)|電力(W)")
        << "follows the unit of the report";
    EXPECT_EQ(accessibleNameOf(bar()->current()), "電流(A)|電流(A)");

    // Tab from the first box walks through every box of the bar.
    QSet<QComboBox*> reached;
    QWidget* w = bar()->kind();
    for (int i = 0; i < 64 && w; ++i, w = w->nextInFocusChain()) {
        if (auto* box = qobject_cast<QComboBox*>(w);
            box && box->isVisible() && (box->focusPolicy() & Qt::TabFocus))
            reached.insert(box);
    }
    for (QComboBox* box : boxes)
        EXPECT_TRUE(reached.contains(box)) << box->objectName().toStdString();

    // The monthly bar and the table at that width, to look at.
    choose(bar()->kind(), 1);
    m_frame->showView(CMainFrame::ViewSheet);
    QTest::qWait(20);
    EXPECT_LE(m_frame->width(), kNarrow);
    shot("frame-narrow-monthly-table.png");
}

TEST(AboutBox, ShowsTheFileVersionAndTheProgramFolder) {
    CAboutDlg dialog(QStringLiteral("/home/u/.local/share/OrvoView"));
    QLabel* version = dialog.findChild<QLabel*>("versionText");
    ASSERT_NE(version, nullptr);
    EXPECT_EQ(version->text(), "Version：1.0.0.0");
    QLabel* folder = dialog.findChild<QLabel*>("programFolder");
    ASSERT_NE(folder, nullptr);
    EXPECT_EQ(folder->text(), "プログラムフォルダ：/home/u/.local/share/OrvoView");
    // The program's own icon, from the resources, in the sizes the desktop asks for.
    EXPECT_EQ(programIcon().availableSizes().size(), 7);
    EXPECT_EQ(programIcon().pixmap(256, 256).width(), 256);
    QDir().mkpath(QStringLiteral(ORVO_SHOT_DIR));
    dialog.grab().save(QStringLiteral(ORVO_SHOT_DIR) + "/about.png");
}

// ---- the editing commands --------------------------------------------------------------------

namespace {

// Runs `drive` on the modal dialog the command opens; true when the drive closed it.
template <class Drive> bool runCommand(CMainFrame& frame, int id, Drive drive) {
    bool driven = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        drive(dialog);
        driven = !dialog->isVisible();
        if (!driven)
            dialog->reject(); // a failed step must not leave the test waiting on the dialog
    });
    frame.action(id)->trigger();
    return driven;
}

// The transfer dialog receives these days instead of reading a port.
void receiveInto(QWidget* dialog, std::vector<MeasurementDay> days) {
    auto* readData = qobject_cast<CReadData*>(dialog);
    ASSERT_NE(readData, nullptr);
    readData->setReceiver([days](const ReceptionRequest&) {
        MeasurementCircuit received;
        for (MeasurementDay d : days)
            received.addOrReplaceDay(d);
        return std::optional(received);
    });
    dialogtest::click(dialog, res::IDC_RD_RECEIVE);
}

} // namespace

TEST_F(FrameTest, TransferCancelledAfterMovingDaysLeavesTheDocumentUnchanged) {
    loadAndSelect({makeDay(2007, 1, 10)}, 0);
    const MeasurementStore before = m_doc.store();
    ASSERT_TRUE(runCommand(*m_frame, res::ID_READ_DATA, [](QWidget* dialog) {
        receiveInto(dialog, {makeDay(2007, 1, 11), makeDay(2007, 1, 12)});
        auto* readData = qobject_cast<CReadData*>(dialog);
        dialogtest::selectRows(readData->transferList(), {0, 1});
        dialogtest::click(dialog, res::IDC_RD_ADD);
        EXPECT_EQ(readData->storedList()->count(), 3);
        dialogtest::click(dialog, res::IDCANCEL);
    }));
    EXPECT_EQ(m_doc.store(), before);
    EXPECT_TRUE(m_doc.isSelectionValid()) << "Cancel leaves the selection alone";
}

TEST_F(FrameTest, TransferOkReplacesTheStoreAndResetsTheSelection) {
    loadAndSelect({makeDay(2007, 1, 10)}, 0);
    m_frame->showView(CMainFrame::ViewSheet);
    ASSERT_TRUE(runCommand(*m_frame, res::ID_READ_DATA, [](QWidget* dialog) {
        auto* readData = qobject_cast<CReadData*>(dialog);
        EXPECT_EQ(readData->circuitCombo()->currentText(), QStringLiteral("受電"));
        MeasurementDay ch2 = makeDay(2007, 1, 11);
        ch2.channel = 2;
        receiveInto(dialog, {ch2});
        dialogtest::selectRows(readData->transferList(), {0});
        dialogtest::click(dialog, res::IDC_RD_ADD);
        dialogtest::click(dialog, res::IDOK);
    }));
    ASSERT_EQ(m_doc.store().at(0).circuits.at(0).days.count(), 2);
    EXPECT_EQ(m_doc.store().at(0).circuits.at(0).days.at(1).channel, 1);
    EXPECT_FALSE(m_doc.isSelectionValid());
    EXPECT_EQ(m_frame->viewMode(), CMainFrame::ViewBlank);
    EXPECT_EQ(bar()->year()->count(), 0);
}

TEST_F(FrameTest, CustomerEditCancelKeepsAndOkReplacesTheStore) {
    loadAndSelect({makeDay(2007, 1, 10)}, 0);
    const MeasurementStore before = m_doc.store();
    ASSERT_TRUE(runCommand(*m_frame, res::ID_CUST_EDIT, [](QWidget* dialog) {
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("需要家情報"));
        // The removal asks first: answer Yes in its box.
        QTimer::singleShot(0, [] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
                box->button(QMessageBox::Yes)->click();
        });
        dialogtest::click(dialog, res::IDC_CUST_REMOVE);
        dialogtest::click(dialog, res::IDCANCEL);
    }));
    EXPECT_EQ(m_doc.store(), before);
    EXPECT_TRUE(m_doc.isSelectionValid());

    ASSERT_TRUE(runCommand(*m_frame, res::ID_CUST_EDIT, [](QWidget* dialog) {
        dialogtest::byId<QLineEdit>(dialog, res::IDC_CUST_NAME)->setText(QStringLiteral("大阪"));
        dialogtest::click(dialog, res::IDC_CUST_ADD);
        dialogtest::click(dialog, res::IDOK);
    }));
    EXPECT_EQ(m_doc.store().count(), 2);
    EXPECT_FALSE(m_doc.isSelectionValid()) << "the views show nothing until a new selection";
    EXPECT_EQ(m_frame->viewMode(), CMainFrame::ViewBlank);
}

TEST_F(FrameTest, ImportFolderIsRememberedInTheIni) {
    ASSERT_TRUE(runCommand(*m_frame, res::ID_READ_DATA, [](QWidget* dialog) {
        auto* readData = qobject_cast<CReadData*>(dialog);
        readData->setFileChooser([](const QString&) { return QStringLiteral("/srv/受信/a.txt"); });
        readData->setReceiver([](const ReceptionRequest&) { return std::nullopt; });
        dialogtest::click(dialog, res::IDC_RD_IMPORT_FILE);
        dialogtest::click(dialog, res::IDCANCEL);
    }));
    EXPECT_EQ(iniValue(m_settings.iniPath(), "Filepath", "ImportDir"), sj("/srv/受信"));
}
