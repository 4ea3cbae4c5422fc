#include "support/OutputQuestions.h"
#include "support/FilePath.h"
#include "support/Format.h"
#include "support/Prompt.h"
#include "support/SupportTexts.h"

bool confirmOutputFolder(const std::filesystem::path& folder, sjis::Text createFolderQuestion,
                         Prompt& prompt) {
    // Such a name means nothing here; taken literally it would become a folder named "C:\".
    if (isWindowsPath(folder)) {
        prompt.tell(formatText(txt::support::kWindowsFolder, displayPath(folder).c_str()),
                    PromptIcon::Stop);
        return false;
    }
    if (pathKind(folder) == PathKind::Folder)
        return true;
    if (prompt.ask(formatText(createFolderQuestion, displayPath(folder).c_str()),
                   PromptButtons::YesNo, PromptIcon::Question) != PromptAnswer::Yes)
        return false;
    createFolderPath(folder);
    return true;
}

bool confirmOverwrite(const std::filesystem::path& path, sjis::Text overwriteQuestion,
                      Prompt& prompt) {
    return nameKind(path) != PathKind::File ||
           prompt.ask(formatText(overwriteQuestion, displayPath(path).c_str()),
                      PromptButtons::YesNo, PromptIcon::Question) == PromptAnswer::Yes;
}

bool confirmOutputPath(const std::filesystem::path& folder, const std::filesystem::path& path,
                       sjis::Text createFolderQuestion, sjis::Text overwriteQuestion,
                       Prompt& prompt) {
    return confirmOutputFolder(folder, createFolderQuestion, prompt) &&
           confirmOverwrite(path, overwriteQuestion, prompt);
}
