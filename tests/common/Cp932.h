#pragma once
#include "support/Sjis.h"
#include <string>
#include <string_view>

// A UTF-8 literal as the core keeps texts: CP932 bytes.
inline std::string sj(const char* utf8) {
    return sjis::fromUtf8(utf8);
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
