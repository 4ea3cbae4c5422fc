#include "textout/TxtOutRules.h"

#include "support/FilePath.h"
#include "support/Format.h"
#include "support/OutputQuestions.h"
#include "support/Prompt.h"
#include "textout/TextoutTexts.h"
#include "textout/ValueFormat.h"

namespace {

std::string fullPath(const TxtOutFields& f) {
    return pathInFolder(f.folder, f.fileName);
}

} // namespace

ReportOutput csvOutput(const DisplaySelection& selection, const CsvOutputEnv& env) {
    return {csvFileNamePreset(selection), txt::textout::kWritten,
            [&selection, env](const std::string& path, Prompt& prompt) {
                CsvOutputEnv reporting = env;
                reporting.prompt = &prompt;
                return WriteReportCsv(path, selection, reporting);
            }};
}

bool acceptReportOutput(TxtOutFields& f, const ReportOutput& output, Prompt& prompt,
                        std::string* writtenPath) {
    f.fileName = trimBlanks(f.fileName);
    if (f.fileName.empty()) {
        prompt.tell(txt::textout::kNoFileName, PromptIcon::Stop);
        return false;
    }
    if (!acceptOutputFolder(f.folder, prompt))
        return false;
    const std::string path = fullPath(f);
    if (!confirmOverwrite(path, txt::textout::kOverwrite, prompt))
        return false;
    if (!output.write(path, prompt))
        return false;
    prompt.tell(formatText(output.writtenMessage, path.c_str()), PromptIcon::Information);
    if (writtenPath)
        *writtenPath = path;
    return true;
}

bool acceptTxtOut(TxtOutFields& f, const DisplaySelection& selection, Prompt& prompt,
                  const CsvOutputEnv& env, std::string* writtenPath) {
    return acceptReportOutput(f, csvOutput(selection, env), prompt, writtenPath);
}

bool acceptOutputFolder(std::string& folder, Prompt& prompt) {
    folder = trimBlanks(folder);
    if (folder.empty()) {
        prompt.tell(txt::textout::kNoFolder, PromptIcon::Stop);
        return false;
    }
    return confirmOutputFolder(folder, txt::textout::kCreateFolder, prompt);
}

TxtOutLaunch txtOutLaunch(const TxtOutFields& f) {
    return {trimBlanks(f.program), fullPath(f)};
}
