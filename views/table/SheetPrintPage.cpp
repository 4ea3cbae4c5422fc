#include "views/table/SheetPrintPage.h"
#include "store/MonthWindow.h"
#include "support/Format.h"
#include "textout/TextoutTexts.h"
#include "textout/ValueFormat.h"
#include "views/layout/BoxElement.h"
#include "views/layout/LayoutTexts.h"
#include "views/layout/TextBox.h"
#include "views/table/CaptionRow.h"
#include "views/table/IncompleteMark.h"
#include "views/table/MeasuredTable.h"
#include "views/table/PrintPageFrame.h"
#include "views/table/SheetFlags.h"
#include "views/table/TableStyle.h"
#include "views/table/TableTexts.h"
#include "views/table/TitleTables.h"
#include <algorithm>
#include <functional>

using namespace table_style;

namespace {

constexpr int SummaryRows = 29;

struct SummaryRow {
    std::string label;
    std::string value;
};

// Rows 0-28 of the printed summary: label and value (mode 0 of the formatters).
std::vector<SummaryRow> summaryRows(const DaySummary& s, const SheetFlags& f) {
    const char* F = f.reverse ? txt::table::kForwardNote : "";
    const char* R = f.reverse ? txt::table::kReverseNote : "";
    const char* P = f.powerUnit();
    const char* V = f.voltageUnit();
    const std::string averagePower = unitLabel(txt::textout::kAveragePower, 0, P);
    const std::string maxDemand =
        unitLabel(txt::textout::kMaxDemand, 0, P) + txt::textout::kTimeNote;
    const std::string peakPower = unitLabel(txt::textout::kPeakPower, 0, P) +
                                  txt::table::kPeakPowerFactorTail + txt::textout::kTimeNote;
    const bool kw = f.kilowatts;
    const bool kv = f.kilovolts;
    std::vector<SummaryRow> rows = {
        {std::string(txt::textout::kEnergy) + F, EnergyText(s)},
        {std::string(txt::textout::kEnergy) + R, ReverseEnergyText(s)},
        {txt::textout::kLead, LeadReactiveText(s)},
        {txt::textout::kLag, LagReactiveText(s)},
        {averagePower + F, AveragePowerText(s, kw)},
        {averagePower + R, ReverseAveragePowerText(s, kw)},
        {txt::textout::kAveragePowerFactor, AveragePowerFactorText(s)},
        {maxDemand + F, MaxDemandText(s, kw, f.peakMode(PeakModePrint))},
        {maxDemand + R, ReverseMaxDemandText(s, kw, f.peakMode(PeakModePrint))},
        {peakPower + F, PeakPowerText(s, kw, f.peakMode(PeakModePrint))},
        {peakPower + R, ReversePeakPowerText(s, kw, f.peakMode(PeakModePrint))},
    };
    struct PhaseBlock {
        const char* word;
        const char* unit;
        bool timed;
        std::function<std::string(int)> value;
    };
    const PhaseBlock blocks[] = {
        {txt::textout::kAverageVoltage, V, false,
         [&](int e) { return AverageVoltageText(s, kv, e); }},
        {txt::textout::kAverageCurrent, "A", false,
         [&](int e) { return AverageCurrentText(s, e); }},
        {txt::textout::kPeakVoltage, V, true,
         [&](int e) { return PeakVoltageText(s, kv, e, f.peakMode(PeakModePrint)); }},
        {txt::textout::kMinVoltage, V, true,
         [&](int e) { return MinVoltageText(s, kv, e, f.peakMode(PeakModePrint)); }},
        {txt::textout::kMaxCurrent, "A", true,
         [&](int e) { return MaxCurrentText(s, e, f.peakMode(PeakModePrint)); }},
        {txt::textout::kPeakCurrent, "A", true,
         [&](int e) { return PeakCurrentText(s, e, f.peakMode(PeakModePrint)); }},
    };
    for (const PhaseBlock& b : blocks) {
        for (int phase = 1; phase <= 3; ++phase) {
            std::string label = unitLabel(b.word, phase, b.unit);
            if (b.timed)
                label += txt::textout::kTimeNote.view();
            // The "2" row stays empty unless 3相4線; the "3" row shows element 1 otherwise.
            std::string value;
            if (phase == 1)
                value = b.value(0);
            else if (phase == 3)
                value = b.value(f.thirdPhase());
            else if (f.fourWire)
                value = b.value(1);
            rows.push_back({label, value});
        }
    }
    return rows;
}

// A month's table has only the rows of its dates, each as high as a daily page's row; the
// page below them stays blank.
TextTable* placeMonthTable(GridElement& root, int dates) {
    GridElement& area = *placeIn<GridElement>(root, 3);
    area.initTracks(1, 2, -1, -1, BoxElement());
    area.setWeight(0, 100.0 * (dates + 1) / (SheetPrintPage::RowsPerPage + 1), GridElement::Rows);
    return static_cast<TextTable*>(area.setContent(0, 0, TextTable()));
}

} // namespace

int TablePageCount(const DisplaySelection* selection) {
    if (!selection || !selection->isValid())
        return 0;
    if (selection->isYearly())
        return 1;
    if (selection->isMonthly())
        return 2;
    const int n = selection->day.data.intervals.count();
    return (n - 1) / SheetPrintPage::RowsPerPage + 2;
}

void SheetPrintPage::PreparePrintPage(const DeviceContext& dc, const DisplaySelection& selection,
                                      int page, int pageCount, int monthStartDay,
                                      const ReportHeader* header) {
    m_root = std::make_unique<GridElement>();
    m_table = nullptr;
    const int tablePages = TablePageCount(&selection);
    m_summaryPage = page == tablePages;
    const FontSpec seed = FontSpec::make(dc, txt::layout::kFaceGothic, 10);
    const FontSpec captionFont =
        FontSpec::make(dc, txt::layout::kFaceGothic, m_summaryPage ? 110 : 70);

    GridElement& root = *m_root;
    const int heights[] = {55, 55, m_summaryPage ? 100 : 60, -1, m_summaryPage ? 800 : 20, 45};
    const PrintPageFrame frame = placePrintPageFrame(root, heights, seed, page, pageCount, header);
    const CaptionRow captionRow = placeCaptionRow(root, 2, captionFont);
    TextBox* caption = captionRow.caption;
    if (!selection.isValid()) {
        m_table = placeIn<TextTable>(root, 3);
        return;
    }

    const SheetFlags flags = sheetFlags(selection);
    title_tables::fill(*frame.title, *frame.detail, selection, summaryInForce(selection),
                       monthStartDay);
    const bool monthTable = selection.isMonthly() && !m_summaryPage;
    const int dates =
        monthTable
            ? std::clamp(monthWindow(selection.year, selection.month, monthStartDay).dayCount(), 0,
                         31)
            : 0;
    m_table = monthTable ? placeMonthTable(root, dates) : placeIn<TextTable>(root, 3);
    if (m_summaryPage) {
        caption->setText(txt::table::kPrintSummary);
        buildSummary(*m_table, selection, seed);
        return;
    }
    measured_table::setUp(*m_table, seed, monthTable ? dates + 1 : RowsPerPage + 1, false);
    measured_table::applyFlags(*m_table, flags, selection.isMonthly());
    if (selection.isMonthly()) {
        caption->setText(txt::table::kMeasuredAverage);
        const int marked = measured_table::fillMonthly(*m_table, flags, selection, monthStartDay);
        captionRow.legend->setText(incompleteDayLegend(marked));
    } else {
        caption->setText(txt::table::kMeasured);
        measured_table::fillDaily(*m_table, flags, selection.day.data, (page - 1) * RowsPerPage,
                                  RowsPerPage);
    }
    m_table->refreshVisibleCells();
}

void SheetPrintPage::buildSummary(TextTable& t, const DisplaySelection& selection,
                                  const FontSpec& seed) {
    const SheetFlags f = sheetFlags(selection);
    t.setup(4, SummaryRows, -1, -1, 4, SummaryRows);
    for (int c : {0, 3})
        t.grid().setWeight(c, 10, GridElement::Columns);
    t.setFont(seed);
    for (int c : {0, 3})
        t.setEdges(TextTable::Range{c, 0, c, -1}, White, 15, true);
    t.setFill(TextTable::Range{1, 0, 1, -1}, Black, LabelGrey);
    t.setEdges(TextTable::Range{1, 0, 2, -1}, Black, 15, false);
    t.setFitText(1, 0, txt::table::kFitPrintLabel);
    t.fontGroup(1, 0, TextTable::Range{1, 0, 1, -1}, true);
    t.setFitText(2, 0, txt::table::kFitPrintValue);
    t.fontGroup(2, 0, TextTable::Range{2, 0, 2, -1}, true);

    for (int r : {12, 15, 18, 21, 24, 27}) {
        if (f.fourWire)
            t.grid().setWeight(r, 100.0 / 29, GridElement::Rows);
        else
            t.grid().setFixedSize(r, 0, GridElement::Rows);
    }
    for (int r : {1, 5, 8, 10}) {
        if (f.reverse)
            t.grid().setWeight(r, f.fourWire ? 100.0 / 29 : 100.0 / 23, GridElement::Rows);
        else
            t.grid().setFixedSize(r, 0, GridElement::Rows);
    }
    const std::vector<SummaryRow> rows = summaryRows(summaryInForce(selection), f);
    for (int r = 0; r < SummaryRows; ++r) {
        t.setText(1, r, rows[static_cast<size_t>(r)].label);
        t.setText(2, r, rows[static_cast<size_t>(r)].value);
    }
    t.refreshVisibleCells();
}
