#include "support/OutputQuestions.h"
#include "support/FilePath.h"
#include "support/Format.h"
#include "support/Prompt.h"

bool confirmOutputFolder(std::string_view folder, const char* createFolderQuestion,
                         Prompt& prompt) {
    if (pathKind(folder) == PathKind::Folder)
        return true;
    const std::string text(folder);
    if (prompt.ask(formatText(createFolderQuestion, text.c_str()), PromptButtons::YesNo,
                   PromptIcon::Question) != PromptAnswer::Yes)
        return false;
    createFolderPath(folder);
    return true;
}

bool confirmOverwrite(const std::string& path, const char* overwriteQuestion, Prompt& prompt) {
    return nameKind(path) != PathKind::File ||
           prompt.ask(formatText(overwriteQuestion, path.c_str()), PromptButtons::YesNo,
                      PromptIcon::Question) == PromptAnswer::Yes;
}

bool confirmOutputPath(std::string_view folder, const std::string& path,
                       const char* createFolderQuestion, const char* overwriteQuestion,
                       Prompt& prompt) {
    return confirmOutputFolder(folder, createFolderQuestion, prompt) &&
           confirmOverwrite(path, overwriteQuestion, prompt);
}
