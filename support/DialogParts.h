#pragma once
#include <QString>
#include <string>

class QDialog;
class QDialogButtonBox;
class QLabel;
class QWidget;

// Small pieces every dialog uses: CP932 <-> QString at the widget edge, control ids, the
// OK/キャンセル row.
namespace dialog {

QString toQt(const std::string& cp932);
std::string fromQt(const QString& text);

// Gives the control its numeric id ("controlId") and object name; returns it.
template <class W> W* tag(W* widget, int id, const char* objectName) {
    widget->setProperty("controlId", id);
    widget->setObjectName(QString::fromLatin1(objectName));
    return widget;
}

// A label that names `buddy` (its accessible name too) and moves the focus there on its key.
QLabel* labelFor(const QString& text, QWidget* buddy, QWidget* parent);

// "OK" (default button, id 1) and "キャンセル" (id 2), wired to accept()/reject() unless the
// dialog connects OK itself (okChecks: OK only emits accepted, the dialog decides).
QDialogButtonBox* okCancelButtons(QDialog* dialog, bool okChecks);

} // namespace dialog
