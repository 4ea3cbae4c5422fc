#include "store/MonthWindow.h"

#include <cmath>

namespace {

void nextMonth(int& year, int& month) {
    if (++month > 12) {
        month = 1;
        ++year;
    }
}

void previousMonth(int& year, int& month) {
    if (--month < 1) {
        month = 12;
        --year;
    }
}

} // namespace

bool MonthWindow::contains(const DateTime& date) const {
    // Comparisons with an invalid bound are unordered, so they are false.
    return start <= date && date < end;
}

int MonthWindow::dayCount() const {
    if (!isValid())
        return 0;
    return static_cast<int>(
        std::lround(std::floor(end.dateOnly().value()) - std::floor(start.dateOnly().value())));
}

MonthWindow reportMonthOf(const DateTime& date, int startDay) {
    MonthWindow w;
    if (!date.isValid())
        return w;
    int year = date.year();
    int month = date.month();
    w.start = DateTime::make(year, month, startDay);
    if (date < w.start) {
        previousMonth(year, month);
        w.start = DateTime::make(year, month, startDay);
    }
    nextMonth(year, month);
    w.end = DateTime::make(year, month, startDay);
    return w;
}

MonthWindow monthWindow(int year, int month, int startDay) {
    MonthWindow w;
    w.start = DateTime::make(year, month, startDay);
    nextMonth(year, month);
    w.end = DateTime::make(year, month, startDay);
    return w;
}
