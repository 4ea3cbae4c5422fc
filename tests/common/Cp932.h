#pragma once
#include "support/Sjis.h"
#include <string>

// A UTF-8 literal as the core keeps texts: CP932 bytes.
inline std::string sj(const char* utf8) {
    return sjis::fromUtf8(utf8);
}
