#pragma once
#include "support/SjisText.h"
#include <filesystem>

class Prompt;

// The questions before an output file is written: a folder written the Windows way ("C:\",
// "D:\data") is refused (told), a missing folder is offered for creation (with its parents),
// then whatever stands at the name itself — a link counts, even a dangling one, since writing
// replaces the name — is replaced only after Yes. Each question is a printf format taking the
// folder or the path. False = refused or the user said No; nothing was written. A folder that
// cannot be made is left for the write that follows to report.
bool confirmOutputPath(const std::filesystem::path& folder, const std::filesystem::path& path,
                       sjis::Text createFolderQuestion, sjis::Text overwriteQuestion,
                       Prompt& prompt);
// The two questions one at a time (an output of several files asks only the first).
bool confirmOutputFolder(const std::filesystem::path& folder, sjis::Text createFolderQuestion,
                         Prompt& prompt);
bool confirmOverwrite(const std::filesystem::path& path, sjis::Text overwriteQuestion,
                      Prompt& prompt);
