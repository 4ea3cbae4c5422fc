#pragma once
#include <string_view>

// The check of the monthly-report start day as typed: trimmed at both ends, then digits 0-9
// only with a value from 1 to 31 ("031" is 31).
struct MonthStartDayCheck {
    int day = 0;
    const char* message = nullptr; // CP932 error text; null = accepted
};
MonthStartDayCheck checkMonthStartDayText(std::string_view text);
