#pragma once
// The recorder report parser: turns the cleaned lines of a report, fed one at a time, into one
// MeasurementDay per channel and date in `receivedDays`.
#include "store/DAT_Records.h"
#include "store/DAT_Store.h"
#include "support/DateTime.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

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

// Feeds one line read from a captured text or a port. `complete` is false for the last piece
// of an input that ended inside the line: inside a block such a piece is never fed (a cut
// value or time would pass the grammar as another number), and between blocks a grammar
// error in it is the cut, not an error. Returns false when the piece was the cut; otherwise
// as FeedLine.
bool FeedReadLine(ParseContext& context, std::string_view line, bool complete);

// How the input of a report ended.
struct ReportEnd {
    bool cut = false;             // inside a block, or inside a line
    std::optional<DayKey> cutDay; // the day of the block it cut, taken out of receivedDays
    // Days none of whose listings arrived (a header alone, or a summary whose listing went
    // by before the reception started), taken out of receivedDays.
    std::vector<DayKey> headless;
};

// The input has ended; `cutLine` tells that its last line was the cut (FeedReadLine returned
// false). Takes the cut day and the headless days out of receivedDays, so that only days whose
// blocks arrived whole stay, and leaves the context waiting for a header.
ReportEnd FinishReport(ParseContext& context, bool cutLine = false);
