#include "analysis/ReportStatistics.h"

#include "analysis/DayCoverage.h"

#include <algorithm>
#include <cmath>

void ValueStatistics::add(double value, const DateTime& time) {
    // A value a file carried as NaN or infinite is no reading.
    if (!std::isfinite(value))
        return;
    if (count == 0 || value < minimum) {
        minimum = value;
        minimumTime = time;
    }
    if (count == 0 || value > maximum) {
        maximum = value;
        maximumTime = time;
    }
    ++count;
    m_sum += value;
    average = m_sum / count;
}

void addDayStatistics(ReportStatistics& stats, const DayData& day) {
    const int phases = day.phaseCount();
    stats.phases = std::max(stats.phases, phases);
    for (int i = 0; i < day.intervals.count(); ++i) {
        const IntervalSample& s = day.intervals.at(i);
        if (isOutageSample(s, phases))
            continue;
        stats.power.add(s.power, s.time);
        for (std::size_t k = 0; k < static_cast<std::size_t>(phases); ++k) {
            stats.voltage[k].add(s.voltage[k], s.time);
            stats.current[k].add(s.current[k], s.time);
        }
        stats.powerFactor.add(std::fabs(s.powerFactor), s.time);
    }
}

std::optional<double> loadFactorPercent(const ValueStatistics& power, double maximumDemand) {
    if (power.count == 0 || !(maximumDemand > 0.0))
        return std::nullopt;
    return power.average / maximumDemand * 100.0;
}

int tariffEffectPercent(double averagePowerFactor) {
    // Never a NaN into an int (undefined); callers show the effect only with readings.
    if (!std::isfinite(averagePowerFactor))
        return 0;
    const double pf = std::min(std::fabs(averagePowerFactor), 100.0);
    return 85 - static_cast<int>(std::floor(pf + 0.5));
}
