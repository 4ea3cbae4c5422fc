#include "analysis/HalfHourDemand.h"

#include "analysis/DayCoverage.h"
#include "analysis/DayResults.h"
#include "analysis/MonthNumber.h"
#include "store/Aggregation.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

constexpr int kHalfHour = 30;
constexpr int kHalfHours = kMinutesPerDay / kHalfHour;

} // namespace

std::vector<HalfHourDemand> dayHalfHours(const DayData& day, const DateTime& date) {
    const DateTime midnight = date.dateOnly();
    return dayHalfHours(day, midnight, intervalMinutesOf(day, midnight.value()));
}

std::vector<HalfHourDemand> dayHalfHours(const DayData& day, const DateTime& midnight,
                                         int interval) {
    std::vector<HalfHourDemand> result;
    if (interval <= 0)
        return result;
    std::array<double, kHalfHours> energy{}; // W × minutes
    std::array<double, kHalfHours> minutes{};
    const int phases = day.phaseCount();
    for (int i = 0; i < day.intervals.count(); ++i) {
        const IntervalSample& s = day.intervals.at(i);
        // An outage interval holds no reading: it is missing here as everywhere else.
        if (isOutageSample(s, phases) || !std::isfinite(s.power))
            continue;
        const int end = std::min(minutesIntoDay(s.time, midnight.value()), kMinutesPerDay);
        const int start = std::max(end - interval, 0);
        for (int k = start / kHalfHour; k < kHalfHours && k * kHalfHour < end; ++k) {
            const int overlap = std::min(end, (k + 1) * kHalfHour) - std::max(start, k * kHalfHour);
            if (overlap <= 0)
                continue;
            energy[static_cast<std::size_t>(k)] += s.power * overlap;
            minutes[static_cast<std::size_t>(k)] += overlap;
        }
    }
    result.reserve(kHalfHours);
    for (int k = 0; k < kHalfHours; ++k) {
        const std::size_t kk = static_cast<std::size_t>(k);
        if (minutes[kk] <= 0.0)
            continue;
        HalfHourDemand h;
        h.from = midnight.addMinutes(k * kHalfHour);
        h.to = midnight.addMinutes((k + 1) * kHalfHour);
        h.demand = energy[kk] / minutes[kk];
        h.coverage = std::min(minutes[kk] / kHalfHour, 1.0);
        result.push_back(h);
    }
    return result;
}

std::vector<HalfHourDemand> windowHalfHours(const MeasurementCircuit& circuit,
                                            const MonthWindow& window) {
    std::vector<HalfHourDemand> result;
    for (int index : daysInWindow(circuit, window)) {
        const MeasurementDay& day = circuit.days.at(index);
        std::vector<HalfHourDemand> part = dayHalfHours(day.data, day.date);
        result.insert(result.end(), part.begin(), part.end());
    }
    return result;
}

std::vector<HalfHourDemand> largestHalfHours(const std::vector<HalfHourDemand>& halfHours,
                                             std::size_t n) {
    std::vector<HalfHourDemand> sorted = halfHours;
    // Stable: the input is in time order, so equal demands keep the earlier first.
    std::stable_sort(
        sorted.begin(), sorted.end(),
        [](const HalfHourDemand& a, const HalfHourDemand& b) { return a.demand > b.demand; });
    if (sorted.size() > n)
        sorted.resize(n);
    return sorted;
}

std::vector<MonthMaximum> twelveMonthMaxima(const MeasurementCircuit& circuit, int year, int month,
                                            int startDay) {
    DayResultsCache days(circuit);
    return twelveMonthMaxima(days, year, month, startDay);
}

std::vector<MonthMaximum> twelveMonthMaxima(DayResultsCache& days, int year, int month,
                                            int startDay) {
    std::vector<MonthMaximum> result;
    const MeasurementCircuit& circuit = *days.circuit();
    const int last = monthNumber(year, month);
    for (int m = last - 11; m <= last; ++m) {
        MonthMaximum entry;
        entry.year = yearOfMonthNumber(m);
        entry.month = monthOfMonthNumber(m);
        // Each day's largest half-hour is kept with the day: a month is the largest of them.
        for (int index : daysInWindow(circuit, monthWindow(entry.year, entry.month, startDay))) {
            const HalfHourDemand* h = days.day(index).largest();
            if (h && (!entry.found || h->demand > entry.peak.demand)) {
                entry.found = true;
                entry.peak = *h; // the earlier of equal demands stays
            }
        }
        result.push_back(entry);
    }
    return result;
}

MonthMaximum largestOf(const std::vector<MonthMaximum>& months) {
    MonthMaximum best;
    for (const MonthMaximum& m : months) {
        if (m.found && (!best.found || m.peak.demand > best.peak.demand))
            best = m;
    }
    return best;
}
