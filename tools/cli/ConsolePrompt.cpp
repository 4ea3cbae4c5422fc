#include "tools/cli/ConsolePrompt.h"
#include "support/Sjis.h"
#include "tools/cli/CliMain.h"
#include <algorithm>
#include <cctype>
#include <istream>
#include <ostream>

namespace {

std::string lowerTrimmed(std::string s) {
    auto notSpace = [](unsigned char c) { return !std::isspace(c); };
    s.erase(s.begin(), std::find_if(s.begin(), s.end(), notSpace));
    s.erase(std::find_if(s.rbegin(), s.rend(), notSpace).base(), s.end());
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

} // namespace

PromptAnswer ConsolePrompt::ask(sjis::Text text, PromptButtons buttons, PromptIcon icon) {
    if (icon == PromptIcon::Stop || icon == PromptIcon::Warning)
        ++m_errors;
    const bool yesNo = buttons != PromptButtons::OkCancel;
    const PromptAnswer yes = yesNo ? PromptAnswer::Yes : PromptAnswer::Ok;
    // Told to answer yes, the tool asks nothing: a script's stderr holds only what it must read.
    if (m_assumeYes && buttons != PromptButtons::Ok)
        return yes;
    m_messages << kMessagePrefix << sjis::toUtf8(text) << '\n';
    if (buttons == PromptButtons::Ok) {
        m_messages.flush();
        return PromptAnswer::Ok;
    }
    const bool cancel = buttons == PromptButtons::OkCancel || buttons == PromptButtons::YesNoCancel;
    const PromptAnswer careful = cancel ? PromptAnswer::Cancel : PromptAnswer::No;
    const char* choices = buttons == PromptButtons::YesNoCancel ? "[y/n/c] "
                          : yesNo                               ? "[y/n] "
                                                                : "[y/c] ";
    for (;;) {
        m_messages << choices;
        m_messages.flush();
        std::string line;
        if (!std::getline(m_input, line)) {
            m_messages << '\n';
            ++m_declined;
            return careful;
        }
        std::string a = lowerTrimmed(line);
        if (a == "y" || a == "yes")
            return yes;
        if (yesNo && (a == "n" || a == "no")) {
            ++m_declined;
            return PromptAnswer::No;
        }
        if (cancel && (a == "c" || a == "cancel")) {
            ++m_declined;
            return PromptAnswer::Cancel;
        }
    }
}
