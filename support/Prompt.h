#pragma once
#include "support/SjisText.h"

// YesNoDefaultNo: a question whose Yes destroys something; Enter and Escape answer No.
enum class PromptButtons { Ok, OkCancel, YesNo, YesNoCancel, YesNoDefaultNo };
enum class PromptIcon { None, Information, Question, Warning, Stop };
enum class PromptAnswer { Ok, Cancel, Yes, No };

// Every message box and question of the program goes through this, so the rules that ask
// live in the core and tests answer from a script.
class Prompt {
public:
    virtual ~Prompt() = default;
    virtual PromptAnswer ask(sjis::Text text, PromptButtons buttons, PromptIcon icon) = 0;
    void tell(sjis::Text text, PromptIcon icon = PromptIcon::Information) {
        ask(text, PromptButtons::Ok, icon);
    }
};

// Shows nothing and answers Ok: for operations whose caller gave no prompt.
class SilentPrompt : public Prompt {
public:
    PromptAnswer ask(sjis::Text, PromptButtons, PromptIcon) override { return PromptAnswer::Ok; }
};
