// How long the start keeps the user waiting: the whole start sequence up to the first paint of
// the main frame (settings, log, document, frame; the data file is read on a worker meanwhile)
// and up to the data being in, against the bare load of the same data file by the document data
// alone; and the exit with nothing changed against the exit that saves.
//
// The data files: generated 1-minute days (MinuteStore.h) of about 177 MB and 1 GB, in the
// benchmark folder (BenchFolder.h) under orvo_app_bench_<MB>/, removed at exit.
#include "app/gui/AppShell.h"
#include "app/gui/MainFrame.h"
#include "app/gui/OrvoViewDoc.h"
#include "bench/BenchFolder.h"
#include "bench/MinuteStore.h"
#include "bench/QtBenchMain.h"
#include "store/DocumentData.h"
#include "support/ScriptedPrompt.h"

#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <thread>

namespace fs = std::filesystem;

namespace {

// The data folder of a start with a data file of `megabytes` (generated 1-minute days), made
// at its first use.
fs::path appFolder(int megabytes) {
    static std::set<int> made;
    const fs::path folder = benchFolder() / ("orvo_app_bench_" + std::to_string(megabytes));
    if (made.insert(megabytes).second)
        writeMinuteDataFile(folder / datafile::kFolderName / datafile::kFileName, megabytes);
    return folder;
}

int megabytesOf(const benchmark::State& state) {
    return static_cast<int>(state.range(0));
}

// A data file of 177 MB and one of 1 GB.
void sizes(benchmark::internal::Benchmark* b) {
    b->Arg(177)->Arg(1024)->Unit(benchmark::kMillisecond)->Iterations(3);
}

void setFileSize(benchmark::State& state) {
    const fs::path file =
        appFolder(megabytesOf(state)) / datafile::kFolderName / datafile::kFileName;
    state.counters["MB"] = static_cast<double>(fs::file_size(file)) / 1e6;
}

void BM_BareLoad(benchmark::State& state) {
    const fs::path folder = appFolder(megabytesOf(state));
    ScriptedPrompt prompt;
    for (auto _ : state) {
        DocumentData data;
        data.setProgramFolder(folder.string());
        if (!data.loadOnce(prompt) || data.store().count() != 1) {
            state.SkipWithError("load failed");
            break;
        }
        state.PauseTiming();
        data = DocumentData(); // freeing the store is not part of the load
        state.ResumeTiming();
    }
    setFileSize(state);
}
BENCHMARK(BM_BareLoad)->Apply(sizes);

// The read alone, with the progress followed, on the calling thread or on a new one.
void BM_ReadDataFile(benchmark::State& state) {
    const std::string path =
        (appFolder(megabytesOf(state)) / datafile::kFolderName / datafile::kFileName).string();
    for (auto _ : state) {
        std::atomic<uint64_t> progress{0};
        DocumentData::ReadData read;
        if (state.range(1) == 0) {
            read = DocumentData::readDataFile(path, &progress);
        } else {
            std::thread worker([&] { read = DocumentData::readDataFile(path, &progress); });
            worker.join();
        }
        state.PauseTiming();
        read = DocumentData::ReadData();
        state.ResumeTiming();
    }
    setFileSize(state);
}
BENCHMARK(BM_ReadDataFile)
    ->ArgsProduct({{177, 1024}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->UseRealTime();

AppShell::Options startOptions(const benchmark::State& state, bool atOnce) {
    AppShell::Options options;
    options.folder = appFolder(megabytesOf(state)).string();
    options.baseName = "orvoview";
    if (atOnce)
        options.beforeLoad = [](COrvoViewDoc& doc) {
            doc.setBackgroundLoadBytesForTesting(UINT64_MAX);
        };
    return options;
}

// Runs the start sequence up to the first paint of the main window, or up to the data being
// in as well (a large file is read on a worker thread while the window shows).
bool start(AppShell& shell, bool toLoaded) {
    QEventLoop loop;
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, &loop, &QEventLoop::quit);
    bool painted = false;
    const auto done = [&] { return painted && (!toLoaded || shell.document()->isLoaded()); };
    if (!shell.initInstance())
        return false;
    QObject::connect(shell.frame(), &CMainFrame::firstPainted, &loop, [&] {
        painted = true;
        if (done())
            loop.quit();
    });
    QObject::connect(shell.document(), &COrvoViewDoc::loadFinished, &loop, [&] {
        if (done())
            loop.quit();
    });
    watchdog.start(300000);
    if (!done())
        loop.exec();
    return painted;
}

void startup(benchmark::State& state, bool toLoaded, bool atOnce = false) {
    const AppShell::Options options = startOptions(state, atOnce);
    for (auto _ : state) {
        AppShell shell(options);
        const bool started = start(shell, toLoaded);
        state.PauseTiming();
        if (started)
            shell.document()->finishLoadNow();
        if (!started || shell.document()->store().count() != 1) {
            state.SkipWithError("no paint or data file not loaded");
            break;
        }
        shell.exitInstance();
        state.ResumeTiming();
    }
    setFileSize(state);
}

void BM_StartupToFirstPaint(benchmark::State& state) {
    startup(state, false);
}
BENCHMARK(BM_StartupToFirstPaint)->Apply(sizes);

void BM_StartupToLoaded(benchmark::State& state) {
    startup(state, true);
}
BENCHMARK(BM_StartupToLoaded)->Apply(sizes);

// The start as it was before the worker: the file read before the window shows.
void BM_StartupToFirstPaintLoadingAtOnce(benchmark::State& state) {
    startup(state, false, true);
}
BENCHMARK(BM_StartupToFirstPaintLoadingAtOnce)->Apply(sizes);

// The exit sequence after a start with the data in: with nothing changed (arg 1 = 0) and with
// a change, which saves the data file as every exit did before.
void BM_Exit(benchmark::State& state) {
    const bool changed = state.range(1) != 0;
    const AppShell::Options options = startOptions(state, false);
    for (auto _ : state) {
        state.PauseTiming();
        AppShell shell(options);
        if (!start(shell, true)) {
            state.SkipWithError("start failed");
            break;
        }
        shell.document()->finishLoadNow();
        if (changed)
            shell.document()->markChanged();
        state.ResumeTiming();
        shell.exitInstance();
    }
    setFileSize(state);
}
BENCHMARK(BM_Exit)
    ->ArgsProduct({{177, 1024}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    const int status = runQtBenchmarks<QApplication>(argc, argv);
    std::error_code ec;
    for (int megabytes : {177, 1024})
        fs::remove_all(benchFolder() / ("orvo_app_bench_" + std::to_string(megabytes)), ec);
    return status;
}
