#pragma once
#include <string>
#include <string_view>

class Prompt;

// The questions before an output file is written: a missing folder is offered for creation
// (with its parents), then whatever stands at the name itself — a link counts, even a dangling
// one, since writing replaces the name — is replaced only after Yes. Each question is a
// printf format taking the folder or the path. False = the user said No; nothing was written.
// A folder that cannot be made is left for the write that follows to report.
bool confirmOutputPath(std::string_view folder, const std::string& path,
                       const char* createFolderQuestion, const char* overwriteQuestion,
                       Prompt& prompt);
// The two questions one at a time (an output of several files asks only the first).
bool confirmOutputFolder(std::string_view folder, const char* createFolderQuestion, Prompt& prompt);
bool confirmOverwrite(const std::string& path, const char* overwriteQuestion, Prompt& prompt);
