#include "ViewFixture.h"
#include "app/gui/ViewGraph.h"
#include "app/gui/ViewSheet.h"
#include "common/Cp932.h"
#include <QScrollBar>

using namespace viewtest;

namespace {

// Screenshots of the table and the graph, at the frame's default size and at 1024 x 768, for
// looking at: <case>_table.png, <case>_graph.png and their _1024 variants.
class ViewShots : public ViewTest {
protected:
    void bothViews(const QString& name) {
        m_frame->showView(CMainFrame::ViewSheet);
        shots(name + "_table");
        m_frame->showView(CMainFrame::ViewGraph);
        shots(name + "_graph");
    }
};

TEST_F(ViewShots, SinglePhaseDayWithoutReverse) {
    ReportGenOptions o;
    o.firstDay = DateTime::make(2024, 5, 1);
    load(generatedDays(o));
    selectDaily(0);
    bothViews("single_phase");
    EXPECT_EQ(view<CViewSheet>(1)->sheet().measuredTable().text(1, 0), sj("電力[W]"));
}

TEST_F(ViewShots, FourWireDayWithReverseInKilowattsAndKilovolts) {
    load(fourWireKilowattDay());
    selectDaily(0);
    bothViews("four_wire_kw_kv");
    const SheetFlags& flags = view<CViewSheet>(1)->sheet().flags();
    EXPECT_TRUE(flags.kilowatts && flags.kilovolts && flags.reverse && flags.fourWire);
}

TEST_F(ViewShots, MonthlyReportWithMissingDays) {
    ReportGenOptions o;
    o.firstDay = DateTime::make(2024, 5, 1);
    o.days = 31;
    std::vector<MeasurementDay> all = generatedDays(o);
    std::vector<MeasurementDay> days;
    for (size_t i = 0; i < all.size(); ++i)
        if (i % 7 != 3 && i != 12)
            days.push_back(all[i]);
    load(days);
    selectMonthly(0, 2024, 5);
    bothViews("monthly_missing");
    EXPECT_EQ(view<CViewSheet>(1)->sheet().measuredTable().text(0, 4), sj("5/4(土)"));
    EXPECT_EQ(view<CViewSheet>(1)->sheet().measuredTable().text(1, 4), "");
}

TEST_F(ViewShots, MonthlyReportWithIncompleteDays) {
    load(incompleteMonth());
    selectMonthly(0, 2024, 5);
    m_frame->showView(CMainFrame::ViewSheet);
    SheetScreen& sheet = view<CViewSheet>(1)->sheet();
    EXPECT_EQ(sheet.measuredTable().text(0, 2), sj("5/2(木) ▲2"));
    EXPECT_EQ(sheet.measuredTable().text(0, 3), sj("5/3(金) ▲3"));
    EXPECT_EQ(sheet.incompleteLegend().text(), sj("▲n：欠測 n 区間（停電を含む）"));
    // Scrolled to the end, so that the mark of 5/31 shows too.
    for (QScrollBar* b : view<CViewSheet>(1)->findChildren<QScrollBar*>())
        if (b->orientation() == Qt::Vertical && b->isVisible())
            b->setSliderPosition(b->maximum());
    EXPECT_EQ(sheet.measuredTable().text(0, 31), sj("5/31(金) ▲40"));
    bothViews("monthly_incomplete");
}

TEST_F(ViewShots, OneMinuteDayScrolledToTheMiddle) {
    ReportGenOptions o;
    o.firstDay = DateTime::make(2024, 5, 1);
    o.intervalMinutes = 1;
    load(generatedDays(o));
    selectDaily(0);
    m_frame->showView(CMainFrame::ViewSheet);
    QApplication::processEvents();
    QScrollBar* bar = nullptr;
    for (QScrollBar* b : view<CViewSheet>(1)->findChildren<QScrollBar*>())
        if (b->orientation() == Qt::Vertical && b->isVisible())
            bar = b;
    ASSERT_NE(bar, nullptr);
    bar->setSliderPosition(720);
    EXPECT_EQ(view<CViewSheet>(1)->sheet().measuredTable().cellBox(0, 1).text(), "12:01");
    bothViews("one_minute_middle");
}

} // namespace

namespace {

// At 600 px the summary keeps its readable size; what does not fit loses its end.
TEST_F(ViewShots, NarrowWindowKeepsTheSummaryReadable) {
    ReportGenOptions o;
    o.firstDay = DateTime::make(2024, 5, 1);
    o.days = 31;
    load(generatedDays(o));
    selectMonthly(0, 2024, 5);
    m_frame->showView(CMainFrame::ViewSheet);
    m_frame->resize(600, 768);
    QApplication::processEvents();
    m_frame->grab().save(shotDir() + "/narrow_600_table.png");
    TextTable& summary = view<CViewSheet>(1)->sheet().summaryTable();
    for (int c : {0, 4}) {
        const TextBox& label = summary.cellBox(c, 0);
        EXPECT_GT(label.minimumHeight(), 0);
        EXPECT_GE(label.fittedName().height, label.minimumHeight()) << c;
    }
}

} // namespace
