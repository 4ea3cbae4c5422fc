#pragma once
#include <cstdint>
#include <exception>
#include <string>

// The program's own failure. The message-less form is a signal (end of data, interruption),
// not an error: handlers test hasMessage() before reporting.
class CxException : public std::exception {
public:
    CxException() = default;
    CxException(std::string message, int32_t value);
    // printf-style message; the value is kept as given.
    CxException(int32_t value, const char* format, ...) __attribute__((format(printf, 3, 4)));

    bool hasMessage() const { return m_hasMessage; }
    const std::string& message() const { return m_message; } // CP932
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
