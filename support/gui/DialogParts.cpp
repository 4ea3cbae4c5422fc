#include "support/gui/DialogParts.h"
#include "support/AccessibleName.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>

namespace dialog {

QComboBox* nameCombo(QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    box->setMinimumContentsLength(kNameChars);
    box->view()->setTextElideMode(Qt::ElideRight);
    QObject::connect(box, &QComboBox::currentTextChanged, box,
                     [box](const QString& text) { box->setToolTip(text); });
    return box;
}

QString accessibleNameOf(const QString& label) {
    return QString::fromStdString(accessibleName(label.toStdString()));
}

void nameAfter(QLabel* label, QWidget* control) {
    const QString name = accessibleNameOf(label->text());
    label->setAccessibleName(name);
    control->setAccessibleName(name);
}

void nameAfterText(QAbstractButton* button) {
    button->setAccessibleName(accessibleNameOf(button->text()));
}

QLabel* labelFor(const QString& text, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    nameAfter(label, buddy);
    return label;
}

QDialogButtonBox* okCancelButtons(QDialog* dialog, bool okChecks) {
    auto* box = new QDialogButtonBox(dialog);
    QPushButton* ok = box->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    QPushButton* cancel =
        box->addButton(QStringLiteral("キャンセル"), QDialogButtonBox::RejectRole);
    tag(ok, 1, "okButton");
    tag(cancel, 2, "cancelButton");
    ok->setDefault(true);
    ok->setAutoDefault(true);
    cancel->setAutoDefault(false);
    if (!okChecks)
        QObject::connect(box, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(box, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return box;
}

} // namespace dialog
