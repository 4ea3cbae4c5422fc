#include "support/TextMode.h"

#include <cstring>

void appendTextMode(std::string& out, std::string_view text) {
    if (std::memchr(text.data(), '\n', text.size()) == nullptr) {
        out.append(text);
        return;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) {
            out += '\r';
        }
        out += text[i];
    }
}
