#pragma once
// 30-minute demand: the average forward power of each clock half-hour (00:00–00:30, …), from
// whatever interval the recorder used, and the maxima built on it.
#include "store/DAT_Records.h"
#include "store/DAT_Store.h"
#include "store/MonthWindow.h"
#include <vector>

class DayResultsCache;

struct HalfHourDemand {
    DateTime from;         // start of the half-hour
    DateTime to;           // its end (the next day's 00:00 for the last one)
    double demand = 0.0;   // W
    double coverage = 0.0; // measured share of the half-hour, 0 … 1
    bool operator==(const HalfHourDemand&) const = default;
};

// The half-hours of a day that at least one measured sample covers, in time order (an outage
// sample, every voltage 0, measures nothing: it counts neither as demand nor as coverage). A sample
// stands for the interval that ends at its time; an interval longer than 30 minutes gives each
// half-hour it covers its value.
std::vector<HalfHourDemand> dayHalfHours(const DayData& day, const DateTime& date);
// The same with the day's 00:00 (date.dateOnly()) and interval already known.
std::vector<HalfHourDemand> dayHalfHours(const DayData& day, const DateTime& midnight,
                                         int intervalMinutes);

// The half-hours of every stored day of the window, in time order.
std::vector<HalfHourDemand> windowHalfHours(const MeasurementCircuit& circuit,
                                            const MonthWindow& window);

// The n largest, largest first; of equal demands the earlier comes first.
std::vector<HalfHourDemand> largestHalfHours(const std::vector<HalfHourDemand>& halfHours,
                                             std::size_t n);

// The largest demand of one report month.
struct MonthMaximum {
    int year = 0;
    int month = 0;
    bool found = false; // false when the month has no measured half-hour
    HalfHourDemand peak;
};

// The report months (year, month) − 11 … (year, month) with their largest half-hour, oldest
// first; months start on startDay.
std::vector<MonthMaximum> twelveMonthMaxima(const MeasurementCircuit& circuit, int year, int month,
                                            int startDay);
// The same from the days' kept results (DayResults.h).
std::vector<MonthMaximum> twelveMonthMaxima(DayResultsCache& days, int year, int month,
                                            int startDay);
// The largest of them (found = false when none has a value); the earlier on a tie.
MonthMaximum largestOf(const std::vector<MonthMaximum>& months);
