#include "analysis/DayResults.h"

const HalfHourDemand* DayResults::largest() const {
    const HalfHourDemand* best = nullptr;
    for (const HalfHourDemand& h : halfHours)
        if (!best || h.demand > best->demand)
            best = &h;
    return best;
}

DayResults dayResults(const DayData& day, const DateTime& date) {
    DayResults r;
    const DateTime midnight = date.dateOnly(); // split once for all the day's samples
    const int interval = intervalMinutesOf(day, midnight.value());
    r.coverage = dayCoverage(day, midnight.value(), interval);
    r.halfHours = dayHalfHours(day, midnight, interval);
    return r;
}

void DayResultsCache::attach(const MeasurementCircuit* circuit, std::uint64_t revision) {
    const std::size_t count = circuit ? static_cast<std::size_t>(circuit->days.count()) : 0;
    if (circuit == m_circuit && revision == m_revision && count == m_days.size())
        return;
    m_circuit = circuit;
    m_revision = revision;
    m_days.clear();
    m_days.resize(count);
    m_computed = 0;
}

const DayResults& DayResultsCache::day(int index) {
    std::optional<DayResults>& kept = m_days.at(static_cast<std::size_t>(index));
    if (!kept) {
        const MeasurementDay& d = m_circuit->days.at(index);
        kept = dayResults(d.data, d.date);
        ++m_computed;
    }
    return *kept;
}
