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

bool acceptTxtOut(TxtOutFields& f, const DisplaySelection& selection, Prompt& prompt,
                  const CsvOutputEnv& env, std::string* writtenPath) {
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

    CsvOutputEnv reporting = env;
    reporting.prompt = &prompt;
    if (!WriteReportCsv(path, selection, reporting))
        return false;
    prompt.tell(formatText(txt::textout::kWritten, path.c_str()), PromptIcon::Information);
    if (writtenPath)
        *writtenPath = path;
    return true;
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
