#include "analysis/CircuitLimits.h"

#include "analysis/DayCoverage.h"

#include <algorithm>
#include <cmath>

VoltageBand voltageBandOf(const CircuitLimits& limits, double typicalVoltage) {
    switch (limits.band) {
    case VoltageBandKind::Low101:
        return {true, 95.0, 107.0};
    case VoltageBandKind::Low202:
        return {true, 182.0, 222.0};
    case VoltageBandKind::User:
        if (limits.userLow < limits.userHigh)
            return {true, limits.userLow, limits.userHigh};
        return {};
    case VoltageBandKind::None:
        return {};
    case VoltageBandKind::Auto:
        if (typicalVoltage <= 0.0 || typicalVoltage > 300.0)
            return {};
        return typicalVoltage <= 150.0 ? VoltageBand{true, 95.0, 107.0}
                                       : VoltageBand{true, 182.0, 222.0};
    }
    return {};
}

void countDayLimits(LimitCounts& counts, const DayData& day, const DateTime& date,
                    const CircuitLimits& limits) {
    countDayLimits(counts, day, intervalMinutesOf(day, date), limits);
}

void countDayLimits(LimitCounts& counts, const DayData& day, int interval,
                    const CircuitLimits& limits) {
    const int phases = day.phaseCount();
    // No interval is longer than the day (a time far off the day would overflow the sum).
    const int minutes = std::min(interval, kMinutesPerDay);
    for (int i = 0; i < day.intervals.count(); ++i) {
        const IntervalSample& s = day.intervals.at(i);
        if (isOutageSample(s, phases))
            continue;
        if (counts.band.valid) {
            for (std::size_t k = 0; k < static_cast<std::size_t>(phases); ++k) {
                if (s.voltage[k] < counts.band.low)
                    ++counts.voltageBelow[k];
                else if (s.voltage[k] > counts.band.high)
                    ++counts.voltageAbove[k];
            }
        }
        if (std::fabs(s.powerFactor) < limits.powerFactorThreshold) {
            ++counts.powerFactorBelow;
            counts.minutesBelowPowerFactor += minutes;
        }
    }
}

int countAboveContract(const std::vector<HalfHourDemand>& halfHours, double contractDemand) {
    if (contractDemand <= 0.0)
        return 0;
    int n = 0;
    for (const HalfHourDemand& h : halfHours) {
        if (h.demand > contractDemand)
            ++n;
    }
    return n;
}
