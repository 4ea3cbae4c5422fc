#pragma once
// Curves drawn over the shown report for comparison: the power of another stored day, or the
// daily totals of another report month.
#include "analysis/DayCoverage.h"
#include "store/DAT_Store.h"
#include "store/MonthWindow.h"
#include <vector>

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
