// How long the start keeps the user waiting: the whole start sequence up to the first paint of
// the main frame (settings, log, document, frame; the data file is read on a worker meanwhile)
// and up to the data being in, against the bare load of the same data file by the document data
// alone.
//
// The data file: one customer, 10 circuits x 3200 days x 48 samples (about 150 MB). It goes to
// the benchmark folder (BenchFolder.h) under orvo_app_bench/ and is removed at exit.
#include "app/gui/AppShell.h"
#include "app/gui/MainFrame.h"
#include "app/gui/OrvoViewDoc.h"
#include "bench/BenchFolder.h"
#include "bench/QtBenchMain.h"
#include "store/DAT_DataFile.h"
#include "store/DocumentData.h"
#include "support/ScriptedPrompt.h"

#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

namespace fs = std::filesystem;

namespace {

constexpr int kCircuits = 10;
constexpr int kDays = 3200;
constexpr int kSamples = 48;

fs::path appFolder() {
    return benchFolder() / "orvo_app_bench";
}
fs::path dataFile() {
    return appFolder() / datafile::kFolderName / datafile::kFileName;
}

void writeDataFile() {
    if (fs::exists(dataFile()))
        return;
    MeasurementStore store;
    Customer& customer = store.at(store.insert("Bench customer"));
    for (int c = 0; c < kCircuits; ++c) {
        MeasurementCircuit& circuit =
            customer.circuits.at(customer.circuits.insert("Circuit " + std::to_string(c)));
        const DateTime first = DateTime::make(2000, 1, 1);
        for (int d = 0; d < kDays; ++d) {
            MeasurementDay day;
            day.date = first.addDays(d);
            day.data.circuitType = 3;
            for (int s = 0; s < kSamples; ++s) {
                IntervalSample sample;
                sample.time = day.date.addMinutes(30 * (s + 1));
                sample.power = 1000.0 + s;
                sample.powerFactor = 95.0;
                sample.voltage = {6600.0, 6610.0, 6620.0};
                sample.current = {10.0, 11.0, 12.0};
                day.data.addOrReplaceSample(sample);
            }
            circuit.addOrReplaceDay(std::move(day));
        }
    }
    fs::create_directories(dataFile().parent_path());
    const std::string bytes = datafile::encode(SerialSettings{}, store);
    std::ofstream(dataFile(), std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void BM_BareLoad(benchmark::State& state) {
    writeDataFile();
    ScriptedPrompt prompt;
    for (auto _ : state) {
        DocumentData data;
        data.setProgramFolder(appFolder().string());
        if (!data.loadOnce(prompt) || data.store().count() != 1) {
            state.SkipWithError("load failed");
            break;
        }
        state.PauseTiming();
        data = DocumentData(); // freeing the store is not part of the load
        state.ResumeTiming();
    }
    state.counters["MB"] = static_cast<double>(fs::file_size(dataFile())) / 1e6;
}
BENCHMARK(BM_BareLoad)->Unit(benchmark::kMillisecond)->Iterations(3);

// The read alone, with the progress followed, on the calling thread or on a new one.
void BM_ReadDataFile(benchmark::State& state) {
    writeDataFile();
    const std::string path = dataFile().string();
    for (auto _ : state) {
        std::atomic<uint64_t> progress{0};
        DocumentData::ReadData read;
        if (state.range(0) == 0) {
            read = DocumentData::readDataFile(path, &progress);
        } else {
            std::thread worker([&] { read = DocumentData::readDataFile(path, &progress); });
            worker.join();
        }
        state.PauseTiming();
        read = DocumentData::ReadData();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ReadDataFile)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->UseRealTime();

// The start up to the first paint of the main window, or up to the data being in as well
// (a large file is read on a worker thread while the window shows).
void startup(benchmark::State& state, bool toLoaded, bool atOnce = false) {
    writeDataFile();
    for (auto _ : state) {
        AppShell::Options options;
        options.folder = appFolder().string();
        options.baseName = "orvoview";
        if (atOnce)
            options.beforeLoad = [](COrvoViewDoc& doc) {
                doc.setBackgroundLoadBytesForTesting(UINT64_MAX);
            };
        AppShell shell(options);
        QEventLoop loop;
        QTimer watchdog;
        watchdog.setSingleShot(true);
        QObject::connect(&watchdog, &QTimer::timeout, &loop, &QEventLoop::quit);
        bool painted = false;
        const auto done = [&] { return painted && (!toLoaded || shell.document()->isLoaded()); };
        if (!shell.initInstance()) {
            state.SkipWithError("start failed");
            break;
        }
        QObject::connect(shell.frame(), &CMainFrame::firstPainted, &loop, [&] {
            painted = true;
            if (done())
                loop.quit();
        });
        QObject::connect(shell.document(), &COrvoViewDoc::loadFinished, &loop, [&] {
            if (done())
                loop.quit();
        });
        watchdog.start(120000);
        if (!done())
            loop.exec();
        state.PauseTiming();
        shell.document()->finishLoadNow();
        if (!painted || shell.document()->store().count() != 1) {
            state.SkipWithError("no paint or data file not loaded");
            break;
        }
        shell.exitInstance();
        state.ResumeTiming();
    }
}

void BM_StartupToFirstPaint(benchmark::State& state) {
    startup(state, false);
}
BENCHMARK(BM_StartupToFirstPaint)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_StartupToLoaded(benchmark::State& state) {
    startup(state, true);
}
BENCHMARK(BM_StartupToLoaded)->Unit(benchmark::kMillisecond)->Iterations(3);

// The start as it was before the worker: the file read before the window shows.
void BM_StartupToFirstPaintLoadingAtOnce(benchmark::State& state) {
    startup(state, false, true);
}
BENCHMARK(BM_StartupToFirstPaintLoadingAtOnce)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv) {
    const int status = runQtBenchmarks<QApplication>(argc, argv);
    std::error_code ec;
    fs::remove_all(appFolder(), ec);
    return status;
}
