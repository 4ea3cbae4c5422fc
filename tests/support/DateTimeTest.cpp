#include "support/DateTime.h"
#include "common/LocalTime.h"
#include "support/Clock.h"
#include "support/ManualClock.h"
#include "support/ScopedClock.h"

#include <gtest/gtest.h>

#include <limits>

TEST(DateTime, EpochAndKnownSerials) {
    EXPECT_DOUBLE_EQ(DateTime::make(1899, 12, 30).value(), 0.0);
    EXPECT_DOUBLE_EQ(DateTime::make(1900, 1, 1).value(), 2.0);
    EXPECT_DOUBLE_EQ(DateTime::make(2006, 12, 15).value(), 39066.0);
    EXPECT_DOUBLE_EQ(DateTime::make(2006, 12, 15, 12, 0, 0).value(), 39066.5);
    // Before the epoch the time of day stays a positive fraction.
    DateTime before = DateTime::make(1899, 12, 29, 6, 0, 0);
    EXPECT_DOUBLE_EQ(before.value(), -1.25);
    EXPECT_EQ(before.hour(), 6);
    EXPECT_EQ(before.day(), 29);
}

TEST(DateTime, InvalidDatesFailTheRoundTrip) {
    struct Case {
        int y, m, d, h, mi, s;
    } cases[] = {{2007, 2, 29, 0, 0, 0}, {2006, 4, 31, 0, 0, 0}, {2006, 13, 1, 0, 0, 0},
                 {2006, 0, 1, 0, 0, 0},  {2006, 1, 0, 0, 0, 0},  {2006, 1, 1, 24, 0, 0},
                 {2006, 1, 1, 0, 60, 0}, {2006, 1, 1, 0, 0, 60}, {99, 1, 1, 0, 0, 0}};
    for (const Case& c : cases) {
        DateTime dt = DateTime::make(c.y, c.m, c.d, c.h, c.mi, c.s);
        EXPECT_FALSE(dt.isValid()) << c.y << "-" << c.m << "-" << c.d << " " << c.h;
        EXPECT_EQ(dt.status(), DateTime::Invalid);
        EXPECT_EQ(dt.year(), -1);
        EXPECT_EQ(dt.second(), -1);
    }
    EXPECT_TRUE(DateTime::make(2008, 2, 29).isValid());
    EXPECT_TRUE(DateTime::make(2000, 2, 29).isValid());
    EXPECT_FALSE(DateTime::make(1900, 2, 29).isValid());
}

TEST(DateTime, PartsSurviveRounding) {
    // A value a hair below a whole minute still reads as that minute.
    DateTime dt(DateTime::make(2006, 12, 15, 23, 30, 0).value() - 1e-9, DateTime::Valid);
    EXPECT_EQ(dt.hour(), 23);
    EXPECT_EQ(dt.minute(), 30);
    EXPECT_EQ(dt.second(), 0);
    DateTime late(DateTime::make(2006, 12, 15).value() + 0.9999999999, DateTime::Valid);
    EXPECT_EQ(late.day(), 16);
    EXPECT_EQ(late.hour(), 0);
}

TEST(DateTime, OrderingAndValidity) {
    DateTime a = DateTime::make(2006, 12, 15, 10, 0, 0);
    DateTime b = DateTime::make(2006, 12, 15, 10, 30, 0);
    DateTime bad = DateTime::make(2006, 4, 31);
    EXPECT_TRUE(a < b);
    EXPECT_TRUE(b > a);
    EXPECT_TRUE(a == DateTime::make(2006, 12, 15, 10, 0, 0));
    // An invalid value is neither equal to nor ordered against a valid one.
    EXPECT_FALSE(bad == a);
    EXPECT_FALSE(bad < a);
    EXPECT_FALSE(bad > a);
    EXPECT_FALSE(a < bad);
    EXPECT_TRUE(bad == DateTime());
    // The key order is total: invalid first.
    EXPECT_LT(DateTime::keyCompare(bad, a), 0);
    EXPECT_GT(DateTime::keyCompare(b, a), 0);
    EXPECT_EQ(DateTime::keyCompare(a, a), 0);
    // Fractions of a second below the rounding do not separate two times.
    DateTime nearlyA(a.value() + 1e-7, DateTime::Valid);
    EXPECT_TRUE(nearlyA == a);
}

TEST(DateTime, DayAndMonthArithmetic) {
    DateTime d = DateTime::make(2006, 12, 31, 23, 30, 0);
    EXPECT_EQ(d.addDays(1).text(), "2007/01/01 23:30:00");
    EXPECT_EQ(d.addDays(-365).text(), "2005/12/31 23:30:00");
    EXPECT_EQ(d.addMinutes(30).text(), "2007/01/01 00:00:00");
    EXPECT_EQ(d.dateOnly().text(), "2006/12/31 00:00:00");
    EXPECT_EQ(DateTime::make(2008, 2, 10).lastOfMonth().text(), "2008/02/29 00:00:00");
    EXPECT_EQ(DateTime::make(2008, 2, 10, 5, 6, 7).firstOfMonth().text(), "2008/02/01 00:00:00");
    EXPECT_EQ(DateTime::daysInMonth(2006, 11), 30);
    EXPECT_EQ(DateTime(d.value() + 0.2 / 86400, DateTime::Valid).normalised().value(), d.value());
    EXPECT_FALSE(DateTime().addDays(1).isValid());
}

TEST(DateTime, TextStyles) {
    DateTime bad = DateTime::make(2007, 2, 29);
    EXPECT_EQ(bad.text(0), std::string(19, ' '));
    EXPECT_EQ(bad.text(1), "    /  /     :  :  ");
    EXPECT_EQ(bad.text(2), "----/--/-- --:--:--");
    EXPECT_EQ(DateTime::make(2007, 1, 2, 3, 4, 5).text(2), "2007/01/02 03:04:05");
}

TEST(DateTime, FormatPatterns) {
    DateTime d = DateTime::make(2007, 1, 5, 9, 15, 0);
    struct Case {
        const char* pattern;
        const char* expected;
    } cases[] = {
        {"%Y/%m/%d", "2007/01/05"},
        {"%H:%M", "09:15"},
        {"%Y\x94\x4e %#m\x8c\x8e %#d\x93\xfa", "2007\x94\x4e 1\x8c\x8e 5\x93\xfa"}, // 年 月 日
        {"%#m/%#d", "1/5"},
        {"%Y%m%d", "20070105"},
        {"%#H:%M:%S", "9:15:00"},
        {"100%%", "100%"},
        {"%a", "\x8b\xe0"}, // 金: 2007-01-05 was a Friday
    };
    for (const Case& c : cases) {
        EXPECT_EQ(d.format(c.pattern), c.expected) << c.pattern;
    }
    EXPECT_EQ(DateTime().format("%Y"), "");
    // The year always has four digits, so a date text keeps its width and reads back.
    EXPECT_EQ(DateTime::make(100, 1, 2).format("%Y/%m/%d"), "0100/01/02");
    EXPECT_EQ(DateTime::make(999, 12, 31, 23).text(), "0999/12/31 23:00:00");
}

TEST(DateTime, NowFollowsTheInstalledClock) {
    ManualClock clock(localTime(2007, 1, 10, 8, 30));
    ScopedClock scoped(clock);
    EXPECT_EQ(DateTime::now().text(), "2007/01/10 08:30:00");
    clock.advance(std::chrono::hours(24));
    EXPECT_EQ(DateTime::now().text(), "2007/01/11 08:30:00");
}

TEST(DateTime, HostileValuesMarkedValidDoNotOverflow) {
    for (double v : {1e300, -1e300, std::numeric_limits<double>::quiet_NaN(),
                     std::numeric_limits<double>::infinity()}) {
        DateTime dt(v, DateTime::Valid);
        EXPECT_GE(dt.year(), 100);
        EXPECT_LE(dt.year(), 9999);
        EXPECT_FALSE(dt.text().empty());
    }
}
