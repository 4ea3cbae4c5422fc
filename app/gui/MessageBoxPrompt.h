#pragma once
#include "support/Prompt.h"

class QWidget;

// The prompt service on screen: a modal QMessageBox over the given window.
class MessageBoxPrompt : public Prompt {
public:
    explicit MessageBoxPrompt(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }
    PromptAnswer ask(sjis::Text text, PromptButtons buttons, PromptIcon icon) override;

    // The answer of Escape and of the close box: No on Yes/No, Cancel where there is one, never
    // Yes.
    static PromptAnswer escapeAnswer(PromptButtons buttons);
    // After a termination request nobody is there to answer: every box still to come, and the
    // one open now, end at once with the Escape answer (the text goes to stderr).
    static void dismissAll();

private:
    QWidget* m_parent;
};
