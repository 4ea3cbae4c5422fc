#pragma once
// The recorder report parser: turns the cleaned lines of a report, fed one at a time, into one
// MeasurementDay per channel and date in `receivedDays`.
#include "store/DAT_Records.h"
#include "store/DAT_Store.h"
#include "support/DateTime.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

enum class ParseState {
    WaitHeader,    // looking for a "ＣＨ" line
    WaitBlockKind, // after a header: "時刻" opens intervals, "総電力量" a summary
    IntervalBlock, // one line per interval, closed by an empty line
    SummaryBlock,  // positional summary lines
};

// A line holds at most this many bytes (the reception's line buffer is one byte longer).
inline constexpr std::size_t kMaxReportLineBytes = 999;

// The parse context of one reception.
struct ParseContext {
    explicit ParseContext(MeasurementCircuit& days) : receivedDays(days) {}

    ParseState state = ParseState::WaitHeader;
    DayData workingDay;           // filled by the current interval block
    int32_t currentDayIndex = -1; // the header's (channel, date) in receivedDays
    DateTime blockDate;           // the header's date at 00:00
    bool reverseColumn = false;   // the last "時刻" line held "正方向"
    int32_t summaryPosition = 0;  // next summary line, 0-29; -1 = block complete
    MeasurementCircuit& receivedDays;
};

// Processes one cleaned line (see ReportLineCleaner). Returns normally or raises CxException with
// the message of the first grammar error; never reads past the line.
//
// A line of 1000 bytes or more that the grammar would read (a header, a block's opening line or
// any line inside a block other than an outage note or an empty line) raises
// "解析異常，行が長すぎます<%s>" quoting its first 999 bytes; a line the parser ignores may be of
// any length.
void FeedLine(ParseContext& context, std::string_view line);
