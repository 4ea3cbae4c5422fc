#include "transfer/SelectionRules.h"
#include "store/Aggregation.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace selection;
using Strings = std::vector<std::string>;

namespace {

struct DayAt {
    int channel;
    int year;
    int month;
    int day;
};

MeasurementCircuit circuitOf(const std::vector<DayAt>& days) {
    MeasurementCircuit c;
    for (const DayAt& d : days) {
        MeasurementDay day;
        day.channel = d.channel;
        day.date = DateTime::make(d.year, d.month, d.day);
        c.addOrReplaceDay(day);
    }
    return c;
}

// Days of channel 1 across a year end, and a channel-2 block that sorts after them.
const MeasurementCircuit kCircuit = circuitOf({{1, 2006, 12, 20},
                                               {1, 2006, 12, 21},
                                               {1, 2007, 1, 10},
                                               {1, 2007, 1, 25},
                                               {1, 2007, 3, 1},
                                               {2, 2005, 6, 10},
                                               {2, 2007, 5, 15}});

DateTime dateOf(const SelectionTuple& t) {
    return t.dayIndex < 0 ? DateTime() : kCircuit.days.at(t.dayIndex).date;
}

TEST(SelectionRules, YearEntries) {
    struct Case {
        ReportKind kind;
        int startDay;
        Strings years;
    } cases[] = {
        {ReportKind::Daily, 1, {"2005", "2006", "2007"}},
        {ReportKind::Monthly, 1, {"2005", "2006", "2007"}},
        // With start day 21, 2006-12-20 belongs to the report month 2006/11.
        {ReportKind::Monthly, 21, {"2005", "2006", "2007"}},
        // 2007-01-10 lies in 2006/12 from day 11 on; every 2007 day but 01-10 stays in 2007.
        {ReportKind::Monthly, 11, {"2005", "2006", "2007"}},
        // A year report's years are those of the report months.
        {ReportKind::Yearly, 21, {"2005", "2006", "2007"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(yearEntries(kCircuit, c.kind, c.startDay), c.years) << c.startDay;
}

TEST(SelectionRules, MonthEntries) {
    struct Case {
        ReportKind kind;
        int startDay;
        std::string year;
        Strings months;
    } cases[] = {
        {ReportKind::Daily, 1, "2006", {"12"}},
        {ReportKind::Daily, 21, "2007", {"01", "03", "05"}}, // the start day is monthly only
        {ReportKind::Monthly, 1, "2007", {"01", "03", "05"}},
        {ReportKind::Monthly, 21, "2006", {"11", "12"}},
        {ReportKind::Monthly, 21, "2007", {"01", "02", "04"}},
        {ReportKind::Monthly, 21, "2004", {}},
        {ReportKind::Yearly, 1, "2007", {}}, // a year report offers no months
    };
    for (const Case& c : cases)
        EXPECT_EQ(monthEntries(kCircuit, c.kind, c.startDay, c.year), c.months)
            << c.startDay << " " << c.year;
}

TEST(SelectionRules, DayEntries) {
    struct Case {
        std::string year;
        std::string month;
        Strings days;
    } cases[] = {
        {"2006", "12", {"20", "21"}},
        {"2007", "01", {"10", "25"}},
        {"2007", "02", {}},
        {"2005", "06", {"10"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(dayEntries(kCircuit, c.year, c.month), c.days) << c.year << "/" << c.month;
}

TEST(SelectionRules, EntriesOfADate) {
    struct Case {
        DateTime date;
        ReportKind kind;
        int startDay;
        std::string year, month, day;
    } cases[] = {
        {DateTime::make(2007, 1, 10), ReportKind::Daily, 21, "2007", "01", "10"},
        {DateTime::make(2007, 1, 10), ReportKind::Monthly, 21, "2006", "12", ""},
        {DateTime::make(2007, 1, 21), ReportKind::Monthly, 21, "2007", "01", ""},
        {DateTime::make(2007, 1, 5), ReportKind::Monthly, 1, "2007", "01", ""},
        {DateTime::make(2007, 1, 10), ReportKind::Yearly, 21, "2006", "", ""},
        {DateTime::make(2007, 1, 10), ReportKind::Yearly, 1, "2007", "", ""},
        {DateTime(), ReportKind::Daily, 1, "", "", ""},
    };
    for (const Case& c : cases) {
        const DateEntries e = entriesOf(c.date, c.kind, c.startDay);
        EXPECT_EQ(e.year, c.year) << c.date.text();
        EXPECT_EQ(e.month, c.month) << c.date.text();
        EXPECT_EQ(e.day, c.day) << c.date.text();
    }
}

TEST(SelectionRules, TupleOfAChoice) {
    struct Case {
        ReportKind kind;
        int year, month, day, startDay;
        DateTime shown; // invalid: no day qualifies
        int tupleYear, tupleMonth;
    } cases[] = {
        {ReportKind::Daily, 2007, 1, 25, 1, DateTime::make(2007, 1, 25), -1, -1},
        {ReportKind::Daily, 2007, 1, 26, 1, DateTime(), -1, -1},
        {ReportKind::Daily, 2007, 1, -1, 1, DateTime(), -1, -1}, // no day chosen
        // A daily choice finds the circuit's channel only (the circuit's first day: channel 1).
        {ReportKind::Daily, 2007, 5, 15, 1, DateTime(), -1, -1},
        {ReportKind::Monthly, 2007, 1, 0, 1, DateTime::make(2007, 1, 10), 2007, 1},
        {ReportKind::Monthly, 2006, 12, 0, 21, DateTime::make(2006, 12, 21), 2006, 12},
        {ReportKind::Monthly, 2006, 11, 0, 21, DateTime::make(2006, 12, 20), 2006, 11},
        {ReportKind::Monthly, 2007, 2, 0, 1, DateTime(), -1, -1},
        // No channel-1 day from May on: the month starts on channel 2's day, never on its
        // earlier 2005 day.
        {ReportKind::Monthly, 2007, 5, 0, 1, DateTime::make(2007, 5, 15), 2007, 5},
        {ReportKind::Monthly, 2007, 4, 0, 1, DateTime(), -1, -1},
        {ReportKind::Monthly, 2007, -1, 0, 1, DateTime(), -1, -1},
        // A year: its first stored day, month and day not needed.
        {ReportKind::Yearly, 2007, -1, -1, 1, DateTime::make(2007, 1, 10), 2007, kWholeYear},
        // Start day 21: 2007-01-10 belongs to 2006's December, the year starts on 01-25.
        {ReportKind::Yearly, 2007, -1, -1, 21, DateTime::make(2007, 1, 25), 2007, kWholeYear},
        {ReportKind::Yearly, 2006, -1, -1, 21, DateTime::make(2006, 12, 20), 2006, kWholeYear},
        {ReportKind::Yearly, 2008, -1, -1, 1, DateTime(), -1, -1},
        {ReportKind::Yearly, -1, -1, -1, 1, DateTime(), -1, -1},
    };
    for (const Case& c : cases) {
        const SelectionTuple t =
            tupleFor(kCircuit, 3, 4, c.kind, c.year, c.month, c.day, c.startDay);
        EXPECT_EQ(t.customerIndex, 3);
        EXPECT_EQ(t.circuitIndex, 4);
        EXPECT_EQ(dateOf(t), c.shown) << c.year << "/" << c.month << "/" << c.day;
        EXPECT_EQ(t.year, c.tupleYear) << c.year << "/" << c.month;
        EXPECT_EQ(t.month, c.tupleMonth) << c.year << "/" << c.month;
    }
}

TEST(SelectionRules, ChosenDayAsAMonthlyReport) {
    struct Case {
        int channel;
        DateTime chosen;
        int startDay;
        DateTime first;
        int year, month;
    } cases[] = {
        {1, DateTime::make(2007, 1, 25), 1, DateTime::make(2007, 1, 10), 2007, 1},
        {1, DateTime::make(2007, 1, 10), 21, DateTime::make(2006, 12, 21), 2006, 12},
        {1, DateTime::make(2006, 12, 20), 21, DateTime::make(2006, 12, 20), 2006, 11},
        {2, DateTime::make(2007, 5, 15), 1, DateTime::make(2007, 5, 15), 2007, 5},
    };
    for (const Case& c : cases) {
        const SelectionTuple chosen{0, 0, kCircuit.days.find({c.channel, c.chosen}), -1, -1};
        ASSERT_GE(chosen.dayIndex, 0);
        const SelectionTuple t = monthlyTupleOfDay(kCircuit, chosen, c.startDay);
        EXPECT_EQ(dateOf(t), c.first) << c.chosen.text();
        EXPECT_EQ(t.year, c.year) << c.chosen.text();
        EXPECT_EQ(t.month, c.month) << c.chosen.text();
    }
}

// The month summary walks the same report month as the selection: from its first day, on that
// day's channel.
TEST(SelectionRules, MonthSummaryDaysStartOnTheSelectedFirstDay) {
    struct Case {
        int year, month, startDay;
        std::vector<DateTime> days;
    } cases[] = {
        {2007, 1, 1, {DateTime::make(2007, 1, 10), DateTime::make(2007, 1, 25)}},
        {2006, 12, 21, {DateTime::make(2006, 12, 21), DateTime::make(2007, 1, 10)}},
        {2007, 5, 1, {DateTime::make(2007, 5, 15)}},
        // Channel 2's 2005 day is listed but never found: the search is keyed with channel 1.
        {2005, 6, 1, {}},
        {2007, 4, 1, {}},
    };
    for (const Case& c : cases) {
        const MonthWindow w = monthWindow(c.year, c.month, c.startDay);
        std::vector<DateTime> got;
        for (int i : daysInWindow(kCircuit, w))
            got.push_back(kCircuit.days.at(i).date);
        EXPECT_EQ(got, c.days) << c.year << "/" << c.month;
        const SelectionTuple t =
            tupleFor(kCircuit, 0, 0, ReportKind::Monthly, c.year, c.month, 0, c.startDay);
        EXPECT_EQ(t.dayIndex, c.days.empty() ? -1 : daysInWindow(kCircuit, w).front());
    }
}

TEST(SelectionRules, ScalePreset) {
    struct Case {
        const std::vector<int>& list;
        double maximum;
        int entry; // the value preset
    } cases[] = {
        {powerScales(), 0.0, 1},         {powerScales(), 1.0, 1},
        {powerScales(), 1.5, 5},         {powerScales(), 140.0, 150},
        {powerScales(), 150.0, 150},     {powerScales(), 151.0, 200},
        {powerScales(), 99999.0, 10000}, {voltageScales(), 6600.0, 1000},
        {voltageScales(), 105.0, 200},   {currentScales(), 80.0, 80},
        {currentScales(), 81.0, 90},
    };
    for (const Case& c : cases) {
        const int index = scalePresetIndex(c.list, c.maximum);
        ASSERT_GE(index, 0) << c.maximum;
        EXPECT_EQ(c.list[static_cast<std::size_t>(index)], c.entry) << c.maximum;
    }
    EXPECT_EQ(scalePresetIndex({}, 5.0), -1);
}

TEST(SelectionRules, ScaleListsAreTheSelectorBarsOwn) {
    EXPECT_EQ(powerScales().size(), 25u);
    EXPECT_EQ(voltageScales().size(), 21u);
    EXPECT_EQ(currentScales().size(), 30u);
    EXPECT_EQ(currentScales()[20], 80);
}

} // namespace
