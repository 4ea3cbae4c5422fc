// The JSON form of received days as orvoview-cli prints it: a month of a two-channel report at
// 5-minute intervals, written to a string stream.
#include "tools/cli/JsonWriter.h"
#include "tools/cli/RecordJson.h"
#include "tools/reportgen/ReportGenerator.h"

#include <benchmark/benchmark.h>

#include <sstream>

namespace {

const MeasurementCircuit& monthOfDays() {
    static const MeasurementCircuit days = [] {
        ReportGenerator generator(twoChannelOptions(7, DateTime::make(2024, 1, 1), 31, 5));
        generator.generate();
        return generator.expectedDays();
    }();
    return days;
}

void BM_DaysAsJson(benchmark::State& state) {
    const MeasurementCircuit& days = monthOfDays();
    std::size_t bytes = 0;
    for (auto _ : state) {
        std::ostringstream out;
        JsonWriter json(out);
        json.beginObject();
        writeDaysMember(json, days);
        json.endObject();
        json.finish();
        bytes += out.str().size();
        benchmark::DoNotOptimize(out);
    }
    state.SetItemsProcessed(state.iterations() * days.days.count());
    state.SetBytesProcessed(static_cast<int64_t>(bytes));
}
BENCHMARK(BM_DaysAsJson)->Unit(benchmark::kMillisecond);

void BM_NumberText(benchmark::State& state) {
    double v = 1234.5678901234567;
    for (auto _ : state) {
        benchmark::DoNotOptimize(JsonWriter::formatNumber(v));
        v += 0.001;
    }
}
BENCHMARK(BM_NumberText);

} // namespace
