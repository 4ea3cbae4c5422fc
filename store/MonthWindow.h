#pragma once
#include "support/DateTime.h"

// The dates of one report month: start <= date < end. A report month starts on the configured
// start day; a start day that a month does not have (31 in April) gives an invalid bound, and
// then no date lies inside.
struct MonthWindow {
    DateTime start;
    DateTime end;

    bool isValid() const { return start.isValid() && end.isValid() && start < end; }
    bool contains(const DateTime& date) const;
    // Number of calendar days in the window; 0 when a bound is invalid.
    int dayCount() const;
    // The i-th date of the window (0-based), 00:00.
    DateTime dateAt(int i) const { return start.dateOnly().addDays(i); }
};

// Report month (year and month of its start) that contains the date.
MonthWindow reportMonthOf(const DateTime& date, int startDay);
// Report month (year, month) starting on startDay: (year, month, startDay) up to the same day of
// the next month.
MonthWindow monthWindow(int year, int month, int startDay);
