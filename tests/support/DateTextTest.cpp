#include "support/DateText.h"

#include <gtest/gtest.h>

TEST(DateText, AcceptedForms) {
    struct Case {
        const char* text;
        const char* expected;
    } cases[] = {
        {"2006/12/15", "2006/12/15 00:00:00"},
        {"2006/1/5", "2006/01/05 00:00:00"},
        {"  2006/12/15  ", "2006/12/15 00:00:00"},
        {"2006/12/15 10:30", "2006/12/15 10:30:00"},
        {"2006/12/15 9:05:07", "2006/12/15 09:05:07"},
        {"2006-12-15", "2006/12/15 00:00:00"},
        {"2006-12-15 23:59", "2006/12/15 23:59:00"},
        {"2006\x94\x4e"
         "12\x8c\x8e"
         "15\x93\xfa",
         "2006/12/15 00:00:00"},                                     // 2006年12月15日
        {"2006\x94\x4e 1\x8c\x8e 5\x93\xfa", "2006/01/05 00:00:00"}, // 2006年 1月 5日
        // Any four-digit year of the date type's range.
        {"0100/01/01", "0100/01/01 00:00:00"},
        {"0999/12/31 23:59", "0999/12/31 23:59:00"},
        {"0500-06-07", "0500/06/07 00:00:00"},
        {"9999/12/31", "9999/12/31 00:00:00"},
    };
    for (const Case& c : cases) {
        auto dt = parseDateText(c.text);
        ASSERT_TRUE(dt.has_value()) << c.text;
        EXPECT_EQ(dt->text(), c.expected) << c.text;
    }
}

TEST(DateText, RejectsWhatIsNotADate) {
    const char* cases[] = {
        "",
        "   ",
        "abc",
        "2006/13/01",
        "2007/02/29",
        "2006/12",
        "2006/12/15x",
        "06/12/15",
        "2006/12/15 24:00",
        "2006/12/15 10",
        "2006/12/15 10:60",
        "2006.12.15",
        "20061215",
        "2006/12/15 10:30:00 extra",
        "2006/123/1",
        "12006/1/1",
        // Two- and three-digit years would need a guess; a year below the range is no date.
        "100/01/01",
        "999/12/31",
        "99/1/1",
        "0099/12/31",
        "0000/01/01",
    };
    for (const char* c : cases) {
        EXPECT_FALSE(parseDateText(c).has_value()) << '"' << c << '"';
    }
}
