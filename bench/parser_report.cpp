// Parse throughput of the report parser on a year-long two-channel report at 1-minute
// intervals, next to merely splitting the same bytes into lines.
#include "link/ReportLineCleaner.h"
#include "link/ReportParser.h"
#include "link/ReportText.h"
#include "tools/reportgen/ReportGenerator.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <string>

namespace {

const std::string& yearReport() {
    static const std::string text = [] {
        ReportGenOptions o = twoChannelOptions(42, DateTime::make(2006, 1, 1), 365, 1);
        o.keepExpected = false;
        return ReportGenerator(o).generate();
    }();
    return text;
}

std::size_t countLines(const std::string& text) {
    std::size_t lines = 0;
    const char* p = text.data();
    const char* end = p + text.size();
    while (p < end) {
        const void* lf = std::memchr(p, '\n', static_cast<std::size_t>(end - p));
        if (lf == nullptr) {
            ++lines;
            break;
        }
        ++lines;
        p = static_cast<const char*>(lf) + 1;
    }
    return lines;
}

void report(benchmark::State& state, std::size_t lines) {
    const std::string& text = yearReport();
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
    state.counters["lines/s"] = benchmark::Counter(static_cast<double>(state.iterations() * lines),
                                                   benchmark::Counter::kIsRate);
    state.counters["MB"] = static_cast<double>(text.size()) / 1e6;
}

// Just finding the line ends.
void BM_SplitLines(benchmark::State& state) {
    const std::string& text = yearReport();
    std::size_t lines = 0;
    for (auto _ : state) {
        lines = countLines(text);
        benchmark::DoNotOptimize(lines);
    }
    report(state, lines);
}

// The reader as the file reception uses it: CR LF, Ctrl-Z, a line buffer.
void BM_ReadLines(benchmark::State& state) {
    const std::string& text = yearReport();
    std::size_t lines = 0;
    std::string line;
    for (auto _ : state) {
        ReportTextReader reader(text);
        lines = 0;
        while (reader.nextLine(line)) {
            ++lines;
        }
        benchmark::DoNotOptimize(lines);
    }
    report(state, lines);
}

// Reading, cleaning and parsing every line into received days.
void BM_ParseReport(benchmark::State& state) {
    const std::string& text = yearReport();
    std::size_t lines = 0;
    int days = 0;
    for (auto _ : state) {
        MeasurementCircuit received;
        ParseContext ctx(received);
        lines = parseReportText(ctx, text);
        days = received.days.count();
        benchmark::DoNotOptimize(received);
    }
    report(state, lines);
    state.counters["days"] = days;
}

} // namespace

BENCHMARK(BM_SplitLines)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadLines)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ParseReport)->Unit(benchmark::kMillisecond);
