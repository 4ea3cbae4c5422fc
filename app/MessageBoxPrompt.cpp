#include "app/MessageBoxPrompt.h"
#include "app/AppTexts.h"
#include "support/QtCp932.h"
#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>

PromptAnswer MessageBoxPrompt::ask(const std::string& text, PromptButtons buttons,
                                   PromptIcon icon) {
    QMessageBox box(m_parent);
    box.setWindowTitle(qtFromCp932(txt::app::kProgramName));
    box.setText(qtFromCp932(text));
    switch (icon) {
    case PromptIcon::None:
        box.setIcon(QMessageBox::NoIcon);
        break;
    case PromptIcon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case PromptIcon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    case PromptIcon::Warning:
        box.setIcon(QMessageBox::Warning);
        break;
    case PromptIcon::Stop:
        box.setIcon(QMessageBox::Critical);
        break;
    }
    switch (buttons) {
    case PromptButtons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case PromptButtons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    case PromptButtons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    case PromptButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    }
    // Japanese button texts, as the platform's message box shows them.
    if (QAbstractButton* b = box.button(QMessageBox::Yes))
        b->setText(QStringLiteral("はい(&Y)"));
    if (QAbstractButton* b = box.button(QMessageBox::No))
        b->setText(QStringLiteral("いいえ(&N)"));
    if (QAbstractButton* b = box.button(QMessageBox::Cancel))
        b->setText(QStringLiteral("キャンセル"));
    switch (box.exec()) {
    case QMessageBox::Yes:
        return PromptAnswer::Yes;
    case QMessageBox::No:
        return PromptAnswer::No;
    case QMessageBox::Cancel:
        return PromptAnswer::Cancel;
    case QMessageBox::Ok:
        return PromptAnswer::Ok;
    default:
        // Closed with Escape: the answer that changes nothing.
        return buttons == PromptButtons::Ok      ? PromptAnswer::Ok
               : buttons == PromptButtons::YesNo ? PromptAnswer::No
                                                 : PromptAnswer::Cancel;
    }
}
