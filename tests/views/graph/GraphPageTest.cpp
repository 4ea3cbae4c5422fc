#include "views/graph/GraphPage.h"
#include "views/ReportFixtures.h"
#include "views/layout/PageRender.h"
#include "views/layout/RecordingDeviceContext.h"
#include <gtest/gtest.h>

using namespace report_fixture;

namespace {

const DateTime Day = DateTime::make(2024, 5, 1);
const DateTime Now = DateTime::make(2024, 6, 10, 15, 42);

struct Graph {
    RecordingDeviceContext dc{Rect{0, 0, 2000, 2500}};
    GraphPage page;
    Graph(const DisplaySelection& sel, bool printing = false, int startDay = 1,
          GraphScales scales = {})
        : page(dc, printing) {
        page.fill(sel, scales, startDay, Now, 3, 3);
        page_render::place(page.root(), nullptr, dc, MM_LOMETRIC, Rect{0, 0, 2000, -2500});
    }
    std::vector<std::string> names(GraphPage::ChartKind kind) {
        std::vector<std::string> list;
        const TimeChart& c = page.chart(kind);
        for (size_t i = 0; i < c.seriesCount(); ++i)
            list.push_back(c.series(i).name);
        return list;
    }
};

TEST(GraphPage, VoltageAndCurrentCurvesFollowTheCircuitType) {
    struct Case {
        int32_t type;
        std::vector<std::string> voltages;
        std::vector<std::string> currents;
        double secondVoltage; // value of the second curve's first point
    };
    const Case cases[] = {
        {CircuitSinglePhase, {u("電圧１"), u("電圧３")}, {u("電流１"), u("電流３")}, 102.0},
        {CircuitThreePhase3Wire, {u("電圧１"), u("電圧３")}, {u("電流１"), u("電流３")}, 102.0},
        {CircuitThreePhase4Wire,
         {u("電圧１"), u("電圧２"), u("電圧３")},
         {u("電流１"), u("電流２"), u("電流３")},
         102.0},
    };
    for (const Case& c : cases) {
        Report report({makeDay(Day, {.circuitType = c.type})});
        Graph g(report.daily(0));
        EXPECT_EQ(g.names(GraphPage::VoltageChart), c.voltages) << c.type;
        EXPECT_EQ(g.names(GraphPage::CurrentChart), c.currents) << c.type;
        const ChartSeries& second = g.page.chart(GraphPage::VoltageChart).series(1);
        EXPECT_DOUBLE_EQ(second.points.at(0).value.toDouble(), c.secondVoltage);
        EXPECT_EQ(second.ownAxis, 0);
        EXPECT_EQ(second.nameOffset, 110);
    }
}

TEST(GraphPage, PowerCurvesWithAndWithoutReverse) {
    struct Case {
        bool reverse;
        std::vector<std::string> names;
        int32_t forwardPlacement;
    };
    const Case cases[] = {{false, {u("電力"), u("力率")}, ChartSeries::WholeSlot},
                          {true, {u("電力(正)"), u("電力(逆)"), u("力率")}, ChartSeries::LeftHalf}};
    for (const Case& c : cases) {
        Report report({makeDay(Day, {.reverse = c.reverse})});
        Graph g(report.daily(0));
        EXPECT_EQ(g.names(GraphPage::PowerChart), c.names);
        const TimeChart& chart = g.page.chart(GraphPage::PowerChart);
        EXPECT_EQ(chart.series(0).barPlacement, c.forwardPlacement);
        EXPECT_EQ(chart.series(0).unit, "[W]");
        EXPECT_TRUE(chart.series(chart.seriesCount() - 1).isPowerFactorAxis());
        if (c.reverse) {
            EXPECT_EQ(chart.series(1).barPlacement, ChartSeries::RightHalf);
            EXPECT_DOUBLE_EQ(chart.series(1).points.at(0).value.toDouble(), 10.0);
        }
    }
}

TEST(GraphPage, ForwardAndReverseBarsStandSideBySide) {
    Report report({makeDay(Day, {.samples = 6, .reverse = true})});
    Graph g(report.daily(0));
    g.dc.clear();
    page_render::paint(g.page.root(), nullptr, g.dc);
    std::vector<Rect> forward, reverse;
    for (const auto& op : g.dc.fills()) {
        if (op.colour == rgb(255, 150, 150))
            forward.push_back(op.rect);
        if (op.colour == rgb(180, 255, 180))
            reverse.push_back(op.rect);
    }
    ASSERT_EQ(forward.size(), 6u);
    ASSERT_EQ(reverse.size(), 6u);
    for (size_t i = 0; i < 6; ++i) {
        EXPECT_LE(forward[i].right, reverse[i].left + 1) << i; // forward left of reverse
        EXPECT_LE(reverse[i].left - forward[i].right, 1) << i; // touching
    }
}

TEST(GraphPage, PowerInKilowattsAboveTenThousand) {
    Report report({makeDay(Day, {.maxDemand = 10000.1, .peakVoltage1 = 1000.1})});
    Graph g(report.daily(0));
    EXPECT_EQ(g.page.chart(GraphPage::PowerChart).series(0).unit, "[kW]");
    EXPECT_DOUBLE_EQ(g.page.chart(GraphPage::PowerChart).series(0).points[0].value.toDouble(), 1.0);
    EXPECT_EQ(g.page.chart(GraphPage::VoltageChart).series(0).unit, "[kV]");
}

TEST(GraphPage, DailyAxisRunsFromFirstToLastSample) {
    Report report({makeDay(Day, {.samples = 48})}); // 00:30 .. 24:00
    Graph g(report.daily(0));
    const TimeAxis& axis = g.page.chart(GraphPage::PowerChart).axis();
    EXPECT_EQ(axis.maximum, 47 * 30);
    EXPECT_EQ(axis.startDate, Day.addMinutes(30));
    EXPECT_EQ(axis.endDate, Day.addMinutes(48 * 30));
    EXPECT_EQ(g.page.chart(GraphPage::PowerChart).series(0).points.back().minutes, 47 * 30);
}

TEST(GraphPage, EmptyDayGivesOneHourFromTodaysMidnight) {
    Report report({makeDay(Day, {.samples = 0})});
    Graph g(report.daily(0));
    const TimeAxis& axis = g.page.chart(GraphPage::CurrentChart).axis();
    EXPECT_EQ(axis.maximum, 60);
    EXPECT_EQ(axis.startDate, DateTime::make(2024, 6, 10));
    EXPECT_TRUE(g.page.chart(GraphPage::CurrentChart).series(0).points.empty());
}

TEST(GraphPage, MonthlyGraphSpansThirtyDaysFromTheStartDay) {
    // Window 2024-01-21 .. 2024-02-21 (31 days); a day on the window's end and a channel 2 day
    // inside it are not part of the month.
    Report report({makeDay(DateTime::make(2024, 1, 21)), makeDay(DateTime::make(2024, 2, 20)),
                   makeDay(DateTime::make(2024, 2, 21)),
                   makeDay(DateTime::make(2024, 1, 25), {.channel = 2})});
    Graph g(report.monthly(2024, 1, 21), false, 21);
    const TimeChart& chart = g.page.chart(GraphPage::PowerChart);
    EXPECT_EQ(chart.axis().maximum, 30 * 1440);
    EXPECT_EQ(chart.axis().startDate, DateTime::make(2024, 1, 21));
    EXPECT_EQ(chart.axis().endDate, DateTime::make(2024, 2, 21));
    ASSERT_EQ(chart.series(0).points.size(), 2u);
    EXPECT_EQ(chart.series(0).points[1].minutes, 30 * 1440);
    EXPECT_DOUBLE_EQ(chart.series(0).points[0].value.toDouble(), 1010.0);
}

TEST(GraphPage, MonthWithoutItsStartDayHasNoPoints) {
    // Start day 31 in April: the window's bounds are invalid, no day lies inside.
    Report report({makeDay(DateTime::make(2024, 4, 30))});
    DisplaySelection sel = report.monthly(2024, 4, 31);
    Graph g(sel, false, 31);
    EXPECT_TRUE(g.page.chart(GraphPage::PowerChart).series(0).points.empty());
}

TEST(GraphPage, PrintingNarrowsThePowerAxisAndNumbersThePage) {
    Report report({makeDay(Day)});
    for (bool printing : {false, true}) {
        Graph g(report.daily(0), printing);
        const TimeChart& chart = g.page.chart(GraphPage::PowerChart);
        EXPECT_EQ(chart.series(0).axisWidth, printing ? 110 : 150);
        EXPECT_EQ(chart.series(1).axisWidth, printing ? 110 : 100);
        EXPECT_EQ(g.page.pageNumberBox() != nullptr, printing);
        if (printing) {
            EXPECT_EQ(g.page.pageNumberBox()->text(), "3/3");
        }
    }
}

TEST(GraphPage, ScalesSetTheAxisTops) {
    Report report({makeDay(Day)});
    Graph g(report.daily(0), false, 1, GraphScales{2000, 300, 80});
    EXPECT_EQ(g.page.chart(GraphPage::PowerChart).series(0).maximum, 2000);
    EXPECT_EQ(g.page.chart(GraphPage::VoltageChart).series(1).maximum, 300);
    EXPECT_EQ(g.page.chart(GraphPage::CurrentChart).series(0).maximum, 80);
}

TEST(GraphScales, OnlyBoxesZeroToTwoStoreAValue) {
    const std::pair<int, bool> cases[] = {{0, true}, {1, true}, {2, true}, {3, false}, {-1, false}};
    for (auto [box, stored] : cases) {
        GraphScales s;
        EXPECT_EQ(s.set(box, 7.0), stored) << box;
        EXPECT_EQ(s.power + s.voltage + s.current, stored ? 207.0 : 300.0) << box;
    }
}

TEST(GraphPage, ExtensionsAddCurvesToEveryChart) {
    Report report({makeDay(Day)});
    RecordingDeviceContext dc;
    GraphPage page(dc, false);
    page.addExtension(
        [](GraphPage::ChartKind kind, TimeChart& chart, const GraphPage::FillContext&) {
            if (kind == GraphPage::PowerChart) {
                ChartSeries& s = chart.addSeries();
                s.name = "extra";
                s.ownAxis = 0;
            }
        });
    page.fill(report.daily(0), {}, 1, Now);
    EXPECT_EQ(page.chart(GraphPage::PowerChart).seriesCount(), 3u);
    EXPECT_EQ(page.chart(GraphPage::PowerChart).series(2).name, "extra");
}

// The readout and the copy read as the table does: units on every value, the table's decimals,
// half-width digits in the names.
TEST(GraphPage, HoverAndCopyTextShowTheSamplesAsTheTableDoes) {
    Report report({makeDay(Day, {.samples = 3})});
    Graph g(report.daily(0));
    const TimeChart& power = g.page.chart(GraphPage::PowerChart);
    const int32_t x = power.xOf(30); // second sample, 01:00
    EXPECT_EQ(g.page.valuesAt(power, x + 2), u("01:00  電力=1001W  力率=95.5%"));
    const TimeChart& voltage = g.page.chart(GraphPage::VoltageChart);
    EXPECT_EQ(g.page.valuesAt(voltage, voltage.xOf(30)), u("01:00  電圧1=101.0V  電圧3=102.0V"));
    const TimeChart& current = g.page.chart(GraphPage::CurrentChart);
    EXPECT_EQ(g.page.valuesAt(current, current.xOf(30)), u("01:00  電流1=11.01A  電流3=12.01A"));
    const std::string copy = g.page.copyText();
    EXPECT_EQ(copy.substr(0, copy.find('\n')),
              u("時間\t電力[W]\t力率[%]\t電圧1[V]\t電圧3[V]\t電流1[A]\t電流3[A]"));
    EXPECT_NE(copy.find("\n00:30\t1000\t95.5\t101.0\t102.0\t11.00\t12.00\n"), std::string::npos);
}

TEST(GraphPage, AMonthReadsWithTheMonthlyTablesDecimals) {
    Report report({makeDay(DateTime::make(2024, 5, 1)), makeDay(DateTime::make(2024, 5, 2))});
    Graph g(report.monthly(2024, 5, 1));
    const std::string copy = g.page.copyText();
    const std::string first = copy.substr(copy.find('\n') + 1);
    const std::string line = first.substr(0, first.find('\n'));
    // Every value has one decimal: the day averages of the monthly table.
    std::size_t column = 0;
    for (std::size_t at = line.find('\t'); at != std::string::npos; at = line.find('\t', at + 1)) {
        const std::size_t end = line.find('\t', at + 1);
        const std::string value =
            line.substr(at + 1, end == std::string::npos ? end : end - at - 1);
        SCOPED_TRACE(value);
        ASSERT_NE(value.find('.'), std::string::npos);
        EXPECT_EQ(value.size() - value.find('.'), 2u);
        ++column;
    }
    EXPECT_GE(column, 4u);
}

} // namespace

TEST(GraphPage, MonthlyPageShowsTheMonthsReactiveTotalsNotTheFirstDays) {
    // Three days of 1.5 / 2.5 kvarh each: the month is 4.5 / 7.5, the first day 1.5 / 2.5.
    Report report({makeDay(DateTime::make(2024, 5, 1)), makeDay(DateTime::make(2024, 5, 2)),
                   makeDay(DateTime::make(2024, 5, 3))});
    for (bool printing : {false, true}) {
        Graph month(report.monthly(2024, 5, 1), printing);
        const std::string text = month.page.detailTable().text(5, 0);
        EXPECT_NE(text.find("4.5"), std::string::npos) << text;
        EXPECT_NE(text.find("7.5"), std::string::npos) << text;
        Graph day(report.daily(0), printing);
        EXPECT_NE(day.page.detailTable().text(5, 0).find("1.5"), std::string::npos);
    }
}
