#pragma once
#include <cstddef>
#include <string_view>

// The position in one line. `text` is what is tokenised (a header is read from its half-width
// copy); `messageLine` is the cleaned line as received, which every failure message quotes.
class LineCursor {
public:
    explicit LineCursor(std::string_view line) : m_text(line), m_messageLine(line) {}
    LineCursor(std::string_view text, std::string_view messageLine)
        : m_text(text), m_messageLine(messageLine) {}

    std::string_view text() const { return m_text; }
    std::string_view messageLine() const { return m_messageLine; }
    std::size_t position() const { return m_pos; }
    bool atEnd() const { return m_pos >= m_text.size(); }
    std::string_view rest() const { return m_text.substr(m_pos); }
    // Moves on by n bytes, never past the end of the line.
    void skip(std::size_t n) { m_pos = n < m_text.size() - m_pos ? m_pos + n : m_text.size(); }
    void skipBlanks() {
        while (m_pos < m_text.size() && m_text[m_pos] == ' ') {
            ++m_pos;
        }
    }

private:
    std::string_view m_text;
    std::string_view m_messageLine;
    std::size_t m_pos = 0;
};
