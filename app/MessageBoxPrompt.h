#pragma once
#include "support/Prompt.h"

class QWidget;

// The prompt service on screen: a modal QMessageBox over the given window.
class MessageBoxPrompt : public Prompt {
public:
    explicit MessageBoxPrompt(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }
    PromptAnswer ask(const std::string& text, PromptButtons buttons, PromptIcon icon) override;

private:
    QWidget* m_parent;
};
