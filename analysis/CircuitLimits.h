#pragma once
// The limits a circuit is checked against: contract demand, voltage band and power-factor
// threshold, with the counts of intervals outside them.
#include "analysis/HalfHourDemand.h"
#include "store/DAT_Records.h"
#include <array>
#include <vector>

enum class VoltageBandKind : int {
    Auto = 0, // from the measured voltage: 101 ± 6 V or 202 ± 20 V, none for other levels
    Low101 = 1,
    Low202 = 2,
    User = 3, // userLow … userHigh
    None = 4,
};

struct CircuitLimits {
    double contractDemand = 0.0; // W; 0 = none entered
    VoltageBandKind band = VoltageBandKind::Auto;
    double userLow = 0.0; // V
    double userHigh = 0.0;
    double powerFactorThreshold = 85.0; // %

    bool operator==(const CircuitLimits&) const = default;
};

// A closed band low ≤ v ≤ high; no band when not valid.
struct VoltageBand {
    bool valid = false;
    double low = 0.0;
    double high = 0.0;
    bool operator==(const VoltageBand&) const = default;
};

// The band in force. Auto looks at the typical measured voltage (phase 1 average): up to 150 V
// the 101 V band, up to 300 V the 202 V band, otherwise none (high-voltage circuits).
VoltageBand voltageBandOf(const CircuitLimits& limits, double typicalVoltage);

// Counts of intervals outside the limits. Outage samples hold no reading and are not counted.
struct LimitCounts {
    VoltageBand band;
    std::array<int, 3> voltageBelow{};
    std::array<int, 3> voltageAbove{};
    int powerFactorBelow = 0;        // |PF| below the threshold
    int minutesBelowPowerFactor = 0; // those intervals × interval length
    double hoursBelowPowerFactor() const { return minutesBelowPowerFactor / 60.0; }
    int demandAbove = 0; // half-hours above the contract demand (none without one)
};

// Adds the samples of one day to the counts (band already set in `counts`).
void countDayLimits(LimitCounts& counts, const DayData& day, const DateTime& date,
                    const CircuitLimits& limits);
// The same with the day's interval already known (intervalMinutesOf).
void countDayLimits(LimitCounts& counts, const DayData& day, int intervalMinutes,
                    const CircuitLimits& limits);
// Half-hours strictly above the contract demand; 0 when no contract demand is entered.
int countAboveContract(const std::vector<HalfHourDemand>& halfHours, double contractDemand);
