#include "store/MonthStartDay.h"
#include "store/StoreTexts.h"
#include "support/Format.h"

namespace {

// The digit at i, half-width (one byte) or full-width (０-９, two CP932 bytes: 82 4F-58), with
// its length; -1 when there is none.
int digitAt(const std::string& text, std::size_t i, std::size_t& length) {
    const auto c = static_cast<unsigned char>(text[i]);
    length = 1;
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c == 0x82 && i + 1 < text.size()) {
        const auto t = static_cast<unsigned char>(text[i + 1]);
        length = 2;
        if (t >= 0x4f && t <= 0x58)
            return t - 0x4f;
    }
    return -1;
}

} // namespace

MonthStartDayCheck checkMonthStartDayText(std::string_view text) {
    const std::string trimmed = trimBlanks(text);
    if (trimmed.empty())
        return {0, txt::store::kNoStartDay};
    int value = 0;
    std::size_t length = 1;
    for (std::size_t i = 0; i < trimmed.size(); i += length) {
        const int digit = digitAt(trimmed, i, length);
        if (digit < 0)
            return {0, txt::store::kStartDayRange};
        // Leading zeros may be many; the value cannot grow past the range and wrap.
        value = value * 10 + digit;
        if (value > 31)
            return {0, txt::store::kStartDayRange};
    }
    if (value < 1)
        return {0, txt::store::kStartDayRange};
    return {value, ""};
}
