#pragma once
// Realistic recorder reports in Shift-JIS, for tests, benchmarks and a pseudo-terminal playing
// the recorder. Deterministic from a seed: the same options give the same bytes.
#include "store/DAT_Records.h"
#include "store/DAT_Store.h"
#include "support/DateTime.h"

#include <cstddef>
#include <cstdint>
#include <string>

struct ReportGenOptions {
    uint64_t seed = 1;
    DateTime firstDay = DateTime::make(2006, 12, 15);
    int days = 1;
    bool channel1 = true;
    bool channel2 = false;
    int32_t circuitType1 = CircuitSinglePhase; // 1 単相, 2 3相3線, 3 3相4線
    int32_t circuitType2 = CircuitThreePhase3Wire;
    bool reverse = false;     // a reverse power column ("正方向" in the "時刻" line)
    int intervalMinutes = 30; // 1 .. 60, a divisor of 1440
    bool outages = true;      // now and then an outage, with its "停電" note in the listing
    bool noise = true;        // titles, page headers, blank lines between blocks
    bool fullWidthHeader = true;
    bool keepExpected = true; // keep the days the report carries (a year at 1 min is large)
    std::string lineEnd = "\r\n";
};

// Both channels with the reverse-power column, the widest listing: 3相3線 on channel 1, 3相4線 on
// channel 2.
ReportGenOptions twoChannelOptions(uint64_t seed, DateTime firstDay, int days, int intervalMinutes);

// What stays the same for a channel over the whole report (made in ReportGenerator.cpp).
struct ReportChannel;

class ReportGenerator {
public:
    // Throws std::invalid_argument for options it cannot honour.
    explicit ReportGenerator(ReportGenOptions options);

    // Appends the next piece of the report to `out`: the opening title, then one calendar day
    // with every channel. False (and nothing appended) when the report is complete.
    bool next(std::string& out);
    // The whole (remaining) report.
    std::string generate();

    // The days the report carries, exactly as the parser is to read them back (filled as the
    // pieces are made; empty unless keepExpected).
    const MeasurementCircuit& expectedDays() const { return m_expected; }
    std::size_t linesWritten() const { return m_lines; }
    const ReportGenOptions& options() const { return m_options; }

private:
    void writeDay(std::string& out, int dayIndex);
    void writeChannelDay(std::string& out, const ReportChannel& ch, int dayIndex,
                         const DateTime& date, int outageStart, int outageEnd);
    void noise(std::string& out, uint64_t salt);
    void line(std::string& out, std::string_view text);

    ReportGenOptions m_options;
    MeasurementCircuit m_expected;
    int m_nextDay = -1; // -1: the title comes first
    int m_page = 1;
    std::size_t m_lines = 0;
};

// Circuit type from "1", "2", "3" or the names "単相", "3相3線", "3相4線" (UTF-8); 0 if none.
int32_t circuitTypeFromText(std::string_view text);
