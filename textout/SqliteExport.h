#pragma once
// Every customer, circuit, day, sample and day summary of a store in an SQLite database that
// ordinary tools can query. The schema is in SqliteSchema.sql beside this file (and README).
#include "store/DAT_Store.h"
#include <filesystem>
#include <functional>
#include <string>

struct SqliteExportResult {
    bool ok = false;
    std::string error; // UTF-8, when not ok: what failed (SQLite's message)
    int customers = 0;
    int circuits = 0;
    int daysWritten = 0;   // new or changed since the last export into the same file
    int daysUnchanged = 0; // already in the file as they are
    long long samples = 0; // written with the days written
};

// What a circuit is checked against, entered per circuit in the program (0 / NaN: none).
struct SqliteCircuitTerms {
    double contractDemand = 0.0;        // W
    double powerFactorThreshold = 85.0; // %
};
using SqliteCircuitTermsOf =
    std::function<SqliteCircuitTerms(const std::string& customer, const std::string& circuit)>;

// Writes `store` into the database at `path` in one transaction, creating the file and its
// tables when missing. Into an existing file it adds what is new and replaces a day whose
// contents changed; days the store no longer has stay (several files may be gathered into one
// database). On failure nothing of this run remains in the file.
SqliteExportResult exportToSqlite(const MeasurementStore& store, const std::filesystem::path& path,
                                  const SqliteCircuitTermsOf& termsOf = {});

// The content fingerprint that tells a changed day from the one already exported.
long long dayFingerprint(const MeasurementDay& day);
