#include "analysis/YearReportSheet.h"

#include "analysis/AnalysisTexts.h"
#include "analysis/YearReportText.h"
#include "support/Format.h"

namespace {

std::vector<std::string> cells(const YearRowText& row) {
    return {row.begin(), row.end()};
}

} // namespace

std::string yearSheetName(int year) {
    return formatText(txt::analysis::kYearSheet, year);
}

WorkbookTable yearWorkbookTable(const DisplaySelection& sel, const YearReport& report) {
    WorkbookTable table;
    table.title = formatText(txt::analysis::kYearTitle, report.year) + "  " + sel.customerName +
                  "  " + sel.circuitName;
    const std::string contract = contractDemandText(report);
    if (!contract.empty())
        table.title += "  " + formatText(txt::analysis::kYearContractLabel, contract.c_str());
    table.header = cells(yearHeadingText());
    for (const YearMonthRow& row : report.months)
        table.rows.push_back(cells(yearMonthText(row)));
    table.rows.push_back(cells(yearTotalText(report)));
    return table;
}
