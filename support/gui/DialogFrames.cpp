#include "support/gui/DialogFrames.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>

namespace {

bool growsWithItsWindow(const QDialog* dialog) {
    return dialog->inherits("QFileDialog") || dialog->inherits("QPrintPreviewDialog");
}

class DialogFrames : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // Polished before its window exists: the flags are taken when the window is made.
        auto* dialog = event->type() == QEvent::Polish ? qobject_cast<QDialog*>(watched) : nullptr;
        if (dialog && dialog->isWindow() && !dialog->testAttribute(Qt::WA_WState_Created) &&
            !growsWithItsWindow(dialog)) {
            Qt::WindowFlags flags = dialog->windowFlags();
            flags &= ~(Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint |
                       Qt::WindowContextHelpButtonHint);
            flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                     Qt::WindowCloseButtonHint;
            dialog->overrideWindowFlags(flags);
        }
        return false;
    }
};

} // namespace

void installDialogFrames() {
    static DialogFrames* frames = nullptr;
    if (frames)
        return;
    frames = new DialogFrames(qApp);
    qApp->installEventFilter(frames);
}
