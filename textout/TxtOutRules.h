#pragma once
#include "support/SjisText.h"
#include "textout/CsvReport.h"

#include <filesystem>
#include <functional>
#include <string>

class Prompt;

// The fields of the CSV dialog (テキスト出力（ＣＳＶ形式）), as typed or chosen: paths.
struct TxtOutFields {
    std::filesystem::path folder;   // 出力先
    std::filesystem::path fileName; // 出力ファイル名
    std::filesystem::path program;  // opens the file afterwards; empty = the associated one
    bool openAfter = false;
};

// What an output dialog writes (CSV, workbook): the file name preset (empty without a day),
// the message after writing (a format taking the path) and the writer, which tells its own
// failures through the prompt it is given.
struct ReportOutput {
    std::string fileNamePreset;
    sjis::Text writtenMessage = "";
    std::function<bool(const std::filesystem::path& path, Prompt& prompt)> write;
};

// The CSV report of the selection (which must outlive the result).
ReportOutput csvOutput(const DisplaySelection& selection, const CsvOutputEnv& env);

// The OK button up to the written file: checks the name and the folder (trimmed in place),
// offers to create a missing folder with all its parents, asks before overwriting, writes the
// report and tells where. False = the dialog stays open (every failure has been told).
// On success the full path goes to writtenPath when given.
bool acceptReportOutput(TxtOutFields& fields, const ReportOutput& output, Prompt& prompt,
                        std::filesystem::path* writtenPath = nullptr);
// The same for the CSV report.
bool acceptTxtOut(TxtOutFields& fields, const DisplaySelection& selection, Prompt& prompt,
                  const CsvOutputEnv& env, std::filesystem::path* writtenPath = nullptr);

// The folder field of an output (出力先), the CSV dialog's rule: trimmed in place, refused when
// empty, offered for creation when missing. False = told or declined.
bool acceptOutputFolder(std::filesystem::path& folder, Prompt& prompt);

// What the open-after box starts once the file is written: the program (trimmed) with the
// file's full path as its one argument. Two arguments, never one command line: a path with
// blanks stays whole and a name in the path (a customer name, perhaps from an imported file)
// never reaches a shell. An empty program = open the file with the program associated with it.
struct TxtOutLaunch {
    std::filesystem::path program;
    std::filesystem::path file;
};
TxtOutLaunch txtOutLaunch(const TxtOutFields& fields);
