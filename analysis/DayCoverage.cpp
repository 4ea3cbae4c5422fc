#include "analysis/DayCoverage.h"

#include <cmath>
#include <map>
#include <set>

int minutesIntoDay(const DateTime& time, const DateTime& date) {
    return static_cast<int>(std::lround((time.value() - date.dateOnly().value()) * kMinutesPerDay));
}

int intervalMinutesOf(const DayData& day, const DateTime& date) {
    const auto& samples = day.intervals;
    if (samples.empty())
        return 0;
    if (samples.count() == 1) {
        int m = minutesIntoDay(samples.at(0).time, date);
        return m > 0 ? m : 0;
    }
    std::map<int, int> steps;
    for (int i = 1; i < samples.count(); ++i) {
        int step =
            minutesIntoDay(samples.at(i).time, date) - minutesIntoDay(samples.at(i - 1).time, date);
        if (step > 0)
            ++steps[step];
    }
    int best = 0, bestCount = 0;
    for (const auto& [step, count] : steps) {
        if (count > bestCount) {
            best = step;
            bestCount = count;
        }
    }
    return best;
}

bool isOutageSample(const IntervalSample& sample, int phases) {
    for (int k = 0; k < phases; ++k) {
        if (sample.voltage[static_cast<std::size_t>(k)] != 0.0)
            return false;
    }
    return true;
}

DayCoverage dayCoverage(const DayData& day, const DateTime& date) {
    DayCoverage c;
    c.intervalMinutes = intervalMinutesOf(day, date);
    if (c.intervalMinutes <= 0)
        return c;
    c.expectedIntervals = (kMinutesPerDay + c.intervalMinutes - 1) / c.intervalMinutes;
    std::set<int> slots;
    for (int i = 0; i < day.intervals.count(); ++i) {
        const IntervalSample& s = day.intervals.at(i);
        const int m = minutesIntoDay(s.time, date);
        // Interval n (1-based) ends at n × interval; a time off that grid counts where it ends.
        const int slot = (m + c.intervalMinutes - 1) / c.intervalMinutes;
        if (slot < 1 || slot > c.expectedIntervals || !slots.insert(slot).second)
            continue;
        if (isOutageSample(s, day.phaseCount()))
            ++c.outageIntervals;
    }
    c.presentIntervals = static_cast<int>(slots.size());
    return c;
}

std::vector<PointMark> pointMarks(const DayData& day, const DateTime& date) {
    std::vector<PointMark> marks;
    const int interval = intervalMinutesOf(day, date);
    marks.reserve(static_cast<std::size_t>(day.intervals.count()));
    bool broken = true; // the first drawn point starts the line
    int previous = 0;
    for (int i = 0; i < day.intervals.count(); ++i) {
        const IntervalSample& s = day.intervals.at(i);
        const int m = minutesIntoDay(s.time, date);
        if (isOutageSample(s, day.phaseCount())) {
            marks.push_back(PointMark::Skip);
            broken = true;
        } else {
            marks.push_back(broken || m - previous > interval ? PointMark::Start
                                                              : PointMark::Continue);
            broken = false;
        }
        previous = m;
    }
    return marks;
}
