#pragma once
#include "support/ArchiveError.h"
#include "textout/ReportSink.h"

#include <string>

// Takes the first `limit` bytes into `out` (which outlives the sink), then fails like a full
// disk: the bytes that fit are kept and FileAccessError is thrown.
class FailAfterSink : public ReportSink {
public:
    FailAfterSink(std::size_t limit, std::string& out) : m_limit(limit), m_bytes(out) {}
    void write(std::string_view bytes) override {
        const std::size_t room = m_limit - m_bytes.size();
        if (bytes.size() > room) {
            m_bytes.append(bytes.substr(0, room));
            throw FileAccessError("No space left on device");
        }
        m_bytes.append(bytes);
    }
    const std::string& bytes() const { return m_bytes; }

private:
    std::size_t m_limit;
    std::string& m_bytes;
};
