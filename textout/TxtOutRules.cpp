#include "textout/TxtOutRules.h"

#include "support/FilePath.h"
#include "support/Format.h"
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
    f.folder = trimBlanks(f.folder);
    if (f.folder.empty()) {
        prompt.tell(txt::textout::kNoFolder, PromptIcon::Stop);
        return false;
    }
    if (pathKind(f.folder) != PathKind::Folder) {
        if (prompt.ask(formatText(txt::textout::kCreateFolder, f.folder.c_str()),
                       PromptButtons::YesNo, PromptIcon::Question) != PromptAnswer::Yes)
            return false;
        // A folder that cannot be made is reported by the open that follows.
        createFolderPath(f.folder);
    }
    const std::string path = fullPath(f);
    if (pathKind(path) == PathKind::File &&
        prompt.ask(formatText(txt::textout::kOverwrite, path.c_str()), PromptButtons::YesNo,
                   PromptIcon::Question) != PromptAnswer::Yes)
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

TxtOutLaunch txtOutLaunch(const TxtOutFields& f) {
    return {trimBlanks(f.program), fullPath(f)};
}
