#pragma once
#include "store/DAT_DisplaySelection.h"
#include "support/RetryOpen.h"
#include "support/SjisText.h"
#include "textout/ReportLineWriter.h"
#include "textout/ReportSink.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

class LogFile;
class Prompt;

// What the CSV output needs from its surroundings. The dialog fills it from the document and
// the settings; tests replace the file with a sink of their own.
struct CsvOutputEnv {
    // The report month's first day ("MonStartDay"), for the dates of a monthly report.
    int monthStartDay = 1;
    // Shows the failure reports; none = failures are only returned.
    Prompt* prompt = nullptr;
    // The program log: receives the message of a program exception.
    LogFile* log = nullptr;
    // How the file is opened (tests pass a pause that does not really wait).
    RetryPolicy retry;
    // Replaces the file (tests): returns the sink to write to, or throws like the open does.
    std::function<std::unique_ptr<ReportSink>(const std::filesystem::path& path)> open;
    // Writes the lines of a year report (its figures come from the analysis above this
    // folder); without it a year report is not written.
    std::function<void(ReportLineWriter&, const DisplaySelection&)> yearLines;
};

// Source name under which the failures of the CSV output are shown.
inline constexpr const char kCsvSourceName[] = "D_TxtOut";

// A customer or circuit name as a CSV field. A name that a spreadsheet would evaluate (starting
// with = + - @ TAB or CR) or that would split the line (holding "," or a double quote) becomes
// one quoted field whose text starts with an apostrophe; every other name stays byte for byte.
// (The second byte of a double-byte character is never one of these bytes.)
std::string csvNameField(const std::string& name);

// A line of the format with the name as its one field (csvNameField, its quote right after the
// comma).
std::string csvNameLine(sjis::Text format, const std::string& name);

// File name preset of an output dialog: "日報_<customer>_<circuit>_<YYYYMMDD>_<ch><extension>",
// "月報_<customer>_<circuit>_<YYYY>_<MM>_<ch><extension>" or
// "年報_<customer>_<circuit>_<YYYY>_<ch><extension>"; empty without a selected day.
std::string reportFileNamePreset(const DisplaySelection& selection, const char* extension);

// File name preset of the CSV dialog: reportFileNamePreset with ".CSV".
std::string csvFileNamePreset(const DisplaySelection& selection);

// True when the selection can be written (a selected day).
bool hasReportDay(const DisplaySelection& selection);

// Writes the report lines of the daily or monthly selection (nothing when it holds no day or is
// a year report). A failing sink
// throws out of here; the lines before stay written.
void writeReportLines(ReportLineWriter& out, const DisplaySelection& selection,
                      int monthStartDay = 1);

// Writes the selected report to the file at path: the whole operation of the CSV command,
// failures reported and logged as the program does. False on failure, without a day, or for a
// year report without env.yearLines.
bool WriteReportCsv(const std::filesystem::path& path, const DisplaySelection& selection,
                    const CsvOutputEnv& env = {});
