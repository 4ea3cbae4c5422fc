// Speed of saving and loading the data file against plain sequential I/O of the same size,
// and the memory a loaded store takes against the file size.
//
// The store: one customer, 10 circuits x 3650 days x 48 samples (about 170 MB on disk).
// Files go to the benchmark folder (BenchFolder.h) and are removed at exit.
#include "bench/BenchFolder.h"
#include "store/ArchiveReader.h"
#include "store/ArchiveWriter.h"
#include "store/ByteSink.h"
#include "store/DAT_Archive.h"
#include "store/DAT_DataFile.h"
#include "store/DAT_Store.h"
#include "store/FileSink.h"
#include "store/FileSource.h"
#include "store/MemorySink.h"
#include "store/MemorySource.h"
#include "support/DescriptorIo.h"
#include "support/OpenedFile.h"
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <malloc.h>
#include <memory>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr int kCircuits = 10;
constexpr int kDays = 3650;
constexpr int kSamples = 48;
constexpr std::size_t kChunk = 64 * 1024;

fs::path storeFile() {
    return benchFolder() / "store_bench.DAT";
}
fs::path plainFile() {
    return benchFolder() / "store_bench_plain.bin";
}

MeasurementStore generateStore() {
    MeasurementStore store;
    Customer& customer = store.at(store.insert("Bench customer"));
    for (int c = 0; c < kCircuits; ++c) {
        MeasurementCircuit& circuit =
            customer.circuits.at(customer.circuits.insert("Circuit " + std::to_string(c)));
        circuit.days.reserve(kDays);
        for (int d = 0; d < kDays; ++d) {
            MeasurementDay day;
            day.channel = 1;
            day.date = DateTime(40000.0 + d, DateTime::Valid);
            day.data.setHeader(3, 66.0, 100.0);
            day.data.intervals.reserve(kSamples);
            for (int s = 0; s < kSamples; ++s) {
                IntervalSample smp;
                smp.time = DateTime(day.date.value() + (s + 1) / 48.0, DateTime::Valid);
                smp.power = 1000.0 + s + d * 0.01;
                smp.powerFactor = 95.0;
                smp.voltage = {6600.0 + s, 6601.0, 6602.0};
                smp.current = {10.0 + c, 11.0, 12.0};
                day.data.addOrReplaceSample(smp);
            }
            day.data.summary.energy = 24000.0 + d;
            day.data.summary.maxDemand.value = 1500.0;
            circuit.addOrReplaceDay(std::move(day));
        }
    }
    return store;
}

void saveStore(const MeasurementStore& store, const fs::path& path) {
    datafile::replaceFileAtomically(path.string(), [&](ByteSink& sink) {
        ArchiveWriter out(sink);
        datafile::write(out, SerialSettings(), store);
        out.flush();
    });
}

void loadStore(const fs::path& path, MeasurementStore& store) {
    OpenedFile file = OpenedFile::openRead(path.string());
    if (!file.isOpen())
        throw FileAccessError(path.string());
    FileSource source(file);
    ArchiveReader in(source);
    SerialSettings serial;
    datafile::read(in, serial, store);
}

// The generated store and its file, made once.
struct Fixture {
    std::unique_ptr<MeasurementStore> store;
    uint64_t fileBytes = 0;
    Fixture() {
        store = std::make_unique<MeasurementStore>(generateStore());
        saveStore(*store, storeFile());
        fileBytes = fs::file_size(storeFile());
        std::atexit([] {
            std::error_code ec;
            fs::remove(storeFile(), ec);
            fs::remove(plainFile(), ec);
        });
    }
};

Fixture& fixture() {
    static Fixture f;
    return f;
}

void plainWrite(const fs::path& path, uint64_t bytes, bool sync) {
    std::vector<char> chunk(kChunk, '\x5a');
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    for (uint64_t done = 0; done < bytes;) {
        std::size_t n = static_cast<std::size_t>(std::min<uint64_t>(kChunk, bytes - done));
        if (writeAll(fd, std::string_view(chunk.data(), n)) != 0)
            throw FileAccessError("write");
        done += n;
    }
    if (sync)
        ::fsync(fd);
    ::close(fd);
}

uint64_t plainRead(const fs::path& path) {
    std::vector<char> chunk(kChunk);
    OpenedFile file = OpenedFile::openRead(path.string());
    uint64_t total = 0;
    std::size_t n;
    while ((n = file.read(chunk.data(), kChunk)) > 0) {
        benchmark::DoNotOptimize(chunk.data());
        total += n;
    }
    return total;
}

void setBytes(benchmark::State& state, uint64_t bytes) {
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
    state.counters["file_MB"] = static_cast<double>(bytes) / 1e6;
}

// ---- save

// Runs `once` in every iteration; the throughput counts the bytes of the store's file.
template <class Body> void overStoreFile(benchmark::State& state, Body once) {
    Fixture& f = fixture();
    for (auto _ : state)
        once(f);
    setBytes(state, f.fileBytes);
}

void BM_SaveStore(benchmark::State& state) {
    overStoreFile(state, [](Fixture& f) { saveStore(*f.store, storeFile()); });
}

void BM_PlainWriteSynced(benchmark::State& state) {
    overStoreFile(state, [](Fixture& f) { plainWrite(plainFile(), f.fileBytes, true); });
}

// Without the flush to disk: the encoding's own cost against a plain write into the cache.
void BM_SaveStoreNoSync(benchmark::State& state) {
    overStoreFile(state, [](Fixture& f) {
        // A temporary file dropped without its commit: written, never flushed to the disk.
        std::error_code ec;
        OpenedFile file(ReplacementFile::create(plainFile().string(), ec), "bench");
        FileSink sink(file);
        ArchiveWriter out(sink);
        datafile::write(out, SerialSettings(), *f.store);
        out.flush();
    });
}

void BM_PlainWriteNoSync(benchmark::State& state) {
    overStoreFile(state, [](Fixture& f) { plainWrite(plainFile(), f.fileBytes, false); });
}

// ---- load (the file is in the page cache after the first run)

// One load per iteration; freeing the store is not timed.
void loadEachIteration(benchmark::State& state) {
    overStoreFile(state, [&state](Fixture&) {
        auto store = std::make_unique<MeasurementStore>();
        loadStore(storeFile(), *store);
        benchmark::DoNotOptimize(store->count());
        state.PauseTiming();
        store.reset();
        state.ResumeTiming();
    });
}

void BM_LoadStore(benchmark::State& state) {
    loadEachIteration(state);
}

// The same with the heap kept between iterations (glibc: no trimming), so the store's pages
// are already mapped: the decoding cost without the cost of new memory.
void BM_LoadStoreWarmHeap(benchmark::State& state) {
    fixture();
    {
        MeasurementStore warmup;
        loadStore(storeFile(), warmup);
        // Set after the load: a large load's heap reserve sets the default when it ends.
        mallopt(M_TRIM_THRESHOLD, 1 << 30);
    }
    loadEachIteration(state);
    mallopt(M_TRIM_THRESHOLD, 128 * 1024);
    malloc_trim(0);
}

void BM_PlainRead(benchmark::State& state) {
    overStoreFile(state, [](Fixture&) { benchmark::DoNotOptimize(plainRead(storeFile())); });
}

// Reference: reading the whole file into one freshly allocated block (new memory, as a load
// needs, but no decoding).
void BM_PlainReadIntoMemory(benchmark::State& state) {
    overStoreFile(state, [&state](Fixture& f) {
        std::unique_ptr<char[]> block(new char[f.fileBytes]);
        OpenedFile file = OpenedFile::openRead(storeFile().string());
        uint64_t done = 0;
        std::size_t n;
        while ((n = file.read(block.get() + done, static_cast<std::size_t>(std::min<uint64_t>(
                                                      kChunk, f.fileBytes - done)))) > 0)
            done += n;
        benchmark::DoNotOptimize(block.get());
        state.PauseTiming();
        block.reset();
        state.ResumeTiming();
    });
}

// ---- memory: a fresh process loads the file and reports its resident set

long statusKb(const char* key) {
    std::ifstream in("/proc/self/status");
    std::string line;
    std::size_t n = std::strlen(key);
    while (std::getline(in, line))
        if (line.compare(0, n, key) == 0)
            return std::atol(line.c_str() + n + 1);
    return -1;
}

// Runs before main when the benchmark starts itself as the loading child.
struct LoadChild {
    LoadChild() {
        const char* path = std::getenv("ORVO_STORE_BENCH_CHILD");
        if (!path)
            return;
        long before = statusKb("VmRSS");
        MeasurementStore store;
        int code = 0;
        auto start = std::chrono::steady_clock::now();
        try {
            loadStore(path, store);
        } catch (...) {
            code = 1;
        }
        double ms =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count();
        long after = statusKb("VmRSS");
        long peak = statusKb("VmHWM");
        std::printf("%ld %ld %ld %d %f\n", before, after, peak, store.count(), ms);
        std::fflush(stdout);
        _exit(code);
    }
} g_loadChild;

void BM_LoadMemory(benchmark::State& state) {
    Fixture& f = fixture();
    long before = 0, after = 0, peak = 0;
    double loadMs = 0;
    for (auto _ : state) {
        // Through the environment: a folder name may hold any character the shell reads.
        ::setenv("ORVO_STORE_BENCH_CHILD", storeFile().c_str(), 1);
        std::string cmd = "/proc/" + std::to_string(::getpid()) + "/exe";
        FILE* p = ::popen(cmd.c_str(), "r");
        ::unsetenv("ORVO_STORE_BENCH_CHILD");
        int customers = 0;
        if (!p || std::fscanf(p, "%ld %ld %ld %d %lf", &before, &after, &peak, &customers,
                              &loadMs) != 5) {
            state.SkipWithError("child failed");
            if (p)
                ::pclose(p);
            return;
        }
        ::pclose(p);
    }
    double file = static_cast<double>(f.fileBytes);
    state.counters["file_MB"] = file / 1e6;
    state.counters["rss_after_load_MB"] = (after - before) * 1024.0 / 1e6;
    state.counters["peak_during_load_MB"] = (peak - before) * 1024.0 / 1e6;
    state.counters["rss_per_file_byte"] = (after - before) * 1024.0 / file;
    state.counters["peak_per_file_byte"] = (peak - before) * 1024.0 / file;
    // Load time in a fresh process: every page of the store is new memory there.
    state.counters["fresh_process_load_ms"] = loadMs;
}

// A customer of many circuits written in descending (arg 1) or ascending (arg 0) name order,
// as a file from elsewhere may hold them; loaded from memory.
void BM_LoadCircuitsByOrder(benchmark::State& state) {
    const bool descending = state.range(0) != 0;
    const int count = static_cast<int>(state.range(1));
    MemorySink sink;
    {
        ArchiveWriter out(sink);
        out.writeCount(static_cast<uint32_t>(count));
        for (int i = 0; i < count; ++i) {
            MeasurementCircuit c;
            char name[16];
            std::snprintf(name, sizeof name, "K%08d", descending ? count - i : i);
            c.name = name;
            archive::write(out, c);
        }
        archive::writeSignature(out, archive::kCustomerSignature);
        out.writeString("C");
        out.flush();
    }
    const std::string bytes = sink.bytes();
    for (auto _ : state) {
        MemorySource source(bytes);
        ArchiveReader in(source);
        Customer customer;
        archive::read(in, customer);
        benchmark::DoNotOptimize(customer.circuits.count());
    }
    state.counters["circuits"] = count;
    state.counters["file_MB"] = static_cast<double>(bytes.size()) / 1e6;
}

} // namespace

BENCHMARK(BM_LoadCircuitsByOrder)
    ->Args({0, 800000})
    ->Args({1, 800000})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK(BM_SaveStore)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();
BENCHMARK(BM_PlainWriteSynced)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();
BENCHMARK(BM_SaveStoreNoSync)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();
BENCHMARK(BM_PlainWriteNoSync)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();
BENCHMARK(BM_LoadStore)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();
BENCHMARK(BM_LoadStoreWarmHeap)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();
BENCHMARK(BM_PlainRead)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();
BENCHMARK(BM_PlainReadIntoMemory)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();
BENCHMARK(BM_LoadMemory)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
