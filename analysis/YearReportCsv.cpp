#include "analysis/YearReportCsv.h"

#include "analysis/AnalysisTexts.h"
#include "analysis/YearReportText.h"
#include "support/Format.h"
#include "textout/CsvReport.h"
#include "textout/TextoutTexts.h"

namespace {

std::string csvLine(const YearRowText& fields) {
    std::string line = fields.front();
    for (std::size_t i = 1; i < fields.size(); ++i)
        line += ", " + fields[i];
    return line;
}

} // namespace

void writeYearReportLines(ReportLineWriter& out, const DisplaySelection& sel,
                          const YearReport& report) {
    out.WriteLine(formatText(txt::analysis::kYearTitle, report.year));
    out.WriteLine(csvNameLine(txt::textout::kCustomerLine, sel.customerName));
    out.WriteLine(csvNameLine(txt::textout::kCircuitLine, sel.circuitName));
    out.WriteLine(formatText(txt::textout::kChannelLine, static_cast<int>(sel.displayChannel)));
    out.WriteLine(formatText(txt::analysis::kYearStartDay, report.startDay));
    out.WriteLine(formatText(txt::analysis::kYearContract, contractDemandText(report).c_str()));
    out.WriteLine("");
    out.WriteLine(txt::analysis::kYearCaption);
    out.WriteLine(csvLine(yearHeadingText()));
    for (const YearMonthRow& row : report.months)
        out.WriteLine(csvLine(yearMonthText(row)));
    out.WriteLine(csvLine(yearTotalText(report)));
}
