#pragma once
#include "support/Format.h"
#include "support/SjisText.h"
#include <cstdint>
#include <exception>
#include <string>

// The program's own failure. The message-less form is a signal (end of data, interruption),
// not an error: handlers test hasMessage() before reporting.
class CxException : public std::exception {
public:
    CxException() = default;
    CxException(sjis::Text message, int32_t value);
    // printf-style message; the value is kept as given.
    template <typename... Args>
    CxException(int32_t value, sjis::Text format, Args... args)
        : CxException(formatText(format, args...), value) {}

    bool hasMessage() const { return m_hasMessage; }
    sjis::Text message() const { return sjis::Text(m_message); }
    int32_t value() const { return m_value; }

    // Copies at most max-1 bytes of the message and a terminating zero; false for a null buffer
    // or max 0. helpContext (if given) is set to 0.
    bool GetErrorMessage(char* buffer, unsigned max, unsigned* helpContext = nullptr) const;

    const char* what() const noexcept override { return m_message.c_str(); }

private:
    bool m_hasMessage = false;
    std::string m_message;
    int32_t m_value = 0;
};
