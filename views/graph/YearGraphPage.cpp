#include "views/graph/YearGraphPage.h"
#include "analysis/AnalysisTexts.h"
#include "analysis/YearReportText.h"
#include "support/Format.h"
#include "views/graph/GraphTexts.h"
#include "views/layout/ChartRules.h"
#include "views/layout/LayoutTexts.h"
#include "views/table/PrintPageFrame.h"
#include "views/table/TableStyle.h"
#include "views/table/TitleTables.h"
#include <algorithm>

using namespace table_style;

namespace {

constexpr ColorRef EnergyLine = rgb(200, 0, 0);
constexpr ColorRef EnergyFill = rgb(255, 150, 150);
constexpr ColorRef DemandLine = rgb(0, 0, 255);
constexpr ColorRef ContractLine = rgb(220, 0, 0);

// The axis runs from the first report month's start to the last one's end; a month the start
// day does not have (31 in April) leaves no window and no point.
TimeAxis yearAxis(const YearReport& report) {
    TimeAxis axis;
    for (const YearMonthRow& row : report.months) {
        if (!row.window.isValid())
            continue;
        if (!axis.startDate.isValid())
            axis.startDate = row.window.start;
        axis.endDate = row.window.end;
        axis.marks.push_back(row.window.start);
    }
    if (!axis.marks.empty())
        axis.marks.erase(axis.marks.begin()); // the start is labelled anyway
    axis.minimum = 0;
    axis.maximum = axis.startDate.isValid()
                       ? chart_rules::wholeMinutesBetween(axis.startDate, axis.endDate)
                       : 60;
    return axis;
}

} // namespace

YearGraphPage::YearGraphPage(const DeviceContext& dc, bool printing, int page, int pageCount)
    : m_root(std::make_unique<GridElement>()) {
    const FontSpec seed = FontSpec::make(dc, txt::layout::kFaceGothic, 10);
    if (printing) {
        const int heights[] = {55, 55, 20, 1200, -1, 45};
        const PrintPageFrame frame = placePrintPageFrame(*m_root, heights, seed, page, pageCount);
        m_title = frame.title;
        m_detail = frame.detail;
        m_chart = placeIn<TimeChart>(*m_root, 3);
    } else {
        m_root->initTracks(1, 3, -1, -1, BoxElement());
        m_root->setFixedSize(0, 55, GridElement::Rows);
        m_root->setFixedSize(1, 55, GridElement::Rows);
        m_title = placeIn<TextTable>(*m_root, 0);
        m_detail = placeIn<TextTable>(*m_root, 1);
        title_tables::setUp(*m_title, *m_detail, seed, title_tables::readableOnScreen(dc));
        m_chart = placeIn<TimeChart>(*m_root, 2);
    }
    m_chart->setName("year graph");
    TimeAxis axis;
    axis.maximum = 60;
    m_chart->setAxis(axis);
}

void YearGraphPage::fill(const DisplaySelection& selection, const YearReport& report) {
    DaySummary reactive;
    for (const YearMonthRow& row : report.months) {
        reactive.leadReactiveEnergy += row.leadReactiveEnergy;
        reactive.lagReactiveEnergy += row.lagReactiveEnergy;
    }
    title_tables::fill(*m_title, *m_detail, selection, reactive, 1);

    const TimeAxis axis = yearAxis(report);
    m_chart->setAxis(axis);
    ChartSeries& energy = m_chart->addSeries();
    energy.name = txt::analysis::kYearEnergyName.str();
    energy.unit = "[kWh]";
    energy.lineColour = EnergyLine;
    energy.fillColour = EnergyFill;
    energy.style = ChartSeries::Bars;
    energy.axisWidth = 150;
    ChartSeries& demand = m_chart->addSeries();
    demand.name = txt::analysis::kYearDemandName.str();
    demand.unit = txt::graph::kUnitKW.str();
    demand.lineColour = DemandLine;
    demand.fillColour = DemandLine;
    demand.style = ChartSeries::Line;
    demand.axisGap = 20;
    demand.axisWidth = 130;

    double energyTop = 0.0;
    double demandTop = report.contractDemand * 0.001;
    m_copyText = std::string(txt::analysis::kYearMonth) + "\t" + energy.name + energy.unit + "\t" +
                 demand.name + demand.unit + "\n";
    for (const YearMonthRow& row : report.months) {
        if (!row.window.isValid() || !axis.startDate.isValid())
            continue;
        // Each month's point sits in the middle of its window.
        const double middle = chart_rules::wholeMinutesBetween(axis.startDate, row.window.start) +
                              row.window.dayCount() * 1440.0 / 2;
        const double kwh = row.energy * 0.001;
        const double kw = row.maximumDemand.demand * 0.001;
        energy.addPoint(middle, kwh);
        energy.points.back().hidden = row.daysStored == 0;
        demand.addPoint(middle, kw);
        demand.points.back().hidden = !row.hasDemand;
        if (row.daysStored == 0)
            continue;
        energyTop = std::max(energyTop, kwh);
        if (row.hasDemand)
            demandTop = std::max(demandTop, kw);
        m_copyText += formatText(txt::analysis::kYearMonthValue, row.month) +
                      formatText("\t%.1f\t", kwh) +
                      (row.hasDemand ? formatText("%.2f", kw) : std::string()) + "\n";
    }
    energy.maximum = chart_rules::roundAxisMaximum(energyTop);
    demand.maximum = chart_rules::roundAxisMaximum(demandTop);
    // Bars would cover a label at the line: the contract demand is named on its axis.
    if (report.contractDemand > 0.0) {
        m_chart->addLevel({1, report.contractDemand * 0.001, ContractLine, {}});
        demand.name += "  " + formatText(txt::analysis::kYearContractLabel,
                                         contractDemandText(report).c_str());
    }
}

std::string YearGraphPage::copyText() const {
    return m_copyText;
}
