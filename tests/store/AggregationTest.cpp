#include "store/Aggregation.h"
#include "tests/common/RecordBuilders.h"

#include <gtest/gtest.h>

namespace {

DateTime at(int y, int mo, int d, int h = 0, int mi = 0) {
    return DateTime::make(y, mo, d, h, mi);
}

PeakRecord peak(double value, DateTime from, DateTime to = DateTime()) {
    return {value, from, to};
}

// Adds a day of channel 1 to the circuit and returns its summary for filling.
DaySummary& addDay(MeasurementCircuit& c, int y, int mo, int d, int channel = 1) {
    MeasurementDay day;
    day.channel = channel;
    day.date = at(y, mo, d);
    day.data.circuitType = CircuitThreePhase3Wire;
    int i = c.addOrReplaceDay(day);
    return c.days.at(i).data.summary;
}

TEST(MonthWindowTest, StartDayOneIsTheCalendarMonth) {
    MonthWindow w = monthWindow(2007, 2, 1);
    EXPECT_EQ(w.start, at(2007, 2, 1));
    EXPECT_EQ(w.end, at(2007, 3, 1));
    EXPECT_EQ(w.dayCount(), 28);
    EXPECT_TRUE(w.contains(at(2007, 2, 28)));
    EXPECT_FALSE(w.contains(at(2007, 3, 1)));
    EXPECT_FALSE(w.contains(at(2007, 1, 31)));
}

TEST(MonthWindowTest, DecemberRollsIntoJanuary) {
    MonthWindow w = monthWindow(2006, 12, 21);
    EXPECT_EQ(w.start, at(2006, 12, 21));
    EXPECT_EQ(w.end, at(2007, 1, 21));
    EXPECT_EQ(w.dayCount(), 31);
    EXPECT_EQ(w.dateAt(30), at(2007, 1, 20));
}

TEST(MonthWindowTest, ReportMonthOfStepsBackBeforeTheStartDay) {
    struct Case {
        DateTime date;
        int startDay;
        int year, month; // report month expected
    };
    const Case cases[] = {
        {at(2007, 1, 20), 21, 2006, 12},        {at(2007, 1, 21), 21, 2007, 1},
        {at(2006, 12, 21), 21, 2006, 12},       {at(2007, 1, 1), 1, 2007, 1},
        {at(2007, 3, 14, 13, 30), 15, 2007, 2},
    };
    for (const Case& c : cases) {
        MonthWindow w = reportMonthOf(c.date, c.startDay);
        MonthWindow expected = monthWindow(c.year, c.month, c.startDay);
        EXPECT_EQ(w.start, expected.start) << c.date.text();
        EXPECT_EQ(w.end, expected.end) << c.date.text();
    }
}

TEST(MonthWindowTest, StartDayMissingFromTheMonthGivesNoDates) {
    MonthWindow w = monthWindow(2007, 4, 31);
    EXPECT_FALSE(w.isValid());
    EXPECT_EQ(w.dayCount(), 0);
    EXPECT_FALSE(w.contains(at(2007, 4, 30)));
    EXPECT_FALSE(w.contains(at(2007, 5, 1)));
    // The bound after a valid start can be missing too (31 January → 31 February).
    EXPECT_EQ(monthWindow(2007, 1, 31).dayCount(), 0);
}

TEST(MonthSummaryTest, StartDay21CoversDecember21ToJanuary20) {
    MeasurementCircuit c;
    addDay(c, 2006, 12, 20).energy = 1;
    addDay(c, 2006, 12, 21).energy = 10;
    addDay(c, 2006, 12, 31).energy = 100;
    addDay(c, 2007, 1, 20).energy = 1000;
    addDay(c, 2007, 1, 21).energy = 10000;
    EXPECT_EQ(daysInWindow(c, monthWindow(2006, 12, 21)).size(), 3u);
    EXPECT_DOUBLE_EQ(monthSummary(c, 2006, 12, 21).energy, 1110);
    EXPECT_DOUBLE_EQ(monthSummary(c, 2006, 12, 1).energy, 111);
}

TEST(MonthSummaryTest, StartDay31InA30DayMonthIsEmpty) {
    MeasurementCircuit c;
    addDay(c, 2007, 4, 30).energy = 5;
    addDay(c, 2007, 5, 1).energy = 7;
    EXPECT_EQ(monthSummary(c, 2007, 4, 31), DaySummary());
    EXPECT_EQ(monthMaxima(c, 2007, 4, 31), ScaleMaxima());
}

TEST(MonthSummaryTest, EmptyWindowIsCleared) {
    MeasurementCircuit c;
    addDay(c, 2007, 5, 1).energy = 7;
    DaySummary target;
    target.energy = 99;
    target.maxDemand = peak(5, at(2007, 1, 1, 1, 0), at(2007, 1, 1, 1, 30));
    computeMonthSummary(target, c, 2007, 6, 1);
    EXPECT_EQ(target, DaySummary());
    EXPECT_FALSE(target.maxDemand.from.isValid());
}

TEST(MonthSummaryTest, OneDayIsCopiedExactly) {
    MeasurementCircuit c;
    DaySummary& s = addDay(c, 2007, 5, 3);
    s.energy = 1234.5;
    s.averagePower = 0.1;
    s.averagePowerFactor = 97.3;
    s.averageVoltage = {101.7, 0.3, 102.9};
    s.averageCurrent = {1.1, 2.2, 3.3};
    s.maxDemand = peak(5000, at(2007, 5, 3, 10, 0), at(2007, 5, 3, 10, 30));
    s.minVoltage[0] = peak(95, at(2007, 5, 3, 4, 0));
    const DaySummary copy = s;
    EXPECT_EQ(monthSummary(c, 2007, 5, 1), copy);
}

TEST(MonthSummaryTest, SumsAndAveragesOverTheDays) {
    MeasurementCircuit c;
    const double avg[] = {10, 20, 30};
    for (int d = 0; d < 3; ++d) {
        DaySummary& s = addDay(c, 2007, 5, d + 1);
        s.energy = 100 * (d + 1);
        s.reverseEnergy = -10;
        s.spareTotal = 1;
        s.leadReactiveEnergy = 2;
        s.lagReactiveEnergy = 3;
        s.averagePower = avg[d];
        s.reverseAveragePower = -avg[d];
        s.averagePowerFactor = 90 + d;
        s.averageVoltage = {100 + avg[d], 200, 0};
        s.averageCurrent = {avg[d], 1, 0};
    }
    DaySummary m = monthSummary(c, 2007, 5, 1);
    EXPECT_DOUBLE_EQ(m.energy, 600);
    EXPECT_DOUBLE_EQ(m.reverseEnergy, -30);
    EXPECT_DOUBLE_EQ(m.spareTotal, 3);
    EXPECT_DOUBLE_EQ(m.leadReactiveEnergy, 6);
    EXPECT_DOUBLE_EQ(m.lagReactiveEnergy, 9);
    EXPECT_DOUBLE_EQ(m.averagePower, 20);
    EXPECT_DOUBLE_EQ(m.reverseAveragePower, -20);
    EXPECT_DOUBLE_EQ(m.averagePowerFactor, 91);
    EXPECT_DOUBLE_EQ(m.averageVoltage[0], 120);
    EXPECT_DOUBLE_EQ(m.averageVoltage[1], 200);
    EXPECT_DOUBLE_EQ(m.averageCurrent[0], 20);
    EXPECT_DOUBLE_EQ(m.averageCurrent[1], 1);
}

TEST(MonthSummaryTest, MaxDemandKeepsTheTimesOfTheLargestDay) {
    MeasurementCircuit c;
    const double values[] = {5, 9, 7};
    for (int d = 0; d < 3; ++d) {
        DaySummary& s = addDay(c, 2007, 5, d + 1);
        s.maxDemand =
            peak(values[d], at(2007, 5, d + 1, 10 + d, 0), at(2007, 5, d + 1, 10 + d, 30));
        s.peakPower = peak(values[d] * 2, at(2007, 5, d + 1, 8 + d, 15));
        s.peakPowerFactor = 99 - d * 5; // day 1 has the largest factor
    }
    DaySummary m = monthSummary(c, 2007, 5, 1);
    EXPECT_EQ(m.maxDemand, peak(9, at(2007, 5, 2, 11, 0), at(2007, 5, 2, 11, 30)));
    EXPECT_EQ(m.peakPower, peak(18, at(2007, 5, 2, 9, 15)));
    // The factor is the month's largest, independent of the peak's day.
    EXPECT_DOUBLE_EQ(m.peakPowerFactor, 99);
}

// Reverse values are printed negative: the larger reverse flow has the larger magnitude, and a
// day without reverse flow (0, no times) must not replace a real record.
TEST(MonthSummaryTest, ReversePeaksAreComparedByMagnitude) {
    MeasurementCircuit c;
    DaySummary& d1 = addDay(c, 2007, 5, 1); // no reverse flow
    (void)d1;
    DaySummary& d2 = addDay(c, 2007, 5, 2);
    d2.reverseMaxDemand = peak(-500, at(2007, 5, 2, 12, 0), at(2007, 5, 2, 12, 30));
    d2.reversePeakPower = peak(-900, at(2007, 5, 2, 12, 5));
    DaySummary& d3 = addDay(c, 2007, 5, 3);
    d3.reverseMaxDemand = peak(-800, at(2007, 5, 3, 13, 0), at(2007, 5, 3, 13, 30));
    d3.reversePeakPower = peak(-700, at(2007, 5, 3, 13, 5));
    addDay(c, 2007, 5, 4); // no reverse flow after the real ones

    DaySummary m = monthSummary(c, 2007, 5, 1);
    EXPECT_EQ(m.reverseMaxDemand, peak(-800, at(2007, 5, 3, 13, 0), at(2007, 5, 3, 13, 30)));
    EXPECT_EQ(m.reversePeakPower, peak(-900, at(2007, 5, 2, 12, 5)));
}

// Showing the first day's phase peaks as the month's would be wrong: the month takes the
// extremes over its days, each with the time of the day it came from.
TEST(MonthSummaryTest, PhasePeaksAreCombinedOverTheDays) {
    MeasurementCircuit c;
    DaySummary& d1 = addDay(c, 2007, 5, 1);
    d1.peakVoltage[0] = peak(105, at(2007, 5, 1, 1, 0));
    d1.minVoltage[0] = peak(98, at(2007, 5, 1, 2, 0));
    d1.maxCurrent[1] = peak(40, at(2007, 5, 1, 3, 0), at(2007, 5, 1, 3, 30));
    d1.peakCurrent[1] = peak(60, at(2007, 5, 1, 4, 0));
    DaySummary& d2 = addDay(c, 2007, 5, 2);
    d2.peakVoltage[0] = peak(107, at(2007, 5, 2, 5, 0));
    d2.minVoltage[0] = peak(99, at(2007, 5, 2, 6, 0));
    d2.maxCurrent[1] = peak(45, at(2007, 5, 2, 23, 30), at(2007, 5, 3, 0, 0));
    d2.peakCurrent[1] = peak(55, at(2007, 5, 2, 8, 0));
    DaySummary& d3 = addDay(c, 2007, 5, 3);
    d3.peakVoltage[0] = peak(106, at(2007, 5, 3, 9, 0));
    d3.minVoltage[0] = peak(96, at(2007, 5, 3, 10, 0));
    // Day 3 has no record for phase 2 currents (never filled): it must not win.

    DaySummary m = monthSummary(c, 2007, 5, 1);
    EXPECT_EQ(m.peakVoltage[0], peak(107, at(2007, 5, 2, 5, 0)));
    EXPECT_EQ(m.minVoltage[0], peak(96, at(2007, 5, 3, 10, 0)));
    EXPECT_EQ(m.maxCurrent[1], peak(45, at(2007, 5, 2, 23, 30), at(2007, 5, 3, 0, 0)));
    EXPECT_EQ(m.peakCurrent[1], peak(60, at(2007, 5, 1, 4, 0)));
}

TEST(MonthSummaryTest, UnfilledMinimumDoesNotBeatARealOne) {
    MeasurementCircuit c;
    addDay(c, 2007, 5, 1); // minVoltage 0 without time
    addDay(c, 2007, 5, 2).minVoltage[0] = peak(97, at(2007, 5, 2, 6, 0));
    addDay(c, 2007, 5, 3);
    EXPECT_EQ(monthSummary(c, 2007, 5, 1).minVoltage[0], peak(97, at(2007, 5, 2, 6, 0)));
}

TEST(MonthSummaryTest, OnlyTheCircuitChannelCounts) {
    MeasurementCircuit c;
    addDay(c, 2007, 5, 2, 1).energy = 1;
    addDay(c, 2007, 5, 3, 2).energy = 100; // a stray day of channel 2
    EXPECT_DOUBLE_EQ(monthSummary(c, 2007, 5, 1).energy, 1);
}

using builders::sample;

TEST(ScaleMaximaTest, DayMaximaOverShownPhases) {
    DayData d;
    d.circuitType = CircuitThreePhase3Wire;
    d.addOrReplaceSample(
        sample(at(2007, 5, 1, 0, 30), 1500, -2500, 95, {6600, 6500, 9999}, {10, 12, 99}));
    d.addOrReplaceSample(sample(at(2007, 5, 1, 1, 0), 2000, 0, 97, {6700, 6400, 0}, {11, 9, 0}));
    ScaleMaxima m = dayMaxima(d);
    EXPECT_DOUBLE_EQ(m.power, 2.5); // the reverse magnitude counts
    EXPECT_DOUBLE_EQ(m.powerFactor, 97);
    EXPECT_DOUBLE_EQ(m.voltage, 6.7); // phase 3 is not shown on 3相3線
    EXPECT_DOUBLE_EQ(m.current, 12);

    d.circuitType = CircuitThreePhase4Wire;
    m = dayMaxima(d);
    EXPECT_DOUBLE_EQ(m.voltage, 9.999);
    EXPECT_DOUBLE_EQ(m.current, 99);

    EXPECT_EQ(dayMaxima(DayData()), ScaleMaxima());
}

TEST(ScaleMaximaTest, MonthMaximaTakeTheLargestDay) {
    MeasurementCircuit c;
    addDay(c, 2007, 5, 1);
    addDay(c, 2007, 5, 2);
    addDay(c, 2007, 6, 1); // outside
    c.days.at(0).data.addOrReplaceSample(
        sample(at(2007, 5, 1, 1, 0), 3000, 0, 90, {100, 100, 0}, {5, 5, 0}));
    c.days.at(1).data.addOrReplaceSample(
        sample(at(2007, 5, 2, 1, 0), 1000, 0, 99, {200, 100, 0}, {1, 1, 0}));
    c.days.at(2).data.addOrReplaceSample(
        sample(at(2007, 6, 1, 1, 0), 9000, 0, 100, {900, 900, 0}, {90, 90, 0}));
    ScaleMaxima m = monthMaxima(c, 2007, 5, 1);
    EXPECT_DOUBLE_EQ(m.power, 3);
    EXPECT_DOUBLE_EQ(m.powerFactor, 99);
    EXPECT_DOUBLE_EQ(m.voltage, 0.2);
    EXPECT_DOUBLE_EQ(m.current, 5);
}

} // namespace
