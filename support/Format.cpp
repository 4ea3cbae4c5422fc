#include "support/Format.h"

#include <cstdarg>
#include <cstdio>

namespace {

std::string formatTextV(const char* format, va_list args) {
    va_list copy;
    va_copy(copy, args);
    int n = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string out;
    if (n > 0) {
        out.resize(static_cast<std::size_t>(n) + 1);
        std::vsnprintf(out.data(), out.size(), format, args);
        out.resize(static_cast<std::size_t>(n));
    }
    return out;
}

} // namespace

std::string format_detail::formatBytes(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string out = formatTextV(format, args);
    va_end(args);
    return out;
}

namespace {
bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}
} // namespace

std::string trimBlanks(std::string_view text) {
    std::size_t b = 0;
    std::size_t e = text.size();
    while (b < e && isBlank(text[b]))
        ++b;
    // A trail byte of a double-byte character is never below 0x40, so blanks at the end are
    // always characters of their own.
    while (e > b && isBlank(text[e - 1]))
        --e;
    return std::string(text.substr(b, e - b));
}

std::string escapeControlBytes(std::string_view text) {
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(text.size());
    for (char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x20 || c == 0x7F) {
            out += "\\x";
            out += digits[c >> 4];
            out += digits[c & 15];
        } else {
            out += ch;
        }
    }
    return out;
}
