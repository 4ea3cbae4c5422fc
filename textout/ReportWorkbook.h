#pragma once
// The shown report as an Excel workbook: a sheet laid out like the CSV report (title block,
// the measured values, the summary) with real numbers in their display formats, charts of
// power, power factor, voltages and currents, and a sheet of further tables (the analysis).
#include "store/DAT_DisplaySelection.h"
#include "textout/ReportHeader.h"
#include "textout/TxtOutRules.h"

#include <span>
#include <string>
#include <vector>

class LogFile;
class Prompt;
class XlsxBook;

// A table of texts (CP932) for a sheet of its own; a cell that is a plain decimal number is
// written as that number.
struct WorkbookTable {
    std::string title;
    std::vector<std::string> header;
    std::vector<std::vector<std::string>> rows;
};

struct WorkbookOutputEnv {
    // The report month's first day ("MonStartDay"), for the dates of a monthly report.
    int monthStartDay = 1;
    // Shows the failure reports; none = failures are only returned.
    Prompt* prompt = nullptr;
    // The program log: receives the message of a program exception.
    LogFile* log = nullptr;
    // Tables of the "分析" sheet; none = no such sheet.
    std::vector<WorkbookTable> analysis;
    // The year report's sheet `yearSheet` (CP932): a year has no report sheet of its own.
    std::string yearSheet;
    std::vector<WorkbookTable> year;
    // The report header of each sheet's circuit, when shown.
    ReportHeaderSettings header;
};

// Source name under which the failures of the workbook output are shown.
inline constexpr const char kWorkbookSourceName[] = "D_XlsxOut";

// The file name preset of the Excel dialog: the CSV rule with ".xlsx".
std::string workbookFileNamePreset(const DisplaySelection& selection);

// The workbook of the selection (which must outlive the result) for the output dialog.
ReportOutput workbookOutput(const DisplaySelection& selection, const WorkbookOutputEnv& env);

// Adds the report sheet of one selection (nothing without a day, nothing for a year): daily
// "日報 <date>", monthly "月報 <year>年<month>月".
void addReportSheet(XlsxBook& book, const DisplaySelection& selection, int monthStartDay);
// Adds the report sheet of one selection (nothing without a day): daily "日報 <date>", monthly
// "月報 <year>年<month>月"; the report header above the title block when one is given.
void addReportSheet(XlsxBook& book, const DisplaySelection& selection, int monthStartDay,
                    const ReportHeader* header = nullptr);
// Adds a sheet of tables named `cp932Name`.
void addTablesSheet(XlsxBook& book, const std::string& cp932Name,
                    std::span<const WorkbookTable> tables);

// Writes the reports (one sheet each, in order) and the analysis tables to the workbook at
// path (CP932), replacing the file whole; failures reported and logged as the program does.
// False on failure or when no report holds a day.
bool WriteReportWorkbook(const std::string& path, std::span<const DisplaySelection> reports,
                         const WorkbookOutputEnv& env = {});
