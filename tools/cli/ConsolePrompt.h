#pragma once
#include "support/Prompt.h"
#include <iosfwd>

// Message boxes of the core rules on a terminal. Texts arrive as CP932 and are written as
// UTF-8 to the message stream in the tool's message form; questions are answered "yes" without
// being shown when the tool was told --yes, otherwise by a line read from the input ("y", "yes",
// "n", "no", "c", "cancel"). The end of the input answers with the careful choice: Cancel when
// offered, else No.
class ConsolePrompt : public Prompt {
public:
    ConsolePrompt(std::ostream& messages, std::istream& input, bool assumeYes)
        : m_messages(messages), m_input(input), m_assumeYes(assumeYes) {}

    PromptAnswer ask(sjis::Text text, PromptButtons buttons, PromptIcon icon) override;

    // How many error or warning boxes were shown (a command that reported one failed).
    int errorsShown() const { return m_errors; }
    // How many questions were answered with something other than yes / OK.
    int declined() const { return m_declined; }

private:
    std::ostream& m_messages;
    std::istream& m_input;
    bool m_assumeYes;
    int m_errors = 0;
    int m_declined = 0;
};
