// Interval detection, missing and outage intervals, and where chart lines break.
#include "analysis/AnalysisFixtures.h"
#include "analysis/DayCoverage.h"
#include "analysis/Overlay.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

const DateTime kDay = DateTime::make(2024, 5, 1);

struct CoverageCase {
    const char* name;
    int interval;
    std::vector<int> removed; // end minutes of samples left out
    std::vector<int> outage;  // end minutes of samples with every voltage 0
    int expectedInterval;
    int missing; // absent + outage intervals
    bool incomplete;
    std::vector<int> startsAt;  // end minutes of the samples that start a line piece
    std::vector<int> skippedAt; // end minutes of the samples not drawn
};

class CoverageTable : public ::testing::TestWithParam<CoverageCase> {};

TEST_P(CoverageTable, CountsMissingIntervalsAndBreaksLines) {
    const CoverageCase& c = GetParam();
    MeasurementDay d = fixtures::flatDay(kDay, c.interval, 1000.0);
    for (int m : c.removed)
        fixtures::removeSampleAt(d, m);
    for (int m : c.outage) {
        IntervalSample& s = fixtures::sampleAt(d, m);
        s.voltage = {0.0, 0.0, 0.0};
        s.current = {0.0, 0.0, 0.0};
        s.power = 0.0;
        s.powerFactor = 0.0;
    }
    const DayCoverage cov = dayCoverage(d.data, d.date);
    EXPECT_EQ(cov.intervalMinutes, c.expectedInterval);
    EXPECT_EQ(cov.expectedIntervals, 1440 / c.expectedInterval);
    EXPECT_EQ(cov.missingIntervals(), c.missing);
    EXPECT_EQ(cov.incomplete(), c.incomplete);

    const std::vector<ChartPoint> points = dayPowerCurve(d.data, d.date);
    std::vector<int> starts, skipped;
    for (const ChartPoint& p : points) {
        if (p.mark == PointMark::Start)
            starts.push_back(static_cast<int>(p.minutes));
        if (p.mark == PointMark::Skip)
            skipped.push_back(static_cast<int>(p.minutes));
    }
    EXPECT_EQ(starts, c.startsAt);
    EXPECT_EQ(skipped, c.skippedAt);
}

INSTANTIATE_TEST_SUITE_P(
    Days, CoverageTable,
    ::testing::Values(
        CoverageCase{"complete_30min", 30, {}, {}, 30, 0, false, {30}, {}},
        CoverageCase{"complete_1min", 1, {}, {}, 1, 0, false, {1}, {}},
        // Two intervals missing: the line jumps from 10:00 to 10:45 only as a new piece.
        CoverageCase{"gap_of_two_intervals_15min", 15, {615, 630}, {}, 15, 2, true, {15, 645}, {}},
        CoverageCase{"gap_of_two_intervals_5min", 5, {5, 10}, {}, 5, 2, true, {15}, {}},
        CoverageCase{"last_interval_missing", 30, {1440}, {}, 30, 1, true, {30}, {}},
        // Outage 10:15–11:00: three samples with no voltage, not drawn; the next starts anew.
        CoverageCase{"outage_day_incomplete",
                     15,
                     {},
                     {615, 630, 645},
                     15,
                     3,
                     true,
                     {15, 660},
                     {615, 630, 645}},
        CoverageCase{"outage_and_gap", 60, {120}, {600}, 60, 2, true, {60, 180, 660}, {600}}),
    [](const auto& info) { return std::string(info.param.name); });

// A stored day without samples has no reading at all: it is incomplete, though there is no
// interval to count missing ones against.
TEST(Coverage, DayWithoutSamplesIsIncomplete) {
    MeasurementDay d;
    d.date = kDay;
    const DayCoverage cov = dayCoverage(d.data, d.date);
    EXPECT_EQ(cov.intervalMinutes, 0);
    EXPECT_EQ(cov.expectedIntervals, 0);
    EXPECT_TRUE(cov.incomplete());
}

TEST(Coverage, IntervalIsTheMostFrequentStepNotTheFirst) {
    MeasurementDay d = fixtures::flatDay(kDay, 5, 1.0);
    fixtures::removeSampleAt(d, 5); // first step is 10 minutes
    EXPECT_EQ(intervalMinutesOf(d.data, d.date), 5);
}

// Steps counted per minute of the day; a tie goes to the smaller step, a step longer than the
// day (a time off the day) still counts, and a time days away neither overflows nor fills a
// slot.
struct IntervalCase {
    const char* name;
    std::vector<int> minutes; // end minutes of the samples
    int interval;
    int present;
};

class IntervalTable : public ::testing::TestWithParam<IntervalCase> {};

TEST_P(IntervalTable, MostFrequentStepAndTheIntervalsItFills) {
    const IntervalCase& c = GetParam();
    MeasurementDay d;
    d.date = kDay;
    d.data.setHeader(CircuitSinglePhase, 1.0, 1.0);
    for (int m : c.minutes)
        d.data.addOrReplaceSample(builders::sample(kDay.addMinutes(m), 1.0, 0.0, 95.0,
                                                   {101.0, 101.0, 0.0}, {1.0, 1.0, 0.0}));
    EXPECT_EQ(intervalMinutesOf(d.data, d.date), c.interval);
    EXPECT_EQ(dayCoverage(d.data, d.date).presentIntervals, c.present);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, IntervalTable,
    ::testing::Values(IntervalCase{"tie_takes_the_smaller", {10, 20, 50, 60, 90}, 10, 5},
                      IntervalCase{"one_sample_at_its_time", {45}, 45, 1},
                      IntervalCase{"day_long_steps", {1440, 2880, 4320}, 1440, 1},
                      IntervalCase{"times_years_away", {30, 60, 90, 3000000, 6000000}, 30, 3}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Coverage, ThreePhaseOutageNeedsAllThreeVoltagesZero) {
    IntervalSample s;
    s.voltage = {0.0, 0.0, 230.0};
    EXPECT_TRUE(isOutageSample(s, 2));
    EXPECT_FALSE(isOutageSample(s, 3));
}

} // namespace
