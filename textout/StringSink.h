#pragma once
#include "textout/ReportSink.h"

#include <string>
#include <string_view>

// Collects the bytes in memory (previews, tests, benchmarks).
class StringSink : public ReportSink {
public:
    void write(std::string_view bytes) override { m_bytes.append(bytes); }
    const std::string& bytes() const { return m_bytes; }
    void clear() { m_bytes.clear(); }

private:
    std::string m_bytes;
};
