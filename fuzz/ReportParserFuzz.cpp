// Arbitrary bytes through the line clean-up and the report parser, as a reception feeds them.
// The first byte picks cleaner options for an extra pass that checks the cleaner on its own.
#include "link/ReportLineCleaner.h"
#include "link/ReportParser.h"

#include "support/CxException.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

void check(bool ok) {
    if (!ok) {
        std::abort();
    }
}

void cleanerInvariants(const std::string& line, unsigned options, bool quoteAware) {
    std::string cleaned = line;
    ReportLineCleaner(cleaned, options, quoteAware);
    check(cleaned.size() <= line.size());
    const bool stripQuotes = (options & CleanStripQuotes) != 0;
    if ((options & CleanTrimLeading) && !stripQuotes) {
        check(cleaned.empty() || cleaned.front() != ' ');
    }
    if ((options & CleanTrimTrailing) && !stripQuotes) {
        check(cleaned.empty() || cleaned.back() != ' ');
    }
    if (!quoteAware) {
        if (options & CleanTabToBlank) {
            check(cleaned.find('\t') == std::string::npos);
        }
        if (options & CleanCutAtLf) {
            check(cleaned.find('\n') == std::string::npos);
        }
        if (options & CleanCutAtSemicolon) {
            check(cleaned.find(';') == std::string::npos);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    const unsigned options = data[0] & 0x7f;
    const bool quoteAware = (data[0] & 0x80) != 0;
    const char* p = reinterpret_cast<const char*>(data + 1);
    const char* end = reinterpret_cast<const char*>(data + size);

    MeasurementCircuit days;
    ParseContext ctx(days);
    std::string line;
    while (p < end) {
        const void* lf = std::memchr(p, '\n', static_cast<size_t>(end - p));
        const char* stop = lf ? static_cast<const char*>(lf) + 1 : end;
        line.assign(p, stop);
        p = stop;
        cleanerInvariants(line, options, quoteAware);
        ReportLineCleaner(line, kReceptionCleanOptions);
        try {
            FeedLine(ctx, line);
        } catch (const CxException& e) {
            check(e.hasMessage() && e.message().size() > 0);
            break; // a reception ends at the first error
        }
    }
    for (const MeasurementDay& d : days.days) {
        check(d.channel == 1 || d.channel == 2);
        check(d.date.isValid());
        check(d.data.circuitType >= 0 && d.data.circuitType <= 3);
        for (const IntervalSample& s : d.data.intervals) {
            check(s.time.isValid());
        }
    }
    return 0;
}
