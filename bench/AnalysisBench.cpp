// How long the analysis view takes to refill: a report month and a day of 1-minute data, each
// with the twelve-month maximum over a stored year (365 × 1440 samples).
#include "analysis/ReportAnalysis.h"
#include "store/DAT_Store.h"
#include <benchmark/benchmark.h>
#include <cmath>

namespace {

const MeasurementCircuit& yearOfMinutes() {
    static const MeasurementCircuit circuit = [] {
        MeasurementCircuit c;
        const DateTime first = DateTime::make(2023, 1, 1);
        for (int d = 0; d < 365; ++d) {
            MeasurementDay day;
            day.date = first.addDays(d);
            day.data.setHeader(CircuitSinglePhase, 1.0, 1.0);
            for (int m = 1; m <= 1440; ++m) {
                IntervalSample s;
                s.time = day.date.addMinutes(m);
                s.power = 3000.0 + 2000.0 * std::sin(m / 229.0) + (d % 7) * 100.0;
                s.powerFactor = 90.0 + (m % 10);
                s.voltage = {101.0 + (m % 5) * 0.5, 101.5, 0.0};
                s.current = {20.0, 21.0, 0.0};
                day.data.addOrReplaceSample(s);
            }
            c.addOrReplaceDay(std::move(day));
        }
        return c;
    }();
    return circuit;
}

void analyseMonthOfMinutes(benchmark::State& state) {
    const MeasurementCircuit& c = yearOfMinutes();
    for (auto _ : state)
        benchmark::DoNotOptimize(analyseMonth(c, 2023, 12, CircuitLimits(), 1));
}
BENCHMARK(analyseMonthOfMinutes)->Unit(benchmark::kMillisecond);

void analyseDayOfMinutes(benchmark::State& state) {
    const MeasurementCircuit& c = yearOfMinutes();
    const int index = c.findDay(DateTime::make(2023, 12, 15));
    for (auto _ : state)
        benchmark::DoNotOptimize(analyseDay(c, index, CircuitLimits(), 1));
}
BENCHMARK(analyseDayOfMinutes)->Unit(benchmark::kMillisecond);

} // namespace
