#include "analysis/DayCoverage.h"

#include <algorithm>
#include <array>
#include <bitset>
#include <cmath>

namespace {

// Far beyond any day: keeps the arithmetic on minutes well inside int.
constexpr double kMinutesLimit = 1'000'000.0;

} // namespace

double midnightOf(const DateTime& date) {
    return date.dateOnly().value();
}

int minutesIntoDay(const DateTime& time, double midnight) {
    const double minutes = (time.value() - midnight) * kMinutesPerDay;
    if (!(minutes > -kMinutesLimit)) // also NaN
        return static_cast<int>(-kMinutesLimit);
    return static_cast<int>(std::lround(std::min(minutes, kMinutesLimit)));
}

int minutesIntoDay(const DateTime& time, const DateTime& date) {
    return minutesIntoDay(time, midnightOf(date));
}

int intervalMinutesOf(const DayData& day, double midnight) {
    const auto& samples = day.intervals;
    if (samples.empty())
        return 0;
    if (samples.count() == 1) {
        int m = minutesIntoDay(samples.at(0).time, midnight);
        return m > 0 ? m : 0;
    }
    // Steps within a day counted in place; longer ones (times off the day) sorted apart.
    std::array<int, kMinutesPerDay + 1> steps{};
    std::vector<int> longer;
    int previous = minutesIntoDay(samples.at(0).time, midnight);
    for (int i = 1; i < samples.count(); ++i) {
        const int m = minutesIntoDay(samples.at(i).time, midnight);
        const int step = m - previous;
        previous = m;
        if (step > kMinutesPerDay)
            longer.push_back(step);
        else if (step > 0)
            ++steps[static_cast<std::size_t>(step)];
    }
    int best = 0, bestCount = 0;
    for (int step = 1; step <= kMinutesPerDay; ++step) {
        if (steps[static_cast<std::size_t>(step)] > bestCount) {
            best = step;
            bestCount = steps[static_cast<std::size_t>(step)];
        }
    }
    std::sort(longer.begin(), longer.end());
    for (std::size_t i = 0; i < longer.size();) {
        std::size_t j = i;
        while (j < longer.size() && longer[j] == longer[i])
            ++j;
        if (static_cast<int>(j - i) > bestCount) {
            best = longer[i];
            bestCount = static_cast<int>(j - i);
        }
        i = j;
    }
    return best;
}

int intervalMinutesOf(const DayData& day, const DateTime& date) {
    return intervalMinutesOf(day, midnightOf(date));
}

bool isOutageSample(const IntervalSample& sample, int phases) {
    for (int k = 0; k < phases; ++k) {
        if (sample.voltage[static_cast<std::size_t>(k)] != 0.0)
            return false;
    }
    return true;
}

DayCoverage dayCoverage(const DayData& day, double midnight, int intervalMinutes) {
    DayCoverage c;
    c.intervalMinutes = intervalMinutes;
    if (c.intervalMinutes <= 0)
        return c;
    c.expectedIntervals = (kMinutesPerDay + c.intervalMinutes - 1) / c.intervalMinutes;
    // At most 1440 intervals: one bit each says whether a sample was seen.
    std::bitset<kMinutesPerDay + 1> seen;
    const int phases = day.phaseCount();
    for (int i = 0; i < day.intervals.count(); ++i) {
        const IntervalSample& s = day.intervals.at(i);
        const int m = minutesIntoDay(s.time, midnight);
        // Interval n (1-based) ends at n × interval; a time off that grid counts where it ends.
        const int slot = (m + c.intervalMinutes - 1) / c.intervalMinutes;
        if (slot < 1 || slot > c.expectedIntervals || seen.test(static_cast<std::size_t>(slot)))
            continue;
        seen.set(static_cast<std::size_t>(slot));
        ++c.presentIntervals;
        if (isOutageSample(s, phases))
            ++c.outageIntervals;
    }
    return c;
}

DayCoverage dayCoverage(const DayData& day, const DateTime& date) {
    const double midnight = midnightOf(date);
    return dayCoverage(day, midnight, intervalMinutesOf(day, midnight));
}

std::vector<PointMark> pointMarks(const DayData& day, const DateTime& date) {
    std::vector<PointMark> marks;
    const double midnight = midnightOf(date);
    const int interval = intervalMinutesOf(day, midnight);
    marks.reserve(static_cast<std::size_t>(day.intervals.count()));
    bool broken = true; // the first drawn point starts the line
    int previous = 0;
    for (int i = 0; i < day.intervals.count(); ++i) {
        const IntervalSample& s = day.intervals.at(i);
        const int m = minutesIntoDay(s.time, midnight);
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
