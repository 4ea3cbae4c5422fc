#include "store/MonthStartDay.h"
#include "store/StoreTexts.h"
#include "support/Format.h"

MonthStartDayCheck checkMonthStartDayText(std::string_view text) {
    const std::string trimmed = trimBlanks(text);
    if (trimmed.empty())
        return {0, txt::store::kNoStartDay};
    int value = 0;
    for (char c : trimmed) {
        if (c < '0' || c > '9')
            return {0, txt::store::kStartDayRange};
        // Leading zeros may be many; the value cannot grow past the range and wrap.
        value = value * 10 + (c - '0');
        if (value > 31)
            return {0, txt::store::kStartDayRange};
    }
    if (value < 1)
        return {0, txt::store::kStartDayRange};
    return {value, nullptr};
}
