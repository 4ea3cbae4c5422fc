#include "textout/TxtOutRules.h"

#include "support/FilePath.h"
#include "support/Format.h"
#include "support/Prompt.h"
#include "textout/TextoutTexts.h"
#include "textout/ValueFormat.h"

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string fullPath(const TxtOutFields& f) {
    return joinPath(withoutTrailingSeparator(f.folder), f.fileName);
}

} // namespace

std::string trimBlanks(std::string_view text) {
    std::size_t b = 0;
    std::size_t e = text.size();
    while (b < e && isBlank(text[b]))
        ++b;
    // A trail byte of a double-byte character is never below 0x40, so blanks at the end are
    // always characters of their own.
    while (e > b && isBlank(text[e - 1]))
        --e;
    return std::string(text.substr(b, e - b));
}

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
    if (nameKind(path) == PathKind::File &&
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

std::string txtOutLaunchCommand(const TxtOutFields& f) {
    const std::string program = trimBlanks(f.program);
    if (program.empty())
        return {};
    return program + " " + fullPath(f);
}
