#include "textout/gui/ProgramLaunch.h"
#include "support/FilePath.h"
#include "support/Format.h"
#include "support/Prompt.h"
#include "support/gui/QtPath.h"
#include "textout/TextoutTexts.h"

#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

bool startProgramOnFile(const TxtOutLaunch& launch, Prompt& prompt) {
    const QString file = qtFromPath(launch.file);
    const bool started =
        launch.program.empty()
            ? QDesktopServices::openUrl(QUrl::fromLocalFile(file))
            : QProcess::startDetached(qtFromPath(launch.program), QStringList{file});
    if (!started) {
        const std::filesystem::path& what = launch.program.empty() ? launch.file : launch.program;
        prompt.tell(formatText(txt::textout::kLaunchFailed, displayPath(what).c_str()),
                    PromptIcon::Stop);
    }
    return started;
}
