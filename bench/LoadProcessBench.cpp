// The whole-process load: `orvoview-cli list` on a data file of 1-minute days, started as its
// own process, against a program that reads the same file into new memory
// (read_into_memory.cpp), with and without huge pages for that memory; the three run in turn
// in every iteration. Counters: "ratio" (baseline time / list time: 1 is as fast as the bare
// read), "ratio_huge" (the same against the read into huge pages), the real and CPU times and
// the peak memory of each process.
//
// The data files (about 177 MB and 1 GB) are made in the benchmark folder (BenchFolder.h) under
// orvo_load_bench_<MB>/ and removed when their benchmark ends. ORVO_BENCH_CLI names another
// orvoview-cli to measure (an older build, for a before and after).
#include "bench/BenchFolder.h"
#include "bench/MinuteStore.h"
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;
namespace fs = std::filesystem;

namespace {

// The data folder of one size, made for one benchmark and removed after it.
struct DataFolder {
    fs::path home;
    fs::path file;
    explicit DataFolder(int megabytes)
        : home(benchFolder() / ("orvo_load_bench_" + std::to_string(megabytes))),
          file(home / datafile::kFolderName / datafile::kFileName) {
        writeMinuteDataFile(file, megabytes);
    }
    ~DataFolder() {
        std::error_code ec;
        fs::remove_all(home, ec);
    }
    DataFolder(const DataFolder&) = delete;
    DataFolder& operator=(const DataFolder&) = delete;
};

struct Run {
    double seconds = 0;
    double cpuSeconds = 0;
    double peakMegabytes = 0;
    bool ok = false;
};

double seconds(const timeval& t) {
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
}

// Starts the program with its output to /dev/null and waits for its end.
Run runProcess(std::vector<std::string> args) {
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    Run run;
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
        int status = 0;
        rusage usage{};
        if (::wait4(pid, &status, 0, &usage) == pid) {
            run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
            run.cpuSeconds = seconds(usage.ru_utime) + seconds(usage.ru_stime);
            run.peakMegabytes = static_cast<double>(usage.ru_maxrss) * 1024.0 / 1e6;
        }
    }
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    posix_spawn_file_actions_destroy(&actions);
    return run;
}

struct Totals {
    double seconds = 0;
    double cpuSeconds = 0;
    double peakMegabytes = 0;
    void add(const Run& r) {
        seconds += r.seconds;
        cpuSeconds += r.cpuSeconds;
        peakMegabytes = std::max(peakMegabytes, r.peakMegabytes);
    }
};

void BM_WholeProcessLoad(benchmark::State& state) {
    const DataFolder data(static_cast<int>(state.range(0)));
    const char* other = std::getenv("ORVO_BENCH_CLI");
    const std::vector<std::string> list = {other && *other ? other : ORVO_CLI, "list", "--home",
                                           data.home.string()};
    const std::vector<std::string> read = {ORVO_READ_INTO_MEMORY, data.file.string()};
    const std::vector<std::string> readHuge = {ORVO_READ_INTO_MEMORY, "--huge", data.file.string()};
    // Once each first, so all find the file in the page cache.
    for (const auto& args : {read, readHuge, list})
        runProcess(args);
    Totals listed, plain, huge;
    for (auto _ : state) {
        const Run r = runProcess(read);
        const Run h = runProcess(readHuge);
        const Run l = runProcess(list);
        if (!r.ok || !h.ok || !l.ok) {
            state.SkipWithError("a process failed");
            return;
        }
        state.SetIterationTime(l.seconds);
        listed.add(l);
        plain.add(r);
        huge.add(h);
    }
    const auto n = static_cast<double>(state.iterations());
    state.counters["file_MB"] = static_cast<double>(fs::file_size(data.file)) / 1e6;
    state.counters["ratio"] = plain.seconds / listed.seconds;
    state.counters["ratio_huge"] = huge.seconds / listed.seconds;
    state.counters["ratio_cpu"] = plain.cpuSeconds / listed.cpuSeconds;
    state.counters["list_ms"] = listed.seconds / n * 1e3;
    state.counters["read_ms"] = plain.seconds / n * 1e3;
    state.counters["read_huge_ms"] = huge.seconds / n * 1e3;
    state.counters["list_cpu_ms"] = listed.cpuSeconds / n * 1e3;
    state.counters["read_cpu_ms"] = plain.cpuSeconds / n * 1e3;
    state.counters["list_peak_MB"] = listed.peakMegabytes;
    state.counters["read_peak_MB"] = plain.peakMegabytes;
}

} // namespace

BENCHMARK(BM_WholeProcessLoad)
    ->Arg(177)
    ->Arg(1024)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5)
    ->UseManualTime();
