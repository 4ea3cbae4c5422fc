#include "ViewFixture.h"
#include "app/gui/UpdateHints.h"
#include "app/gui/ViewGraph.h"
#include "app/gui/ViewSheet.h"
#include "res/ResourceIds.h"
#include "views/layout/gui/QPainterDeviceContext.h"
#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStatusBar>

using namespace viewtest;

namespace {

QScrollBar* verticalBar(QWidget* view) {
    for (QScrollBar* bar : view->findChildren<QScrollBar*>())
        if (bar->orientation() == Qt::Vertical && bar->isVisible())
            return bar;
    return nullptr;
}

ReportGenOptions oneDay(int interval = 30, int32_t type = CircuitSinglePhase,
                        bool reverse = false) {
    ReportGenOptions o;
    o.firstDay = DateTime::make(2024, 5, 1);
    o.intervalMinutes = interval;
    o.circuitType1 = type;
    o.reverse = reverse;
    return o;
}

TEST_F(ViewTest, TableAndGraphCommandsShowTheirViewsOnceSomethingIsSelected) {
    EXPECT_FALSE(m_frame->action(res::ID_VIEW_SHEET)->isEnabled());
    load(generatedDays(oneDay()));
    selectDaily(0);
    ASSERT_TRUE(m_frame->action(res::ID_VIEW_SHEET)->isEnabled());
    ASSERT_TRUE(m_frame->action(res::ID_VIEW_GRAPH)->isEnabled());
    m_frame->action(res::ID_VIEW_GRAPH)->trigger();
    EXPECT_EQ(m_frame->viewMode(), CMainFrame::ViewGraph);
    m_frame->action(res::ID_VIEW_SHEET)->trigger();
    EXPECT_EQ(m_frame->viewMode(), CMainFrame::ViewSheet);
    EXPECT_EQ(view<CViewSheet>(1)->sheet().measuredTable().dataRows(), 48 + 1);
}

TEST_F(ViewTest, SwitchingViewsKeepsTheTableScrolled) {
    load(generatedDays(oneDay(5)));
    selectDaily(0);
    m_frame->showView(CMainFrame::ViewSheet);
    QApplication::processEvents();
    QScrollBar* bar = verticalBar(view<CViewSheet>(1));
    ASSERT_NE(bar, nullptr);
    bar->setSliderPosition(100);
    ASSERT_EQ(bar->value(), 100);
    m_frame->showView(CMainFrame::ViewGraph);
    QApplication::processEvents();
    m_frame->showView(CMainFrame::ViewSheet);
    QApplication::processEvents();
    EXPECT_EQ(bar->value(), 100);
    EXPECT_EQ(view<CViewSheet>(1)->sheet().measuredTable().cellBox(0, 1).text(), "08:25");
}

TEST_F(ViewTest, KeyboardScrollsTheMeasuredTable) {
    load(generatedDays(oneDay(1)));
    selectDaily(0);
    m_frame->showView(CMainFrame::ViewSheet);
    auto* sheet = view<CViewSheet>(1);
    QApplication::processEvents();
    QScrollBar* bar = verticalBar(sheet);
    ASSERT_NE(bar, nullptr);
    struct Step {
        Qt::Key key;
        int position; // -1: the end
    };
    const Step steps[] = {{Qt::Key_Down, 1},
                          {Qt::Key_Down, 2},
                          {Qt::Key_Up, 1},
                          {Qt::Key_End, -1},
                          {Qt::Key_Home, 0}};
    for (const Step& s : steps) {
        QTest::keyClick(sheet, s.key);
        EXPECT_EQ(bar->value(), s.position < 0 ? bar->maximum() : s.position) << s.key;
    }
    QTest::keyClick(sheet, Qt::Key_PageDown);
    EXPECT_GT(bar->value(), 5);
}

TEST_F(ViewTest, ScaleBoxRedrawsTheGraphAtOnce) {
    load(generatedDays(oneDay()));
    selectDaily(0);
    m_frame->showView(CMainFrame::ViewGraph);
    auto* graph = view<CViewGraph>(2);
    QComboBox* power = m_frame->selectorBar()->power();
    const int index = power->findText(QStringLiteral("5000"));
    ASSERT_GE(index, 0);
    power->setCurrentIndex(index);
    emit power->activated(index);
    EXPECT_EQ(graph->graph().chart(GraphPage::PowerChart).series(0).maximum, 5000.0);
}

TEST_F(ViewTest, ScaleHintBeyondTheThirdBoxChangesNothing) {
    load(generatedDays(oneDay()));
    selectDaily(0);
    auto* graph = view<CViewGraph>(2);
    const GraphScales before = graph->scales();
    const double value = 7.0;
    graph->onUpdate(nullptr, hint::Scale + 3 * hint::ScaleStep, &value);
    graph->onUpdate(nullptr, hint::Select, nullptr);
    EXPECT_EQ(graph->scales().power, before.power);
    EXPECT_EQ(graph->scales().voltage, before.voltage);
    EXPECT_EQ(graph->scales().current, before.current);
    graph->onUpdate(nullptr, hint::scale(2), &value);
    EXPECT_EQ(graph->scales().current, 7.0);
}

TEST_F(ViewTest, CtrlCCopiesTabSeparatedText) {
    load(generatedDays(oneDay()));
    selectDaily(0);
    for (int index : {CMainFrame::ViewSheet, CMainFrame::ViewGraph}) {
        m_frame->showView(index);
        QWidget* v = m_frame->splitter()->view(0, index);
        QGuiApplication::clipboard()->clear();
        QTest::keyClick(v, Qt::Key_C, Qt::ControlModifier);
        const QStringList all = QGuiApplication::clipboard()->text().split('\n');
        // The table's copy starts with the title block (whose day it is); the graph's with
        // its columns.
        const qsizetype heading =
            all.indexOf(QRegularExpression(QStringLiteral("^時間\t電力\\[W\\]\t.*")));
        ASSERT_GE(heading, 0) << index;
        EXPECT_EQ(heading > 0, index == CMainFrame::ViewSheet);
        if (heading > 0) {
            EXPECT_TRUE(all.mid(0, heading).join('\n').contains(QStringLiteral("東京第一工場")));
        }
        const QStringList lines = all.mid(heading, 49);
        ASSERT_EQ(lines.size(), 49) << index;
        EXPECT_TRUE(lines[1].startsWith(QStringLiteral("00:30\t"))) << lines[1].toStdString();
        EXPECT_EQ(lines[1].count('\t'), lines[0].count('\t'));
        EXPECT_EQ(lines[48].count('\t'), lines[0].count('\t'));
    }
}

TEST_F(ViewTest, MouseOverAChartShowsTheNearestSample) {
    load(generatedDays(oneDay()));
    selectDaily(0);
    m_frame->showView(CMainFrame::ViewGraph);
    auto* graph = view<CViewGraph>(2);
    QApplication::processEvents();
    const TimeChart& chart = graph->graph().chart(GraphPage::PowerChart);
    QPainterDeviceContext dc(*graph);
    dc.setMapMode(MM_LOMETRIC);
    const Rect plot = chart.plotRect();
    const Point device = dc.toDevice(Point{chart.xOf(60), (plot.top + plot.bottom) / 2}); // 01:30
    QTest::mouseMove(graph, QPoint(device.x, device.y));
    const QString status = m_frame->statusBar()->currentMessage();
    EXPECT_TRUE(status.startsWith(QStringLiteral("01:30  電力="))) << status.toStdString();
}

} // namespace

// A new selection refills only the shown view; a hidden one refills when it is shown, once,
// however many selections came meanwhile.
TEST_F(ViewTest, OnlyTheShownViewRefillsAHiddenOneWhenShown) {
    struct CountingSheet : CViewSheet {
        using CViewSheet::CViewSheet;
        void refillScreen() override {
            ++refills;
            CViewSheet::refillScreen();
        }
        int refills = 0;
    };
    load(generatedDays(oneDay()));
    CountingSheet shown(&m_doc, m_frame.get());
    CountingSheet hidden(&m_doc, m_frame.get());
    shown.setGeometry(0, 0, 400, 300);
    hidden.setGeometry(0, 0, 400, 300);
    shown.show();
    hidden.hide();
    selectDaily(0);
    selectDaily(0);
    EXPECT_EQ(shown.refills, 2);
    EXPECT_EQ(hidden.refills, 0);
    hidden.show();
    EXPECT_EQ(hidden.refills, 1);
    EXPECT_EQ(hidden.sheet().measuredTable().dataRows(), 48 + 1) << "the selection made hidden";
    hidden.hide();
    hidden.show();
    EXPECT_EQ(hidden.refills, 1) << "nothing new to show";
}
