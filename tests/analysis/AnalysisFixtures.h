#pragma once
// Days of interval samples built from a rule, for the analysis suites.
#include "common/RecordBuilders.h"
#include "store/DAT_Store.h"

#include <functional>

namespace fixtures {

// Value of a sample from the minute its interval ends (1 … 1440).
using MinuteRule = std::function<double(int endMinute)>;

// A day of `interval`-minute samples with power from the rule, 101 V, 10 A, PF 95 % (2 phases).
inline MeasurementDay day(const DateTime& date, int interval, const MinuteRule& power) {
    MeasurementDay d;
    d.date = date;
    d.data.setHeader(CircuitSinglePhase, 1.0, 1.0);
    for (int m = interval; m <= 1440; m += interval)
        d.data.addOrReplaceSample(builders::sample(date.addMinutes(m), power(m), 0.0, 95.0,
                                                   {101.0, 101.0, 0.0}, {10.0, 10.0, 0.0}));
    return d;
}

inline MeasurementDay flatDay(const DateTime& date, int interval, double power) {
    return day(date, interval, [power](int) { return power; });
}

// Removes the sample that ends at the minute.
inline void removeSampleAt(MeasurementDay& d, int endMinute) {
    int i = d.data.intervals.find(d.date.addMinutes(endMinute));
    if (i >= 0)
        d.data.intervals.removeAt(i);
}

// The sample ending at the minute, for changing its values.
inline IntervalSample& sampleAt(MeasurementDay& d, int endMinute) {
    return d.data.intervals.at(d.data.intervals.find(d.date.addMinutes(endMinute)));
}

} // namespace fixtures
