#include "textout/TxtOutRules.h"

#include "support/FilePath.h"
#include "support/Format.h"
#include "support/OutputQuestions.h"
#include "support/Prompt.h"
#include "textout/TextoutTexts.h"
#include "textout/ValueFormat.h"

namespace {

std::filesystem::path fullPath(const TxtOutFields& f) {
    return pathInFolder(f.folder, f.fileName);
}

} // namespace

bool acceptTxtOut(TxtOutFields& f, const DisplaySelection& selection, Prompt& prompt,
                  const CsvOutputEnv& env, std::filesystem::path* writtenPath) {
    f.fileName = trimBlanks(f.fileName.native());
    if (f.fileName.empty()) {
        prompt.tell(txt::textout::kNoFileName, PromptIcon::Stop);
        return false;
    }
    f.folder = trimBlanks(f.folder.native());
    if (f.folder.empty()) {
        prompt.tell(txt::textout::kNoFolder, PromptIcon::Stop);
        return false;
    }
    const std::filesystem::path path = fullPath(f);
    if (!confirmOutputPath(f.folder, path, txt::textout::kCreateFolder, txt::textout::kOverwrite,
                           prompt))
        return false;

    CsvOutputEnv reporting = env;
    reporting.prompt = &prompt;
    if (!WriteReportCsv(path, selection, reporting))
        return false;
    prompt.tell(formatText(txt::textout::kWritten, displayPath(path).c_str()),
                PromptIcon::Information);
    if (writtenPath)
        *writtenPath = path;
    return true;
}

TxtOutLaunch txtOutLaunch(const TxtOutFields& f) {
    return {trimBlanks(f.program.native()), fullPath(f)};
}
