#include "views/table/SheetPrintPage.h"
#include "views/ReportFixtures.h"
#include "views/layout/PageRender.h"
#include "views/layout/RecordingDeviceContext.h"
#include "views/table/TableStyle.h"
#include <gtest/gtest.h>

using namespace report_fixture;

namespace {

const DateTime Day = DateTime::make(2024, 5, 1);

TEST(TablePageCount, FiftySamplesAPagePlusTheSummaryPage) {
    struct Case {
        int samples;
        int pages;
    };
    const Case cases[] = {{0, 2}, {1, 2}, {50, 2}, {51, 3}, {100, 3}, {101, 4}, {120, 4}};
    for (const Case& c : cases) {
        Report report({makeDay(Day, {.samples = c.samples})});
        const DisplaySelection sel = report.daily(0);
        EXPECT_EQ(TablePageCount(&sel), c.pages) << c.samples;
    }
}

TEST(TablePageCount, MonthlyIsTwoAndNoDayIsZero) {
    Report report({makeDay(Day, {.samples = 120})});
    const DisplaySelection month = report.monthly(2024, 5, 1);
    EXPECT_EQ(TablePageCount(&month), 2);
    const DisplaySelection none;
    EXPECT_EQ(TablePageCount(&none), 0);
    EXPECT_EQ(TablePageCount(nullptr), 0);
}

// Page `page` of a job of `pages` pages, placed on an A4 area.
struct Printed {
    RecordingDeviceContext dc{Rect{0, 0, 2100, 2970}};
    SheetPrintPage page;
    Printed(const DisplaySelection& sel, int p, int pages) {
        page.PreparePrintPage(dc, sel, p, pages, 1);
        page_render::place(*page.root(), nullptr, dc, MM_LOMETRIC, Rect{200, -250, 1900, -2720});
        page_render::paint(*page.root(), nullptr, dc);
    }
};

TEST(SheetPrintPage, DailyPagesSplitTheSamplesByFifty) {
    Report report({makeDay(Day, {.samples = 120, .intervalMinutes = 10})});
    const DisplaySelection sel = report.daily(0);
    struct Case {
        int page;
        int rows; // data rows including the header
        const char* firstTime;
        const char* number;
    };
    const Case cases[] = {
        {1, 51, "00:10", "1/5"}, {2, 51, "08:30", "2/5"}, {3, 21, "16:50", "3/5"}};
    for (const Case& c : cases) {
        Printed p(sel, c.page, 5);
        ASSERT_FALSE(p.page.isSummaryPage());
        EXPECT_EQ(p.page.table()->dataRows(), c.rows) << c.page;
        EXPECT_EQ(p.page.table()->text(0, 1), c.firstTime) << c.page;
        EXPECT_NE(p.dc.findText(c.number), nullptr) << c.page;
        EXPECT_NE(p.dc.findText(u("測定値")), nullptr) << c.page;
    }
}

TEST(SheetPrintPage, LastTablePageIsTheSummary) {
    Report report({makeDay(Day, {.samples = 3, .reverse = true})});
    const DisplaySelection sel = report.daily(0);
    Printed p(sel, 2, 3);
    ASSERT_TRUE(p.page.isSummaryPage());
    TextTable& t = *p.page.table();
    EXPECT_EQ(t.dataRows(), 29);
    EXPECT_EQ(t.text(1, 0), u("総電力量[kWh] (正)"));
    EXPECT_EQ(t.text(1, 1), u("総電力量[kWh] (逆)"));
    EXPECT_EQ(t.text(1, 7), u("最大電力[W]（時刻） (正)"));
    EXPECT_EQ(t.text(2, 7), u("500.0（13:30～14:00）"));
    EXPECT_EQ(t.text(1, 13), u("平均電圧3[V]"));
    EXPECT_EQ(t.text(2, 13), "102.0"); // element 1 for 単相
    EXPECT_EQ(t.text(2, 12), "");      // no phase 2
    EXPECT_NE(p.dc.findText("2/3"), nullptr);
    EXPECT_NE(p.dc.findText(u("         集計")), nullptr);
}

TEST(SheetPrintPage, RowsWithoutReverseOrPhaseTwoTakeNoHeight) {
    struct Case {
        bool reverse;
        int32_t type;
        bool reverseRows;
        bool phase2Rows;
    };
    const Case cases[] = {{false, CircuitSinglePhase, false, false},
                          {true, CircuitThreePhase3Wire, true, false},
                          {true, CircuitThreePhase4Wire, true, true}};
    for (const Case& c : cases) {
        Report report({makeDay(Day, {.circuitType = c.type, .reverse = c.reverse})});
        Printed p(report.daily(0), 2, 3);
        const auto& rows = p.page.table()->grid().rows();
        auto height = [&](int r) {
            return rows[size_t(r)].endPosition - rows[size_t(r) - 1].endPosition;
        };
        for (int r : {1, 5, 8, 10})
            EXPECT_EQ(height(r) > 0, c.reverseRows) << r;
        for (int r : {12, 15, 18, 21, 24, 27})
            EXPECT_EQ(height(r) > 0, c.phase2Rows) << r;
        EXPECT_GT(height(13), 0);
    }
}

TEST(SheetPrintPage, MonthlyTablePageHasAllDates) {
    Report report({makeDay(DateTime::make(2024, 5, 3)), makeDay(DateTime::make(2024, 5, 9))});
    Printed p(report.monthly(2024, 5, 1), 1, 3);
    EXPECT_EQ(p.page.table()->dataRows(), 32);
    EXPECT_EQ(p.page.table()->text(0, 31), u("5/31(金)"));
    EXPECT_NE(p.dc.findText(u("測定値（平均値）")), nullptr);
    EXPECT_NE(p.dc.findText("1/3"), nullptr);
}

TEST(SheetPrintPage, MonthlyPageMarksIncompleteDaysWithALegend) {
    Report report(incompleteMonthDays());
    Printed p(report.monthly(2024, 5, 1), 1, 3);
    for (const char* text : {"5/2(木) ▲2", "5/3(金) ▲3", "5/1(水)", "5/4(土) ▲", "5/5(日)",
                             "測定値（平均値）", "▲n：欠測 n 区間（停電を含む）"})
        EXPECT_NE(p.dc.findText(u(text)), nullptr) << text;
    EXPECT_EQ(p.dc.findText(u("5/1(水) ▲")), nullptr);
}

TEST(SheetPrintPage, NoLegendOnACompleteMonthOrADailyPage) {
    Report report(incompleteMonthDays());
    const std::string legend = u("▲n：欠測 n 区間（停電を含む）");
    Report complete({makeDay(Day, {.samples = 48})});
    EXPECT_EQ(Printed(complete.monthly(2024, 5, 1), 1, 3).dc.findText(legend), nullptr);
    Printed daily(report.daily(1), 1, 3);
    EXPECT_EQ(daily.dc.findText(legend), nullptr);
    EXPECT_NE(daily.dc.findText(u("測定値")), nullptr);
}

// Bottom (device y, downwards) of the lowest black line on the page.
int32_t lowestBlackLine(RecordingDeviceContext& dc) {
    int32_t lowest = 0;
    for (const RecordingDeviceContext::Op& op : dc.polylines())
        if (op.pen.colour == table_style::Black)
            for (const Point& point : op.points)
                lowest = std::max(lowest, point.y);
    return lowest;
}

int32_t rowPitch(const TextTable& table) {
    const std::vector<TrackSpec>& rows = table.grid().rows();
    return rows[2].endPosition - rows[1].endPosition;
}

TEST(SheetPrintPage, MonthlyPageEndsAfterTheLastDateWithoutEmptyRows) {
    struct Case {
        int year, month, startDay;
        int dates;
        const char* lastDate;
    };
    const Case cases[] = {{2024, 5, 1, 31, "5/31(金)"},
                          {2024, 2, 1, 29, "2/29(木)"},
                          {2024, 11, 21, 30, "12/20(金)"},
                          {2023, 2, 1, 28, "2/28(火)"}};
    Report daily({makeDay(Day, {.samples = 120, .intervalMinutes = 10})});
    const int32_t dailyPitch = rowPitch(*Printed(daily.daily(0), 1, 5).page.table());
    for (const Case& c : cases) {
        Report report({makeDay(DateTime::make(c.year, c.month, c.startDay))});
        RecordingDeviceContext dc{Rect{0, 0, 2100, 2970}};
        SheetPrintPage page;
        page.PreparePrintPage(dc, report.monthly(c.year, c.month, c.startDay), 1, 3, c.startDay);
        page_render::place(*page.root(), nullptr, dc, MM_LOMETRIC, Rect{200, -250, 1900, -2720});
        page_render::paint(*page.root(), nullptr, dc);
        const TextTable& table = *page.table();
        EXPECT_EQ(table.grid().rowCount(), c.dates + 1) << c.lastDate;
        EXPECT_NEAR(rowPitch(table), dailyPitch, dailyPitch / 10) << c.lastDate;
        const RecordingDeviceContext::Op* last = dc.findText(u(c.lastDate));
        ASSERT_NE(last, nullptr) << c.lastDate;
        // The table's bottom line lies right under the last date, not rows further down.
        EXPECT_LT(lowestBlackLine(dc), last->rect.bottom + dailyPitch) << c.lastDate;
    }
}

} // namespace
