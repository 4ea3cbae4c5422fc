#pragma once
// How a monthly table marks a day whose listing misses intervals (absent or outage ones).
#include "analysis/DayCoverage.h"
#include <string>

// What follows an incomplete day's date: " ▲n" with its n missing intervals, " ▲" alone for a
// day without samples; empty for a complete day.
std::string incompleteDayMark(const DayCoverage& coverage);

// The legend shown beside a monthly table with `markedDays` marked rows; empty without one.
std::string incompleteDayLegend(int markedDays);
