#include "link/ReportTokens.h"

#include "link/LinkTexts.h"
#include "support/CxException.h"
#include "support/DateText.h"
#include "support/Format.h"

#include <charconv>
#include <cstdlib>
#include <cstring>
#include <string>

void failWithLine(std::string_view prefix, std::string_view line) {
    // The message reaches the log, the terminal and the list: no control byte of the line may.
    const std::string shown = escapeControlBytes(line);
    std::string message;
    message.reserve(prefix.size() + shown.size() + 1);
    message.append(prefix).append(shown).push_back('>');
    throw CxException(sjis::Text(message), 0);
}

std::string_view TakeToken(LineCursor& cursor) {
    std::string_view rest = cursor.rest();
    const void* blank = std::memchr(rest.data(), ' ', rest.size());
    if (blank == nullptr) {
        cursor.skip(rest.size());
        return rest;
    }
    std::size_t length = static_cast<std::size_t>(static_cast<const char*>(blank) - rest.data());
    cursor.skip(length);
    cursor.skipBlanks();
    return rest.substr(0, length);
}

bool isNumberText(std::string_view token) {
    for (char c : token) {
        if (!((c >= '0' && c <= '9') || c == '-' || c == '.' || c == '?')) {
            return false;
        }
    }
    return true;
}

double numberValue(std::string_view token) {
    double value = 0.0;
    auto [end, ec] =
        std::from_chars(token.data(), token.data() + token.size(), value, std::chars_format::fixed);
    if (ec == std::errc::result_out_of_range) {
        // Hundreds of digits: let the C conversion decide (infinity, or a tiny value).
        std::string copy(token);
        return std::strtod(copy.c_str(), nullptr);
    }
    return ec == std::errc() ? value : 0.0;
}

double TakeNumber(LineCursor& cursor) {
    if (cursor.atEnd()) {
        failWithLine(txt::link::kMsgNotNumber, cursor.messageLine());
    }
    std::string_view token = TakeToken(cursor);
    if (!isNumberText(token)) {
        failWithLine(txt::link::kMsgNotNumber, cursor.messageLine());
    }
    return numberValue(token);
}

double SkipTakeNumber(LineCursor& cursor) {
    TakeToken(cursor);
    return TakeNumber(cursor);
}

namespace {

// One or two digits; false otherwise. Moves i past them.
bool twoDigits(std::string_view s, std::size_t& i, int& out) {
    std::size_t start = i;
    int v = 0;
    while (i < s.size() && i - start < 3 && s[i] >= '0' && s[i] <= '9') {
        v = v * 10 + (s[i] - '0');
        ++i;
    }
    out = v;
    return i > start && i - start <= 2;
}

} // namespace

std::optional<DateTime> timeOnDate(const DateTime& blockDate, std::string_view timeText) {
    if (timeText.empty() || !blockDate.isValid()) {
        return std::nullopt;
    }
    // The usual "H:MM" / "HH:MM[:SS]" is built directly; anything else goes through the date
    // parser with the text it would have been given, so both ways accept the same.
    std::size_t i = 0;
    int h = 0, mi = 0, s = 0;
    if (twoDigits(timeText, i, h) && i < timeText.size() && timeText[i] == ':' &&
        twoDigits(timeText, ++i, mi)) {
        bool ok = i == timeText.size();
        if (!ok && timeText[i] == ':') {
            ok = twoDigits(timeText, ++i, s) && i == timeText.size();
        }
        if (ok) {
            DateTime t =
                DateTime::make(blockDate.year(), blockDate.month(), blockDate.day(), h, mi, s);
            if (t.isValid()) {
                return t;
            }
            return std::nullopt;
        }
    }
    std::string text = blockDate.format("%Y/%m/%d ");
    text.append(timeText);
    return parseDateText(text);
}

TimeRange ParseTimeRange(std::string_view token, const DateTime& blockDate,
                         std::string_view messageLine) {
    TimeRange range;
    if (token.size() <= 3) {
        failWithLine(txt::link::kMsgTimeRange, messageLine);
    }
    std::string_view fromText = token;
    std::optional<std::string_view> toText;
    if (token.size() >= 6) {
        std::size_t dash = token.find('-');
        if (dash != std::string_view::npos) {
            fromText = token.substr(0, dash);
            std::string_view after = token.substr(dash + 1);
            std::size_t start = after.find_first_not_of(' ');
            after = start == std::string_view::npos ? std::string_view() : after.substr(start);
            toText = after.substr(0, after.find(' '));
        }
    }
    std::optional<DateTime> from = timeOnDate(blockDate, fromText);
    if (!from) {
        failWithLine(txt::link::kMsgFromTime, messageLine);
    }
    range.from = *from;
    if (toText) {
        std::optional<DateTime> to =
            timeOnDate(blockDate, *toText == "24:00" ? std::string_view("00:00") : *toText);
        if (!to) {
            failWithLine(txt::link::kMsgToTime, messageLine);
        }
        range.to = *to;
        // Both lie on blockDate's day; an end before the start is on the next day.
        if (range.to < range.from) {
            range.to = range.to.addDays(1);
            if (!range.to.isValid()) {
                failWithLine(txt::link::kMsgToTime, messageLine); // past 9999-12-31
            }
        }
    }
    return range;
}
