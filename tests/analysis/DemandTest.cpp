// Half-hour demand from any interval, month maxima, the ten largest and twelve-month maxima.
#include "analysis/AnalysisFixtures.h"
#include "analysis/HalfHourDemand.h"
#include "analysis/ReportAnalysis.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

const DateTime kDay = DateTime::make(2024, 5, 1);

struct HalfHourCase {
    const char* name;
    int interval;
    // Demand of the half-hours 0 … 3 when every sample's power is its end minute.
    std::vector<double> firstFour;
};

class HalfHourTable : public ::testing::TestWithParam<HalfHourCase> {};

TEST_P(HalfHourTable, AveragesEachClockHalfHour) {
    const HalfHourCase& c = GetParam();
    MeasurementDay d = fixtures::day(kDay, c.interval, [](int m) { return double(m); });
    const std::vector<HalfHourDemand> h = dayHalfHours(d.data, d.date);
    ASSERT_EQ(h.size(), 48u);
    for (std::size_t k = 0; k < c.firstFour.size(); ++k) {
        EXPECT_DOUBLE_EQ(h[k].demand, c.firstFour[k]) << "half-hour " << k;
        EXPECT_DOUBLE_EQ(h[k].coverage, 1.0);
        EXPECT_EQ(h[k].from, kDay.addMinutes(30 * static_cast<int>(k)));
        EXPECT_EQ(h[k].to, kDay.addMinutes(30 * static_cast<int>(k) + 30));
    }
    EXPECT_EQ(h.back().to, kDay.addDays(1)); // 23:30–24:00
}

INSTANTIATE_TEST_SUITE_P(Intervals, HalfHourTable,
                         ::testing::Values(
                             // mean of 1 … 30 = 15.5, of 31 … 60 = 45.5, …
                             HalfHourCase{"one_minute", 1, {15.5, 45.5, 75.5, 105.5}},
                             // mean of 5, 10, …, 30 = 17.5
                             HalfHourCase{"five_minutes", 5, {17.5, 47.5, 77.5, 107.5}},
                             HalfHourCase{"fifteen_minutes", 15, {22.5, 52.5, 82.5, 112.5}},
                             HalfHourCase{"thirty_minutes", 30, {30, 60, 90, 120}},
                             // One hourly sample gives both of its halves the same value.
                             HalfHourCase{"sixty_minutes", 60, {60, 60, 120, 120}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(HalfHour, PartlyMeasuredHalfHourAveragesWhatWasMeasured) {
    MeasurementDay d = fixtures::day(kDay, 15, [](int m) { return double(m); });
    fixtures::removeSampleAt(d, 15);
    const std::vector<HalfHourDemand> h = dayHalfHours(d.data, d.date);
    EXPECT_DOUBLE_EQ(h[0].demand, 30.0);
    EXPECT_DOUBLE_EQ(h[0].coverage, 0.5);
    fixtures::removeSampleAt(d, 30);
    EXPECT_EQ(dayHalfHours(d.data, d.date).front().from, kDay.addMinutes(30));
}

// A month whose maximum lies on its very last half-hour (23:30–24:00 of the window's last day).
struct MonthMaximumCase {
    const char* name;
    int startDay;
    int year, month;
    DateTime lastDay;
};

class MonthMaximumTable : public ::testing::TestWithParam<MonthMaximumCase> {};

TEST_P(MonthMaximumTable, FindsMaximumOnTheLastHalfHour) {
    const MonthMaximumCase& c = GetParam();
    const MonthWindow w = monthWindow(c.year, c.month, c.startDay);
    MeasurementCircuit circuit;
    // The day after the window holds a larger value that must not count.
    for (DateTime d = w.start.addDays(-1); !(w.end.addDays(1) < d); d = d.addDays(1))
        circuit.addOrReplaceDay(fixtures::flatDay(d, 30, d < w.end ? 1000.0 : 9000.0));
    fixtures::sampleAt(circuit.days.at(circuit.findDay(c.lastDay)), 1440).power = 5000.0;
    // Ten half-hours of 2000 earlier in the month: nine of them follow the maximum.
    for (int k = 1; k <= 10; ++k)
        fixtures::sampleAt(circuit.days.at(circuit.findDay(w.start.addDays(k))), 600).power =
            2000.0;

    const ReportAnalysis a = analyseMonth(circuit, c.year, c.month, CircuitLimits(), c.startDay);
    ASSERT_NE(a.maximumDemand(), nullptr);
    EXPECT_DOUBLE_EQ(a.maximumDemand()->demand, 5000.0);
    EXPECT_EQ(a.maximumDemand()->from, c.lastDay.addMinutes(23 * 60 + 30));
    EXPECT_EQ(a.maximumDemand()->to, c.lastDay.addDays(1));
    ASSERT_EQ(a.largest.size(), 10u);
    for (std::size_t i = 1; i < 10; ++i)
        EXPECT_DOUBLE_EQ(a.largest[i].demand, 2000.0);
    for (std::size_t i = 2; i < 10; ++i)
        EXPECT_LT(a.largest[i - 1].from, a.largest[i].from) << "ties keep time order";
    EXPECT_EQ(static_cast<int>(a.days.size()), w.dayCount());
}

INSTANTIATE_TEST_SUITE_P(Months, MonthMaximumTable,
                         ::testing::Values(MonthMaximumCase{"calendar_february_leap", 1, 2024, 2,
                                                            DateTime::make(2024, 2, 29)},
                                           MonthMaximumCase{"start_day_21_across_year_end", 21,
                                                            2006, 12, DateTime::make(2007, 1, 20)},
                                           MonthMaximumCase{"december_calendar", 1, 2023, 12,
                                                            DateTime::make(2023, 12, 31)}),
                         [](const auto& info) { return std::string(info.param.name); });

// The largest of the twelve report months ending with the shown one.
struct TwelveMonthCase {
    const char* name;
    int startDay;
    int year, month;         // shown report month
    DateTime peakDay;        // day that holds the twelve-month peak
    int peakYear, peakMonth; // its report month
};

class TwelveMonthTable : public ::testing::TestWithParam<TwelveMonthCase> {};

TEST_P(TwelveMonthTable, SpansTheYearEnd) {
    const TwelveMonthCase& c = GetParam();
    MeasurementCircuit circuit;
    // One day per calendar month from 2005-10 to 2008-03, 1000 W, on the 25th and the 5th.
    for (int y = 2005; y <= 2008; ++y)
        for (int m = 1; m <= 12; ++m)
            for (int d : {5, 25})
                circuit.addOrReplaceDay(fixtures::flatDay(DateTime::make(y, m, d), 30, 1000.0));
    circuit.addOrReplaceDay(fixtures::flatDay(c.peakDay, 30, 7000.0));
    // Larger values just outside the twelve months on both sides.
    const MonthWindow shown = monthWindow(c.year, c.month, c.startDay);
    circuit.addOrReplaceDay(fixtures::flatDay(shown.end, 30, 9000.0));
    const int before = c.year * 12 + c.month - 1 - 12;
    circuit.addOrReplaceDay(
        fixtures::flatDay(monthWindow(before / 12, before % 12 + 1, c.startDay).start, 30, 9000.0));

    const std::vector<MonthMaximum> months =
        twelveMonthMaxima(circuit, c.year, c.month, c.startDay);
    ASSERT_EQ(months.size(), 12u);
    EXPECT_EQ(months.back().year, c.year);
    EXPECT_EQ(months.back().month, c.month);
    const MonthMaximum best = largestOf(months);
    ASSERT_TRUE(best.found);
    EXPECT_DOUBLE_EQ(best.peak.demand, 7000.0);
    EXPECT_EQ(best.year, c.peakYear);
    EXPECT_EQ(best.month, c.peakMonth);
    EXPECT_EQ(best.peak.from, c.peakDay);
}

INSTANTIATE_TEST_SUITE_P(
    Months, TwelveMonthTable,
    ::testing::Values(TwelveMonthCase{"calendar_months_peak_last_year", 1, 2007, 2,
                                      DateTime::make(2006, 3, 6), 2006, 3},
                      // Report months from the 21st: 2007-01-05 belongs to report month 2006-12.
                      TwelveMonthCase{"start_21_peak_in_december_window", 21, 2007, 1,
                                      DateTime::make(2007, 1, 5), 2006, 12},
                      TwelveMonthCase{"start_21_peak_first_of_twelve", 21, 2007, 1,
                                      DateTime::make(2006, 2, 21), 2006, 2}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Demand, DailyReportTakesTwelveMonthsUpToTheDaysReportMonth) {
    MeasurementCircuit circuit;
    circuit.addOrReplaceDay(fixtures::flatDay(DateTime::make(2006, 12, 25), 30, 4000.0));
    circuit.addOrReplaceDay(fixtures::flatDay(DateTime::make(2007, 1, 10), 30, 1000.0));
    const ReportAnalysis a = analyseDay(circuit, 1, CircuitLimits(), 21);
    EXPECT_EQ(a.year, 2006);
    EXPECT_EQ(a.month, 12);
    EXPECT_DOUBLE_EQ(a.twelveMonthMaximum.peak.demand, 4000.0);
    EXPECT_DOUBLE_EQ(a.maximumDemand()->demand, 1000.0);
}

} // namespace
