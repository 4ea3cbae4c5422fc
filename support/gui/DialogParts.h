#pragma once
#include <QString>

class QComboBox;
class QAbstractButton;
class QDialog;
class QDialogButtonBox;
class QLabel;
class QWidget;

// Small pieces the data dialogs use: control ids, labels as buddies, the OK/キャンセル row.
namespace dialog {

// Gives the control its numeric id ("controlId") and object name; returns it.
template <class W> W* tag(W* widget, int id, const char* objectName) {
    widget->setProperty("controlId", id);
    widget->setObjectName(QString::fromLatin1(objectName));
    return widget;
}

// A combo box of customer or circuit names: as wide as kNameChars characters whatever the
// names (old files hold names of 256 characters), the shown name cut with "…" and given whole
// in the tool tip.
inline constexpr int kNameChars = 24;
QComboBox* nameCombo(QWidget* parent);
// What a screen reader reads for a control labelled `label` (the label as the source writes
// it): the one naming rule of every dialog, view and menu (see accessibleName).
QString accessibleNameOf(const QString& label);
// Names `control` after `label` by that rule, and the label itself (a combo box is read out
// through the label that labels it).
void nameAfter(QLabel* label, QWidget* control);
// Names a button or check box after its own text by that rule.
void nameAfterText(QAbstractButton* button);

// A label that names `buddy` (its accessible name too) and moves the focus there on its key.
QLabel* labelFor(const QString& text, QWidget* buddy, QWidget* parent);

// "OK" (default button, id 1) and "キャンセル" (id 2), wired to accept()/reject() unless the
// dialog connects OK itself (okChecks: OK only emits accepted, the dialog decides).
QDialogButtonBox* okCancelButtons(QDialog* dialog, bool okChecks);

} // namespace dialog
