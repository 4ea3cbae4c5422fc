#include "views/table/SheetScreen.h"
#include "support/Format.h"
#include "textout/TextoutTexts.h"
#include "textout/ValueFormat.h"
#include "views/layout/LayoutTexts.h"
#include "views/table/CaptionRow.h"
#include "views/table/IncompleteMark.h"
#include "views/table/MeasuredTable.h"
#include "views/table/TableStyle.h"
#include "views/table/TableTexts.h"
#include "views/table/TitleTables.h"
#include <cstdlib>

using namespace table_style;

namespace {

constexpr int ScreenGridRows = 60;
constexpr uint32_t LeftFormat = DT_LEFT | DT_VCENTER | DT_SINGLELINE; // 36

TextBox* caption(GridElement& grid, int row, const FontSpec& font, const char* text) {
    TextBox* box = placeIn<TextBox>(grid, row);
    box->setFont(font);
    box->setText(text);
    box->setTextFormat(CaptionFormat);
    return box;
}

// "+forward／-reverse" with reverse shown, else the forward text alone.
std::string both(bool reverse, sjis::Text format, const std::string& forward,
                 const std::string& backward) {
    return reverse ? formatText(format, forward.c_str(), backward.c_str()) : forward;
}

} // namespace

SheetScreen::SheetScreen(const DeviceContext& dc) : m_root(std::make_unique<GridElement>()) {
    const FontSpec seed = FontSpec::make(dc, txt::layout::kFaceGothic, 10);
    const FontSpec captionFont = FontSpec::make(dc, txt::layout::kFaceGothic, 350);
    m_root->initTracks(1, 7, -1, -1, BoxElement());
    const int heights[] = {55, 55, 55, -1, 55, 350, 116};
    for (int r = 0; r < 7; ++r)
        if (heights[r] > 0)
            m_root->setFixedSize(r, heights[r], GridElement::Rows);

    m_title = placeIn<TextTable>(*m_root, 0);
    m_detail = placeIn<TextTable>(*m_root, 1);
    title_tables::setUp(*m_title, *m_detail, seed, title_tables::readableOnScreen(dc));
    const CaptionRow measuredCaption = placeCaptionRow(*m_root, 2, captionFont);
    m_measuredCaption = measuredCaption.caption;
    m_measuredCaption->setText(txt::table::kMeasured);
    m_incompleteLegend = measuredCaption.legend;
    m_measured = placeIn<TextTable>(*m_root, 3);
    measured_table::setUp(*m_measured, seed, ScreenGridRows, true);
    caption(*m_root, 4, captionFont, txt::table::kSummary);

    m_summary = placeIn<TextTable>(*m_root, 5);
    TextTable& s = *m_summary;
    s.setup(8, 6, -1, -1, 8, 6);
    const double weights[] = {10, 18, 9.5, 8, 12, 12.5, 12};
    for (int c = 0; c < 7; ++c)
        s.grid().setWeight(c, weights[c], GridElement::Columns);
    s.setFont(seed);
    for (int c : {0, 2, 4, 6})
        s.setFill(TextTable::Range{c, 0, c, -1}, Black, LabelGrey);
    s.setEdges(TextTable::Range{}, Black, 15, false);
    for (int c : {0, 2, 4, 6})
        s.fontGroup(0, 0, TextTable::Range{c, 0, c, -1}, true);
    s.setFitText(3, 0, txt::table::kFitSummaryValue);
    for (int c : {3, 1})
        s.fontGroup(3, 0, TextTable::Range{c, 0, c, -1}, true);
    s.setFitText(7, 0, txt::table::kFitSummaryPeak);
    for (const TextTable::Range& r : {TextTable::Range{7, 0, 7, -1}, TextTable::Range{5, 0, 5, -1},
                                      TextTable::Range{1, 5, 1, 5}})
        s.fontGroup(7, 0, r, true);

    m_peak = placeIn<TextTable>(*m_root, 6);
    TextTable& p = *m_peak;
    p.setup(2, 2, -1, -1, 2, 2);
    p.grid().setWeight(0, 28, GridElement::Columns);
    p.setFont(seed);
    p.setFitText(0, 0, txt::table::kFitPeakLabel);
    p.fontGroup(0, 0, TextTable::Range{}, true);
    p.setFill(TextTable::Range{0, 0, 0, -1}, Black, LabelGrey);
    p.setEdges(TextTable::Range{}, Black, 11, false);
    p.setTextFormat(TextTable::Range{1, 0, 1, -1}, LeftFormat);
    // However narrow the window, the summary stays readable: a text too long for its cell at
    // that size loses its end, never its start, and shows whole in a tool tip.
    const int32_t readable = title_tables::readableOnScreen(dc);
    s.setNameFit(TextTable::Range{}, readable);
    p.setNameFit(TextTable::Range{}, readable);
    m_flags = SheetFlags{true, true, true, true};
    fillSummary(DaySummary());
    fillPeaks(DaySummary());
}

bool SheetScreen::fill(const DisplaySelection& selection, int monthStartDay) {
    if (!selection.isValid())
        return false;
    m_flags = sheetFlags(selection);
    const DaySummary& summary = summaryInForce(selection);
    title_tables::fill(*m_title, *m_detail, selection, summary, monthStartDay);
    measured_table::applyFlags(*m_measured, m_flags, selection.isMonthly());
    if (selection.isMonthly()) {
        const int marked =
            measured_table::fillMonthly(*m_measured, m_flags, selection, monthStartDay);
        m_measuredCaption->setText(txt::table::kMeasuredAverage);
        m_incompleteLegend->setText(incompleteDayLegend(marked));
    } else {
        m_measuredCaption->setText(txt::table::kMeasured);
        m_incompleteLegend->setText({});
        measured_table::fillDaily(*m_measured, m_flags, selection.day.data, 0,
                                  selection.day.data.intervals.count());
    }
    m_measured->refreshVisibleCells();
    m_root->setFixedSize(5, m_flags.fourWire ? 350 : 290, GridElement::Rows);
    fillSummary(summary);
    fillPeaks(summary);
    return true;
}

void SheetScreen::fillSummary(const DaySummary& sum) {
    TextTable& s = *m_summary;
    const SheetFlags& f = m_flags;
    s.clearTexts(TextTable::Range{});
    // The label font is fitted to the longest label, so that no label column cuts its text.
    s.setFitText(0, 0, unitLabel(txt::textout::kPeakVoltage, 1, f.voltageUnit()));
    if (f.fourWire)
        s.grid().setWeight(5, 100.0 / 6, GridElement::Rows);
    else
        s.grid().setFixedSize(5, 0, GridElement::Rows);
    const char* const column0[] = {txt::textout::kEnergy, txt::textout::kLead, txt::textout::kLag,
                                   nullptr, txt::textout::kAveragePowerFactor};
    for (int r = 0; r < 5; ++r)
        s.setText(0, r,
                  column0[r] ? column0[r]
                             : unitLabel(txt::textout::kAveragePower, 0, f.powerUnit()));
    s.setText(1, 0,
              both(f.reverse, txt::table::kBothScreen, EnergyText(sum), ReverseEnergyText(sum)));
    s.setText(1, 1, LeadReactiveText(sum));
    s.setText(1, 2, LagReactiveText(sum));
    s.setText(1, 3,
              both(f.reverse, txt::table::kBothScreen, AveragePowerText(sum, f.kilowatts),
                   ReverseAveragePowerText(sum, f.kilowatts)));
    s.setText(1, 4, AveragePowerFactorText(sum));
    const int phases = f.phaseCount();
    for (int shown = 0; shown < phases; ++shown) {
        const int e = f.phaseElement(shown);
        const int digit = f.phaseDigit(shown);
        const char* v = f.voltageUnit();
        s.setText(2, shown, unitLabel(txt::textout::kAverageVoltage, digit, v));
        s.setText(2, phases + shown, unitLabel(txt::textout::kAverageCurrent, digit, "A"));
        s.setText(4, shown, unitLabel(txt::textout::kPeakVoltage, digit, v));
        s.setText(4, phases + shown, unitLabel(txt::textout::kMinVoltage, digit, v));
        s.setText(6, shown, unitLabel(txt::textout::kMaxCurrent, digit, "A"));
        s.setText(6, phases + shown, unitLabel(txt::textout::kPeakCurrent, digit, "A"));
        s.setText(3, shown, AverageVoltageText(sum, f.kilovolts, e));
        s.setText(3, phases + shown, AverageCurrentText(sum, e));
        s.setText(5, shown, PeakVoltageText(sum, f.kilovolts, e, f.peakMode(PeakModeScreen)));
        s.setText(5, phases + shown,
                  MinVoltageText(sum, f.kilovolts, e, f.peakMode(PeakModeScreen)));
        s.setText(7, shown, MaxCurrentText(sum, e, f.peakMode(PeakModeScreen)));
        s.setText(7, phases + shown, PeakCurrentText(sum, e, f.peakMode(PeakModeScreen)));
    }
    s.refreshVisibleCells();
}

void SheetScreen::fillPeaks(const DaySummary& sum) {
    TextTable& p = *m_peak;
    const SheetFlags& f = m_flags;
    p.setText(0, 0, unitLabel(txt::textout::kMaxDemand, 0, f.powerUnit()));
    p.setText(0, 1,
              unitLabel(txt::textout::kPeakPower, 0, f.powerUnit()) +
                  txt::table::kPeakPowerFactorTail);
    p.setText(1, 0,
              both(f.reverse, txt::table::kBothPeak,
                   MaxDemandText(sum, f.kilowatts, f.peakMode(PeakModeScreen)),
                   ReverseMaxDemandText(sum, f.kilowatts, f.peakMode(PeakModeScreen))));
    p.setText(1, 1,
              both(f.reverse, txt::table::kBothPeak,
                   PeakPowerText(sum, f.kilowatts, f.peakMode(PeakModeScreen)),
                   ReversePeakPowerText(sum, f.kilowatts, f.peakMode(PeakModeScreen))));
    p.refreshVisibleCells();
}

namespace {

// Every row of a table that holds text, its cells tab-separated (empty cells at the end left
// off), for a spreadsheet to paste.
std::string rowsText(const TextTable& table) {
    std::string out;
    for (int row = 0; row < table.dataRows(); ++row) {
        std::string line;
        int shown = 0;
        for (int c = 0; c < table.dataColumns(); ++c)
            if (!table.text(c, row).empty())
                shown = c + 1;
        for (int c = 0; c < shown; ++c)
            line += (c == 0 ? "" : "\t") + table.text(c, row);
        if (shown > 0)
            out += line + '\n';
    }
    return out;
}

} // namespace

std::string SheetScreen::copyText() const {
    // The title block, the measured values, the summary and peaks: a blank line between.
    return rowsText(*m_title) + rowsText(*m_detail) + '\n' +
           measured_table::copyText(*m_measured, m_flags) + '\n' + rowsText(*m_summary) +
           rowsText(*m_peak);
}
