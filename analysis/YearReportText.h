#pragma once
// The texts of the year report's table (CP932), one set for the year sheet on screen and paper
// and for the CSV file: a heading row, a row per report month and the year's row.
#include "analysis/YearReport.h"
#include <array>
#include <string>

inline constexpr int kYearColumns = 12;
using YearRowText = std::array<std::string, kYearColumns>;

YearRowText yearHeadingText();
// Energies as the monthly report shows them (kWh, one decimal), the 30-minute maximum in kW
// with its half-hour, stored days over the days of the month. A month without stored days
// shows its month, period and days only.
YearRowText yearMonthText(const YearMonthRow& row);
// The year: energies and days summed, the largest maximum with its half-hour.
YearRowText yearTotalText(const YearReport& report);
// The contract demand in kW ("" when none was entered).
std::string contractDemandText(const YearReport& report);
