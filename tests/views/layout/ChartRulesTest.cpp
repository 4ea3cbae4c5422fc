#include "views/layout/ChartRules.h"
#include "common/Cp932.h"
#include "support/Sjis.h"
#include <gtest/gtest.h>

namespace {

using namespace chart_rules;

std::vector<std::string> texts(const std::vector<AxisLabel>& labels) {
    std::vector<std::string> out;
    for (const AxisLabel& l : labels)
        out.push_back(l.text);
    return out;
}

TEST(ChartRules, PowerFactorAxisReadsLeadAndLagAroundHundred) {
    auto labels = valueAxisLabels(0, -999.0, -110, -499, -1);
    EXPECT_EQ(texts(labels), (std::vector<std::string>{"-0", "-50", "100", "+50", "+0"}));
    EXPECT_EQ(labels.front().y, -110);
    EXPECT_EQ(labels.back().y, -499);
}

TEST(ChartRules, DivisionCounts) {
    struct Case {
        double range;
        int divisions;
    };
    const Case cases[] = {
        {100, 10},   {150, 3},  {200, 4},   {1000, 10},  {10, 10},   {5, 5},
        {0.3, 6},    {0.1, 10}, {0.005, 5}, {0.0001, 3}, {30000, 6}, {100000, 10},
        {150000, 3}, {1e6, 10}, {2.5e6, 4}, {0, 0},      {-5, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(axisDivisions(c.range), c.divisions) << c.range;
}

TEST(ChartRules, RoundAxisMaximumIsOneTwoOrFiveTimesADecade) {
    struct Case {
        double maximum;
        double top;
    };
    const Case cases[] = {
        {1, 1},       {1.01, 2},  {2, 2},   {2.5, 5},   {5, 5},
        {5.01, 10},   {9.9, 10},  {10, 10}, {123, 200}, {480, 500},
        {0.03, 0.05}, {0.3, 0.5}, {0, 1},   {-7, 1},    {12000, 20000},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(roundAxisMaximum(c.maximum), c.top) << c.maximum;
}

TEST(ChartRules, ValueAxisLabelsFromTopToBottom) {
    EXPECT_EQ(texts(valueAxisLabels(0, 150, 0, 300, 1)),
              (std::vector<std::string>{"150", "100", "50", "0"}));
    EXPECT_EQ(valueAxisLabels(0, 100, 0, 300, 1).size(), 11u);
    EXPECT_EQ(texts(valueAxisLabels(0, 0.3, 0, 300, 1)),
              (std::vector<std::string>{"0.30", "0.25", "0.20", "0.15", "0.10", "0.05", "0.00"}));
    EXPECT_EQ(texts(valueAxisLabels(-50, 50, 0, 300, 1))[5], "0"); // not "-0"
}

TEST(ChartRules, LabelPositionsStepEvenlyAndTheLastSitsOnTheBottom) {
    auto labels = valueAxisLabels(0, 200, -110, -499, -1);
    std::vector<int32_t> ys;
    for (const AxisLabel& l : labels)
        ys.push_back(l.y);
    EXPECT_EQ(ys, (std::vector<int32_t>{-110, -207, -305, -402, -499}));
}

TEST(ChartRules, ZeroRangeDrawsTheBottomLabelOnly) {
    auto labels = valueAxisLabels(5, 5, 0, 300, 1);
    ASSERT_EQ(labels.size(), 1u);
    EXPECT_EQ(labels[0].y, 300);
    EXPECT_EQ(labels[0].text, "5.000");
}

TEST(ChartRules, LabelFormatsByRange) {
    EXPECT_STREQ(axisLabelFormat(0.05), "%.3f");
    EXPECT_STREQ(axisLabelFormat(0.3), "%.2f");
    EXPECT_STREQ(axisLabelFormat(9.9), "%.1f");
    EXPECT_STREQ(axisLabelFormat(10), "%.0f");
}

TEST(ChartRules, TickRuleBySpan) {
    struct Case {
        double span;
        int32_t interval;
    };
    const Case cases[] = {{30, 5},     {31, 10},    {60, 10},    {120, 30},    {600, 60},
                          {1200, 120}, {2400, 240}, {2401, 480}, {14400, 480}, {14401, 7200}};
    for (const Case& c : cases)
        EXPECT_EQ(tickRuleForSpan(c.span).intervalMinutes, c.interval) << c.span;
    const TickRule hours = tickRuleForSpan(1440);
    EXPECT_STREQ(hours.labelFormat, "%H:%M");
    EXPECT_EQ(hours.escapement, -450);
    EXPECT_EQ(hours.unitText, sj("時間"));
    const TickRule days = tickRuleForSpan(43200);
    EXPECT_STREQ(days.labelFormat, "%#m/%#d");
    EXPECT_EQ(days.escapement, 0);
    EXPECT_EQ(days.labelOffsetX, -7);
    EXPECT_EQ(days.labelOffsetY, 10);
    EXPECT_EQ(days.unitText, sj("日"));
}

TEST(ChartRules, TicksStartAfterTheStartOnWholeHours) {
    const DateTime start = DateTime::make(2024, 3, 5, 0, 0, 0);
    auto four = tickTimes(start, 2400, tickRuleForSpan(2400).intervalMinutes);
    ASSERT_EQ(four.size(), 9u);
    EXPECT_EQ(four.front().minutes, 240);
    EXPECT_EQ(four.back().minutes, 2160);
    auto eight = tickTimes(start, 2401, tickRuleForSpan(2401).intervalMinutes);
    ASSERT_EQ(eight.size(), 5u);
    EXPECT_EQ(eight.back().minutes, 2400);
    // A start off the hour: the first tick is the next whole hour plus intervals.
    const DateTime odd = DateTime::make(2024, 3, 5, 7, 35, 0);
    auto ticks = tickTimes(odd, 60, 10);
    ASSERT_FALSE(ticks.empty());
    EXPECT_EQ(ticks.front().time.format("%H:%M"), "07:40");
    EXPECT_EQ(ticks.front().minutes, 5);
    EXPECT_TRUE(tickTimes(DateTime(), 60, 10).empty());
}

TEST(ChartRules, WholeMinutesRoundHalfASecond) {
    const DateTime a = DateTime::make(2024, 1, 1, 0, 0, 0);
    EXPECT_EQ(wholeMinutesBetween(a, DateTime::make(2024, 1, 2, 0, 0, 0)), 1440);
    EXPECT_EQ(wholeMinutesBetween(a, DateTime::make(2024, 1, 1, 0, 59, 59)), 59);
    EXPECT_EQ(wholeMinutesBetween(DateTime::make(2024, 1, 2, 0, 0, 0), a), -1440);
}

TEST(ChartRules, OneBarIsTwentyWide) {
    auto bars = barShapes({100}, 0);
    ASSERT_EQ(bars.size(), 1u);
    EXPECT_EQ(bars[0].left, 90);
    EXPECT_EQ(bars[0].width, 20);
}

TEST(ChartRules, WholeSlotBarsFillTheSlotLessThree) {
    auto bars = barShapes({0, 43, 86}, 0);
    for (const BarShape& b : bars)
        EXPECT_EQ(b.width, 40);
    EXPECT_EQ(bars[1].left, 23);
    EXPECT_EQ(barShapes({0, 5}, 0)[0].width, 4); // never below 4
}

TEST(ChartRules, HalfPlacedBarsStandSideBySide) {
    const std::vector<int32_t> xs{0, 43, 86, 129}; // slot 40
    auto left = barShapes(xs, 1);
    auto right = barShapes(xs, 2);
    // First: moved 10 into the plot; middle: a quarter slot each side; last: an eighth.
    EXPECT_EQ(left[0].left, 0);
    EXPECT_EQ(left[0].width, 10);
    EXPECT_EQ(right[0].left, 10);
    EXPECT_EQ(right[0].width, 10);
    for (int i : {1, 2}) {
        EXPECT_EQ(left[i].left + left[i].width, xs[i]);
        EXPECT_EQ(right[i].left, xs[i]);
        EXPECT_EQ(left[i].width, 10);
        EXPECT_EQ(right[i].width, 10);
    }
    EXPECT_EQ(left[3].width, 5);
    EXPECT_EQ(right[3].width, 5);
    EXPECT_EQ(right[3].left + right[3].width, 129); // moved back inside the plot
    EXPECT_EQ(left[3].left, 119);
}

} // namespace

TEST(LevelLabelTops, AboveTheLineBelowItWhenCrowdedNeverOverlapping) {
    struct Case {
        const char* what;
        std::vector<int32_t> lines;
        std::vector<int32_t> tops;
    };
    // Labels 20 high in a plot 200 high.
    const Case cases[] = {
        {"one label sits above its line", {100}, {80}},
        {"apart lines keep their places", {50, 150}, {30, 130}},
        {"a close lower line takes its label below", {100, 110}, {80, 110}},
        {"the order of the lines does not matter", {110, 100}, {110, 80}},
        {"at the plot's top the label goes below", {5}, {5}},
        {"at the plot's bottom labels move up", {199, 199}, {160, 180}},
        {"three close lines stack", {100, 105, 110}, {80, 105, 125}},
        {"no lines, no labels", {}, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(chart_rules::levelLabelTops(c.lines, 20, 200), c.tops) << c.what;
}
