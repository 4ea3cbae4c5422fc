// CPU time the reception worker spends per received line, with the received lines posted to
// the dialog ("収集データを表示する" on) and without. The worker runs on the benchmark's thread,
// so the measured CPU time is the worker's; a second thread plays the recorder.
#include "bench/BenchFolder.h"
#include "link/PtyPair.h" // tests/link
#include "link/ReceptionWorker.h"
#include "link/SampleReport.h"
#include <benchmark/benchmark.h>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <thread>

namespace {

// Stands in for the dialog's queue: every notice is copied into a locked list.
class QueueSink : public ReceptionNoticeSink {
public:
    void onReceptionNotice(ReceptionNotice notice) override {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_queue.push_back(std::move(notice));
    }
    void clear() {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_queue.clear();
    }

private:
    std::mutex m_mutex;
    std::vector<ReceptionNotice> m_queue;
};

const std::string& reportText() {
    static const std::string text = sample::report(2, 96); // two days, 15-minute intervals
    return text;
}

int64_t lineCount() {
    const std::string& t = reportText();
    return static_cast<int64_t>(std::count(t.begin(), t.end(), '\n'));
}

void counters(benchmark::State& state) {
    state.counters["lines"] = static_cast<double>(lineCount());
    state.counters["cpu_per_line"] = benchmark::Counter(
        static_cast<double>(lineCount()),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_SerialReception(benchmark::State& state) {
    const bool showLines = state.range(0) != 0;
    for (auto _ : state) {
        state.PauseTiming();
        PtyPair pty;
        SerialPort port;
        std::string path = pty.slavePath();
        port.setDeviceLookup([path](int) { return path; });
        QueueSink sink;
        ReceptionWorker worker(port, sink);
        worker.setShowLines(showLines);
        ReceptionRequest request;
        request.timings.settle = std::chrono::milliseconds(0);
        request.timings.interByteMs = 50; // the end of the report arrives sooner
        request.timings.endPause = std::chrono::milliseconds(0);
        std::thread recorder([&] { pty.write(reportText()); });
        state.ResumeTiming();

        ReceptionResult result = worker.run(request);

        state.PauseTiming();
        recorder.join();
        if (result != ReceptionResult::Success || worker.receivedDays().days.count() != 4)
            state.SkipWithError("reception failed");
        state.ResumeTiming();
    }
    counters(state);
}
BENCHMARK(BM_SerialReception)
    ->ArgName("showLines")
    ->Arg(1)
    ->Arg(0)
    ->Iterations(15)
    ->Unit(benchmark::kMillisecond);

void BM_FileReception(benchmark::State& state) {
    const bool showLines = state.range(0) != 0;
    std::filesystem::path file = benchFolder() / "bench_serial_report.txt";
    std::ofstream(file, std::ios::binary) << reportText();
    for (auto _ : state) {
        QueueSink sink;
        SerialPort port;
        ReceptionWorker worker(port, sink);
        worker.setShowLines(showLines);
        ReceptionRequest request;
        request.fromFile = true;
        request.filePath = file.string();
        request.timings.endPause = std::chrono::milliseconds(0);
        request.timings.linePause = std::chrono::milliseconds(state.range(1));
        if (worker.run(request) != ReceptionResult::Success)
            state.SkipWithError("reception failed");
    }
    counters(state);
    std::filesystem::remove(file);
}
// The second argument drops the worker's pause of 1 ms per line, leaving the cost of reading,
// cleaning, posting and parsing.
BENCHMARK(BM_FileReception)
    ->ArgNames({"showLines", "linePauseMs"})
    ->Args({1, 1})
    ->Args({0, 1})
    ->Args({1, 0})
    ->Args({0, 0})
    ->Iterations(15)
    ->Unit(benchmark::kMillisecond);

} // namespace
