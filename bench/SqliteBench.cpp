// export-sqlite against writing the same rows into tables with no key and no index, both in
// one transaction, and the database size against the data file size (counters "MB/s",
// "db/datafile").
//
// The store: one customer, circuits of 1-minute days (1440 samples, four-wire) until the data
// file reaches $ORVO_BENCH_SQLITE_MB megabytes (default 100; scripts/bench.sh runs 1024).
#include "bench/BenchFolder.h"
#include "bench/MinuteStore.h"
#include "textout/SqliteExport.h"
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <sqlite3.h>
#include <string>

namespace fs = std::filesystem;

namespace {

double targetMegabytes() {
    const char* text = std::getenv("ORVO_BENCH_SQLITE_MB");
    return text && *text ? std::atof(text) : 100.0;
}

struct Fixture {
    MeasurementStore store;
    double fileBytes = 0;
    Fixture() : store(generateMinuteStore(targetMegabytes())) {
        const fs::path file = benchFolder() / "sqlite_bench.DAT";
        saveGeneratedStore(store, file);
        fileBytes = static_cast<double>(fs::file_size(file));
        fs::remove(file);
    }
};

Fixture& fixture() {
    static Fixture f;
    return f;
}

fs::path freshDatabase(const char* name) {
    const fs::path path = benchFolder() / name;
    std::error_code ec;
    fs::remove(path, ec);
    return path;
}

void report(benchmark::State& state, const fs::path& db) {
    const double size = static_cast<double>(fs::file_size(db));
    state.counters["MB/s"] = benchmark::Counter(fixture().fileBytes / 1e6,
                                                benchmark::Counter::kIsIterationInvariantRate);
    state.counters["datafile MB"] = fixture().fileBytes / 1e6;
    state.counters["db/datafile"] = size / fixture().fileBytes;
}

void BM_ExportSqlite(benchmark::State& state) {
    Fixture& f = fixture();
    fs::path db;
    for (auto _ : state) {
        state.PauseTiming();
        db = freshDatabase("sqlite_bench.sqlite");
        state.ResumeTiming();
        SqliteExportResult r = exportToSqlite(f.store, db);
        if (!r.ok)
            state.SkipWithError(r.error.c_str());
    }
    report(state, db);
}

// The same sample and day rows (times as ISO text) into bare tables: what the keys, indexes
// and the day lookups cost.
void BM_SameRowsNoIndexes(benchmark::State& state) {
    Fixture& f = fixture();
    fs::path db;
    for (auto _ : state) {
        state.PauseTiming();
        db = freshDatabase("sqlite_bench_plain.sqlite");
        state.ResumeTiming();
        sqlite3* h = nullptr;
        sqlite3_open(db.c_str(), &h);
        sqlite3_exec(h,
                     "BEGIN; CREATE TABLE day (circuit TEXT, channel INTEGER, date TEXT,"
                     " energy REAL); CREATE TABLE sample (day INTEGER, time TEXT, p REAL, r REAL,"
                     " pf REAL, v1 REAL, v2 REAL, v3 REAL, c1 REAL, c2 REAL, c3 REAL)",
                     nullptr, nullptr, nullptr);
        sqlite3_stmt* addDay = nullptr;
        sqlite3_stmt* addSample = nullptr;
        sqlite3_prepare_v2(h, "INSERT INTO day VALUES (?,?,?,?)", -1, &addDay, nullptr);
        sqlite3_prepare_v2(h, "INSERT INTO sample VALUES (?,?,?,?,?,?,?,?,?,?,?)", -1, &addSample,
                           nullptr);
        const Customer& customer = f.store.at(0);
        char text[32];
        for (int k = 0; k < customer.circuits.count(); ++k) {
            const MeasurementCircuit& circuit = customer.circuits.at(k);
            for (int d = 0; d < circuit.days.count(); ++d) {
                const MeasurementDay& day = circuit.days.at(d);
                std::snprintf(text, sizeof text, "%04d-%02d-%02d", day.date.year(),
                              day.date.month(), day.date.day());
                sqlite3_bind_text(addDay, 1, circuit.name.c_str(), -1, SQLITE_TRANSIENT);
                sqlite3_bind_int(addDay, 2, day.channel);
                sqlite3_bind_text(addDay, 3, text, -1, SQLITE_TRANSIENT);
                sqlite3_bind_double(addDay, 4, day.data.summary.energy);
                sqlite3_step(addDay);
                sqlite3_reset(addDay);
                const sqlite3_int64 id = sqlite3_last_insert_rowid(h);
                for (int n = 0; n < day.data.intervals.count(); ++n) {
                    const IntervalSample& x = day.data.intervals.at(n);
                    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d", x.time.year(),
                                  x.time.month(), x.time.day(), x.time.hour(), x.time.minute(),
                                  x.time.second());
                    sqlite3_bind_int64(addSample, 1, id);
                    sqlite3_bind_text(addSample, 2, text, -1, SQLITE_TRANSIENT);
                    const double values[] = {x.power,      x.reversePower, x.powerFactor,
                                             x.voltage[0], x.voltage[1],   x.voltage[2],
                                             x.current[0], x.current[1],   x.current[2]};
                    for (int i = 0; i < 9; ++i)
                        sqlite3_bind_double(addSample, 3 + i, values[i]);
                    sqlite3_step(addSample);
                    sqlite3_reset(addSample);
                }
            }
        }
        sqlite3_finalize(addDay);
        sqlite3_finalize(addSample);
        sqlite3_exec(h, "COMMIT", nullptr, nullptr, nullptr);
        sqlite3_close(h);
    }
    report(state, db);
}

BENCHMARK(BM_ExportSqlite)->Unit(benchmark::kSecond)->Iterations(1)->Repetitions(3)->UseRealTime();
BENCHMARK(BM_SameRowsNoIndexes)
    ->Unit(benchmark::kSecond)
    ->Iterations(1)
    ->Repetitions(3)
    ->UseRealTime();

} // namespace
