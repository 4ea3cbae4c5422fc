// Cost of one log line (lock, open, append, close) and of the profile calls made at start-up.
#include "bench/BenchFolder.h"
#include "support/LogFile.h"
#include "support/ProfileSettings.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <stdexcept>
#include <stdlib.h>
#include <string>

namespace {

struct Folder {
    Folder() {
        // Never a folder of someone else's: the destructor removes it whole.
        std::string pattern = (benchFolder() / "orvo_bench_XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            throw std::runtime_error("cannot create a folder in " + benchFolder().string());
        path = pattern;
    }
    ~Folder() {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
    std::string path;
};

void BM_LogWriteLine(benchmark::State& state) {
    Folder dir;
    LogFile log;
    log.OpenLog(dir.path + "/OrvoView", 7, 4, 10000, 5242880);
    const std::string text(80, 'x');
    for (auto _ : state) {
        log.WriteLine(sjis::Text(text));
    }
}
BENCHMARK(BM_LogWriteLine);

ProfileSettings settingsIn(const std::string& folder) {
    ProfileFolders f;
    f.exeFolder = folder;
    f.exeBaseName = "OrvoView";
    ProfileSettings s(f);
    s.init(ProfileSettings::ProgramFolder);
    for (int i = 0; i < 20; ++i) {
        s.putInt("Param", "Key" + std::to_string(i), i);
    }
    return s;
}

void BM_ProfileGetInt(benchmark::State& state) {
    Folder dir;
    ProfileSettings s = settingsIn(dir.path);
    for (auto _ : state) {
        benchmark::DoNotOptimize(s.getInt("Param", "Key19", -1, false));
    }
}
BENCHMARK(BM_ProfileGetInt);

void BM_ProfilePutInt(benchmark::State& state) {
    Folder dir;
    ProfileSettings s = settingsIn(dir.path);
    int i = 0;
    for (auto _ : state) {
        s.putInt("Param", "Key10", ++i); // atomic replace with a flush to disk
    }
}
BENCHMARK(BM_ProfilePutInt);

} // namespace
