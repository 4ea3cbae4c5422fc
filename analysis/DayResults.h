#pragma once
// What the analysis takes from one stored day alone, whichever report shows the day: its
// coverage and its half-hour demand. A circuit's days are kept in a DayResultsCache, so moving
// between days and report months computes each day once.
#include "analysis/DayCoverage.h"
#include "analysis/HalfHourDemand.h"
#include "store/DAT_Store.h"
#include <cstdint>
#include <optional>
#include <vector>

struct DayResults {
    DayCoverage coverage;
    std::vector<HalfHourDemand> halfHours; // in time order
    // The day's largest half-hour, the earliest of equal ones; null without any.
    const HalfHourDemand* largest() const;
};

DayResults dayResults(const DayData& day, const DateTime& date);

// The results of the days of one circuit, each computed when first asked for. The circuit is
// named by its address and the revision of the store holding it: a circuit is never changed in
// place, an edit replaces the store and so changes the revision.
class DayResultsCache {
public:
    DayResultsCache() = default;
    // A cache of its own for one circuit (the analysis functions without a kept cache).
    explicit DayResultsCache(const MeasurementCircuit& circuit) { attach(&circuit, 0); }

    // From now on the results are those of `circuit` in store revision `revision`; what was
    // kept for another circuit or revision is dropped.
    void attach(const MeasurementCircuit* circuit, std::uint64_t revision);
    const MeasurementCircuit* circuit() const { return m_circuit; }

    // The results of the attached circuit's day `index`.
    const DayResults& day(int index);
    // Days computed so far (for tests and benchmarks).
    int computedDays() const { return m_computed; }

private:
    const MeasurementCircuit* m_circuit = nullptr;
    std::uint64_t m_revision = 0;
    std::vector<std::optional<DayResults>> m_days;
    int m_computed = 0;
};
