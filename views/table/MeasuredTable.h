#pragma once
#include "store/DAT_DisplaySelection.h"
#include "views/layout/TextTable.h"
#include "views/table/SheetFlags.h"
#include <string>

// The measured-values table (測定値) of the sheet, on screen and on a printed table page:
// 10 columns (time or date, power +/-, power factor, three voltages, three currents), the
// header row fixed.
namespace measured_table {

constexpr int Columns = 10;

// gridRows grid rows; the header row is 60 high, the others 55 (fixedRows) or sharing the rest.
void setUp(TextTable& table, const FontSpec& seed, int gridRows, bool fixedRows);
// Column widths and headings for the report's flags; hidden columns get the width 0.
void applyFlags(TextTable& table, const SheetFlags& flags, bool monthly);
// Whether a column is shown for these flags.
bool columnShown(const SheetFlags& flags, int column);
// Daily rows: the samples first .. first + count - 1 of the day (header plus one row each).
void fillDaily(TextTable& table, const SheetFlags& flags, const DayData& day, int first, int count);
// Monthly rows: the header and 31 date rows of the report month starting on startDay; the date of
// a stored day that misses intervals carries their count. Returns the number of such days.
int fillMonthly(TextTable& table, const SheetFlags& flags, const DisplaySelection& selection,
                int startDay);
// The shown columns of every data row as tab-separated lines, header first.
std::string copyText(const TextTable& table, const SheetFlags& flags);

} // namespace measured_table
