// Report writing: CSV and workbook of a day of 1440 one-minute samples, a monthly report of
// 31 days, and a month of one-minute days as one workbook.
#include "bench/BenchFolder.h"
#include "store/Aggregation.h"
#include "textout/CsvReport.h"
#include "textout/ReportWorkbook.h"
#include "textout/StringSink.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <unistd.h>

namespace {

// A 3相4線 circuit with reverse power: the widest lines the report has.
MeasurementDay makeDay(DateTime date, int samples) {
    MeasurementDay day;
    day.date = date;
    day.data.setHeader(CircuitThreePhase4Wire, 66, 40);
    day.data.hasReverse = 1;
    const int step = 1440 / samples;
    for (int i = 1; i <= samples; ++i) {
        IntervalSample s;
        s.time = date.addMinutes(i * step);
        s.power = 120000 + 37.3 * (i % 97);
        s.reversePower = -(i % 13) * 811.7;
        s.powerFactor = 90 + (i % 100) * 0.097;
        s.voltage = {6600 + (i % 7) * 3.1, 6590 + (i % 5) * 2.9, 6610 - (i % 3) * 4.3};
        s.current = {180 + (i % 11) * 0.37, 181 + (i % 9) * 0.41, 179 + (i % 8) * 0.29};
        day.data.addOrReplaceSample(s);
    }
    DaySummary& m = day.data.summary;
    m.energy = 2.9e6;
    m.maxDemand = {250000, date.addMinutes(720), date.addMinutes(750)};
    m.reverseMaxDemand = {-12000, date.addMinutes(600), date.addMinutes(630)};
    m.averagePower = 123456;
    for (std::size_t p = 0; p < 3; ++p) {
        m.averageVoltage[p] = 6600;
        m.peakVoltage[p] = {6700, date.addMinutes(60), DateTime()};
    }
    return day;
}

struct Fixture {
    MeasurementCircuit circuit;
    DaySummary month;
    DisplaySelection sel;
};

std::unique_ptr<Fixture> dailyFixture() {
    auto f = std::make_unique<Fixture>();
    f->circuit.addOrReplaceDay(makeDay(DateTime::make(2007, 1, 5), 1440));
    f->sel.customerIndex = f->sel.circuitIndex = f->sel.dayIndex = 0;
    f->sel.customerName = "Customer";
    f->sel.circuitName = "Circuit";
    f->sel.circuit = &f->circuit;
    f->sel.day = f->circuit.days.at(0);
    return f;
}

std::unique_ptr<Fixture> monthlyFixture() {
    auto f = std::make_unique<Fixture>();
    for (int d = 0; d < 31; ++d)
        f->circuit.addOrReplaceDay(makeDay(DateTime::make(2006, 12, 21).addDays(d), 48));
    f->sel.customerIndex = f->sel.circuitIndex = f->sel.dayIndex = 0;
    f->sel.customerName = "Customer";
    f->sel.circuitName = "Circuit";
    f->sel.circuit = &f->circuit;
    f->sel.day = f->circuit.days.at(0);
    f->sel.year = 2006;
    f->sel.month = 12;
    computeMonthSummary(f->month, f->circuit, 2006, 12, 21);
    f->sel.monthSummary = &f->month;
    return f;
}

void run(benchmark::State& state, const Fixture& f) {
    StringSink sink;
    for (auto _ : state) {
        sink.clear();
        ReportLineWriter out(sink);
        writeReportLines(out, f.sel, 21);
        benchmark::DoNotOptimize(sink.bytes().data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(sink.bytes().size()));
}

void BM_CsvDaily1440(benchmark::State& state) {
    run(state, *dailyFixture());
}
void BM_CsvMonthly31(benchmark::State& state) {
    run(state, *monthlyFixture());
}

// The whole command: open with lock, write, flush to disk, close.
void BM_CsvDaily1440ToFile(benchmark::State& state) {
    auto f = dailyFixture();
    const auto dir = benchFolder() / ("orvo_bench_csv_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string path = (dir / "day.CSV").string();
    for (auto _ : state) {
        if (!WriteReportCsv(path, f->sel)) {
            state.SkipWithError("write failed");
            break;
        }
    }
    std::filesystem::remove_all(dir);
}

// One workbook of the reports to a file, the whole command; `days` one-minute days or a month.
void runWorkbook(benchmark::State& state, std::span<const DisplaySelection> reports) {
    const auto dir = benchFolder() / ("orvo_bench_xlsx_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string path = (dir / "report.xlsx").string();
    WorkbookOutputEnv env;
    env.monthStartDay = 21;
    for (auto _ : state) {
        if (!WriteReportWorkbook(path, reports, env)) {
            state.SkipWithError("write failed");
            break;
        }
    }
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(path));
    std::filesystem::remove_all(dir);
}

void BM_XlsxDaily1440(benchmark::State& state) {
    auto f = dailyFixture();
    runWorkbook(state, std::span(&f->sel, 1));
}

void BM_XlsxMonthly31(benchmark::State& state) {
    auto f = monthlyFixture();
    runWorkbook(state, std::span(&f->sel, 1));
}

// --from/--to over a month of one-minute data: 31 sheets of 1440 rows, 44640 samples.
void BM_XlsxMonthOf1MinuteDays(benchmark::State& state) {
    MeasurementCircuit circuit;
    for (int d = 0; d < 31; ++d)
        circuit.addOrReplaceDay(makeDay(DateTime::make(2007, 1, 1).addDays(d), 1440));
    std::vector<DisplaySelection> reports(31);
    for (int d = 0; d < 31; ++d) {
        DisplaySelection& sel = reports[static_cast<std::size_t>(d)];
        sel.customerIndex = sel.circuitIndex = 0;
        sel.dayIndex = d;
        sel.customerName = "Customer";
        sel.circuitName = "Circuit";
        sel.circuit = &circuit;
        sel.day = circuit.days.at(d);
    }
    runWorkbook(state, reports);
}

} // namespace

BENCHMARK(BM_XlsxDaily1440)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_XlsxMonthly31)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_XlsxMonthOf1MinuteDays)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CsvDaily1440)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CsvMonthly31)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CsvDaily1440ToFile)->Unit(benchmark::kMicrosecond);
