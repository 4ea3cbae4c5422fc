#include "app/gui/MessageBoxPrompt.h"
#include "app/AppTexts.h"
#include "support/Sjis.h"
#include "support/gui/DialogParts.h"
#include "support/gui/QtCp932.h"
#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <cstdio>

namespace {
bool s_dismissed = false;
}

PromptAnswer MessageBoxPrompt::escapeAnswer(PromptButtons buttons) {
    switch (buttons) {
    case PromptButtons::Ok:
        return PromptAnswer::Ok;
    case PromptButtons::YesNo:
    case PromptButtons::YesNoDefaultNo:
        return PromptAnswer::No;
    case PromptButtons::OkCancel:
    case PromptButtons::YesNoCancel:
        break;
    }
    return PromptAnswer::Cancel;
}

void MessageBoxPrompt::dismissAll() {
    s_dismissed = true;
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
        box->reject();
}

PromptAnswer MessageBoxPrompt::ask(sjis::Text text, PromptButtons buttons, PromptIcon icon) {
    if (s_dismissed) {
        std::fprintf(stderr, "%s\n", sjis::toUtf8(text).c_str());
        return escapeAnswer(buttons);
    }
    QMessageBox box(m_parent);
    box.setWindowTitle(qtFromCp932(txt::app::kProgramName));
    // Outside text (names, file paths, received lines) is never taken as rich text.
    box.setTextFormat(Qt::PlainText);
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
    case PromptButtons::YesNoDefaultNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::No);
        break;
    case PromptButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    }
    // Japanese button texts, as the platform's message box shows them.
    if (QAbstractButton* b = box.button(QMessageBox::Yes)) {
        b->setText(QStringLiteral("はい(&Y)"));
        dialog::nameAfterText(b);
    }
    if (QAbstractButton* b = box.button(QMessageBox::No)) {
        b->setText(QStringLiteral("いいえ(&N)"));
        dialog::nameAfterText(b);
    }
    if (QAbstractButton* b = box.button(QMessageBox::Cancel))
        b->setText(QStringLiteral("キャンセル"));
    // Escape and the close box give the answer that changes nothing.
    const bool yesNo = buttons == PromptButtons::YesNo || buttons == PromptButtons::YesNoDefaultNo;
    if (QAbstractButton* b = box.button(yesNo                          ? QMessageBox::No
                                        : buttons == PromptButtons::Ok ? QMessageBox::Ok
                                                                       : QMessageBox::Cancel))
        box.setEscapeButton(b);
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
        return escapeAnswer(buttons);
    }
}
