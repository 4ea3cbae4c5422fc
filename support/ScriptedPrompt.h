#pragma once
#include "support/Prompt.h"

#include <deque>
#include <string>
#include <vector>

// Answers from a queue (Ok / Yes when the queue is empty) and records what was asked.
class ScriptedPrompt : public Prompt {
public:
    struct Asked {
        std::string text;
        PromptButtons buttons;
        PromptIcon icon;
    };
    void answer(PromptAnswer a) { m_answers.push_back(a); }
    PromptAnswer ask(sjis::Text text, PromptButtons buttons, PromptIcon icon) override {
        m_asked.push_back({text.str(), buttons, icon});
        if (!m_answers.empty()) {
            PromptAnswer a = m_answers.front();
            m_answers.pop_front();
            return a;
        }
        return buttons == PromptButtons::Ok || buttons == PromptButtons::OkCancel
                   ? PromptAnswer::Ok
                   : PromptAnswer::Yes;
    }
    const std::vector<Asked>& asked() const { return m_asked; }

private:
    std::deque<PromptAnswer> m_answers;
    std::vector<Asked> m_asked;
};
