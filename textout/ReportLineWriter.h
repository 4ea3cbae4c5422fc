#pragma once
#include "textout/ReportSink.h"

#include <string>
#include <string_view>

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
