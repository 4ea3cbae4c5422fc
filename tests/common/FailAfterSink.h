#pragma once
#include "store/ByteSink.h"
#include "support/ArchiveError.h"
#include "textout/ReportSink.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <string_view>

// Passes bytes on to `inner` until `limit` bytes have gone through, then fails like a full
// disk: the bytes up to the limit are written, the rest of that call is not, and
// FileAccessError is thrown. Serves as the sink of an archive and of a report file.
class FailAfterSink : public ByteSink, public ReportSink {
public:
    FailAfterSink(ByteSink& inner, uint64_t limit) : m_inner(inner), m_limit(limit) {}

    void write(const char* data, std::size_t size) override {
        const uint64_t room = m_limit > m_written ? m_limit - m_written : 0;
        const std::size_t taken = size <= room ? size : static_cast<std::size_t>(room);
        if (taken > 0) {
            m_inner.write(data, taken);
            m_written += taken;
        }
        if (taken < size) {
            throw FileAccessError(std::strerror(ENOSPC));
        }
    }
    void write(std::string_view bytes) override { write(bytes.data(), bytes.size()); }
    uint64_t written() const { return m_written; }

private:
    ByteSink& m_inner;
    uint64_t m_limit;
    uint64_t m_written = 0;
};
