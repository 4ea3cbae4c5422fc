#include "views/table/TitleTables.h"
#include "store/MonthWindow.h"
#include "support/Format.h"
#include "textout/TextoutTexts.h"
#include "textout/ValueFormat.h"
#include "views/layout/LayoutTexts.h"
#include "views/table/TableStyle.h"
#include "views/table/TableTexts.h"
#include <cstdlib>

namespace title_tables {
using namespace table_style;

namespace {

void setUpOne(TextTable& table, const FontSpec& seed, const char* const labels[3]) {
    table.setup(6, 1, -1, -1, 6, 1);
    const double weights[] = {10, 21, 8, 20, 17};
    for (int c = 0; c < 5; ++c)
        table.grid().setWeight(c, weights[c], GridElement::Columns);
    table.setFont(seed);
    for (int i = 0; i < 3; ++i)
        table.setText(2 * i, 0, labels[i]);
    table.refreshVisibleCells();
    table.setFitText(0, 0, txt::table::kCustomer);
    table.fontGroup(0, 0, TextTable::Range{}, true);
    for (int c : {0, 2, 4})
        table.setFill(TextTable::Range{c, 0, c, 0}, Black, LabelGrey);
    table.setEdges(TextTable::Range{}, Black, 15, false);
}

// Customer and circuit names may be long: they shrink and wrap rather than lose their start.
void fitNames(TextTable& title, int32_t nameMinimum) {
    for (int c : {1, 3})
        title.setNameFit(TextTable::Range{c, 0, c, 0}, nameMinimum);
}

} // namespace

int32_t readableOnScreen(const DeviceContext& dc) {
    return std::abs(FontSpec::make(dc, txt::layout::kFaceGothic, 80).height);
}

void setUp(TextTable& title, TextTable& detail, const FontSpec& seed, int32_t nameMinimum) {
    const char* const titleLabels[3] = {txt::table::kCustomer, txt::table::kCircuit,
                                        txt::textout::kDateHeading};
    const char* const detailLabels[3] = {txt::table::kCircuitType, txt::table::kRatio,
                                         txt::table::kReactiveTotal};
    setUpOne(title, seed, titleLabels);
    fitNames(title, nameMinimum);
    setUpOne(detail, seed, detailLabels);
}

sjis::String monthTitle(int year, int month, int monthStartDay) {
    const MonthWindow window = monthWindow(year, month, monthStartDay);
    if (!window.isValid())
        return formatText(txt::table::kMonthTitle, year, month);
    const DateTime last = window.dateAt(window.dayCount() - 1);
    return formatText(txt::table::kMonthPeriodTitle, year, month, window.start.month(),
                      window.start.day(), last.month(), last.day());
}

void fill(TextTable& title, TextTable& detail, const DisplaySelection& selection,
          const DaySummary& reactive, int monthStartDay) {
    const DayData& data = selection.day.data;
    title.setText(1, 0, selection.customerName);
    title.setText(3, 0, selection.circuitName);
    title.setText(5, 0,
                  selection.isYearly() ? formatText(txt::table::kYearTitle, selection.year)
                  : selection.isMonthly()
                      ? monthTitle(selection.year, selection.month, monthStartDay)
                      : selection.day.date.format(txt::textout::kDailyDateWeekday));
    detail.setText(1, 0, CircuitTypeName(data.circuitType));
    detail.setText(3, 0, formatText(txt::table::kRatioValue, data.ptRatio, data.ctRatio));
    detail.setText(5, 0,
                   formatText(txt::table::kReactiveValue, LeadReactiveText(reactive).c_str(),
                              LagReactiveText(reactive).c_str()));
    title.refreshVisibleCells();
    detail.refreshVisibleCells();
}

} // namespace title_tables
