// Gaps and outages marked on the chart points, and the comparison curve.
#include "analysis/ChartMarks.h"
#include "analysis/AnalysisFixtures.h"
#include "analysis/Overlay.h"
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
                                              0.001, "cmp", Rgb(1, 2, 3));
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
