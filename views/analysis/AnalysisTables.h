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
// missing intervals. kw: power in kW (the unit rule of the report), else W.
std::vector<AnalysisTable> analysisTables(const ReportAnalysis& analysis, bool kw);

// "10.25 (13:30～14:00)" for a day; a monthly report puts the date before the times.
std::string halfHourText(const HalfHourDemand& h, bool kw, bool withDate);
