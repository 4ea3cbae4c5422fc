#include "views/table/SheetScreen.h"
#include "views/ReportFixtures.h"
#include "views/layout/PageRender.h"
#include "views/layout/RecordingDeviceContext.h"
#include "views/table/TableStyle.h"
#include "views/table/TitleTables.h"
#include <gtest/gtest.h>
#include <optional>

using namespace report_fixture;

namespace {

const DateTime Day = DateTime::make(2024, 5, 1);

// The sheet filled for a selection and placed on a 200 x 250 mm window.
struct Sheet {
    RecordingDeviceContext dc{Rect{0, 0, 2000, 2500}};
    SheetScreen sheet{dc};
    explicit Sheet(const DisplaySelection& sel, int startDay = 1) {
        sheet.fill(sel, startDay);
        page_render::place(sheet.root(), nullptr, dc, MM_LOMETRIC, Rect{0, 0, 2000, -2500});
    }
    TextTable& table() { return sheet.measuredTable(); }
    int columnWidth(int c) {
        const auto& cols = table().grid().columns();
        return cols[size_t(c)].endPosition - (c == 0 ? 0 : cols[size_t(c) - 1].endPosition);
    }
};

TEST(SheetScreen, PhaseColumnsFollowTheCircuitType) {
    struct Case {
        int32_t type;
        bool phase2Shown;
        const char* voltage3; // shown under 電圧3 in the first row
        const char* current3;
    };
    const Case cases[] = {{CircuitSinglePhase, false, "102.0", "12.00"},
                          {CircuitThreePhase3Wire, false, "102.0", "12.00"},
                          {CircuitThreePhase4Wire, true, "103.0", "13.00"}};
    for (const Case& c : cases) {
        Report report({makeDay(Day, {.samples = 3, .circuitType = c.type})});
        Sheet s(report.daily(0));
        EXPECT_EQ(s.columnWidth(5) > 0, c.phase2Shown) << c.type;
        EXPECT_EQ(s.columnWidth(8) > 0, c.phase2Shown) << c.type;
        EXPECT_EQ(s.table().text(6, 1), c.voltage3) << c.type;
        EXPECT_EQ(s.table().text(9, 1), c.current3) << c.type;
        EXPECT_EQ(s.table().text(5, 1), c.phase2Shown ? "102.0" : "") << c.type;
        EXPECT_EQ(s.table().text(6, 0), u("電圧3[V]"));
        // The summary labels name the phases shown: 1, 2, 3 or 1, 3.
        EXPECT_EQ(s.sheet.summaryTable().text(2, 1),
                  u(c.phase2Shown ? "平均電圧2[V]" : "平均電圧3[V]"));
        EXPECT_EQ(s.sheet.summaryTable().text(3, 1), c.phase2Shown ? "102.0" : "102.0");
    }
}

TEST(SheetScreen, PowerUnitSwitchesAboveTenThousandWatts) {
    struct Case {
        double maxDemand;
        const char* heading;
        const char* firstPower;
        const char* averageLabel;
        const char* peakLabel;
        const char* peakValue;
    };
    const Case cases[] = {
        {10000.0, "電力[W]", "1000", "平均電力[W]", "最大電力[W]", "10000.0 (13:30～14:00)"},
        {10000.1, "電力[kW]", "1.0", "平均電力[kW]", "最大電力[kW]", "10.0 (13:30～14:00)"},
    };
    for (const Case& c : cases) {
        Report report({makeDay(Day, {.maxDemand = c.maxDemand})});
        Sheet s(report.daily(0));
        EXPECT_EQ(s.table().text(1, 0), u(c.heading)) << c.maxDemand;
        EXPECT_EQ(s.table().text(1, 1), c.firstPower) << c.maxDemand;
        EXPECT_EQ(s.sheet.summaryTable().text(0, 3), u(c.averageLabel)) << c.maxDemand;
        EXPECT_EQ(s.sheet.peakTable().text(0, 0), u(c.peakLabel)) << c.maxDemand;
        EXPECT_EQ(s.sheet.peakTable().text(1, 0), u(c.peakValue)) << c.maxDemand;
    }
}

TEST(SheetScreen, VoltageUnitSwitchesAboveThousandVolts) {
    const std::pair<double, const char*> cases[] = {{1000.0, "電圧1[V]"}, {1000.1, "電圧1[kV]"}};
    for (auto [peak, heading] : cases) {
        Report report({makeDay(Day, {.peakVoltage1 = peak})});
        Sheet s(report.daily(0));
        EXPECT_EQ(s.table().text(4, 0), u(heading)) << peak;
        EXPECT_EQ(s.table().text(4, 1), peak > 1000 ? "0.1" : "101.0") << peak;
    }
}

TEST(SheetScreen, ReverseColumnAndSignsOnlyWithReverse) {
    for (bool reverse : {false, true}) {
        Report report({makeDay(Day, {.reverse = reverse})});
        Sheet s(report.daily(0));
        EXPECT_EQ(s.columnWidth(2) > 0, reverse);
        EXPECT_EQ(s.table().text(1, 0), u(reverse ? "電力[W]+" : "電力[W]"));
        EXPECT_EQ(s.table().text(2, 1), reverse ? "-10" : "");
        EXPECT_EQ(s.sheet.summaryTable().text(1, 0), u(reverse ? "+12.3／-2.3" : "12.3"));
        EXPECT_EQ(
            s.sheet.peakTable().text(1, 0),
            u(reverse ? "+500.0 (13:30～14:00) ／ -40.0 (01:00～01:30)" : "500.0 (13:30～14:00)"));
        const std::string all = s.sheet.copyText();
        EXPECT_EQ(all.find('+') != std::string::npos, reverse);
    }
}

TEST(SheetScreen, MonthlyRowsListTheReportMonthAcrossTheCalendarMonth) {
    // Report month 2007-02 with start day 21: 2/21 .. 3/20 (28 dates), three rows stay empty.
    Report report({makeDay(DateTime::make(2007, 2, 25)), makeDay(DateTime::make(2007, 3, 2)),
                   makeDay(DateTime::make(2007, 3, 21))});
    Sheet s(report.monthly(2007, 2, 21), 21);
    TextTable& t = s.table();
    ASSERT_EQ(t.dataRows(), 32);
    EXPECT_EQ(t.text(0, 0), u("日付"));
    EXPECT_EQ(s.sheet.measuredCaption().text(), u("測定値（平均値）"));
    const std::pair<int, const char*> dates[] = {
        {1, "2/21(水)"}, {8, "2/28(水)"}, {9, "3/1(木)"}, {28, "3/20(火)"}};
    for (auto [row, text] : dates)
        EXPECT_EQ(t.text(0, row), u(text)) << row;
    EXPECT_EQ(t.text(0, 29), "");
    EXPECT_EQ(t.text(1, 5), "1010.0");  // 2/25 has a day
    EXPECT_EQ(t.text(1, 6), "");        // 2/26 has none: only its date
    EXPECT_EQ(t.text(1, 10), "1010.0"); // 3/2
    EXPECT_EQ(s.sheet.titleTable().text(5, 0), u("2007年 2月（2/21～3/20）"));
}

// The title of a report month says which dates it covers.
TEST(SheetScreen, MonthTitleNamesTheDatesOfTheReportMonth) {
    struct Case {
        int year, month, startDay;
        const char* title;
    };
    const Case cases[] = {{2024, 5, 1, "2024年 5月（5/1～5/31）"},
                          {2024, 11, 21, "2024年 11月（11/21～12/20）"},
                          {2024, 12, 21, "2024年 12月（12/21～1/20）"},
                          {2024, 1, 29, "2024年 1月（1/29～2/28）"},
                          {2024, 2, 30, "2024年 2月"}}; // February has no 30th
    for (const Case& c : cases)
        EXPECT_EQ(std::string(title_tables::monthTitle(c.year, c.month, c.startDay)), u(c.title))
            << c.year << "-" << c.month << " from " << c.startDay;
}

// 5/4 is stored without samples: incomplete too, with the mark alone (nothing to count).
TEST(SheetScreen, MonthlyDateOfAnIncompleteDayCarriesItsMissingIntervals) {
    Report report(incompleteMonthDays());
    Sheet s(report.monthly(2024, 5, 1));
    TextTable& t = s.table();
    const std::pair<int, const char*> dates[] = {{1, "5/1(水)"},    {2, "5/2(木) ▲2"},
                                                 {3, "5/3(金) ▲3"}, {4, "5/4(土) ▲"},
                                                 {5, "5/5(日)"},    {6, "5/6(月)"}};
    for (auto [row, text] : dates)
        EXPECT_EQ(t.text(0, row), u(text)) << row;
    EXPECT_EQ(t.text(1, 2), "1010.0"); // the values of a marked row stay
    EXPECT_EQ(s.sheet.measuredCaption().text(), u("測定値（平均値）"));
    EXPECT_EQ(s.sheet.incompleteLegend().text(), u("▲n：欠測 n 区間（停電を含む）"));
    // The legend is drawn at the right of the caption row, at the caption's height.
    page_render::paint(s.sheet.root(), nullptr, s.dc);
    const auto* legend = s.dc.findText(u("▲n：欠測 n 区間（停電を含む）"));
    const auto* caption = s.dc.findText(u("測定値（平均値）"));
    ASSERT_NE(legend, nullptr);
    ASSERT_NE(caption, nullptr);
    EXPECT_EQ(legend->rect.bottom, caption->rect.bottom);
    EXPECT_GE(legend->rect.left, caption->rect.right);
    EXPECT_EQ(legend->font.pixelHeight, caption->font.pixelHeight);
}

TEST(SheetScreen, LegendIsClearedByAReportWithoutMarks) {
    Report report(incompleteMonthDays());
    Sheet s(report.monthly(2024, 5, 1));
    s.sheet.fill(report.daily(1), 1); // the daily table of 5/2 keeps its times unmarked
    EXPECT_EQ(s.sheet.incompleteLegend().text(), "");
    EXPECT_EQ(s.table().text(0, 1), "00:30");
    s.sheet.fill(report.monthly(2024, 4, 1), 1);
    EXPECT_EQ(s.sheet.incompleteLegend().text(), "");
}

TEST(SheetScreen, TitleTablesShowTheSelection) {
    Report report({makeDay(Day, {.circuitType = CircuitThreePhase3Wire})});
    Sheet s(report.daily(0));
    EXPECT_EQ(s.sheet.titleTable().text(1, 0), u("東京工場"));
    EXPECT_EQ(s.sheet.titleTable().text(3, 0), u("受電"));
    EXPECT_EQ(s.sheet.titleTable().text(5, 0), u("2024年 5月 1日(水)"));
    EXPECT_EQ(s.sheet.detailTable().text(1, 0), u("3相3線"));
    EXPECT_EQ(s.sheet.detailTable().text(3, 0), u("PT=66.0 ，CT=40.0"));
    EXPECT_EQ(s.sheet.detailTable().text(5, 0), u("進=1.5 ，遅=2.5"));
}

TEST(SheetScreen, NoSelectionLeavesTheSheetUnfilled) {
    RecordingDeviceContext dc;
    SheetScreen sheet(dc);
    EXPECT_FALSE(sheet.fill(DisplaySelection(), 1));
    EXPECT_EQ(sheet.titleTable().text(1, 0), "");
}

// Pasted into a spreadsheet, the copy tells whose day it is and ends with its summary.
TEST(SheetScreen, CopyTextHasTheTitleBlockTheShownColumnsAndTheSummary) {
    Report report({makeDay(Day, {.samples = 2})});
    Sheet s(report.daily(0));
    const std::string copy = s.sheet.copyText();
    const std::string measured =
        u("\n時間\t電力[W]\t力率[%]\t電圧1[V]\t電圧3[V]\t電流1[A]\t電流3[A]\n") +
        "00:30\t1000\t95.5\t101.0\t102.0\t11.00\t12.00\n"
        "01:00\t1001\t95.5\t101.0\t102.0\t11.01\t12.01\n\n";
    const std::size_t table = copy.find(measured);
    ASSERT_NE(table, std::string::npos) << copy;
    const std::string title = copy.substr(0, table);
    TextTable& t = s.sheet.titleTable();
    // Every text of the title block, in order of its rows.
    int found = 0;
    for (const TextTable* block : {&t, &s.sheet.detailTable()})
        for (int row = 0; row < block->dataRows(); ++row)
            for (int c = 0; c < block->dataColumns(); ++c)
                if (!block->text(c, row).empty()) {
                    EXPECT_NE(title.find(block->text(c, row)), std::string::npos);
                    ++found;
                }
    EXPECT_GE(found, 4);
    const std::string summary = copy.substr(table + measured.size());
    EXPECT_NE(summary.find(s.sheet.summaryTable().text(1, 0)), std::string::npos);
    EXPECT_NE(summary.find(u("500.0 (13:30～14:00)")), std::string::npos) << summary;
    EXPECT_EQ(summary.find("\n\n"), std::string::npos) << "no empty rows";
}

// A right-aligned figure keeps a millimetre from the line at its cell's right.
TEST(SheetScreen, FiguresKeepClearOfTheRightBorder) {
    Report report({makeDay(Day, {.samples = 2})});
    Sheet s(report.daily(0));
    s.dc.clear();
    page_render::paint(s.sheet.root(), nullptr, s.dc);
    int figures = 0;
    for (const auto& text : s.dc.texts()) {
        if (text.text != "1000" && text.text != "95.5" && text.text != "12.01")
            continue;
        const Rect figure = text.rect.normalised();
        // The nearest vertical line right of the figure that spans its row.
        std::optional<int32_t> border;
        for (const auto& line : s.dc.polylines())
            for (std::size_t i = 1; i < line.points.size(); ++i) {
                const Point a = line.points[i - 1], b = line.points[i];
                if (a.x != b.x || a.x < figure.left || std::min(a.y, b.y) > figure.top ||
                    std::max(a.y, b.y) < figure.bottom)
                    continue;
                if (!border || a.x < *border)
                    border = a.x;
            }
        ASSERT_TRUE(border) << text.text;
        EXPECT_GE(*border - figure.right, table_style::FigurePadding - 3) << text.text;
        ++figures;
    }
    EXPECT_EQ(figures, 5); // 95.5 twice
}

TEST(SheetScreen, PaintsOnlyTheVisibleRowsOfALongDay) {
    Report report({makeDay(Day, {.samples = 1440, .intervalMinutes = 1})});
    Sheet s(report.daily(0));
    s.dc.clear();
    page_render::paint(s.sheet.root(), nullptr, s.dc);
    int times = 0;
    for (const auto& op : s.dc.texts())
        if (op.text.size() == 5 && op.text[2] == ':')
            ++times;
    EXPECT_GT(times, 5);
    EXPECT_LT(times, 60); // the grid rows on screen, not the 1440 samples
}

} // namespace

namespace {

// However narrow the window, the summary's texts keep a readable size; one too long for its
// cell then loses its end, never its start.
TEST(SheetScreen, SummaryTextsKeepAReadableSizeAndTheirStartInANarrowWindow) {
    Report report({makeDay(Day, {.samples = 3, .reverse = true})});
    for (int32_t width : {2000, 1600, 1000}) {
        RecordingDeviceContext dc{Rect{0, 0, width, 2500}};
        SheetScreen sheet{dc};
        sheet.fill(report.daily(0), 1);
        page_render::place(sheet.root(), nullptr, dc, MM_LOMETRIC, Rect{0, 0, width, -2500});
        const int32_t readable = std::abs(FontSpec::make(dc, "", 80).height);
        int cut = 0;
        for (TextTable* table : {&sheet.summaryTable(), &sheet.peakTable()}) {
            const GridElement& grid = table->grid();
            for (int c = 0; c < grid.columnCount(); ++c)
                for (int r = 0; r < grid.rowCount(); ++r) {
                    const TextBox& box = table->cellBox(c, r);
                    if (box.text().empty() || box.rect().width() == 0 || box.rect().height() == 0)
                        continue;
                    ASSERT_FALSE(box.fittedName().lines.empty()) << width;
                    EXPECT_GE(box.fittedName().height, readable) << width << " " << box.text();
                    const std::string& shown = box.fittedName().lines[0];
                    EXPECT_EQ(box.text().compare(0, std::min<std::size_t>(2, shown.size()), shown,
                                                 0, std::min<std::size_t>(2, shown.size())),
                              0)
                        << width << " " << box.text();
                    cut += box.fittedName().elided ? 1 : 0;
                }
        }
        // At a usual width nothing is cut; at half of it something must be.
        if (width != 1600) {
            EXPECT_EQ(cut > 0, width == 1000) << width;
        }
    }
}

} // namespace
