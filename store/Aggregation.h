#pragma once
#include "store/DAT_Records.h"
#include "store/DAT_Store.h"
#include "store/MonthWindow.h"
#include <vector>

// Largest values of a day or a report month, from which the selector bar presets the graph
// scales: power in kW, power factor in %, voltage in kV, current in A.
struct ScaleMaxima {
    double power = 0.0;
    double powerFactor = 0.0;
    double voltage = 0.0;
    double current = 0.0;

    bool operator==(const ScaleMaxima&) const = default;
};

// The first day of the report month `window` in the circuit: the first day dated on or after
// its start, when that lies inside it; -1 otherwise. The one rule for the selector bar, the
// selection and the month summary.
int firstDayInWindow(const MeasurementCircuit& circuit, const MonthWindow& window);
// Indices of the days of the report month: from its first day, in date order, while they lie
// inside the window and on that first day's channel.
std::vector<int> daysInWindow(const MeasurementCircuit& circuit, const MonthWindow& window);

// The first day of the report months of `year` (January … December, starting on startDay):
// the first day of the first of them that holds one; -1 when none does.
int firstDayInYear(const MeasurementCircuit& circuit, int year, int startDay);

// Adds one further day to a month summary whose first day was copied whole: energies and
// averages summed, peaks taken over with their times. Averages are divided afterwards.
void addDayToMonthSummary(DaySummary& month, const DaySummary& day);

// Summary of the report month (year, month) starting on startDay. Cleared when no day lies
// inside the window.
DaySummary monthSummary(const MeasurementCircuit& circuit, int year, int month, int startDay);
// The same, written into the document's month summary (the hook of a monthly selection).
void computeMonthSummary(DaySummary& target, const MeasurementCircuit& circuit, int year, int month,
                         int startDay);

ScaleMaxima dayMaxima(const DayData& day);
ScaleMaxima monthMaxima(const MeasurementCircuit& circuit, int year, int month, int startDay);
