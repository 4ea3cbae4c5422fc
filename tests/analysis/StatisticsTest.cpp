// Minimum, average and maximum with times, load factor, the tariff effect and the overlays.
#include "analysis/AnalysisFixtures.h"
#include "analysis/Overlay.h"
#include "analysis/ReportAnalysis.h"
#include "analysis/ReportStatistics.h"
#include "support/Sjis.h"

#include <cmath>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

namespace {

const DateTime kDay = DateTime::make(2024, 5, 1);

struct TariffCase {
    const char* name;
    double averagePowerFactor;
    int effect; // % on the basic charge, negative = discount
};

class TariffTable : public ::testing::TestWithParam<TariffCase> {};

TEST_P(TariffTable, OnePercentPerPointAround85) {
    EXPECT_EQ(tariffEffectPercent(GetParam().averagePowerFactor), GetParam().effect);
}

INSTANTIATE_TEST_SUITE_P(
    Points, TariffTable,
    ::testing::Values(TariffCase{"pf_84", 84.0, 1}, TariffCase{"pf_85", 85.0, 0},
                      TariffCase{"pf_85_5_rounds_up", 85.5, -1},
                      TariffCase{"pf_84_4_rounds_down", 84.4, 1}, TariffCase{"pf_100", 100.0, -15},
                      TariffCase{"above_100_is_capped", 104.0, -15}, TariffCase{"pf_70", 70.0, 15}),
    [](const auto& info) { return std::string(info.param.name); });

struct LoadFactorCase {
    const char* name;
    std::vector<double> powers; // the measured readings
    double maximumDemand;
    std::optional<double> percent;
};

class LoadFactorTable : public ::testing::TestWithParam<LoadFactorCase> {};

TEST_P(LoadFactorTable, AveragePowerOverMaximumDemand) {
    ValueStatistics power;
    for (double p : GetParam().powers)
        power.add(p, kDay);
    EXPECT_EQ(loadFactorPercent(power, GetParam().maximumDemand), GetParam().percent);
}

INSTANTIATE_TEST_SUITE_P(
    Demands, LoadFactorTable,
    ::testing::Values(LoadFactorCase{"flat", {500, 500}, 500, 100.0},
                      LoadFactorCase{"half_of_the_peak", {50, 100}, 100, 75.0},
                      LoadFactorCase{"no_reading", {}, 400, std::nullopt},
                      LoadFactorCase{"no_demand", {0, 0}, 0, std::nullopt},
                      LoadFactorCase{"nan_left_out", {100, std::nan(""), 100}, 200, 50.0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Statistics, ExtremesWithTheirTimesLeaveOutageSamplesOut) {
    MeasurementDay d = fixtures::day(kDay, 30, [](int m) { return m == 600 ? 5000.0 : 1000.0; });
    fixtures::sampleAt(d, 90).voltage = {98.0, 104.0, 0.0};
    fixtures::sampleAt(d, 90).powerFactor = 84.0;
    fixtures::sampleAt(d, 120).current = {3.0, 30.0, 0.0};
    IntervalSample& off = fixtures::sampleAt(d, 300);
    off.voltage = {0.0, 0.0, 0.0};
    off.current = {0.0, 0.0, 0.0};
    off.power = 0.0;
    off.powerFactor = 0.0;

    ReportStatistics s;
    addDayStatistics(s, d.data);
    EXPECT_EQ(s.power.count, 47);
    EXPECT_DOUBLE_EQ(s.power.minimum, 1000.0); // the outage's 0 is not a reading
    EXPECT_EQ(s.power.minimumTime, kDay.addMinutes(30));
    EXPECT_DOUBLE_EQ(s.power.maximum, 5000.0);
    EXPECT_EQ(s.power.maximumTime, kDay.addMinutes(600));
    EXPECT_DOUBLE_EQ(s.power.average, (46 * 1000.0 + 5000.0) / 47);
    EXPECT_DOUBLE_EQ(s.voltage[0].minimum, 98.0);
    EXPECT_EQ(s.voltage[0].minimumTime, kDay.addMinutes(90));
    EXPECT_DOUBLE_EQ(s.voltage[1].maximum, 104.0);
    EXPECT_DOUBLE_EQ(s.current[0].minimum, 3.0);
    EXPECT_DOUBLE_EQ(s.current[1].maximum, 30.0);
    EXPECT_EQ(s.current[1].maximumTime, kDay.addMinutes(120));
    EXPECT_DOUBLE_EQ(s.powerFactor.minimum, 84.0);
    EXPECT_DOUBLE_EQ(s.powerFactor.average, (46 * 95.0 + 84.0) / 47);
}

TEST(Statistics, ReportLoadFactorAndTariffFromItsSamples) {
    MeasurementCircuit circuit;
    // 24 half-hours at 1000 W and 24 at 3000 W: average 2000, maximum 3000.
    MeasurementDay d = fixtures::day(kDay, 30, [](int m) { return m <= 720 ? 1000.0 : 3000.0; });
    for (int m = 30; m <= 1440; m += 30)
        fixtures::sampleAt(d, m).powerFactor = 84.0;
    circuit.addOrReplaceDay(d);
    const ReportAnalysis a = analyseDay(circuit, 0, CircuitLimits(), 1);
    ASSERT_TRUE(a.loadFactor.has_value());
    EXPECT_NEAR(*a.loadFactor, 200.0 / 3.0, 1e-9);
    EXPECT_EQ(a.tariffEffect, 1);
    EXPECT_EQ(a.counts.hoursBelowPowerFactor(), 24.0) << "whole minutes, divided once";
}

TEST(Overlay, DefaultIsTheSameWeekdayAWeekEarlier) {
    MeasurementCircuit circuit;
    circuit.addOrReplaceDay(fixtures::flatDay(kDay.addDays(-7), 30, 1.0));
    circuit.addOrReplaceDay(fixtures::flatDay(kDay.addDays(-1), 30, 1.0));
    circuit.addOrReplaceDay(fixtures::flatDay(kDay, 30, 1.0));
    EXPECT_EQ(defaultOverlayDay(circuit, kDay), 0);
    EXPECT_EQ(defaultOverlayDay(circuit, kDay.addDays(-1)), -1);
}

TEST(Overlay, MonthDailyTotalsLieOverTheShownMonthDayByDay) {
    MeasurementCircuit circuit;
    for (int day : {21, 22, 24}) {
        MeasurementDay d = fixtures::flatDay(DateTime::make(2006, 11, day), 30, 1.0);
        d.data.summary.energy = 100.0 * day;
        circuit.addOrReplaceDay(d);
    }
    const std::vector<ChartPoint> p = monthDailyTotals(circuit, monthWindow(2006, 11, 21));
    const std::vector<ChartPoint> expected{{0.0, 2100.0, PointMark::Start},
                                           {1440.0, 2200.0, PointMark::Continue},
                                           {4320.0, 2400.0, PointMark::Start}};
    EXPECT_EQ(p, expected);
}

} // namespace

namespace {

struct OverlayDayCase {
    const char* name;
    bool shown;
    DateTime chosen;
    int expectedIndex; // in the circuit of days −7, −1, 0
};

class OverlayDayTable : public ::testing::TestWithParam<OverlayDayCase> {};

TEST_P(OverlayDayTable, ChosenDayOrAWeekEarlier) {
    const DateTime day = DateTime::make(2024, 5, 1);
    MeasurementCircuit circuit;
    for (int d : {-7, -1, 0})
        circuit.addOrReplaceDay(fixtures::flatDay(day.addDays(d), 30, 1.0));
    OverlayChoice choice;
    choice.shown = GetParam().shown;
    choice.day = GetParam().chosen;
    EXPECT_EQ(overlayDayIndex(circuit, day, choice), GetParam().expectedIndex);
}

INSTANTIATE_TEST_SUITE_P(
    Days, OverlayDayTable,
    ::testing::Values(OverlayDayCase{"default_week_earlier", true, DateTime(), 0},
                      OverlayDayCase{"chosen_day", true, DateTime::make(2024, 4, 30), 1},
                      OverlayDayCase{"chosen_day_not_stored", true, DateTime::make(2024, 4, 2), -1},
                      OverlayDayCase{"switched_off", false, DateTime(), -1}),
    [](const auto& info) { return std::string(info.param.name); });

struct OverlayMonthCase {
    const char* name;
    int chosenYear, chosenMonth;
    int year, month;
    int expectedYear, expectedMonth;
};

class OverlayMonthTable : public ::testing::TestWithParam<OverlayMonthCase> {};

TEST_P(OverlayMonthTable, ChosenMonthOrTheOneBefore) {
    const OverlayMonthCase& c = GetParam();
    OverlayChoice choice;
    choice.year = c.chosenYear;
    choice.month = c.chosenMonth;
    int y = 0, m = 0;
    overlayMonth(choice, c.year, c.month, y, m);
    EXPECT_EQ(y, c.expectedYear);
    EXPECT_EQ(m, c.expectedMonth);
}

INSTANTIATE_TEST_SUITE_P(Months, OverlayMonthTable,
                         ::testing::Values(OverlayMonthCase{"before", -1, -1, 2024, 5, 2024, 4},
                                           OverlayMonthCase{"across_year", -1, -1, 2024, 1, 2023,
                                                            12},
                                           OverlayMonthCase{"chosen", 2023, 5, 2024, 5, 2023, 5}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Overlay, StoredReportMonthsFollowTheStartDay) {
    MeasurementCircuit circuit;
    for (DateTime d : {DateTime::make(2006, 12, 20), DateTime::make(2006, 12, 21),
                       DateTime::make(2007, 1, 20), DateTime::make(2007, 1, 21)})
        circuit.addOrReplaceDay(fixtures::flatDay(d, 30, 1.0));
    EXPECT_EQ(storedReportMonths(circuit, 21),
              (std::vector<int>{2006 * 12 + 10, 2006 * 12 + 11, 2007 * 12 + 0}));
}

} // namespace

namespace {

// The list of what to compare with, as the analysis view shows it: the default first, then
// the circuit's days (its channel only) or its report months (start day 21, across a year end).
struct OverlayOptionsCase {
    const char* name;
    bool monthly;
    OverlayChoice chosen;
    std::vector<std::string> labels; // UTF-8
    std::size_t current;
};

class OverlayOptionsTable : public ::testing::TestWithParam<OverlayOptionsCase> {};

MeasurementCircuit circuitAcrossAYearEnd() {
    MeasurementCircuit circuit;
    for (DateTime d :
         {DateTime::make(2006, 12, 20), DateTime::make(2006, 12, 21), DateTime::make(2007, 1, 21)})
        circuit.addOrReplaceDay(fixtures::flatDay(d, 30, 1.0));
    MeasurementDay other = fixtures::flatDay(DateTime::make(2006, 12, 22), 30, 1.0);
    other.channel = 2; // a day of the other channel is not offered
    circuit.addOrReplaceDay(other);
    return circuit;
}

OverlayChoice dayChoice(const DateTime& day) {
    OverlayChoice c;
    c.day = day;
    return c;
}
OverlayChoice monthChoice(int year, int month) {
    OverlayChoice c;
    c.year = year;
    c.month = month;
    return c;
}

TEST_P(OverlayOptionsTable, LabelsAndTheChosenEntry) {
    const OverlayOptionsCase& c = GetParam();
    const std::vector<OverlayOption> options =
        overlayOptions(circuitAcrossAYearEnd(), c.monthly, 21);
    std::vector<std::string> labels;
    for (const OverlayOption& o : options)
        labels.push_back(sjis::toUtf8(o.label));
    EXPECT_EQ(labels, c.labels);
    EXPECT_EQ(chosenOverlayOption(options, c.chosen, c.monthly), c.current);
    // Each entry makes the choice that selects it again.
    for (std::size_t i = 0; i < options.size(); ++i)
        EXPECT_EQ(chosenOverlayOption(options, options[i].choice, c.monthly), i);
}

const std::vector<std::string> kDayLabels{"1週間前の同じ曜日", "2006/12/20 (水)", "2006/12/21 (木)",
                                          "2007/01/21 (日)"};
const std::vector<std::string> kMonthLabels{"前の月", "2006/11", "2006/12", "2007/01"};

INSTANTIATE_TEST_SUITE_P(
    Lists, OverlayOptionsTable,
    ::testing::Values(
        OverlayOptionsCase{"days_default", false, OverlayChoice(), kDayLabels, 0},
        OverlayOptionsCase{"days_chosen", false, dayChoice(DateTime::make(2007, 1, 21)), kDayLabels,
                           3},
        OverlayOptionsCase{"days_chosen_not_stored", false, dayChoice(DateTime::make(2007, 1, 22)),
                           kDayLabels, 0},
        OverlayOptionsCase{"months_default", true, OverlayChoice(), kMonthLabels, 0},
        OverlayOptionsCase{"months_after_the_year_end", true, monthChoice(2007, 1), kMonthLabels,
                           3},
        OverlayOptionsCase{"months_before_it", true, monthChoice(2006, 11), kMonthLabels, 1},
        OverlayOptionsCase{"months_not_stored", true, monthChoice(2006, 10), kMonthLabels, 0}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
