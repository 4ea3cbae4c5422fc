// The 分析 view inside the frame: switching to it, its tables, the limits it saves, screenshots.
#include "app/gui/ViewAnalysis.h"
#include "AppTestSupport.h"
#include "FrameFixture.h"
#include "analysis/AnalysisSettings.h"
#include "analysis/ReportAnalysis.h"
#include "app/AppSettings.h"
#include "app/gui/MainFrame.h"
#include "app/gui/OrvoViewDoc.h"
#include "common/Cp932.h"
#include "common/DialogTestSupport.h"
#include "res/ResourceIds.h"
#include "support/ScriptedPrompt.h"
#include "support/gui/PaneSplitter.h"
#include "textout/ReportHeader.h"
#include "textout/ValueFormat.h"
#include "tools/reportgen/ReportGenerator.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace apptest;

namespace {

class AnalysisViewTest : public FrameFixture {
protected:
    void SetUp() override {
        FrameFixture::SetUp();
        if (HasFatalFailure())
            return;
        QDir().mkpath(m_dir.path() + "/DATA");
        m_view =
            qobject_cast<CViewAnalysis*>(m_frame->splitter()->view(0, CMainFrame::ViewAnalysis));
        ASSERT_NE(m_view, nullptr);
        m_view->setPrompt(&m_prompt);
        m_frame->showView(CMainFrame::ViewAnalysis);
    }

    // Ten generated days of 15-minute 単相 data with outages, filed in one circuit.
    void loadGenerated() {
        ReportGenOptions o;
        o.seed = 7;
        o.firstDay = DateTime::make(2007, 1, 5);
        o.days = 10;
        o.intervalMinutes = 15;
        ReportGenerator generator(o);
        generator.generate();
        std::vector<MeasurementDay> days;
        for (int i = 0; i < generator.expectedDays().days.count(); ++i)
            days.push_back(generator.expectedDays().days.at(i));
        m_doc.replaceStore(makeStore(days));
    }
    template <class W> W* control(int id) const { return dlgtest::byId<W>(m_view, id); }
    QString cell(int tableId, int row, int column) const {
        QTableWidgetItem* item = control<QTableWidget>(tableId)->item(row, column);
        return item ? item->text() : QString();
    }
    // The value column of the demand table's row with this label.
    QString demandRow(const QString& label) const {
        QTableWidget* t = control<QTableWidget>(res::IDC_ANA_DEMAND);
        for (int r = 0; r < t->rowCount(); ++r)
            if (t->item(r, 0)->text() == label)
                return t->item(r, 1)->text();
        return "(none)";
    }

    ScriptedPrompt m_prompt; // outlives the frame, which TearDown closes first
    CViewAnalysis* m_view = nullptr;
};

} // namespace

TEST_F(AnalysisViewTest, CommandNeedsASelectionAndShowsTheView) {
    m_frame->showView(CMainFrame::ViewBlank);
    QAction* command = m_frame->action(res::ID_VIEW_ANALYSIS);
    ASSERT_NE(command, nullptr);
    EXPECT_EQ(command->text(), QStringLiteral("分析(&A)"));
    EXPECT_FALSE(command->isEnabled());
    loadGenerated();
    m_doc.select({0, 0, 3, -1, -1}, 1);
    m_frame->updateCommandUi();
    ASSERT_TRUE(command->isEnabled());
    command->trigger();
    EXPECT_EQ(m_frame->viewMode(), CMainFrame::ViewAnalysis);
    EXPECT_TRUE(m_view->isVisible());
    // A new selection through the selector keeps the analysis shown and refills it.
    m_frame->applySelectDataResult({0, 0, 4, -1, -1});
    EXPECT_EQ(m_frame->viewMode(), CMainFrame::ViewAnalysis);
    EXPECT_TRUE(control<QLabel>(res::IDC_ANA_HEADING)->text().contains("2007/01/09"));
}

TEST_F(AnalysisViewTest, HiddenViewFillsItsTablesWhenShown) {
    m_frame->showView(CMainFrame::ViewSheet);
    loadGenerated();
    m_doc.select({0, 0, 2, -1, -1}, 1);
    EXPECT_EQ(control<QTableWidget>(res::IDC_ANA_LARGEST)->rowCount(), 0) << "not yet";
    m_frame->showView(CMainFrame::ViewAnalysis);
    EXPECT_EQ(control<QTableWidget>(res::IDC_ANA_LARGEST)->rowCount(), 10);
    EXPECT_TRUE(control<QLabel>(res::IDC_ANA_HEADING)->text().contains("2007/01/07"));
}

TEST_F(AnalysisViewTest, TablesOfADailyAndAMonthlyReport) {
    loadGenerated();
    m_doc.select({0, 0, 0, -1, -1}, 1);
    const ReportAnalysis day = analyseDay(*m_doc.currentSelection().circuit, 0, CircuitLimits(), 1);
    ASSERT_NE(day.maximumDemand(), nullptr);
    EXPECT_TRUE(demandRow(QStringLiteral("最大電力[W]"))
                    .startsWith(QString::number(day.maximumDemand()->demand, 'f', 0)));
    EXPECT_EQ(control<QTableWidget>(res::IDC_ANA_LARGEST)->rowCount(), 10);
    EXPECT_EQ(control<QTableWidget>(res::IDC_ANA_STATISTICS)->rowCount(), 6)
        << "P, V1, V2, I1, I2, PF";
    EXPECT_EQ(cell(res::IDC_ANA_STATISTICS, 5, 0), QStringLiteral("力率[%]"));

    m_doc.select({0, 0, 0, 2007, 1}, 1);
    const ReportAnalysis month =
        analyseMonth(*m_doc.currentSelection().circuit, 2007, 1, CircuitLimits(), 1);
    EXPECT_EQ(control<QTableWidget>(res::IDC_ANA_GAPS)->rowCount(), month.incompleteDays());
    EXPECT_GT(month.incompleteDays(), 0) << "the generator makes outages now and then";
    EXPECT_EQ(demandRow(QStringLiteral("欠測のある日")),
              QStringLiteral("%1 日").arg(month.incompleteDays()));
    EXPECT_TRUE(control<QLabel>(res::IDC_ANA_HEADING)
                    ->text()
                    .contains("2007/01 (2007/01/01 - 2007/01/31)"));
}

TEST_F(AnalysisViewTest, SavedLimitsAreKeptPerCircuitAndCounted) {
    loadGenerated();
    m_doc.select({0, 0, 0, -1, -1}, 1);
    m_frame->showView(CMainFrame::ViewAnalysis);
    EXPECT_EQ(demandRow(QStringLiteral("契約電力超過(30分)")), "---");
    control<QDoubleSpinBox>(res::IDC_ANA_CONTRACT)->setValue(0.5); // kW: every half-hour above
    control<QComboBox>(res::IDC_ANA_BAND)->setCurrentIndex(3);
    EXPECT_TRUE(control<QDoubleSpinBox>(res::IDC_ANA_BAND_LOW)->isEnabled());
    control<QDoubleSpinBox>(res::IDC_ANA_BAND_LOW)->setValue(90.0);
    control<QDoubleSpinBox>(res::IDC_ANA_BAND_HIGH)->setValue(110.0);
    QTest::mouseClick(control<QPushButton>(res::IDC_ANA_SAVE), Qt::LeftButton);
    EXPECT_TRUE(m_prompt.asked().empty());
    EXPECT_EQ(demandRow(QStringLiteral("契約電力超過(30分)")), "48");
    EXPECT_EQ(demandRow(QStringLiteral("電圧範囲[V]")), QStringLiteral("90.0～110.0"));

    const AnalysisSettings saved = AnalysisSettings::load(analysisSettingsPath(m_doc.dataFolder()));
    const CircuitLimits l = saved.limitsFor(sj("東京工場"), sj("受電"));
    EXPECT_EQ(l.contractDemand, 500.0);
    EXPECT_EQ(l.band, VoltageBandKind::User);
    // Another selection reads them back.
    m_view->showLimits(CircuitLimits());
    m_doc.select({0, 0, 1, -1, -1}, 1);
    EXPECT_EQ(m_view->limitsFromControls(), l);
}

TEST_F(AnalysisViewTest, OverlayChoiceListsTheCircuitsDaysOrMonthsAndTellsTheViews) {
    loadGenerated();
    m_doc.select({0, 0, 8, -1, -1}, 1);
    QComboBox* of = control<QComboBox>(res::IDC_ANA_OVERLAY_OF);
    ASSERT_EQ(of->count(), 11) << "the default and the ten stored days";
    EXPECT_EQ(of->itemText(0), QStringLiteral("1週間前の同じ曜日"));
    EXPECT_EQ(of->itemText(1), QStringLiteral("2007/01/05 (金)"));
    EXPECT_FALSE(m_view->overlayChoice().day.isValid());
    struct Counter : CView {
        using CView::CView;
        void onUpdate(CView*, int h, const void* object) override {
            if (h == 101 && !object)
                ++refills;
        }
        int refills = 0;
    } graph(&m_doc);
    choose(of, 3);
    EXPECT_EQ(m_view->overlayChoice().day, DateTime::make(2007, 1, 7));
    EXPECT_EQ(graph.refills, 1);
    control<QCheckBox>(res::IDC_ANA_OVERLAY)->setChecked(false);
    EXPECT_FALSE(m_view->overlayChoice().shown);
    EXPECT_EQ(graph.refills, 2);

    m_doc.select({0, 0, 0, 2007, 1}, 1);
    EXPECT_EQ(items(of), (QStringList{"前の月", "2007/01"}));
    EXPECT_EQ(m_view->overlayChoice().day, DateTime::make(2007, 1, 7)) << "same circuit: kept";
}

// The settings file is read once per selection: graph refills (limit lines, comparison), paints
// and the print question use what was read.
TEST_F(AnalysisViewTest, SettingsAreReadOncePerSelectionNotPerRefillOrPaint) {
    loadGenerated();
    m_doc.select({0, 0, 0, -1, -1}, 1);
    const int reads = m_view->settingsReads();
    EXPECT_GE(reads, 1);
    QCheckBox* overlay = control<QCheckBox>(res::IDC_ANA_OVERLAY);
    overlay->setChecked(false); // every view refills
    overlay->setChecked(true);
    m_frame->showView(CMainFrame::ViewGraph);
    m_frame->repaint();
    EXPECT_FALSE(m_view->printPageWanted());
    EXPECT_EQ(m_view->settingsReads(), reads);
    m_doc.select({0, 0, 1, -1, -1}, 1);
    EXPECT_EQ(m_view->settingsReads(), reads + 1);
}

// Moving between the days and months of a circuit computes each day once; a replaced store
// (an accepted edit) is computed anew, even where its circuit has the old one's address.
TEST_F(AnalysisViewTest, DaysAreComputedOnceUntilTheStoreIsReplaced) {
    loadGenerated();
    m_doc.select({0, 0, 0, -1, -1}, 1);
    EXPECT_EQ(m_view->computedDays(), 10) << "the day and the twelve months up to it";
    const QString before = demandRow(QStringLiteral("最大電力[W]"));
    for (int day : {1, 2, 9})
        m_doc.select({0, 0, day, -1, -1}, 1);
    m_doc.select({0, 0, 0, 2007, 1}, 1);
    m_doc.select({0, 0, 0, -1, -1}, 1);
    EXPECT_EQ(m_view->computedDays(), 10);
    EXPECT_EQ(demandRow(QStringLiteral("最大電力[W]")), before);

    MeasurementStore doubled = m_doc.store();
    MeasurementCircuit& circuit = doubled.at(0).circuits.at(0);
    for (int d = 0; d < circuit.days.count(); ++d)
        for (int i = 0; i < circuit.days.at(d).data.intervals.count(); ++i)
            circuit.days.at(d).data.intervals.at(i).power *= 2.0;
    m_doc.replaceStore(std::move(doubled));
    m_doc.select({0, 0, 0, -1, -1}, 1);
    const ReportAnalysis expected =
        analyseDay(*m_doc.currentSelection().circuit, 0, CircuitLimits(), 1);
    ASSERT_NE(expected.maximumDemand(), nullptr);
    EXPECT_TRUE(demandRow(QStringLiteral("最大電力[W]"))
                    .startsWith(QString::number(expected.maximumDemand()->demand, 'f', 0) + " "));
    EXPECT_NE(demandRow(QStringLiteral("最大電力[W]")), before);
}

// A comparison chosen for one circuit is not carried to another: its list and choice start
// from the default.
TEST_F(AnalysisViewTest, AnotherCircuitStartsFromTheDefaultComparison) {
    loadGenerated();
    MeasurementStore store = m_doc.store();
    Customer& customer = store.at(0);
    MeasurementCircuit second = customer.circuits.at(0);
    customer.circuits.at(customer.circuits.insert(sj("予備"))).days = second.days;
    m_doc.replaceStore(std::move(store));
    const int first = m_doc.store().at(0).circuits.find(sj("受電"));
    const int other = m_doc.store().at(0).circuits.find(sj("予備"));
    m_doc.select({0, first, 8, -1, -1}, 1);
    QComboBox* of = control<QComboBox>(res::IDC_ANA_OVERLAY_OF);
    choose(of, 3);
    EXPECT_EQ(m_view->overlayChoice().day, DateTime::make(2007, 1, 7));
    m_doc.select({0, first, 7, -1, -1}, 1);
    EXPECT_EQ(m_view->overlayChoice().day, DateTime::make(2007, 1, 7)) << "same circuit";
    EXPECT_EQ(of->currentIndex(), 3);
    m_doc.select({0, other, 8, -1, -1}, 1);
    EXPECT_FALSE(m_view->overlayChoice().day.isValid());
    EXPECT_EQ(of->currentIndex(), 0);
}

TEST_F(AnalysisViewTest, PrintPageChoiceIsSavedWithTheLimits) {
    loadGenerated();
    m_doc.select({0, 0, 0, -1, -1}, 1);
    control<QCheckBox>(res::IDC_ANA_PRINT)->setChecked(true);
    ASSERT_TRUE(m_view->saveLimits());
    EXPECT_TRUE(
        AnalysisSettings::load(analysisSettingsPath(m_doc.dataFolder())).printAnalysisPage());
}

TEST_F(AnalysisViewTest, FailedSaveIsToldAndChangesNothing) {
    loadGenerated();
    m_doc.select({0, 0, 0, -1, -1}, 1);
    QDir(m_dir.path() + "/DATA").removeRecursively(); // no folder to write into
    EXPECT_FALSE(m_view->saveLimits());
    ASSERT_EQ(m_prompt.asked().size(), 1u);
    EXPECT_EQ(m_prompt.asked()[0].icon, PromptIcon::Stop);
    EXPECT_EQ(sjis::toUtf8(m_prompt.asked()[0].text).rfind("分析の設定を保存できませんでした", 0),
              0u);
}

TEST_F(AnalysisViewTest, ControlsCarryIdsNamesAndAccessibleNames) {
    for (int id :
         {res::IDC_ANA_CONTRACT, res::IDC_ANA_BAND, res::IDC_ANA_BAND_LOW, res::IDC_ANA_BAND_HIGH,
          res::IDC_ANA_PF, res::IDC_ANA_SAVE, res::IDC_ANA_OVERLAY, res::IDC_ANA_OVERLAY_OF,
          res::IDC_ANA_PRINT, res::IDC_ANA_HEADER, res::IDC_ANA_DEMAND, res::IDC_ANA_STATISTICS,
          res::IDC_ANA_LARGEST, res::IDC_ANA_GAPS}) {
        QWidget* w = control<QWidget>(id);
        ASSERT_NE(w, nullptr) << id;
        EXPECT_FALSE(w->objectName().isEmpty()) << id;
        if (id < res::IDC_ANA_DEMAND || id > res::IDC_ANA_HEADING) {
            EXPECT_FALSE(w->accessibleName().isEmpty()) << id;
        }
    }
    // Keyboard order: the limits from left to right, then the tables.
    QWidget* w = control<QWidget>(res::IDC_ANA_CONTRACT);
    const int order[] = {res::IDC_ANA_BAND,       res::IDC_ANA_BAND_LOW, res::IDC_ANA_BAND_HIGH,
                         res::IDC_ANA_PF,         res::IDC_ANA_SAVE,     res::IDC_ANA_OVERLAY,
                         res::IDC_ANA_OVERLAY_OF, res::IDC_ANA_PRINT,    res::IDC_ANA_HEADER,
                         res::IDC_ANA_DEMAND};
    for (int id : order) {
        w = w->nextInFocusChain();
        while (w->property("controlId").toInt() == 0 || w->focusPolicy() == Qt::NoFocus)
            w = w->nextInFocusChain();
        EXPECT_EQ(w->property("controlId").toInt(), id);
    }
}

TEST_F(AnalysisViewTest, ReportHeaderOpensFromTheViewAndTheFileMenuForTheShownCircuit) {
    loadGenerated();
    m_doc.select({0, 0, 0, -1, -1}, 1);
    m_frame->updateCommandUi();
    QAction* command = m_frame->action(res::ID_REPORT_HEADER);
    ASSERT_NE(command, nullptr);
    EXPECT_EQ(command->text(), QStringLiteral("報告書ヘッダーの設定(&H)..."));
    ASSERT_TRUE(command->isEnabled());
    auto* button = control<QAbstractButton>(res::IDC_ANA_HEADER);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->accessibleName(), QStringLiteral("報告書ヘッダー..."));
    const std::string customer = sjis::toUtf8(m_doc.currentSelection().customerName);
    int opened = 0;
    auto answer = [&](bool save) {
        QTimer::singleShot(0, [&, save] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            EXPECT_EQ(dialog->objectName(), QStringLiteral("reportHeaderDialog"));
            EXPECT_TRUE(dialog->findChild<QLabel*>("reportOfLabel")
                            ->text()
                            .contains(QString::fromStdString(customer)));
            ++opened;
            if (save) {
                dialog->findChild<QCheckBox*>("headerShown")->setChecked(true);
                dlgtest::press(dialog, res::IDOK);
            } else {
                dialog->reject();
            }
        });
    };
    answer(false);
    button->click();
    EXPECT_FALSE(QFile::exists(QString::fromStdString(reportHeaderPath(m_doc.dataFolder()))));
    answer(true);
    command->trigger();
    EXPECT_EQ(opened, 2);
    EXPECT_TRUE(ReportHeaderSettings::load(reportHeaderPath(m_doc.dataFolder())).shown());
}

TEST_F(AnalysisViewTest, Screenshots) {
    loadGenerated();
    m_doc.select({0, 0, 0, -1, -1}, 1);
    m_frame->showView(CMainFrame::ViewAnalysis);
    m_frame->resize(1280, 800);
    QTest::qWait(30);
    dlgtest::shot(m_frame.get(), "analysis-day.png");
    m_doc.select({0, 0, 0, 2007, 1}, 1);
    m_frame->resize(1024, 768);
    QTest::qWait(30);
    dlgtest::shot(m_frame.get(), "analysis-month-1024.png");
    EXPECT_TRUE(QFile::exists(QStringLiteral(ORVO_SHOT_DIR) + "/analysis-month-1024.png"));
}

TEST_F(AnalysisViewTest, NarrowWindowWrapsTheSettingsInsteadOfSqueezingThem) {
    loadGenerated();
    m_doc.select({0, 0, 0, -1, -1}, 1);
    for (int width : {1024, 560}) {
        SCOPED_TRACE(width);
        m_frame->resize(width, 740);
        QTest::qWait(30);
        const QList<QWidget*> controls = m_view->findChildren<QWidget*>();
        int settings = 0;
        for (QWidget* w : controls) {
            if (!w->isVisible() || qobject_cast<QTableWidget*>(w) != nullptr ||
                (qobject_cast<QLabel*>(w) == nullptr &&
                 qobject_cast<QAbstractButton*>(w) == nullptr))
                continue;
            ++settings;
            EXPECT_GE(w->width(), w->sizeHint().width())
                << w->objectName().toStdString() << " " << w->accessibleName().toStdString();
            EXPECT_LE(w->mapTo(m_view, QPoint(w->width(), 0)).x(), m_view->width())
                << w->objectName().toStdString();
        }
        EXPECT_GE(settings, 10);
    }
    dlgtest::shot(m_frame.get(), "analysis-narrow.png");
}

namespace {

// A 3相3線 circuit at 6.6 kV: the analysis names its phases 1 and 3 and its volts kV, as the
// table, the CSV and the printout do.
TEST_F(AnalysisViewTest, ThreePhaseThreeWireNamesPhasesAndUnitsAsTheTable) {
    ReportGenOptions o;
    o.seed = 3;
    o.firstDay = DateTime::make(2024, 5, 1);
    o.circuitType1 = CircuitThreePhase3Wire;
    ReportGenerator generator(o);
    generator.generate();
    MeasurementDay day = generator.expectedDays().days.at(0);
    for (int i = 0; i < day.data.intervals.count(); ++i)
        for (double& v : day.data.intervals.at(i).voltage)
            v *= 60.0;
    for (std::size_t k = 0; k < 3; ++k) {
        day.data.summary.averageVoltage[k] *= 60.0;
        day.data.summary.peakVoltage[k].value *= 60.0;
        day.data.summary.minVoltage[k].value *= 60.0;
    }
    m_doc.replaceStore(makeStore({day}));
    m_doc.select({0, 0, 0, -1, -1}, 1);
    m_frame->showView(CMainFrame::ViewAnalysis);
    m_frame->resize(1024, 768);
    QTest::qWait(30);
    QStringList labels;
    QTableWidget* statistics = control<QTableWidget>(res::IDC_ANA_STATISTICS);
    for (int r = 0; r < statistics->rowCount(); ++r)
        labels << statistics->item(r, 0)->text();
    const QString power =
        UseKilowatts(day.data.summary) ? QStringLiteral("kW") : QStringLiteral("W");
    EXPECT_TRUE(labels.contains(QStringLiteral("電力[%1]").arg(power)));
    for (const char* label : {"電圧1[kV]", "電圧3[kV]", "電流1[A]", "電流3[A]", "力率[%]"})
        EXPECT_TRUE(labels.contains(QString::fromUtf8(label))) << label;
    for (const char* label : {"電圧2[kV]", "電流2[A]", "電圧1(V)", "電圧2(V)"})
        EXPECT_FALSE(labels.contains(QString::fromUtf8(label))) << label;
    EXPECT_NE(demandRow(QStringLiteral("最大電力[%1]").arg(power)), QStringLiteral("(none)"));
    dlgtest::shot(m_frame.get(), "analysis-3p3w-kv-1024.png");
}

} // namespace
