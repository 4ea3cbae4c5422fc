#pragma once
// Reading a captured report text (a file the reception saved earlier, or any byte buffer) the
// way a Windows text-mode read does: CR LF becomes LF, a Ctrl-Z byte ends the text.
#include "link/ReportParser.h"
#include "support/OpenedFile.h"

#include <atomic>
#include <cstddef>
#include <string>
#include <string_view>

class ReportTextReader {
public:
    // Reads from a buffer the caller keeps alive.
    explicit ReportTextReader(std::string_view text);
    // Reads from an open file (a captured report: see openWithRetry), in chunks.
    explicit ReportTextReader(OpenedFile& file);

    // The next line without its LF (a lone CR stays), into `line`; false at the end of the text.
    // A line's last piece needs no LF. A line longer than kMaxKeptLineBytes keeps its first
    // kMaxKeptLineBytes bytes, the rest up to the LF is dropped (the parser rejects such a line
    // anyway when it has to read it).
    bool nextLine(std::string& line);
    // Whether the line nextLine gave last ended with its LF; false for a last piece the text
    // ended inside of.
    bool lineComplete() const { return m_lineComplete; }
    // A read error of the file ended the text early.
    bool failed() const { return m_failed; }
    // A stop request, looked at before every chunk read: once set, the text ends (a line that
    // never ends cannot hold the stop off).
    void setStopFlag(const std::atomic<bool>* stop) { m_stop = stop; }

    static constexpr std::size_t kMaxKeptLineBytes = 64 * 1024;

private:
    bool fill();

    OpenedFile* m_file = nullptr;
    std::string m_chunk; // file mode: the bytes read and not yet used
    std::string_view m_window;
    bool m_ended = false;
    bool m_failed = false;
    bool m_lineComplete = true;
    const std::atomic<bool>* m_stop = nullptr;
};

// Feeds every line of the reader to the parser: each line cleaned with the reception's options
// (0x3f) and passed to FeedLine. The end of the text is a normal end (a read error of a file
// shows in reader.failed()); a grammar error propagates as CxException. Returns the number of
// lines fed.
std::size_t parseReportLines(ParseContext& context, ReportTextReader& reader);
// The same for a text in memory.
std::size_t parseReportText(ParseContext& context, std::string_view text);

// A whole captured report: every line as parseReportLines does, a last line the text ended
// inside of through FeedReadLine, then FinishReport. A grammar error in a complete line
// propagates as CxException; a cut at the end is told by the result.
ReportEnd readWholeReport(ParseContext& context, ReportTextReader& reader);
