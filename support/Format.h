#pragma once
#include "support/SjisText.h"
#include <string>
#include <string_view>
#include <type_traits>

namespace format_detail {
// The format is zero-terminated: va_start needs a last named parameter of no reference type.
std::string formatBytes(const char* format, ...);
} // namespace format_detail

// printf into Shift-JIS bytes: the format is a text of the program (or ASCII), the values are
// numbers and zero-terminated Shift-JIS bytes; the format rules are the C library's.
template <typename... Args> sjis::String formatText(sjis::Text format, Args... args) {
    static_assert(((std::is_arithmetic_v<Args> || std::is_pointer_v<Args>)&&...),
                  "formatText takes numbers and zero-terminated bytes (c_str())");
    return sjis::String(format_detail::formatBytes(format.str().c_str(), args...));
}
// The same into UTF-8: a text of the program made UTF-8 first, for values Shift-JIS cannot
// spell (a path).
template <typename... Args> std::string formatUtf8(sjis::Text format, Args... args) {
    static_assert(((std::is_arithmetic_v<Args> || std::is_pointer_v<Args>)&&...),
                  "formatUtf8 takes numbers and zero-terminated bytes (c_str())");
    return format_detail::formatBytes(sjis::toUtf8(format).c_str(), args...);
}

// Single-byte white space (blank, tab, line breaks, vertical tab, form feed) removed at both
// ends, as the platform's trim does; a full-width blank stays.
std::string trimBlanks(std::string_view text);

// Received or imported text made safe for a log line, a terminal or a message: every control
// byte (0x00-0x1F, 0x7F: ESC, CR, LF, NUL …) becomes "\xNN"; all other bytes stay.
std::string escapeControlBytes(std::string_view text);
