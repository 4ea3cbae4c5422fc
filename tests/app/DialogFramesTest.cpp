// A dialog or message box of the program offers no maximise or minimise button: a form or a
// question has nothing to show in a bigger window. A file dialog keeps what the platform gives.
#include "ViewFixture.h"
#include "app/gui/MessageBoxPrompt.h"

#include <QFileDialog>

using namespace viewtest;

namespace {

bool closeButtonOnly(const QWidget* window) {
    const Qt::WindowFlags flags = window->windowFlags();
    return flags.testFlag(Qt::CustomizeWindowHint) && flags.testFlag(Qt::WindowTitleHint) &&
           flags.testFlag(Qt::WindowCloseButtonHint) &&
           !flags.testFlag(Qt::WindowMaximizeButtonHint) &&
           !flags.testFlag(Qt::WindowMinimizeButtonHint);
}

class DialogFrames : public DayShownTest {};

} // namespace

TEST_F(DialogFrames, EveryDialogAndMessageBoxHasACloseButtonOnly) {
    for (int command : kDialogCommands)
        EXPECT_TRUE(lookAtDialogOf(command, [&](QDialog* dialog) {
            EXPECT_TRUE(closeButtonOnly(dialog)) << dialog->windowTitle().toStdString();
        })) << command;

    bool boxSeen = false;
    dlgtest::whenModal([&](QWidget* box) {
        boxSeen = true;
        EXPECT_TRUE(closeButtonOnly(box));
        static_cast<QDialog*>(box)->reject();
    });
    MessageBoxPrompt(m_frame.get()).ask("question", PromptButtons::YesNo, PromptIcon::Question);
    EXPECT_TRUE(boxSeen);
}

TEST_F(DialogFrames, AFileDialogKeepsItsButtons) {
    QFileDialog files(m_frame.get());
    files.setOption(QFileDialog::DontUseNativeDialog);
    files.show();
    EXPECT_FALSE(files.windowFlags().testFlag(Qt::CustomizeWindowHint));
}
