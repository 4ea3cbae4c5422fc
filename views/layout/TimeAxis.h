#pragma once
#include "support/DateTime.h"
#include <vector>

// The time axis of a chart: a range in minutes from the start date.
struct TimeAxis {
    double minimum = 0.0;
    double maximum = 0.0;
    double origin = 0.0; // computed by place
    double scale = 0.0;  // computed by place
    DateTime startDate;
    DateTime endDate;
    // Ticks at these times instead of the regular ones of the span (a year's report months).
    std::vector<DateTime> marks;

    double pixel(double minutes) const { return (minutes - minimum) * scale + origin; }
};
