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
