#pragma once
// The rules of the selector bar, without widgets: the date lists a circuit offers (daily or
// monthly, with the month start day), the entries that show a selection, the selection tuple
// of a year/month/day choice, and the preset of the graph scale lists. The frame (and the
// display-data selection, and the previous/next-day moves) only translate to and from their
// controls.
//
// Entries are the texts of the lists: years "%04d" (calendar year, or in monthly and yearly mode
// the year in which the report month starts), months "%02d", days "%02d". Lists are sorted
// ascending and hold each entry once. The yearly mode (年報) offers years only.
#include "store/DAT_DisplaySelection.h"
#include "store/DAT_Store.h"
#include "support/DateTime.h"

#include <string>
#include <vector>

namespace selection {

enum class ReportKind { Daily, Monthly, Yearly };

// Years offered for the circuit's days.
std::vector<std::string> yearEntries(const MeasurementCircuit& circuit, ReportKind kind,
                                     int startDay);
// Months offered in `year` (an entry of yearEntries).
std::vector<std::string> monthEntries(const MeasurementCircuit& circuit, ReportKind kind,
                                      int startDay, const std::string& year);
// Days offered in `year` and `month` (daily mode only; monthly mode has no day list).
std::vector<std::string> dayEntries(const MeasurementCircuit& circuit, const std::string& year,
                                    const std::string& month);

// The entries that show `date`: in monthly mode the report month holding it (day empty), in
// yearly mode the year of that report month (month and day empty).
// All empty for an invalid date.
struct DateEntries {
    std::string year;
    std::string month;
    std::string day;
};
DateEntries entriesOf(const DateTime& date, ReportKind kind, int startDay);

// The tuple for a choice of year, month and (daily) day numbers in `circuit` of `customer`.
// Daily: the day with exactly that date on the circuit's channel, year and month -1. Monthly:
// the first day of the report month (year, month) with that year and month. Yearly: the first
// day of the report months of the year, with the year and kWholeYear (month and day unused).
// dayIndex stays -1 when a number is missing (< 0) or no day qualifies.
SelectionTuple tupleFor(const MeasurementCircuit& circuit, int customer, int circuitIndex,
                        ReportKind kind, int year, int month, int day, int startDay);

// A day chosen in the display-data selection, shown as a monthly report: the report month that
// holds the day, starting on its first day (the day itself when the start day is one no month
// has).
SelectionTuple monthlyTupleOfDay(const MeasurementCircuit& circuit, SelectionTuple chosen,
                                 int startDay);

// The graph scale lists of the selector bar, top entry first.
const std::vector<int>& powerScales();
const std::vector<int>& voltageScales();
const std::vector<int>& currentScales();
// The entry to preset for a maximum: the smallest listed value not below it; the first entry
// when the maximum exceeds all, the last one when it is at most the last. -1 for an empty list.
int scalePresetIndex(const std::vector<int>& entries, double maximum);

} // namespace selection
