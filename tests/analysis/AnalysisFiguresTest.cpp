// The figures an independent computation from the analysis request gives: outage intervals are
// missing everywhere, the load factor is average power over maximum demand, report months
// follow the month windows for every start day, a day without samples is incomplete, a report
// without readings has no statistics.
#include "analysis/AnalysisFixtures.h"
#include "analysis/ReportAnalysis.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

const DateTime kDay = DateTime::make(2024, 5, 1);

// Every voltage 0 from `from` to `to` (interval end minutes), the power left as it was.
void outage(MeasurementDay& d, int from, int to) {
    for (int m = from; m <= to; m += d.data.intervals.count() == 1440 ? 1 : 15) {
        const int i = d.data.intervals.find(d.date.addMinutes(m));
        if (i >= 0)
            d.data.intervals.at(i).voltage = {0.0, 0.0, 0.0};
    }
}

MeasurementCircuit circuitOf(std::vector<MeasurementDay> days) {
    MeasurementCircuit c;
    for (MeasurementDay& d : days)
        c.addOrReplaceDay(std::move(d));
    return c;
}

} // namespace

TEST(AnalysisFigures, OutageIntervalsAreNoDemandAndNoCoverage) {
    // 15-minute day at 1000 W; 10:15-10:30 an outage that still lists 500 W.
    MeasurementDay d = fixtures::flatDay(kDay, 15, 1000.0);
    fixtures::sampleAt(d, 630).power = 500.0;
    outage(d, 630, 630);
    const std::vector<HalfHourDemand> halfHours = dayHalfHours(d.data, d.date);
    ASSERT_EQ(halfHours.size(), 48u);
    const HalfHourDemand& tenAm = halfHours[20]; // 10:00-10:30
    EXPECT_EQ(tenAm.from, kDay.addMinutes(600));
    EXPECT_EQ(tenAm.demand, 1000.0) << "the 500 W at 0 V is no reading";
    EXPECT_EQ(tenAm.coverage, 0.5);

    // A half-hour wholly inside an outage is not listed at all.
    MeasurementDay two = fixtures::flatDay(kDay, 15, 1000.0);
    outage(two, 615, 630);
    EXPECT_EQ(dayHalfHours(two.data, two.date).size(), 47u);
}

TEST(AnalysisFigures, AWholeDayOutageHasNoDemandNoLoadFactorAndNoStatistics) {
    MeasurementDay d = fixtures::flatDay(kDay, 30, 500.0);
    outage(d, 30, 1440);
    const MeasurementCircuit c = circuitOf({d});
    const ReportAnalysis a = analyseDay(c, 0, CircuitLimits(), 1);
    EXPECT_EQ(a.maximumDemand(), nullptr);
    EXPECT_TRUE(a.largest.empty());
    EXPECT_TRUE(a.halfHours.empty());
    EXPECT_FALSE(a.loadFactor.has_value());
    EXPECT_EQ(a.statistics.power.count, 0);
    EXPECT_EQ(a.incompleteDays(), 1);
}

TEST(AnalysisFigures, LoadFactorIsAveragePowerOverMaximumDemand) {
    // 15-minute day: 1000 W all day but 3000 W 12:00-12:30; the 10:15 interval missing.
    MeasurementDay d =
        fixtures::day(kDay, 15, [](int m) { return m > 720 && m <= 750 ? 3000.0 : 1000.0; });
    fixtures::removeSampleAt(d, 630);
    const MeasurementCircuit c = circuitOf({d});
    const ReportAnalysis a = analyseDay(c, 0, CircuitLimits(), 1);
    ASSERT_TRUE(a.loadFactor.has_value());
    const double average = (93 * 1000.0 + 2 * 3000.0) / 95; // the measured minutes
    EXPECT_DOUBLE_EQ(*a.loadFactor, average / 3000.0 * 100.0);
}

struct StartDayCase {
    const char* name;
    int startDay;
    DateTime day;
    bool inReportMonth;
    int year;
    int month;
};

class ReportMonthOfADay : public ::testing::TestWithParam<StartDayCase> {};

// The report month of a day follows the month windows; a day that no window holds (February
// has no 29th-31st) gives none, and the twelve months end with its calendar month.
TEST_P(ReportMonthOfADay, FollowsTheMonthWindows) {
    const StartDayCase& p = GetParam();
    const MeasurementCircuit c = circuitOf({fixtures::flatDay(p.day, 30, 100.0)});
    const ReportAnalysis a = analyseDay(c, 0, CircuitLimits(), p.startDay);
    EXPECT_EQ(a.inReportMonth, p.inReportMonth);
    EXPECT_EQ(a.year, p.year);
    EXPECT_EQ(a.month, p.month);
    ASSERT_EQ(a.twelveMonths.size(), 12u);
    EXPECT_EQ(a.twelveMonths.back().year, p.year);
    EXPECT_EQ(a.twelveMonths.back().month, p.month);
    for (const MonthMaximum& m : a.twelveMonths) {
        EXPECT_GE(m.month, 1);
        EXPECT_LE(m.month, 12);
        EXPECT_GT(m.year, 2000);
    }
    // The day's own half-hours count in its month when a window holds it.
    EXPECT_EQ(a.twelveMonths.back().found, p.inReportMonth);
}

INSTANTIATE_TEST_SUITE_P(
    StartDays, ReportMonthOfADay,
    ::testing::Values(
        StartDayCase{"s28_feb10", 28, DateTime::make(2007, 2, 10), true, 2007, 1},
        StartDayCase{"s28_feb28", 28, DateTime::make(2007, 2, 28), true, 2007, 2},
        StartDayCase{"s29_feb10_no_window", 29, DateTime::make(2007, 2, 10), false, 2007, 2},
        StartDayCase{"s29_leap_feb10", 29, DateTime::make(2008, 2, 10), true, 2008, 1},
        StartDayCase{"s30_mar05_no_window", 30, DateTime::make(2007, 3, 5), false, 2007, 3},
        StartDayCase{"s31_apr15_no_window", 31, DateTime::make(2007, 4, 15), false, 2007, 4},
        StartDayCase{"s31_jan05_year_end", 31, DateTime::make(2007, 1, 5), true, 2006, 12},
        StartDayCase{"s30_dec31_year_end", 30, DateTime::make(2006, 12, 31), true, 2006, 12}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(AnalysisFigures, HoursBelowThePowerFactorAreWholeMinutesDividedOnce) {
    MeasurementDay d = fixtures::flatDay(kDay, 1, 1000.0);
    for (int m = 1; m <= 1440; ++m)
        fixtures::sampleAt(d, m).powerFactor = 80.0;
    const ReportAnalysis a = analyseDay(circuitOf({d}), 0, CircuitLimits(), 1);
    EXPECT_EQ(a.counts.powerFactorBelow, 1440);
    EXPECT_EQ(a.counts.hoursBelowPowerFactor(), 24.0);
}

TEST(AnalysisFigures, NonFiniteReadingsAreLeftOutAndTheTariffStaysDefined) {
    MeasurementDay d = fixtures::flatDay(kDay, 30, 1000.0);
    fixtures::sampleAt(d, 60).powerFactor = std::nan("");
    fixtures::sampleAt(d, 90).power = std::numeric_limits<double>::infinity();
    const ReportAnalysis a = analyseDay(circuitOf({d}), 0, CircuitLimits(), 1);
    EXPECT_EQ(a.statistics.powerFactor.count, 47);
    EXPECT_EQ(a.statistics.power.count, 47);
    EXPECT_EQ(a.statistics.power.maximum, 1000.0);
    EXPECT_EQ(a.tariffEffect, 85 - 95);
    EXPECT_EQ(tariffEffectPercent(std::nan("")), 0);
}
