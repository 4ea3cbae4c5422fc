#include "textout/gui/ProgramLaunch.h"
#include "support/Format.h"
#include "support/Prompt.h"
#include "support/gui/QtCp932.h"
#include "textout/TextoutTexts.h"

#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

bool startProgramOnFile(const TxtOutLaunch& launch, Prompt& prompt) {
    const QString file = qtFromCp932(launch.file);
    const bool started =
        launch.program.empty()
            ? QDesktopServices::openUrl(QUrl::fromLocalFile(file))
            : QProcess::startDetached(qtFromCp932(launch.program), QStringList{file});
    if (!started) {
        const std::string& what = launch.program.empty() ? launch.file : launch.program;
        prompt.tell(formatText(txt::textout::kLaunchFailed, what.c_str()), PromptIcon::Stop);
    }
    return started;
}
