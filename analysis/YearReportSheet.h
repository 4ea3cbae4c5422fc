#pragma once
// The year report as a workbook sheet: the table of the twelve report months and the year, as
// on screen and in the CSV file, under the names and the contract demand.
#include "analysis/YearReport.h"
#include "store/DAT_DisplaySelection.h"
#include "textout/ReportWorkbook.h"

#include <string>

// "年報 <year>年" (CP932).
std::string yearSheetName(int year);
// The sheet's one table: titled with the customer, circuit and contract demand, the year
// table's heading and its rows (numbers as plain decimals, so they become number cells).
WorkbookTable yearWorkbookTable(const DisplaySelection& selection, const YearReport& report);
