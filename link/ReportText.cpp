#include "link/ReportText.h"

#include "link/ReportLineCleaner.h"
#include "link/ReportParser.h"

#include "support/ArchiveError.h"

#include <cstring>

namespace {

constexpr char kCtrlZ = '\x1a';
constexpr std::size_t kChunkBytes = 64 * 1024;

// The text up to the first Ctrl-Z.
std::string_view untilCtrlZ(std::string_view text, bool& ended) {
    const void* z = std::memchr(text.data(), kCtrlZ, text.size());
    if (z == nullptr) {
        return text;
    }
    ended = true;
    return text.substr(0, static_cast<std::size_t>(static_cast<const char*>(z) - text.data()));
}

// Appends bytes to a line, keeping at most the allowed length.
void appendKept(std::string& line, std::string_view bytes) {
    std::size_t room = ReportTextReader::kMaxKeptLineBytes -
                       std::min(line.size(), ReportTextReader::kMaxKeptLineBytes);
    line.append(bytes.substr(0, std::min(room, bytes.size())));
}

} // namespace

ReportTextReader::ReportTextReader(std::string_view text) {
    bool cut = false;
    m_window = untilCtrlZ(text, cut);
    m_ended = true; // nothing more than the window
}

ReportTextReader::ReportTextReader(OpenedFile& file) : m_file(&file) {}

bool ReportTextReader::fill() {
    if (m_stop != nullptr && m_stop->load()) {
        m_ended = true;
    }
    if (m_ended || m_file == nullptr) {
        return false;
    }
    m_chunk.resize(kChunkBytes);
    std::size_t n = 0;
    try {
        n = m_file->read(m_chunk.data(), m_chunk.size());
    } catch (const FileAccessError&) {
        m_failed = true;
    }
    if (n == 0) {
        m_ended = true;
    }
    m_chunk.resize(n);
    bool cut = false;
    m_window = untilCtrlZ(m_chunk, cut);
    if (cut) {
        m_ended = true;
    }
    return !m_window.empty();
}

bool ReportTextReader::nextLine(std::string& line) {
    line.clear();
    m_lineComplete = true;
    std::size_t rawLength = 0; // bytes of the line seen, kept or not
    char lastRaw = '\0';
    bool any = false;
    for (;;) {
        if (m_window.empty() && !fill()) {
            break;
        }
        any = true;
        const void* lf = std::memchr(m_window.data(), '\n', m_window.size());
        std::size_t n =
            lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - m_window.data())
               : m_window.size();
        if (n > 0) {
            appendKept(line, m_window.substr(0, n));
            rawLength += n;
            lastRaw = m_window[n - 1];
        }
        if (lf != nullptr) {
            m_window.remove_prefix(n + 1);
            // CR LF is one line end (the CR is in the line unless the line was cut short).
            if (lastRaw == '\r' && rawLength <= kMaxKeptLineBytes) {
                line.pop_back();
            }
            return true;
        }
        m_window = {};
    }
    m_lineComplete = !any;
    return any;
}

std::size_t parseReportLines(ParseContext& context, ReportTextReader& reader) {
    std::string line;
    std::size_t count = 0;
    while (reader.nextLine(line)) {
        ReportLineCleaner(line, kReceptionCleanOptions);
        FeedLine(context, line);
        ++count;
    }
    return count;
}

std::size_t parseReportText(ParseContext& context, std::string_view text) {
    ReportTextReader reader(text);
    return parseReportLines(context, reader);
}

ReportEnd readWholeReport(ParseContext& context, ReportTextReader& reader) {
    std::string line;
    bool cutLine = false;
    while (!cutLine && reader.nextLine(line)) {
        ReportLineCleaner(line, kReceptionCleanOptions);
        cutLine = !FeedReadLine(context, line, reader.lineComplete());
    }
    return FinishReport(context, cutLine);
}
