#pragma once
#include "link/LineCursor.h"
// Token primitives shared by the line grammars of the report parser. Tokens are views into the
// line being parsed: nothing is copied.
#include "support/DateTime.h"

#include <cstddef>
#include <optional>
#include <string_view>

// Raises CxException with prefix + line + ">".
[[noreturn]] void failWithLine(std::string_view prefix, std::string_view line);

// The token at the current position: up to the next blank, after which the position moves past
// the whole run of blanks; without a blank, the rest of the line. Empty at the end of the line.
std::string_view TakeToken(LineCursor& cursor);

// True when every byte is a digit or one of "-.?" (an empty token qualifies).
bool isNumberText(std::string_view token);
// The standard decimal conversion of the token's leading numeric part: '?' is 0, '12.?' is 12,
// '--.-' and an empty token are 0.
double numberValue(std::string_view token);

// The current token as a number. A token with other bytes raises
// "解析異常，数字以外の文字検出<%s>"; so does a line that has no token left (a value is missing).
double TakeNumber(LineCursor& cursor);
// Discards one token, then TakeNumber.
double SkipTakeNumber(LineCursor& cursor);

// blockDate's day at the time text ("HH:MM" or "HH:MM:SS"), read as the date parser reads
// "YYYY/MM/DD " + text. An empty text is no time.
std::optional<DateTime> timeOnDate(const DateTime& blockDate, std::string_view timeText);

// A time "12:34" or a time range "23:30-24:00" on blockDate's day; `to` stays invalid for a
// single time, and a range that ends before it starts ends on a later day ("24:00" is the next
// midnight).
struct TimeRange {
    DateTime from;
    DateTime to;
};
TimeRange ParseTimeRange(std::string_view token, const DateTime& blockDate,
                         std::string_view messageLine);
