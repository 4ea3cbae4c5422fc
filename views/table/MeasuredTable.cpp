#include "views/table/MeasuredTable.h"
#include "store/MonthWindow.h"
#include "textout/TextoutTexts.h"
#include "textout/ValueFormat.h"
#include "views/table/IncompleteMark.h"
#include "views/table/TableStyle.h"
#include "views/table/TableTexts.h"
#include <algorithm>

namespace measured_table {
using namespace table_style;

namespace {

constexpr int MonthRows = 32; // header and 31 dates
constexpr uint32_t Centred = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
constexpr uint32_t RightAligned = DT_RIGHT | DT_VCENTER | DT_SINGLELINE;

std::string powerHeading(const SheetFlags& flags, bool reverseColumn) {
    std::string heading = unitLabel(txt::table::kPower, 0, flags.powerUnit());
    if (flags.reverse)
        heading += reverseColumn ? "-" : "+";
    return heading;
}

// Columns 4-9 of a row: voltages and currents of the shown phases.
template <typename Voltage, typename Current>
void fillPhases(TextTable& table, const SheetFlags& flags, int row, Voltage voltage,
                Current current) {
    for (int shown = 0; shown < flags.phaseCount(); ++shown) {
        const int element = flags.phaseElement(shown);
        const int column = shown == flags.phaseCount() - 1 ? 2 : shown; // last shown is "3"
        table.setText(4 + column, row, voltage(element));
        table.setText(7 + column, row, current(element));
    }
}

// Empties every data row but the header and sizes the table to `rows` rows.
void resetRows(TextTable& table, int rows) {
    table.clearTexts(TextTable::Range{0, 1, -1, -1});
    table.setDataSize(Columns, rows);
}

} // namespace

void setUp(TextTable& table, const FontSpec& seed, int gridRows, bool fixedRows) {
    table.setup(Columns, gridRows, -1, -1, Columns, 1);
    table.setFixedRow(0);
    for (int r = 0; r < (fixedRows ? gridRows : 1); ++r)
        table.grid().setFixedSize(r, r == 0 ? 60 : 55, GridElement::Rows);
    table.setFont(seed);
    applyFlags(table, SheetFlags{true, true, true, true}, false);
    table.refreshVisibleCells();
    table.setFill(TextTable::Range{0, 0, -1, 0}, Black, LabelGrey);
    table.setEdges(TextTable::Range{}, Black, 15, false);
    table.fontGroup(0, 0, TextTable::Range{0, 0, -1, 0}, true);
    table.setFitText(1, 1, txt::table::kFitTime);
    table.fontGroup(1, 1, TextTable::Range{0, 1, -1, -1}, true);
    table.setTextFormat(TextTable::Range{0, 0, -1, 0}, Centred);
    table.setTextFormat(TextTable::Range{0, 1, 0, -1}, Centred);
    // A monthly date with its weekday and missing-interval mark may be wider than the column.
    table.setNameFit(TextTable::Range{0, 1, 0, -1}, 0);
    table.setTextFormat(TextTable::Range{1, 1, -1, -1}, RightAligned);
    table.setInset(TextTable::Range{1, 1, -1, -1}, -1, -1, table_style::FigurePadding, -1);
}

bool columnShown(const SheetFlags& flags, int column) {
    if (column == 2)
        return flags.reverse;
    if (column == 5 || column == 8)
        return flags.fourWire;
    return column >= 0 && column < Columns;
}

void applyFlags(TextTable& table, const SheetFlags& flags, bool monthly) {
    GridElement& grid = table.grid();
    if (flags.reverse)
        grid.setWeight(2, flags.fourWire ? 100.0 / 10 : 100.0 / 8, GridElement::Columns);
    else
        grid.setFixedSize(2, 0, GridElement::Columns);
    for (int c : {5, 8}) {
        if (flags.fourWire)
            grid.setWeight(c, 10, GridElement::Columns);
        else
            grid.setFixedSize(c, 0, GridElement::Columns);
    }
    if (table.dataRows() < 1)
        table.setDataSize(Columns, 1);
    table.setText(
        0, 0, monthly ? txt::textout::kDateHeading.c_str() : txt::textout::kTimeHeading.c_str());
    table.setText(1, 0, powerHeading(flags, false));
    table.setText(2, 0, powerHeading(flags, true));
    table.setText(3, 0, txt::textout::kPowerFactor);
    for (int phase = 1; phase <= 3; ++phase) {
        table.setText(3 + phase, 0, unitLabel(txt::textout::kVoltage, phase, flags.voltageUnit()));
        table.setText(6 + phase, 0, unitLabel(txt::textout::kCurrent, phase, "A"));
    }
    table.setFitText(0, 0, table.text(1, 0));
}

void fillDaily(TextTable& table, const SheetFlags& flags, const DayData& day, int first,
               int count) {
    const int n = day.intervals.count();
    if (first < 0)
        first = 0;
    if (count > n - first)
        count = std::max(0, n - first);
    resetRows(table, count + 1);
    for (int i = 0; i < count; ++i) {
        const IntervalSample& s = day.intervals.at(first + i);
        const int row = i + 1;
        table.setText(0, row, s.time.format("%H:%M"));
        table.setText(1, row, flags.kilowatts ? SamplePowerKW(s) : SamplePowerW(s));
        if (flags.reverse)
            table.setText(2, row,
                          flags.kilowatts ? SampleReversePowerKW(s) : SampleReversePowerW(s));
        table.setText(3, row, SamplePowerFactor(s));
        fillPhases(
            table, flags, row,
            [&](int e) { return flags.kilovolts ? SampleVoltageKV(s, e) : SampleVoltageV(s, e); },
            [&](int e) { return SampleCurrent(s, e); });
    }
}

int fillMonthly(TextTable& table, const SheetFlags& flags, const DisplaySelection& selection,
                int startDay) {
    resetRows(table, MonthRows);
    int marked = 0;
    const MonthWindow window = monthWindow(selection.year, selection.month, startDay);
    const int dates = std::min(window.dayCount(), MonthRows - 1);
    for (int k = 0; k < dates; ++k) {
        const DateTime date = window.dateAt(k);
        const int row = k + 1;
        const std::string dateText = DateWithWeekday(date);
        table.setText(0, row, dateText);
        if (!selection.circuit)
            continue;
        const int index = selection.circuit->days.find({selection.day.channel, date});
        if (index < 0)
            continue;
        const MeasurementDay& day = selection.circuit->days.at(index);
        const std::string mark = incompleteDayMark(dayCoverage(day.data, day.date));
        if (!mark.empty()) {
            table.setText(0, row, dateText + mark);
            ++marked;
        }
        const DaySummary& s = day.data.summary;
        table.setText(1, row, AveragePowerText(s, flags.kilowatts));
        if (flags.reverse)
            table.setText(2, row, ReverseAveragePowerText(s, flags.kilowatts));
        table.setText(3, row, AveragePowerFactorText(s));
        fillPhases(
            table, flags, row, [&](int e) { return AverageVoltageText(s, flags.kilovolts, e); },
            [&](int e) { return AverageCurrentText(s, e); });
    }
    return marked;
}

std::string copyText(const TextTable& table, const SheetFlags& flags) {
    std::string out;
    for (int row = 0; row < table.dataRows(); ++row) {
        bool firstColumn = true;
        for (int c = 0; c < Columns; ++c) {
            if (!columnShown(flags, c))
                continue;
            if (!firstColumn)
                out += '\t';
            out += table.text(c, row);
            firstColumn = false;
        }
        out += '\n';
    }
    return out;
}

} // namespace measured_table
