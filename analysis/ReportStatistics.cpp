#include "analysis/ReportStatistics.h"

#include "analysis/DayCoverage.h"

#include <algorithm>
#include <cmath>

void ValueStatistics::add(double value, const DateTime& time) {
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

double loadFactorPercent(const std::vector<HalfHourDemand>& halfHours) {
    double sum = 0.0, maximum = 0.0;
    for (const HalfHourDemand& h : halfHours) {
        sum += h.demand;
        maximum = std::max(maximum, h.demand);
    }
    if (halfHours.empty() || maximum <= 0.0)
        return 0.0;
    return sum / static_cast<double>(halfHours.size()) / maximum * 100.0;
}

int tariffEffectPercent(double averagePowerFactor) {
    const double pf = std::min(std::fabs(averagePowerFactor), 100.0);
    return 85 - static_cast<int>(std::floor(pf + 0.5));
}
