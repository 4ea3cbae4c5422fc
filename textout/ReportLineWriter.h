#pragma once
#include "support/TextMode.h"
#include "textout/ReportSink.h"

#include <string>
#include <string_view>

// Writes text lines the way a text-mode file does: each line is followed by CR LF, and a line
// feed inside a line becomes CR LF too. Counts the lines written.
class ReportLineWriter {
public:
    explicit ReportLineWriter(ReportSink& sink) : m_sink(sink) {}
    void WriteLine(std::string_view line) {
        m_line.clear();
        appendTextMode(m_line, line);
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
