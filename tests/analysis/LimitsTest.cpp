// Voltage bands with their edges, the power-factor threshold and the contract demand.
#include "analysis/AnalysisFixtures.h"
#include "analysis/CircuitLimits.h"
#include "analysis/ReportAnalysis.h"

#include <gtest/gtest.h>

namespace {

const DateTime kDay = DateTime::make(2024, 5, 1);

struct BandCase {
    const char* name;
    VoltageBandKind kind;
    double userLow, userHigh;
    double typical; // phase-1 average, for Auto
    VoltageBand band;
};

class BandTable : public ::testing::TestWithParam<BandCase> {};

TEST_P(BandTable, ChoosesTheBand) {
    const BandCase& c = GetParam();
    CircuitLimits limits;
    limits.band = c.kind;
    limits.userLow = c.userLow;
    limits.userHigh = c.userHigh;
    EXPECT_EQ(voltageBandOf(limits, c.typical), c.band);
}

INSTANTIATE_TEST_SUITE_P(
    Bands, BandTable,
    ::testing::Values(BandCase{"fixed_101", VoltageBandKind::Low101, 0, 0, 6600, {true, 95, 107}},
                      BandCase{"fixed_202", VoltageBandKind::Low202, 0, 0, 100, {true, 182, 222}},
                      BandCase{"user", VoltageBandKind::User, 190, 215, 0, {true, 190, 215}},
                      BandCase{"user_reversed_is_none", VoltageBandKind::User, 215, 190, 0, {}},
                      BandCase{"none", VoltageBandKind::None, 0, 0, 101, {}},
                      BandCase{"auto_100V", VoltageBandKind::Auto, 0, 0, 103.2, {true, 95, 107}},
                      BandCase{"auto_200V", VoltageBandKind::Auto, 0, 0, 205.0, {true, 182, 222}},
                      BandCase{"auto_high_voltage", VoltageBandKind::Auto, 0, 0, 6600, {}},
                      BandCase{"auto_without_reading", VoltageBandKind::Auto, 0, 0, 0, {}}),
    [](const auto& info) { return std::string(info.param.name); });

// One reading against a band: the edges themselves lie inside.
struct EdgeCase {
    const char* name;
    VoltageBandKind kind;
    double voltage;
    int below, above;
};

class EdgeTable : public ::testing::TestWithParam<EdgeCase> {};

TEST_P(EdgeTable, CountsReadingsOutsideTheBand) {
    const EdgeCase& c = GetParam();
    MeasurementDay d = fixtures::flatDay(kDay, 60, 1000.0);
    IntervalSample& s = fixtures::sampleAt(d, 600);
    s.voltage = {c.voltage, 101.0, 0.0}; // phase 2 stays in the 101 band
    CircuitLimits limits;
    limits.band = c.kind;
    LimitCounts counts;
    counts.band = voltageBandOf(limits, 0.0);
    // The other samples sit in the middle of the band.
    for (int i = 0; i < d.data.intervals.count(); ++i) {
        IntervalSample& x = d.data.intervals.at(i);
        if (x.time != s.time)
            x.voltage = {(counts.band.low + counts.band.high) / 2, 101.0, 0.0};
    }
    countDayLimits(counts, d.data, d.date, limits);
    EXPECT_EQ(counts.voltageBelow[0], c.below);
    EXPECT_EQ(counts.voltageAbove[0], c.above);
    EXPECT_EQ(counts.voltageBelow[1] + counts.voltageAbove[1],
              c.kind == VoltageBandKind::Low101 ? 0 : 24);
}

INSTANTIATE_TEST_SUITE_P(
    Edges, EdgeTable,
    ::testing::Values(EdgeCase{"v101_low_edge_inside", VoltageBandKind::Low101, 95.0, 0, 0},
                      EdgeCase{"v101_just_below", VoltageBandKind::Low101, 94.9, 1, 0},
                      EdgeCase{"v101_high_edge_inside", VoltageBandKind::Low101, 107.0, 0, 0},
                      EdgeCase{"v101_just_above", VoltageBandKind::Low101, 107.1, 0, 1},
                      EdgeCase{"v202_low_edge_inside", VoltageBandKind::Low202, 182.0, 0, 0},
                      EdgeCase{"v202_just_below", VoltageBandKind::Low202, 181.9, 1, 0},
                      EdgeCase{"v202_high_edge_inside", VoltageBandKind::Low202, 222.0, 0, 0},
                      EdgeCase{"v202_just_above", VoltageBandKind::Low202, 222.1, 0, 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Limits, OutageSamplesAreNotCountedOutsideTheBand) {
    MeasurementDay d = fixtures::flatDay(kDay, 30, 1000.0);
    fixtures::sampleAt(d, 600).voltage = {0.0, 0.0, 0.0};
    fixtures::sampleAt(d, 600).powerFactor = 0.0;
    CircuitLimits limits;
    LimitCounts counts;
    counts.band = voltageBandOf(limits, 101.0);
    countDayLimits(counts, d.data, d.date, limits);
    EXPECT_EQ(counts.voltageBelow[0], 0);
    EXPECT_EQ(counts.powerFactorBelow, 0);
}

struct PowerFactorCase {
    const char* name;
    double threshold;
    double reading; // PF of eight 15-minute samples
    int below;
    double hours;
};

class PowerFactorTable : public ::testing::TestWithParam<PowerFactorCase> {};

TEST_P(PowerFactorTable, CountsIntervalsBelowTheThreshold) {
    const PowerFactorCase& c = GetParam();
    MeasurementDay d = fixtures::flatDay(kDay, 15, 1000.0);
    for (int m = 15; m <= 120; m += 15)
        fixtures::sampleAt(d, m).powerFactor = c.reading;
    CircuitLimits limits;
    limits.powerFactorThreshold = c.threshold;
    LimitCounts counts;
    countDayLimits(counts, d.data, d.date, limits);
    EXPECT_EQ(counts.powerFactorBelow, c.below);
    EXPECT_DOUBLE_EQ(counts.hoursBelowPowerFactor(), c.hours);
}

INSTANTIATE_TEST_SUITE_P(Thresholds, PowerFactorTable,
                         ::testing::Values(PowerFactorCase{"default_85_at_84_9", 85, 84.9, 8, 2.0},
                                           PowerFactorCase{"default_85_at_85", 85, 85.0, 0, 0.0},
                                           PowerFactorCase{"leading_minus_80", 85, -80.0, 8, 2.0},
                                           PowerFactorCase{"threshold_96_above_the_rest", 96, 90.0,
                                                           96, 24.0}),
                         [](const auto& info) { return std::string(info.param.name); });

struct ContractCase {
    const char* name;
    double contract; // W
    int above;
};

class ContractTable : public ::testing::TestWithParam<ContractCase> {};

TEST_P(ContractTable, CountsHalfHoursStrictlyAbove) {
    const ContractCase& c = GetParam();
    // Half-hour k has demand 100 × k.
    MeasurementDay d = fixtures::day(kDay, 30, [](int m) { return 100.0 * (m / 30 - 1); });
    CircuitLimits limits;
    limits.contractDemand = c.contract;
    const ReportAnalysis a = [&] {
        MeasurementCircuit circuit;
        circuit.addOrReplaceDay(d);
        return analyseDay(circuit, 0, limits, 1);
    }();
    EXPECT_EQ(a.counts.demandAbove, c.above);
}

INSTANTIATE_TEST_SUITE_P(Contracts, ContractTable,
                         ::testing::Values(ContractCase{"none_entered", 0, 0},
                                           ContractCase{"equal_is_not_above", 4700, 0},
                                           ContractCase{"just_below_the_top", 4699.9, 1},
                                           ContractCase{"middle", 2350, 24}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
