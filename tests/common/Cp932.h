#pragma once
#include "support/Sjis.h"
#include <stdexcept>
#include <string>
#include <string_view>

// A UTF-8 text as the core keeps texts: CP932 bytes. A text CP932 cannot spell is a slip in
// the test itself.
inline std::string sj(std::string_view utf8) {
    std::optional<std::string> bytes = sjis::fromUtf8(utf8);
    if (!bytes)
        throw std::invalid_argument("test text without a CP932 form: " + std::string(utf8));
    return std::move(*bytes);
}

// Every line feed as CR LF, as a captured report or a text-mode file holds them.
inline std::string crlf(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c == '\n')
            out += '\r';
        out += c;
    }
    return out;
}
