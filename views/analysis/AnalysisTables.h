#pragma once
// The analysis of a report as tables of texts (CP932): what the analysis view shows and the
// analysis page prints, laid out once here.
#include "analysis/ReportAnalysis.h"
#include <string>
#include <vector>

struct AnalysisTable {
    std::string title;
    std::vector<std::string> header;
    std::vector<std::vector<std::string>> rows;
};

// The demand and limit figures, the statistics, the ten largest half-hours and the days with
// missing intervals, named as the report's table names them (phases 1 and 3 on a 3相3線
// circuit). kw, kv: power in kW and voltage in kV (the unit rules of the report), else W, V.
std::vector<AnalysisTable> analysisTables(const ReportAnalysis& analysis, bool kw, bool kv);

// "10.25 (13:30～14:00)" for a day; a monthly report puts the date before the times.
std::string halfHourText(const HalfHourDemand& h, bool kw, bool withDate);

// The line above the tables: customer, circuit and the period, "2007/01/09" for a day,
// "2006/12 (2006/12/21 - 2007/01/20)" for a report month (its first and last date), the month
// alone when the start day makes no such window (29-31 in a shorter month).
std::string analysisHeading(const ReportAnalysis& analysis, const std::string& customer,
                            const std::string& circuit);
