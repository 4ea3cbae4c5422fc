#include "store/MonthStartDay.h"
#include "common/Cp932.h"
#include "support/Sjis.h"
#include <gtest/gtest.h>

namespace {

const char* const kRange = "開始日には１～３１までの数字を入力してください";
const char* const kEmpty = "開始日を入力してください";

struct Case {
    const char* text; // UTF-8, as typed
    int day;          // accepted day, 0 = rejected
    const char* message;
};

TEST(MonthStartDayCheck, AcceptsOnlyDigitsFromOneToThirtyOne) {
    const Case cases[] = {
        {"1", 1, nullptr},
        {"31", 31, nullptr},
        {"031", 31, nullptr},
        {" \t21\r\n", 21, nullptr},
        {"0000000000000000000000015", 15, nullptr}, // many zeros do not overflow
        {"", 0, kEmpty},
        {"  \t ", 0, kEmpty},
        {"0", 0, kRange},
        {"00", 0, kRange},
        {"32", 0, kRange},
        {"99999999999999999999", 0, kRange}, // would wrap a 32-bit value
        {"1.5", 0, kRange},
        {"-3", 0, kRange},
        {"+3", 0, kRange},
        {"３", 3, nullptr}, // full-width digits, as an input method types them
        {"２１", 21, nullptr},
        {"2１", 21, nullptr}, // mixed widths
        {"３２", 0, kRange},
        {"０", 0, kRange},
        {"ａ", 0, kRange}, // full-width letter: 82 81, beside the digits
        {"1 5", 0, kRange},
        {"\xe3\x80\x80"
         "5",
         0, kRange}, // ideographic space is not trimmed
        {"a", 0, kRange},
    };
    for (const Case& c : cases) {
        const MonthStartDayCheck r = checkMonthStartDayText(sj(c.text));
        EXPECT_EQ(r.day, c.day) << c.text;
        if (c.message) {
            ASSERT_NE(r.message.size(), 0u) << c.text;
            EXPECT_EQ(sjis::toUtf8(r.message), c.message) << c.text;
        } else {
            EXPECT_EQ(r.message.size(), 0u) << c.text;
        }
    }
}

} // namespace
