#pragma once
// A store of 1-minute days (1440 samples, four-wire, as a recorder reports them every minute)
// of about the given size in the data file: one customer, circuits of a year of days each.
#include "store/ArchiveWriter.h"
#include "store/DAT_DataFile.h"
#include "store/DAT_Store.h"
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

inline MeasurementStore generateMinuteStore(double megabytes) {
    constexpr int kSamples = 1440;
    constexpr int kDaysPerCircuit = 366;
    // About 84 bytes a sample in the data file.
    const long long days = static_cast<long long>(megabytes * 1e6 / (kSamples * 84.0)) + 1;
    MeasurementStore store;
    Customer& customer = store.at(store.insert("Bench customer"));
    for (long long d = 0; d < days; ++d) {
        const int c = static_cast<int>(d / kDaysPerCircuit);
        const std::string name = "Circuit " + std::to_string(c);
        int k = customer.circuits.find(name);
        if (k < 0)
            k = customer.circuits.insert(name);
        MeasurementDay day;
        day.date = DateTime(40000.0 + static_cast<double>(d % kDaysPerCircuit), DateTime::Valid);
        day.data.setHeader(3, 1.0, 100.0);
        day.data.intervals.reserve(kSamples);
        for (int s = 0; s < kSamples; ++s) {
            IntervalSample x;
            x.time = DateTime(day.date.value() + (s + 1) / 1440.0, DateTime::Valid);
            x.power = 1000.0 + s + static_cast<double>(d) * 0.01;
            x.powerFactor = 95.0 + (s % 7) * 0.1;
            x.voltage = {101.0 + (s % 5) * 0.1, 101.5, 100.9};
            x.current = {10.0 + (s % 11) * 0.01, 11.0, 12.0};
            day.data.addOrReplaceSample(x);
        }
        day.data.summary.energy = 24000.0 + static_cast<double>(d);
        day.data.summary.maxDemand.value = 1500.0;
        customer.circuits.at(k).addOrReplaceDay(std::move(day));
    }
    return store;
}

inline void saveGeneratedStore(const MeasurementStore& store, const std::filesystem::path& file) {
    std::filesystem::create_directories(file.parent_path());
    datafile::replaceFileAtomically(file.string(), [&](ByteSink& sink) {
        ArchiveWriter out(sink);
        datafile::write(out, SerialSettings(), store);
        out.flush();
    });
}

// Writes the data file of such a store in a child process, so the caller's heap is left as it
// was (a load measured after a gigabyte was allocated and freed in the same heap would measure
// that heap, not a start's).
inline void writeMinuteDataFile(const std::filesystem::path& file, double megabytes) {
    const pid_t child = ::fork();
    if (child == 0) {
        saveGeneratedStore(generateMinuteStore(megabytes), file);
        std::_Exit(0);
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0)
        throw std::runtime_error("the data file was not made");
}
