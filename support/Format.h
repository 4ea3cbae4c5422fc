#pragma once
#include <cstdarg>
#include <string>
#include <string_view>

// printf into a std::string (the texts are CP932 bytes; the format rules are the C library's).
std::string formatText(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string formatTextV(const char* format, va_list args);

// Single-byte white space (blank, tab, line breaks, vertical tab, form feed) removed at both
// ends, as the platform's trim does; a full-width blank stays.
std::string trimBlanks(std::string_view text);
