#pragma once
#include "textout/CsvReport.h"

#include <string>
#include <string_view>

class Prompt;

// The fields of the CSV dialog (テキスト出力（ＣＳＶ形式）), CP932.
struct TxtOutFields {
    std::string folder;   // 出力先
    std::string fileName; // 出力ファイル名
    std::string program;  // program that opens the file afterwards; empty = associated one
    bool openAfter = false;
};

// Single-byte white space (blank, tab, CR, LF) removed at both ends.
std::string trimBlanks(std::string_view text);

// The OK button up to the written file: checks the name and the folder (trimmed in place),
// offers to create a missing folder with all its parents, asks before overwriting, writes the
// report and tells where. False = the dialog stays open (every failure has been told).
// On success the full path goes to writtenPath when given.
bool acceptTxtOut(TxtOutFields& fields, const DisplaySelection& selection, Prompt& prompt,
                  const CsvOutputEnv& env, std::string* writtenPath = nullptr);

// After writing, when the open-after box is set: the command line "<program> <folder>/<file>"
// (nothing quoted, as typed), or empty when no program is given (open the file with the
// program associated with it).
std::string txtOutLaunchCommand(const TxtOutFields& fields);
