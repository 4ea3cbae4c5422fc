// The year view: twelve report months whose figures are those of the monthly reports.
#include "analysis/YearReport.h"

#include "analysis/AnalysisFixtures.h"
#include "analysis/ReportAnalysis.h"
#include "store/Aggregation.h"

#include <gtest/gtest.h>

namespace {

// A day every third day from 2022-11-25 to 2024-02-05, power rising with the day; one day
// with a gap, so incomplete days show up.
MeasurementCircuit circuitAcrossTwoYearEnds() {
    MeasurementCircuit c;
    c.name = "C";
    int n = 0;
    for (DateTime d = DateTime::make(2022, 11, 25); d < DateTime::make(2024, 2, 6);
         d = d.addDays(3), ++n) {
        MeasurementDay day = fixtures::day(d, 30, [n](int m) { return 1000.0 + n * 10 + m / 30; });
        day.data.summary.energy = 24000.0 + n;
        day.data.summary.leadReactiveEnergy = 10.0;
        day.data.summary.averagePowerFactor = 90.0 + n % 5;
        if (d == DateTime::make(2023, 7, 5))
            fixtures::removeSampleAt(day, 600);
        c.addOrReplaceDay(day);
    }
    return c;
}

int datesStoredIn(const MeasurementCircuit& c, const MonthWindow& w) {
    int n = 0;
    for (int i = 0; i < c.days.count(); ++i)
        n += w.contains(c.days.at(i).date) ? 1 : 0;
    return n;
}

} // namespace

struct YearCase {
    int year;
    int startDay;
    const char* firstStart; // January's window
    const char* lastEnd;    // December's window ends in the next year
};

class YearReportTest : public testing::TestWithParam<YearCase> {};

TEST_P(YearReportTest, EveryMonthIsItsMonthlyReport) {
    const YearCase& p = GetParam();
    const MeasurementCircuit circuit = circuitAcrossTwoYearEnds();
    CircuitLimits limits;
    limits.contractDemand = 1500.0;
    const YearReport year = analyseYear(circuit, p.year, limits, p.startDay);
    EXPECT_EQ(year.months[0].window.start.format("%Y-%m-%d"), p.firstStart);
    EXPECT_EQ(year.months[11].window.end.format("%Y-%m-%d"), p.lastEnd);
    EXPECT_EQ(year.contractDemand, 1500.0);
    int total = 0;
    for (int m = 1; m <= 12; ++m) {
        SCOPED_TRACE(m);
        const YearMonthRow& row = year.months[static_cast<std::size_t>(m - 1)];
        const ReportAnalysis month = analyseMonth(circuit, p.year, m, limits, p.startDay);
        const DaySummary summary = monthSummary(circuit, p.year, m, p.startDay);
        EXPECT_EQ(row.daysStored, datesStoredIn(circuit, row.window));
        EXPECT_GT(row.daysStored, 8); // every month has data: the rows are not trivially equal
        EXPECT_EQ(row.daysInMonth, row.window.dayCount());
        EXPECT_EQ(row.energy, summary.energy);
        EXPECT_EQ(row.leadReactiveEnergy, summary.leadReactiveEnergy);
        EXPECT_EQ(row.averagePowerFactor, summary.averagePowerFactor);
        ASSERT_TRUE(row.hasDemand);
        EXPECT_EQ(row.maximumDemand, *month.maximumDemand());
        EXPECT_EQ(row.loadFactor, month.loadFactor.value_or(0.0));
        EXPECT_EQ(row.incompleteDays, month.incompleteDays());
        total += row.daysStored;
    }
    EXPECT_EQ(year.daysStored(), total);
    // Power rises day by day: the year's maximum is in its last report month.
    ASSERT_NE(year.maximumMonth(), nullptr);
    EXPECT_EQ(year.maximumMonth()->month, 12);
}

INSTANTIATE_TEST_SUITE_P(StartDays, YearReportTest,
                         testing::Values(YearCase{2023, 1, "2023-01-01", "2024-01-01"},
                                         YearCase{2023, 21, "2023-01-21", "2024-01-21"}));

TEST(YearReport, MonthsWithoutDaysAreEmptyAndTheGapIsCounted) {
    const MeasurementCircuit circuit = circuitAcrossTwoYearEnds();
    const YearReport year = analyseYear(circuit, 2024, CircuitLimits(), 1);
    EXPECT_EQ(year.months[0].daysStored, 11); // 2024-01-01 … 01-31, every third day
    EXPECT_EQ(year.months[1].daysStored, 1);  // 2024-02-03
    for (int m = 3; m <= 12; ++m) {
        const YearMonthRow& row = year.months[static_cast<std::size_t>(m - 1)];
        EXPECT_EQ(row.daysStored, 0);
        EXPECT_FALSE(row.hasDemand);
        EXPECT_EQ(row.energy, 0.0);
    }
    const YearReport with2023 = analyseYear(circuit, 2023, CircuitLimits(), 1);
    EXPECT_EQ(with2023.months[6].incompleteDays, 1); // 2023-07-05 misses an interval
}
