#pragma once
// How far a day's interval listing covers the day: the interval the recorder used, missing
// intervals, outage intervals, and where a line through the samples has to break.
#include "store/DAT_Records.h"
#include <vector>

inline constexpr int kMinutesPerDay = 1440;

// Minutes from the day's 00:00 to a time (a sample's time is the end of its interval, so the
// last sample of a day is 1440), rounded to the whole minute.
int minutesIntoDay(const DateTime& time, const DateTime& date);
// The same from the day's 00:00 as a plain value (midnightOf), which a loop over a day's
// samples splits once instead of once per sample. Times days away are held at ±1,000,000.
double midnightOf(const DateTime& date);
int minutesIntoDay(const DateTime& time, double midnight);

// The interval of the listing in minutes: the most frequent step between consecutive samples
// (the smaller on a tie); with one sample, the minutes to its time. 0 without samples.
int intervalMinutesOf(const DayData& day, const DateTime& date);
int intervalMinutesOf(const DayData& day, double midnight);

// The recorder lists an interval without supply with every voltage 0: such a sample holds no
// reading, only the zero power that really flowed.
bool isOutageSample(const IntervalSample& sample, int phases);

struct DayCoverage {
    int intervalMinutes = 0;   // 0 without samples
    int expectedIntervals = 0; // 1440 / interval
    int presentIntervals = 0;  // distinct intervals of the day that have a sample
    int outageIntervals = 0;   // present samples that are outage samples

    // Intervals without a reading: absent ones and outage ones.
    int missingIntervals() const { return expectedIntervals - presentIntervals + outageIntervals; }
    // A stored day without any sample is incomplete too: it has no reading at all.
    bool incomplete() const { return intervalMinutes == 0 || missingIntervals() > 0; }
    bool operator==(const DayCoverage&) const = default;
};

// A day without samples has no interval to count against: intervalMinutes 0, incomplete.
DayCoverage dayCoverage(const DayData& day, const DateTime& date);
// The same with the day's midnight and interval already known.
DayCoverage dayCoverage(const DayData& day, double midnight, int intervalMinutes);

// How a chart point is drawn: it continues the line, starts a new piece of it (first point,
// after a gap of more than one interval or after an outage), or is not drawn at all (outage).
enum class PointMark { Continue, Start, Skip };

struct ChartPoint {
    double minutes = 0.0; // x: minutes from the start of the axis
    double value = 0.0;
    PointMark mark = PointMark::Continue;
    bool operator==(const ChartPoint&) const = default;
};

// The marks of the day's samples in time order (one per sample).
std::vector<PointMark> pointMarks(const DayData& day, const DateTime& date);
