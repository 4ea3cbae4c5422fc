#include "views/layout/TimeChart.h"
#include "common/Cp932.h"
#include "support/Sjis.h"
#include "views/layout/PageRender.h"
#include "views/layout/RecordingDeviceContext.h"
#include <gtest/gtest.h>

namespace {

using Op = RecordingDeviceContext::Op;

// A chart of 1000 x 600 units at one pixel per unit. With one 100-wide axis strip the plot
// is (140, -110)-(899, -499).
struct ChartFixture : ::testing::Test {
    void build(double spanMinutes, const DateTime& start, const DateTime& end = DateTime()) {
        TimeAxis axis;
        axis.minimum = 0;
        axis.maximum = spanMinutes;
        axis.startDate = start;
        axis.endDate = end;
        chart.setAxis(axis);
    }
    ChartSeries& powerFactor() {
        ChartSeries& s = chart.addSeries();
        s.name = sj("力率");
        s.unit = "[%]";
        s.minimum = 0;
        s.maximum = ChartSeries::PowerFactorMaximum;
        s.axisGap = 20;
        s.axisWidth = 100;
        s.lineColour = rgb(0, 0, 255);
        return s;
    }
    void render() {
        page_render::place(chart, nullptr, dc, MM_LOMETRIC, Rect{0, 0, 1000, -600});
        page_render::paint(chart, nullptr, dc);
    }
    std::vector<Op> textsWithEscapement(int32_t escapement) {
        std::vector<Op> out;
        for (const Op& op : dc.texts())
            if (op.font.escapement == escapement)
                out.push_back(op);
        return out;
    }
    std::vector<Op> dottedLines(bool vertical) {
        std::vector<Op> out;
        for (const Op& op : dc.polylines())
            if (op.pen.style == PS_DOT && (op.points[0].x == op.points[1].x) == vertical)
                out.push_back(op);
        return out;
    }

    RecordingDeviceContext dc;
    TimeChart chart;
};

TEST_F(ChartFixture, PlacementLeavesTheMargins) {
    build(60, DateTime::make(2024, 1, 1));
    powerFactor();
    ChartSeries& shared = chart.addSeries();
    shared.axisWidth = 0;
    shared.ownAxis = 0;
    render();
    EXPECT_EQ(chart.plotRect(), (Rect{140, -110, 899, -499}));
    EXPECT_DOUBLE_EQ(chart.axis().origin, 140);
    EXPECT_DOUBLE_EQ(chart.axis().scale, 759.0 / 60);
    EXPECT_DOUBLE_EQ(chart.series(0).scale, -389.0 / 200);
}

TEST_F(ChartFixture, PowerFactorAxisLabelsAndLeadValues) {
    build(60, DateTime::make(2024, 1, 1));
    ChartSeries& pf = powerFactor();
    pf.addPoint(0, -95);
    pf.addPoint(60, 105);
    render();
    // Labels from top to bottom.
    std::vector<std::string> labels;
    for (const Op& op : dc.texts())
        if (op.colour == rgb(0, 0, 255) && op.font.escapement == 0 && op.text != "[%]")
            labels.push_back(op.text);
    EXPECT_EQ(labels, (std::vector<std::string>{"-0", "-50", "100", "+50", "+0"}));
    // -95 is drawn where 105 is.
    EXPECT_EQ(chart.yOf(chart.series(0), -95), chart.yOf(chart.series(0), 105));
    std::vector<Point> line;
    for (const Op& op : dc.polylines())
        if (op.pen.width == 3)
            line = op.points;
    EXPECT_EQ(line, (std::vector<Point>{{140, 294}, {899, 294}}));
    // Label of the top division: right-aligned just above its tick, in the strip.
    const Op* top = dc.findText("-0");
    ASSERT_NE(top, nullptr);
    EXPECT_EQ(top->rect.right, 118);
    EXPECT_EQ(top->rect.bottom, 107);
}

TEST_F(ChartFixture, FirstSeriesDrawsHorizontalGridLines) {
    build(60, DateTime::make(2024, 1, 1));
    powerFactor();
    render();
    auto horizontal = dottedLines(false);
    ASSERT_EQ(horizontal.size(), 3u); // the inner divisions of 4
    EXPECT_EQ(horizontal[0].points, (std::vector<Point>{{140, 207}, {899, 207}}));
    EXPECT_EQ(horizontal[0].pen.colour, rgb(200, 200, 200));
}

TEST_F(ChartFixture, HourLabelsAreRotatedAndTicksDotted) {
    build(60, DateTime::make(2024, 1, 1, 6, 0, 0));
    render();
    auto labels = textsWithEscapement(-450);
    ASSERT_EQ(labels.size(), 6u); // start and five ticks
    EXPECT_EQ(labels[0].text, "06:00");
    // Without series the plot starts 40 in: the start label sits 30 left of it, 80 below.
    EXPECT_EQ((Point{labels[0].rect.left, labels[0].rect.top}), (Point{10, 579}));
    EXPECT_EQ(labels[1].text, "06:10");
    EXPECT_EQ(dottedLines(true).size(), 5u);
    const Op* unit = dc.findText(sj("時間"));
    ASSERT_NE(unit, nullptr);
    EXPECT_EQ(unit->rect.left, 909);
}

TEST_F(ChartFixture, LongSpansLabelDaysEveryFiveDaysUnrotated) {
    build(43200, DateTime::make(2024, 1, 1), DateTime::make(2024, 1, 31));
    render();
    std::vector<std::string> days;
    for (const Op& op : textsWithEscapement(0))
        if (op.text.find('/') != std::string::npos)
            days.push_back(op.text);
    EXPECT_EQ(days,
              (std::vector<std::string>{"1/1", "1/31", "1/6", "1/11", "1/16", "1/21", "1/26"}));
    const Op* sixth = dc.findText("1/6");
    ASSERT_NE(sixth, nullptr);
    EXPECT_EQ((Point{sixth->rect.left, sixth->rect.top}), (Point{40 + 143 - 7, 509}));
    EXPECT_NE(dc.findText(sj("日")), nullptr);
    EXPECT_TRUE(textsWithEscapement(-450).empty());
}

TEST_F(ChartFixture, BarWidthsAndPlacement) {
    build(60, DateTime::make(2024, 1, 1));
    ChartSeries& single = chart.addSeries();
    single.style = ChartSeries::Bars;
    single.minimum = 0;
    single.maximum = 100;
    single.fillColour = rgb(255, 150, 150);
    single.addPoint(30, 50);
    render();
    const auto fills = dc.fills();
    const Op* bar = nullptr;
    for (const Op& op : fills)
        if (op.colour == rgb(255, 150, 150))
            bar = &op;
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->rect.width(), 20);
    EXPECT_EQ(bar->rect.bottom, 499); // down to the plot bottom
    EXPECT_EQ(bar->rect.left, chart.xOf(30) - 10);
}

TEST_F(ChartFixture, SeriesNamesStackAlongASharedAxis) {
    build(60, DateTime::make(2024, 1, 1));
    ChartSeries& first = chart.addSeries();
    first.name = "one";
    first.axisWidth = 130;
    first.maximum = 100;
    ChartSeries& second = chart.addSeries();
    second.name = "two";
    second.axisWidth = 0;
    second.axisGap = 0;
    second.ownAxis = 0;
    second.nameOffset = 110;
    render();
    const Op* one = dc.findText("one");
    const Op* two = dc.findText("two");
    ASSERT_NE(one, nullptr);
    ASSERT_NE(two, nullptr);
    EXPECT_EQ(one->font.escapement, 2700);
    EXPECT_EQ(one->rect.left, two->rect.left);
    EXPECT_EQ(one->rect.top - two->rect.top, 110);
    EXPECT_EQ(one->rect.top, 499 - 30);
}

TEST_F(ChartFixture, ZeroValueRangeDrawsTheBottomLabel) {
    build(60, DateTime::make(2024, 1, 1));
    ChartSeries& flat = chart.addSeries();
    flat.minimum = 5;
    flat.maximum = 5;
    flat.addPoint(10, 5);
    flat.addPoint(20, 7);
    render();
    EXPECT_NE(dc.findText("5.000"), nullptr);
    EXPECT_DOUBLE_EQ(chart.series(0).scale, 0.0);
}

TEST_F(ChartFixture, EmptyChartDrawsFrameOnly) {
    render(); // no axis dates, no series
    EXPECT_EQ(chart.plotRect(), (Rect{40, -110, 899, -499}));
    auto frame = dc.polylines();
    EXPECT_EQ(frame.size(), 4u);
}

TEST(TimeChart, CloneKeepsSeries) {
    TimeChart chart;
    chart.setName("meas graph");
    chart.addSeries().name = "x";
    auto copy = chart.clone();
    auto& c = static_cast<TimeChart&>(*copy);
    EXPECT_EQ(c.seriesCount(), 1u);
    EXPECT_EQ(c.series(0).name, "x");
    EXPECT_EQ(c.name(), "meas graph");
    EXPECT_THROW(c.series(1), std::out_of_range);
}

} // namespace

namespace {

// Missing data: where the line breaks and which bars are left out.
struct GapCase {
    const char* name;
    std::vector<bool> breakBefore;
    std::vector<bool> hidden;
    std::size_t polylines; // line pieces drawn
    std::size_t bars;      // bars drawn of the same points
};

class ChartGapTable : public ChartFixture, public ::testing::WithParamInterface<GapCase> {};

TEST_P(ChartGapTable, LinesBreakAndHiddenPointsDrawNothing) {
    const GapCase& c = GetParam();
    build(60, DateTime::make(2024, 1, 1));
    ChartSeries& line = chart.addSeries();
    line.minimum = 0;
    line.maximum = 100;
    line.lineColour = rgb(0, 0, 200);
    ChartSeries& bars = chart.addSeries();
    bars.minimum = 0;
    bars.maximum = 100;
    bars.style = ChartSeries::Bars;
    bars.fillColour = rgb(255, 150, 150);
    for (std::size_t i = 0; i < c.hidden.size(); ++i) {
        for (ChartSeries* s : {&line, &bars}) {
            s->addPoint(5.0 * (i + 1), 50);
            s->points.back().breakBefore = c.breakBefore[i];
            s->points.back().hidden = c.hidden[i];
        }
    }
    render();
    std::size_t pieces = 0, filled = 0;
    for (const Op& op : dc.polylines())
        if (op.pen.colour == rgb(0, 0, 200) && op.pen.width == 3)
            ++pieces;
    for (const Op& op : dc.fills())
        if (op.colour == rgb(255, 150, 150))
            ++filled;
    EXPECT_EQ(pieces, c.polylines);
    EXPECT_EQ(filled, c.bars);
}

INSTANTIATE_TEST_SUITE_P(
    Gaps, ChartGapTable,
    ::testing::Values(
        GapCase{"joined", {false, false, false, false}, {false, false, false, false}, 1, 4},
        GapCase{
            "gap_before_third", {false, false, true, false}, {false, false, false, false}, 2, 4},
        GapCase{"outage_in_the_middle",
                {false, false, false, false, false},
                {false, false, true, false, false},
                2,
                4},
        GapCase{
            "outage_at_the_start", {false, false, false, false}, {true, true, false, false}, 1, 2}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ChartFixture, LevelIsADashedLineAtItsValueWithItsLabel) {
    build(60, DateTime::make(2024, 1, 1));
    ChartSeries& s = chart.addSeries();
    s.minimum = 0;
    s.maximum = 100;
    chart.addLevel({0, 75.0, rgb(255, 0, 0), "limit"});
    chart.addLevel({5, 10.0, rgb(0, 255, 0), "no such axis"});
    render();
    std::vector<Op> dashed;
    for (const Op& op : dc.polylines())
        if (op.pen.style == PS_DASH)
            dashed.push_back(op);
    ASSERT_EQ(dashed.size(), 1u);
    EXPECT_EQ(dashed[0].pen.colour, rgb(255, 0, 0));
    EXPECT_EQ(dashed[0].points[0].y, -chart.yOf(s, 75.0)); // device y runs downwards
    EXPECT_EQ(dashed[0].points[0].x, chart.plotRect().left);
    EXPECT_EQ(dashed[0].points[1].x, chart.plotRect().right);
    bool labelled = false;
    for (const Op& op : dc.texts())
        labelled = labelled || op.text == "limit";
    EXPECT_TRUE(labelled);
    chart.setAxis(chart.axis());
    EXPECT_TRUE(chart.levels().empty());
}

} // namespace
