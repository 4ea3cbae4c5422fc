#include "support/CxException.h"

#include "support/Format.h"

#include <algorithm>
#include <cstdarg>
#include <cstring>

CxException::CxException(std::string message, int32_t value)
    : m_hasMessage(true), m_message(std::move(message)), m_value(value) {}

CxException::CxException(int32_t value, const char* format, ...)
    : m_hasMessage(true), m_value(value) {
    va_list args;
    va_start(args, format);
    m_message = formatTextV(format, args);
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
