#include "support/CxException.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <vector>

CxException::CxException(std::string message, int32_t value)
    : m_hasMessage(true), m_message(std::move(message)), m_value(value) {}

CxException::CxException(int32_t value, const char* format, ...)
    : m_hasMessage(true), m_value(value) {
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    int n = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (n > 0) {
        std::vector<char> buf(static_cast<size_t>(n) + 1);
        std::vsnprintf(buf.data(), buf.size(), format, args);
        m_message.assign(buf.data(), static_cast<size_t>(n));
    }
    va_end(args);
}

bool CxException::GetErrorMessage(char* buffer, unsigned max, unsigned* helpContext) const {
    if (buffer == nullptr || max == 0) {
        return false;
    }
    size_t n = std::min<size_t>(m_message.size(), max - 1);
    std::memcpy(buffer, m_message.data(), n);
    buffer[n] = '\0';
    if (helpContext) {
        *helpContext = 0;
    }
    return true;
}
