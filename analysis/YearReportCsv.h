#pragma once
// The year report as the lines of its CSV file (CP932): title, names, start day and contract
// demand, then the table of the twelve report months and the year.
#include "analysis/YearReport.h"
#include "store/DAT_DisplaySelection.h"
#include "textout/ReportLineWriter.h"

void writeYearReportLines(ReportLineWriter& out, const DisplaySelection& selection,
                          const YearReport& report);
