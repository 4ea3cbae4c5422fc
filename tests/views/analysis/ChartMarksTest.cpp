// Gaps and outages marked on the chart points, and the comparison curve.
#include "views/analysis/ChartMarks.h"
#include "analysis/AnalysisFixtures.h"
#include "analysis/Overlay.h"
#include "support/Sjis.h"
#include "views/layout/ChartRules.h"

#include <gtest/gtest.h>

namespace {

const DateTime kDay = DateTime::make(2024, 5, 1);

// A chart with one curve of the day's power, x from the first sample as the graph draws it.
void fillChart(TimeChart& chart, const MeasurementDay& d) {
    TimeAxis axis;
    axis.startDate = d.data.intervals.at(0).time;
    axis.maximum = 1440;
    chart.setAxis(axis);
    ChartSeries& s = chart.addSeries();
    s.minimum = 0;
    s.maximum = 100;
    for (int i = 0; i < d.data.intervals.count(); ++i)
        s.addPoint(chart_rules::wholeMinutesBetween(axis.startDate, d.data.intervals.at(i).time),
                   d.data.intervals.at(i).power);
}

TEST(ChartMarks, DayGapBreaksAndOutageHides) {
    MeasurementDay d = fixtures::flatDay(kDay, 30, 50.0);
    fixtures::removeSampleAt(d, 120);
    fixtures::removeSampleAt(d, 150);
    fixtures::sampleAt(d, 600).voltage = {0.0, 0.0, 0.0};
    TimeChart chart;
    fillChart(chart, d);
    markDayGaps(chart, d.data, d.date, chart.axis().startDate);
    std::vector<int> breaks, hidden;
    for (const ChartSeries::Point& p : chart.series(0).points) {
        if (p.breakBefore)
            breaks.push_back(static_cast<int>(p.minutes) + 30);
        if (p.hidden)
            hidden.push_back(static_cast<int>(p.minutes) + 30);
    }
    EXPECT_EQ(breaks, (std::vector<int>{30, 180, 630}));
    EXPECT_EQ(hidden, (std::vector<int>{600}));
}

TEST(ChartMarks, MonthLineBreaksAtAMissingDay) {
    TimeChart chart;
    ChartSeries& s = chart.addSeries();
    for (int day : {0, 1, 3, 4, 5, 9})
        s.addPoint(day * 1440.0, 1.0);
    markMonthGaps(chart);
    std::vector<bool> breaks;
    for (const ChartSeries::Point& p : s.points)
        breaks.push_back(p.breakBefore);
    EXPECT_EQ(breaks, (std::vector<bool>{false, false, true, false, false, true}));
}

TEST(ChartMarks, ComparisonCurveSharesTheFirstAxisAndLeavesOffAxisPointsOut) {
    MeasurementDay shown = fixtures::flatDay(kDay, 60, 50.0);
    MeasurementDay other = fixtures::day(kDay.addDays(-7), 60, [](int m) { return m * 1.0; });
    fixtures::sampleAt(other, 300).voltage = {0.0, 0.0, 0.0};
    TimeChart chart;
    fillChart(chart, shown);
    // The axis starts at 01:00, the first sample of the shown day.
    const ChartSeries& c = addComparisonCurve(chart, dayPowerCurve(other.data, other.date), 60.0,
                                              0.001, "cmp", rgb(1, 2, 3));
    EXPECT_EQ(c.minimum, chart.series(0).minimum);
    EXPECT_EQ(c.maximum, chart.series(0).maximum);
    EXPECT_EQ(c.ownAxis, 0);
    ASSERT_EQ(c.points.size(), 23u) << "the 05:00 outage point is left out";
    EXPECT_EQ(c.points[0].minutes, 0.0);
    EXPECT_DOUBLE_EQ(c.points[0].value.toDouble(), 0.06);
    EXPECT_TRUE(c.points[4].breakBefore) << "06:00 follows the outage";
    EXPECT_FALSE(c.points[3].breakBefore);
}

} // namespace

namespace {

// A circuit of three 30-minute days a week apart and one day later; the power chart of the
// last day as the graph fills it: power bars (W) and the power-factor line.
struct MarksFixture : ::testing::Test {
    void SetUp() override {
        for (int d : {-7, -1, 0}) {
            MeasurementDay day = fixtures::flatDay(kDay.addDays(d), 30, 1000.0 + d);
            day.data.summary.averageVoltage[0] = 101.0;
            circuit.addOrReplaceDay(day);
        }
        selection.customerName = "c";
        selection.circuit = &circuit;
        selection.dayIndex = 2;
        selection.day = circuit.days.at(2);
        fill.selection = &selection;
        fill.start = selection.day.data.intervals.at(0).time;
    }
    void fillChart(TimeChart& chart, bool withPowerFactor) {
        TimeAxis axis;
        axis.startDate = fill.start;
        axis.maximum = 1410;
        chart.setAxis(axis);
        ChartSeries& p = chart.addSeries();
        p.maximum = 5000;
        p.style = ChartSeries::Bars;
        if (withPowerFactor) {
            ChartSeries& pf = chart.addSeries();
            pf.maximum = ChartSeries::PowerFactorMaximum;
        }
        for (std::size_t k = 0; k < chart.seriesCount(); ++k)
            for (int m = 0; m <= 1410; m += 30)
                chart.series(k).addPoint(m, 50);
    }

    MeasurementCircuit circuit;
    DisplaySelection selection;
    ChartFill fill;
};

struct MarksCase {
    const char* name;
    ChartRole role;
    bool printing;
    double contract;
    bool overlayShown;
    std::size_t levels;
    std::size_t series; // after the marks
};

class MarksTable : public MarksFixture, public ::testing::WithParamInterface<MarksCase> {};

TEST_P(MarksTable, LimitLinesAndComparisonOnScreenOnly) {
    const MarksCase& c = GetParam();
    TimeChart chart;
    fillChart(chart, c.role == ChartRole::Power);
    fill.printing = c.printing;
    CircuitLimits limits;
    limits.contractDemand = c.contract;
    OverlayChoice overlay;
    overlay.shown = c.overlayShown;
    addAnalysisMarks(c.role, chart, fill, limits, overlay, 1);
    EXPECT_EQ(chart.levels().size(), c.levels);
    EXPECT_EQ(chart.seriesCount(), c.series);
}

INSTANTIATE_TEST_SUITE_P(
    Charts, MarksTable,
    ::testing::Values(
        // Contract line and power-factor line; the week-earlier comparison.
        MarksCase{"power_screen", ChartRole::Power, false, 2000, true, 2, 3},
        MarksCase{"power_no_contract_no_comparison", ChartRole::Power, false, 0, false, 1, 2},
        MarksCase{"power_printed_stays", ChartRole::Power, true, 2000, true, 0, 2},
        // The automatic 101 ± 6 V band: two lines.
        MarksCase{"voltage_screen", ChartRole::Voltage, false, 0, true, 2, 1},
        MarksCase{"voltage_printed_stays", ChartRole::Voltage, true, 0, true, 0, 1},
        MarksCase{"current_nothing", ChartRole::Current, false, 2000, true, 0, 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MarksFixture, ComparisonIsTheWeekEarlierDayOnTheShownAxis) {
    TimeChart chart;
    fillChart(chart, true);
    addAnalysisMarks(ChartRole::Power, chart, fill, CircuitLimits(), OverlayChoice(), 1);
    ASSERT_EQ(chart.seriesCount(), 3u);
    const ChartSeries& cmp = chart.series(2);
    EXPECT_EQ(sjis::toUtf8(cmp.name), "比較 04/24");
    ASSERT_EQ(cmp.points.size(), 48u);
    EXPECT_EQ(cmp.points[0].minutes, 0.0) << "00:30 of both days at minute 0 of the axis";
    EXPECT_DOUBLE_EQ(cmp.points[0].value.toDouble(), 993.0);
    EXPECT_EQ(chart.levels()[0].value, 85.0);
    EXPECT_EQ(chart.levels()[0].series, 1u) << "the threshold on the power-factor axis";
}

TEST_F(MarksFixture, MonthlyComparisonIsTheMonthBeforeAsDailyAveragePower) {
    MeasurementDay april = fixtures::flatDay(DateTime::make(2024, 4, 3), 30, 1.0);
    april.data.summary.energy = 48000.0; // Wh: 2000 W over the day
    circuit.addOrReplaceDay(april);
    selection.year = 2024;
    selection.month = 5;
    fill.start = DateTime::make(2024, 5, 1);
    TimeChart chart;
    fillChart(chart, true);
    chart.axis().maximum = 30 * 1440.0; // a month's axis
    fill.kilowatts = true;
    addAnalysisMarks(ChartRole::Power, chart, fill, CircuitLimits(), OverlayChoice(), 1);
    ASSERT_EQ(chart.seriesCount(), 3u);
    const ChartSeries& cmp = chart.series(2);
    EXPECT_EQ(sjis::toUtf8(cmp.name), "比較 2024/04");
    ASSERT_EQ(cmp.points.size(), 3u) << "April 3, 24 and 30";
    EXPECT_EQ(cmp.points[0].minutes, 2 * 1440.0);
    EXPECT_EQ(cmp.points[1].minutes, 23 * 1440.0);
    EXPECT_TRUE(cmp.points[1].breakBefore);
    EXPECT_DOUBLE_EQ(cmp.points[0].value.toDouble(), 2.0);
}

} // namespace
