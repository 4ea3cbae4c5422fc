#include "support/CxException.h"

#include <algorithm>
#include <cstring>

CxException::CxException(sjis::Text message, int32_t value)
    : m_hasMessage(true), m_message(message.str()), m_value(value) {}

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
