#include "textout/ProgramLaunch.h"
#include "support/Format.h"
#include "support/Prompt.h"
#include "support/SjisQString.h"
#include "textout/Texts.h"

#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

bool startProgramOnFile(const TxtOutLaunch& launch, Prompt& prompt) {
    const QString file = sjis::toQString(launch.file);
    const bool started =
        launch.program.empty()
            ? QDesktopServices::openUrl(QUrl::fromLocalFile(file))
            : QProcess::startDetached(sjis::toQString(launch.program), QStringList{file});
    if (!started) {
        const std::string& what = launch.program.empty() ? launch.file : launch.program;
        prompt.tell(formatText(textout::txt::kLaunchFailed, what.c_str()), PromptIcon::Stop);
    }
    return started;
}
