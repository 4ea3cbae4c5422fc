// Per-day results kept for a circuit: each day computed once across day changes, report
// months and the twelve-month maximum, the same figures as without the cache, and nothing kept
// once the circuit or the store's revision differs.
#include "analysis/DayResults.h"
#include "analysis/AnalysisFixtures.h"
#include "analysis/ReportAnalysis.h"

#include <gtest/gtest.h>

namespace {

const DateTime kFirst = DateTime::make(2023, 11, 20);

// 40 days of 15-minute data from 2023-11-20, power rising with the day; every fifth day has a
// missing interval and an outage, the tenth none at all.
MeasurementCircuit fortyDays(double base = 1000.0) {
    MeasurementCircuit c;
    for (int d = 0; d < 40; ++d) {
        MeasurementDay day = fixtures::day(kFirst.addDays(d), 15,
                                           [&](int m) { return base + 10.0 * d + (m % 120); });
        if (d % 5 == 0) {
            fixtures::removeSampleAt(day, 600);
            fixtures::sampleAt(day, 615).voltage = {0.0, 0.0, 0.0};
        }
        if (d == 10)
            day.data.intervals = decltype(day.data.intervals)();
        c.addOrReplaceDay(std::move(day));
    }
    return c;
}

void expectSameFigures(const ReportAnalysis& a, const ReportAnalysis& b) {
    EXPECT_EQ(a.halfHours, b.halfHours);
    EXPECT_EQ(a.largest, b.largest);
    ASSERT_EQ(a.days.size(), b.days.size());
    for (std::size_t i = 0; i < a.days.size(); ++i)
        EXPECT_EQ(a.days[i].coverage, b.days[i].coverage) << i;
    ASSERT_EQ(a.twelveMonths.size(), b.twelveMonths.size());
    for (std::size_t i = 0; i < a.twelveMonths.size(); ++i) {
        EXPECT_EQ(a.twelveMonths[i].found, b.twelveMonths[i].found) << i;
        EXPECT_EQ(a.twelveMonths[i].peak, b.twelveMonths[i].peak) << i;
    }
    EXPECT_EQ(a.statistics.power, b.statistics.power);
    EXPECT_EQ(a.counts.powerFactorBelow, b.counts.powerFactorBelow);
    EXPECT_EQ(a.counts.minutesBelowPowerFactor, b.counts.minutesBelowPowerFactor);
    EXPECT_EQ(a.loadFactor, b.loadFactor);
}

} // namespace

TEST(DayResults, CoverageAndHalfHoursAreThoseOfTheDay) {
    const MeasurementCircuit c = fortyDays();
    for (int i : {0, 1, 10}) {
        const MeasurementDay& d = c.days.at(i);
        const DayResults r = dayResults(d.data, d.date);
        EXPECT_EQ(r.coverage, dayCoverage(d.data, d.date)) << i;
        EXPECT_EQ(r.halfHours, dayHalfHours(d.data, d.date)) << i;
    }
    EXPECT_EQ(dayResults(c.days.at(10).data, c.days.at(10).date).largest(), nullptr);
}

TEST(DayResults, LargestIsTheEarliestOfEqualDemands) {
    MeasurementDay d = fixtures::flatDay(kFirst, 30, 500.0);
    fixtures::sampleAt(d, 300).power = 900.0;
    fixtures::sampleAt(d, 600).power = 900.0;
    const DayResults r = dayResults(d.data, d.date);
    ASSERT_NE(r.largest(), nullptr);
    EXPECT_EQ(r.largest()->from, kFirst.addMinutes(270));
}

TEST(DayResultsCache, EachDayIsComputedOnceAcrossDaysAndMonths) {
    const MeasurementCircuit c = fortyDays();
    DayResultsCache cache;
    cache.attach(&c, 1);
    const ReportAnalysis december = analyseMonth(cache, 2023, 12, CircuitLimits(), 1);
    // The month's days and, for the twelve-month maximum, every stored day up to its end.
    EXPECT_EQ(december.days.size(), 29u); // 12-01 … 12-29
    EXPECT_EQ(cache.computedDays(), 40);
    (void)analyseMonth(cache, 2023, 11, CircuitLimits(), 1);
    (void)analyseDay(cache, 25, CircuitLimits(), 1);
    (void)analyseDay(cache, 26, CircuitLimits(), 1);
    EXPECT_EQ(cache.computedDays(), 40) << "nothing computed twice";
    cache.attach(&c, 1);
    EXPECT_EQ(cache.computedDays(), 40) << "the same circuit and revision keep their days";
}

TEST(DayResultsCache, GivesTheFiguresOfTheUncachedAnalysis) {
    const MeasurementCircuit c = fortyDays();
    DayResultsCache cache;
    cache.attach(&c, 1);
    CircuitLimits limits;
    limits.contractDemand = 1200.0;
    limits.powerFactorThreshold = 96.0;
    for (int startDay : {1, 21, 31}) {
        SCOPED_TRACE(startDay);
        expectSameFigures(analyseMonth(cache, 2023, 12, limits, startDay),
                          analyseMonth(c, 2023, 12, limits, startDay));
        for (int day : {0, 10, 39})
            expectSameFigures(analyseDay(cache, day, limits, startDay),
                              analyseDay(c, day, limits, startDay));
    }
}

TEST(DayResultsCache, AnotherCircuitOrRevisionDropsWhatWasKept) {
    const MeasurementCircuit low = fortyDays(1000.0);
    const MeasurementCircuit high = fortyDays(5000.0);
    DayResultsCache cache;
    cache.attach(&low, 1);
    const double lowPeak = analyseDay(cache, 3, CircuitLimits(), 1).maximumDemand()->demand;
    cache.attach(&high, 1);
    EXPECT_EQ(cache.computedDays(), 0);
    EXPECT_EQ(analyseDay(cache, 3, CircuitLimits(), 1).maximumDemand()->demand, lowPeak + 4000.0);

    // The same address after the store was replaced: the revision tells the change.
    MeasurementCircuit edited = fortyDays(1000.0);
    cache.attach(&edited, 2);
    EXPECT_EQ(analyseDay(cache, 3, CircuitLimits(), 1).maximumDemand()->demand, lowPeak);
    edited = fortyDays(2000.0);
    cache.attach(&edited, 3);
    EXPECT_EQ(analyseDay(cache, 3, CircuitLimits(), 1).maximumDemand()->demand, lowPeak + 1000.0);
}
