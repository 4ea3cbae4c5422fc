#pragma once
#include <string>
#include <string_view>

// Where the bytes of a text report go. A sink reports a failed write by throwing
// FileAccessError (support/ArchiveError.h); what was written before stays.
class ReportSink {
public:
    virtual ~ReportSink() = default;
    virtual void write(std::string_view bytes) = 0;
    // Pushes buffered bytes out; a failure here is a write failure too.
    virtual void finish() {}
};

// Collects the bytes in memory (previews, tests, benchmarks).
class StringSink : public ReportSink {
public:
    void write(std::string_view bytes) override { m_bytes.append(bytes); }
    const std::string& bytes() const { return m_bytes; }
    void clear() { m_bytes.clear(); }

private:
    std::string m_bytes;
};

// Writes text lines the way a text-mode file does: each line is followed by CR LF.
class ReportLineWriter {
public:
    explicit ReportLineWriter(ReportSink& sink) : m_sink(sink) {}
    void WriteLine(std::string_view line) {
        m_line.assign(line);
        m_line.append("\r\n");
        m_sink.write(m_line);
        ++m_lines;
    }
    int lineCount() const { return m_lines; }

private:
    ReportSink& m_sink;
    std::string m_line;
    int m_lines = 0;
};
