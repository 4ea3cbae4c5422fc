#include "views/layout/ChartValue.h"
#include <gtest/gtest.h>

namespace {

TEST(ChartValue, ReadsEachTagAsADouble) {
    struct Case {
        ChartValue::Tag tag;
        const char* text;
        double value;
    };
    const Case cases[] = {
        {ChartValue::Short, "-12", -12},
        {ChartValue::UShort, "65535", 65535},
        {ChartValue::Bool, "1", 1},
        {ChartValue::Long, "-2000000000", -2000000000.0},
        {ChartValue::ULong, "4000000000", 4000000000.0},
        {ChartValue::Int, "-7", -7},
        {ChartValue::UInt, "4294967295", 4294967295.0},
        {ChartValue::Double, "1.5", 1.5},
        {ChartValue::String, "2.25abc", 2.25},
        {ChartValue::Text, "3", 0},
    };
    for (const Case& c : cases) {
        ChartValue v;
        v.setFromText(c.tag, c.text);
        EXPECT_DOUBLE_EQ(v.toDouble(), c.value) << c.text;
    }
    EXPECT_DOUBLE_EQ(ChartValue::fromDouble(-95.5).toDouble(), -95.5);
    EXPECT_EQ(ChartValue::fromDouble(1).tag(), ChartValue::Double);
}

TEST(ChartValue, DateTextNeedsItsFieldsInPlace) {
    const DateTime d = ChartValue::parseDate("2024/02/29");
    ASSERT_TRUE(d.isValid());
    EXPECT_EQ(d.format("%Y-%m-%d %H:%M"), "2024-02-29 00:00");
    const DateTime t = ChartValue::parseDate("2024-02-29T13:45:30");
    ASSERT_TRUE(t.isValid());
    EXPECT_EQ(t.format("%H:%M:%S"), "13:45:30");
    for (const char* bad : {"2024/2/29", "2023/02/29", "1899/12/31", "2039/01/01", "2024/13/01",
                            "2024/01/00", "2024/01/01 10:60:00", "2024/01"}) {
        EXPECT_FALSE(ChartValue::parseDate(bad).isValid()) << bad;
        EXPECT_EQ(ChartValue::parseDate(bad).status(), DateTime::Invalid);
    }
    ChartValue v;
    v.setFromText(ChartValue::Date, "2024/01/01");
    EXPECT_DOUBLE_EQ(v.toDouble(), DateTime::make(2024, 1, 1).value());
}

TEST(ChartValue, HourTwentyFourIsTheNextMidnight) {
    const DateTime t = ChartValue::parseDate("2024/01/01 24:00:00");
    ASSERT_TRUE(t.isValid());
    EXPECT_EQ(t.format("%m/%d %H:%M"), "01/02 00:00");
}

} // namespace
