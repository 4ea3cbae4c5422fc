#pragma once
#include "support/SjisText.h"
#include <string_view>

// The check of the monthly-report start day as typed: trimmed at both ends, then digits only
// with a value from 1 to 31 ("031" is 31). Full-width digits count as digits ("２１" is 21):
// they are what a Japanese input method types.
struct MonthStartDayCheck {
    int day = 0;
    sjis::Text message = ""; // empty = accepted
};
MonthStartDayCheck checkMonthStartDayText(std::string_view text);
