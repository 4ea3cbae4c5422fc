#pragma once
// Token primitives shared by the line grammars of the report parser. Tokens are views into the
// line being parsed: nothing is copied.
#include "support/DateTime.h"

#include <cstddef>
#include <optional>
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

// Raises CxException with prefix + line + ">".
[[noreturn]] void FailWithLine(std::string_view prefix, std::string_view line);

// The token at the current position: up to the next blank, after which the position moves past
// the whole run of blanks; without a blank, the rest of the line. Empty at the end of the line.
std::string_view TakeToken(LineCursor& cursor);

// True when every byte is a digit or one of "-.?" (an empty token qualifies).
bool IsNumberText(std::string_view token);
// The standard decimal conversion of the token's leading numeric part: '?' is 0, '12.?' is 12,
// '--.-' and an empty token are 0.
double NumberValue(std::string_view token);

// The current token as a number. A token with other bytes raises
// "解析異常，数字以外の文字検出<%s>"; so does a line that has no token left (a value is missing).
double TakeNumber(LineCursor& cursor);
// Discards one token, then TakeNumber.
double SkipTakeNumber(LineCursor& cursor);

// blockDate's day at the time text ("HH:MM" or "HH:MM:SS"), read as the date parser reads
// "YYYY/MM/DD " + text. An empty text is no time.
std::optional<DateTime> TimeOnDate(const DateTime& blockDate, std::string_view timeText);

// A time "12:34" or a time range "23:30-24:00" on blockDate's day; `to` stays invalid for a
// single time, and a range that ends before it starts ends on a later day ("24:00" is the next
// midnight).
struct TimeRange {
    DateTime from;
    DateTime to;
};
TimeRange ParseTimeRange(std::string_view token, const DateTime& blockDate,
                         std::string_view messageLine);
