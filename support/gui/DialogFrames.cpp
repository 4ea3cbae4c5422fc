#include "support/gui/DialogFrames.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QWindow>

namespace {

bool growsWithItsWindow(const QDialog* dialog) {
    return dialog->inherits("QFileDialog") || dialog->inherits("QPrintPreviewDialog");
}

class DialogFrames : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // Polished once, before it first shows: the window may exist by then but is not mapped,
        // so the window manager reads the new flags when it appears.
        auto* dialog = event->type() == QEvent::Polish ? qobject_cast<QDialog*>(watched) : nullptr;
        if (dialog && dialog->isWindow() && !growsWithItsWindow(dialog)) {
            Qt::WindowFlags flags = dialog->windowFlags();
            flags &= ~(Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint |
                       Qt::WindowContextHelpButtonHint);
            flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                     Qt::WindowCloseButtonHint;
            dialog->overrideWindowFlags(flags);
            if (QWindow* window = dialog->windowHandle())
                window->setFlags(flags);
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
