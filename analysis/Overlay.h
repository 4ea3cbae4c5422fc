#pragma once
// Curves drawn over the shown report for comparison: the power of another stored day, or the
// daily totals of another report month.
#include "analysis/DayCoverage.h"
#include "store/DAT_Store.h"
#include "store/MonthWindow.h"
#include <string>
#include <vector>

// What the graph compares the shown report with (chosen in the analysis view).
struct OverlayChoice {
    bool shown = true;
    DateTime day;              // daily report: this stored day; invalid = a week earlier
    int year = -1, month = -1; // monthly report: this report month; -1 = the month before

    bool operator==(const OverlayChoice&) const = default;
};

// The stored day a daily report shown on `shownDate` is compared with (index), or -1.
int overlayDayIndex(const MeasurementCircuit& circuit, const DateTime& shownDate,
                    const OverlayChoice& choice);
// The report month a monthly report (year, month) is compared with.
void overlayMonth(const OverlayChoice& choice, int year, int month, int& overlayYear,
                  int& overlayMonth);
// The report months (year × 12 + month − 1) that hold stored days of the circuit, ascending.
std::vector<int> storedReportMonths(const MeasurementCircuit& circuit, int startDay);

// One entry of the list of what to compare with: its text (CP932) and the choice it makes
// (`shown` is left to the caller).
struct OverlayOption {
    std::string label;
    OverlayChoice choice;
    bool operator==(const OverlayOption&) const = default;
};

// The entries for a daily report (the same weekday a week earlier, then every stored day of
// the circuit's channel) or a monthly one (the month before, then every report month holding
// stored days), the default first.
std::vector<OverlayOption> overlayOptions(const MeasurementCircuit& circuit, bool monthly,
                                          int startDay);
// The entry that makes `chosen` (the default when none does).
std::size_t chosenOverlayOption(const std::vector<OverlayOption>& options,
                                const OverlayChoice& chosen, bool monthly);

// The default day to compare with: the same weekday a week earlier, when stored (index in the
// circuit), else -1.
int defaultOverlayDay(const MeasurementCircuit& circuit, const DateTime& shownDate);

// The forward power of a day as chart points, x = minutes from that day's 00:00 (so it lies over
// any shown day), with the breaks of pointMarks.
std::vector<ChartPoint> dayPowerCurve(const DayData& day, const DateTime& date);

// The daily forward energy (Wh) of each stored day of a report month, x = minutes from the
// window's start (day i at i × 1440), so another month lies over the shown one day by day.
std::vector<ChartPoint> monthDailyTotals(const MeasurementCircuit& circuit,
                                         const MonthWindow& window);
