#pragma once
#include "support/Sjis.h"
#include "views/layout/GridElement.h"
#include "views/layout/LayoutTexts.h"
#include "views/layout/TextTable.h"
#include "views/layout/TimeChart.h"
#include <cmath>
#include <cstdio>
#include <memory>

// A page shaped like the program's report pages: a header table, a scrolling measured-value
// table and time charts with bar, line and power-factor series. Shared by the GUI test that
// renders it and by the benchmark.
namespace sample_page {

struct Page {
    std::unique_ptr<GridElement> root;
    TextTable* header = nullptr;
    TextTable* table = nullptr;
    std::vector<TimeChart*> charts;
};

// The page's own texts, all of which CP932 spells.
inline std::string u(const char* utf8) {
    return sjis::fromUtf8(utf8).value();
}

inline void fillHeader(TextTable& t, const FontSpec& seed) {
    t.setup(6, 1, -1, -1, 6, 1);
    const double widths[] = {10, 21, 8, 20, 17};
    for (int c = 0; c < 5; ++c)
        t.grid().setWeight(c, widths[c], GridElement::Columns);
    t.setFont(seed);
    const char* texts[] = {"需要家名称",  "東京第一工場", "測定回路",
                           "受電盤 No.1", "日付",         "2024年 3月 5日"};
    for (int c = 0; c < 6; ++c)
        t.setText(c, 0, u(texts[c]));
    t.refreshVisibleCells();
    t.fontGroup(0, 0, TextTable::Range{}, true);
    for (int c : {0, 2, 4})
        t.setFill(TextTable::Range{c, 0, c, 0}, rgb(0, 0, 0), rgb(247, 247, 247));
    t.setEdges(TextTable::Range{}, rgb(0, 0, 0), 15, false);
}

inline void fillTable(TextTable& t, const FontSpec& seed, int rows, int gridRows) {
    const int columns = 6;
    t.setup(columns, gridRows, -1, -1, columns, rows + 1);
    t.setFixedRow(0);
    for (int r = 0; r < gridRows; ++r)
        t.grid().setFixedSize(r, r == 0 ? 60 : 55, GridElement::Rows);
    t.setFont(seed);
    const char* heads[] = {"時間", "電力[kW]+", "電力[kW]-", "力率[%]", "電圧1[V]", "電流1[A]"};
    for (int c = 0; c < columns; ++c)
        t.setText(c, 0, u(heads[c]));
    char buf[32];
    for (int r = 1; r <= rows; ++r) {
        const int minutes = (r - 1) * 30;
        std::snprintf(buf, sizeof buf, "%02d:%02d", minutes / 60 % 24, minutes % 60);
        t.setText(0, r, buf);
        std::snprintf(buf, sizeof buf, "%.1f", 120 + 60 * std::sin(r * 0.3));
        t.setText(1, r, buf);
        std::snprintf(buf, sizeof buf, "%.1f", 20 + 10 * std::cos(r * 0.2));
        t.setText(2, r, buf);
        std::snprintf(buf, sizeof buf, "%.1f", 95 - 10 * std::sin(r * 0.1));
        t.setText(3, r, buf);
        std::snprintf(buf, sizeof buf, "%.1f", 6600 + 40 * std::sin(r * 0.5));
        t.setText(4, r, buf);
        std::snprintf(buf, sizeof buf, "%.2f", 12 + 3 * std::sin(r * 0.4));
        t.setText(5, r, buf);
    }
    t.refreshVisibleCells();
    t.setFill(TextTable::Range{0, 0, -1, 0}, rgb(0, 0, 0), rgb(247, 247, 247));
    t.setEdges(TextTable::Range{}, rgb(0, 0, 0), 15, false);
    t.setTextFormat(TextTable::Range{1, 1, -1, -1}, DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
    t.fontGroup(0, 0, TextTable::Range{0, 0, -1, 0}, true);
    t.setFitText(1, 1, "99:99");
    t.fontGroup(1, 1, TextTable::Range{0, 1, -1, -1}, true);
}

// Power chart: forward and reverse bars and a power-factor line, `points` samples over a day.
inline void fillChart(TimeChart& chart, int points, bool withBars) {
    TimeAxis axis;
    axis.minimum = 0;
    axis.maximum = 1440;
    axis.startDate = DateTime::make(2024, 3, 5, 0, 0, 0);
    axis.endDate = DateTime::make(2024, 3, 6, 0, 0, 0);
    chart.setAxis(axis);
    const double step = points > 1 ? 1440.0 / (points - 1) : 0.0;
    if (withBars) {
        ChartSeries& fwd = chart.addSeries();
        fwd.name = u("電力(正)");
        fwd.unit = "[kW]";
        fwd.minimum = 0;
        fwd.maximum = 200;
        fwd.axisGap = 5;
        fwd.axisWidth = 150;
        fwd.lineColour = rgb(200, 0, 0);
        fwd.fillColour = rgb(255, 150, 150);
        fwd.style = ChartSeries::Bars;
        fwd.barPlacement = ChartSeries::LeftHalf;
        ChartSeries& rev = chart.addSeries();
        rev.name = u("電力(逆)");
        rev.unit = "";
        rev.minimum = 0;
        rev.maximum = 200;
        rev.axisGap = 0;
        rev.axisWidth = 0;
        rev.nameOffset = 150;
        rev.ownAxis = 0;
        rev.lineColour = rgb(0, 150, 0);
        rev.fillColour = rgb(180, 255, 180);
        rev.style = ChartSeries::Bars;
        rev.barPlacement = ChartSeries::RightHalf;
        for (int i = 0; i < points; ++i) {
            fwd.addPoint(i * step, 110 + 70 * std::sin(i * 6.28 / points * 3));
            rev.addPoint(i * step, 30 + 20 * std::cos(i * 6.28 / points * 5));
        }
    } else {
        ChartSeries& v = chart.addSeries();
        v.name = u("電圧１");
        v.unit = "[V]";
        v.minimum = 0;
        v.maximum = 150;
        v.axisWidth = 130;
        v.lineColour = rgb(0, 0, 0);
        for (int i = 0; i < points; ++i)
            v.addPoint(i * step, 100 + 20 * std::sin(i * 6.28 / points * 2));
    }
    ChartSeries& pf = chart.addSeries();
    pf.name = u("力率");
    pf.unit = "[%]";
    pf.minimum = 0;
    pf.maximum = ChartSeries::PowerFactorMaximum;
    pf.axisGap = 20;
    pf.axisWidth = 100;
    pf.lineColour = rgb(0, 0, 255);
    pf.fillColour = rgb(0, 0, 255);
    for (int i = 0; i < points; ++i) {
        // Lag most of the day, a lead stretch in the evening.
        const double phase = static_cast<double>(i) / points;
        pf.addPoint(i * step, phase > 0.7 && phase < 0.85 ? -95 + 5 * std::sin(i * 0.5)
                                                          : 90 + 8 * std::sin(i * 0.05));
    }
}

// One header, one table (`tableRows` data rows in `gridRows` grid rows), `charts` charts;
// the charts share the height left by the table.
inline Page build(const DeviceContext& dc, int charts, int pointsPerChart, int tableRows,
                  int gridRows = 13) {
    Page page;
    page.root = std::make_unique<GridElement>();
    page.root->setName("page");
    BoxElement cellTemplate;
    page.root->initTracks(1, 2 + charts, -1, -1, cellTemplate);
    page.root->setFixedSize(0, 55, GridElement::Rows);
    page.root->setFixedSize(1, (gridRows - 1) * 55 + 60, GridElement::Rows);
    const FontSpec seed = FontSpec::make(dc, txt::layout::kFaceGothic, 10);
    TextTable tableTemplate;
    tableTemplate.setName("title1");
    page.header = static_cast<TextTable*>(page.root->setContent(0, 0, tableTemplate));
    fillHeader(*page.header, seed);
    tableTemplate.setName("measured");
    page.table = static_cast<TextTable*>(page.root->setContent(0, 1, tableTemplate));
    fillTable(*page.table, seed, tableRows, gridRows);
    TimeChart chartTemplate;
    chartTemplate.setName("meas graph");
    for (int i = 0; i < charts; ++i) {
        auto* chart = static_cast<TimeChart*>(page.root->setContent(0, 2 + i, chartTemplate));
        fillChart(*chart, pointsPerChart, i % 2 == 0);
        page.charts.push_back(chart);
    }
    return page;
}

} // namespace sample_page
