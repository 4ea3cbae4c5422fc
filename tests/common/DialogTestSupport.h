#pragma once
// Drives dialogs through their controls: find by control id, press buttons, follow the tab
// chain, save screenshots to look at.
#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QPushButton>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace dlgtest {

template <class W = QWidget> W* byId(QWidget* root, int id) {
    for (W* w : root->findChildren<W*>())
        if (w->property("controlId").toInt() == id)
            return w;
    return nullptr;
}

inline void press(QWidget* root, int id) {
    QAbstractButton* b = byId<QAbstractButton>(root, id);
    if (b)
        b->click();
}

inline QPushButton* defaultButton(QWidget* root) {
    for (QPushButton* b : root->findChildren<QPushButton*>())
        if (b->isDefault())
            return b;
    return nullptr;
}

// Object names in the order the Tab key visits the dialog's enabled, visible controls.
inline QStringList tabChain(QWidget* root) {
    QStringList names;
    QWidget* start = root->nextInFocusChain();
    QWidget* w = start;
    do {
        if (w != root && w->isVisibleTo(root) && w->isEnabled() &&
            (w->focusPolicy() & Qt::TabFocus) && !w->objectName().isEmpty() &&
            root->isAncestorOf(w))
            names << w->objectName();
        w = w->nextInFocusChain();
    } while (w && w != start);
    return names;
}

// Runs `act` on the modal dialog the next command opens, from inside its event loop. A modal
// window without a button (a "please wait" window shown before the dialog) is not it.
inline void whenModal(std::function<void(QWidget*)> act) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        QWidget* w = QApplication::activeModalWidget();
        if (w && !w->findChildren<QAbstractButton*>().isEmpty()) {
            timer->stop();
            timer->deleteLater();
            act(w);
        }
    });
    timer->start();
}

// Saves the widget as PNG under ORVO_SHOT_DIR and returns the path.
inline QString shot(QWidget* widget, const QString& name) {
    const QString dir = QStringLiteral(ORVO_SHOT_DIR);
    QDir().mkpath(dir);
    const QString path = dir + "/" + name;
    widget->grab().save(path);
    return path;
}

} // namespace dlgtest
