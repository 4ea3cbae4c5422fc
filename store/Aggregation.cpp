#include "store/Aggregation.h"

#include <algorithm>
#include <cmath>

namespace {

// A record that was never filled (no time) stands for "no value" and never wins.
bool hasTime(const PeakRecord& r) {
    return r.from.isValid();
}

void takeLarger(PeakRecord& month, const PeakRecord& day) {
    if (day.value > month.value)
        month = day;
}

// Per-phase records: a filled record beats an empty one; otherwise the better value wins.
void takeLargerFilled(PeakRecord& month, const PeakRecord& day) {
    if (!hasTime(day))
        return;
    if (!hasTime(month) || day.value > month.value)
        month = day;
}

void takeSmallerFilled(PeakRecord& month, const PeakRecord& day) {
    if (!hasTime(day))
        return;
    if (!hasTime(month) || day.value < month.value)
        month = day;
}

// The recorder prints reverse values negative; the larger reverse flow is the larger magnitude.
// A day without a reverse record (value 0) therefore never replaces a real one.
void takeLargerMagnitude(PeakRecord& month, const PeakRecord& day) {
    if (std::fabs(day.value) > std::fabs(month.value))
        month = day;
}

} // namespace

int firstDayInWindow(const MeasurementCircuit& circuit, const MonthWindow& window) {
    if (!window.isValid())
        return -1;
    // Days are ordered by channel, then date: the search keyed with the circuit's channel can
    // land on another channel's earlier days. Step past those.
    int index = circuit.lowerBoundDay(window.start);
    while (index < circuit.days.count() && circuit.days.at(index).date < window.start)
        ++index;
    return index < circuit.days.count() && window.contains(circuit.days.at(index).date) ? index
                                                                                        : -1;
}

int firstDayInYear(const MeasurementCircuit& circuit, int year, int startDay) {
    for (int month = 1; month <= 12; ++month)
        if (const int first = firstDayInWindow(circuit, monthWindow(year, month, startDay));
            first >= 0)
            return first;
    return -1;
}

std::vector<int> daysInWindow(const MeasurementCircuit& circuit, const MonthWindow& window) {
    std::vector<int> result;
    const int first = firstDayInWindow(circuit, window);
    if (first < 0)
        return result;
    const int32_t channel = circuit.days.at(first).channel;
    for (int i = first; i < circuit.days.count(); ++i) {
        const MeasurementDay& day = circuit.days.at(i);
        if (day.channel != channel || !window.contains(day.date))
            break;
        result.push_back(i);
    }
    return result;
}

void addDayToMonthSummary(DaySummary& m, const DaySummary& d) {
    m.energy += d.energy;
    m.reverseEnergy += d.reverseEnergy;
    m.spareTotal += d.spareTotal;
    m.leadReactiveEnergy += d.leadReactiveEnergy;
    m.lagReactiveEnergy += d.lagReactiveEnergy;
    m.averagePower += d.averagePower;
    m.reverseAveragePower += d.reverseAveragePower;
    m.averagePowerFactor += d.averagePowerFactor;

    takeLarger(m.maxDemand, d.maxDemand);
    takeLargerMagnitude(m.reverseMaxDemand, d.reverseMaxDemand);
    takeLarger(m.peakPower, d.peakPower);
    takeLargerMagnitude(m.reversePeakPower, d.reversePeakPower);
    m.peakPowerFactor = std::max(m.peakPowerFactor, d.peakPowerFactor);
    m.reversePeakPowerFactor = std::max(m.reversePeakPowerFactor, d.reversePeakPowerFactor);

    for (std::size_t i = 0; i < 3; ++i) {
        m.averageVoltage[i] += d.averageVoltage[i];
        m.averageCurrent[i] += d.averageCurrent[i];
        // The month's peaks are the extremes over its days, each with the time of its day.
        takeLargerFilled(m.peakVoltage[i], d.peakVoltage[i]);
        takeSmallerFilled(m.minVoltage[i], d.minVoltage[i]);
        takeLargerFilled(m.maxCurrent[i], d.maxCurrent[i]);
        takeLargerFilled(m.peakCurrent[i], d.peakCurrent[i]);
    }
}

DaySummary monthSummary(const MeasurementCircuit& circuit, int year, int month, int startDay) {
    DaySummary m;
    const std::vector<int> days = daysInWindow(circuit, monthWindow(year, month, startDay));
    if (days.empty())
        return m;
    m = circuit.days.at(days.front()).data.summary;
    for (std::size_t k = 1; k < days.size(); ++k)
        addDayToMonthSummary(m, circuit.days.at(days[k]).data.summary);

    const double f = 1.0 / static_cast<double>(days.size());
    m.averagePower *= f;
    m.reverseAveragePower *= f;
    m.averagePowerFactor *= f;
    for (std::size_t i = 0; i < 3; ++i) {
        m.averageVoltage[i] *= f;
        m.averageCurrent[i] *= f;
    }
    return m;
}

void computeMonthSummary(DaySummary& target, const MeasurementCircuit& circuit, int year, int month,
                         int startDay) {
    target = monthSummary(circuit, year, month, startDay);
}

ScaleMaxima dayMaxima(const DayData& day) {
    ScaleMaxima m;
    const auto phases = static_cast<std::size_t>(day.phaseCount());
    bool first = true;
    for (const IntervalSample& s : day.intervals) {
        double power = std::max(s.power / 1000.0, std::fabs(s.reversePower / 1000.0));
        double voltage = s.voltage[0] / 1000.0;
        double current = s.current[0];
        for (std::size_t i = 1; i < phases; ++i) {
            voltage = std::max(voltage, s.voltage[i] / 1000.0);
            current = std::max(current, s.current[i]);
        }
        if (first) {
            m = {power, s.powerFactor, voltage, current};
            first = false;
        } else {
            m.power = std::max(m.power, power);
            m.powerFactor = std::max(m.powerFactor, s.powerFactor);
            m.voltage = std::max(m.voltage, voltage);
            m.current = std::max(m.current, current);
        }
    }
    return m;
}

ScaleMaxima monthMaxima(const MeasurementCircuit& circuit, int year, int month, int startDay) {
    ScaleMaxima m;
    bool first = true;
    for (int index : daysInWindow(circuit, monthWindow(year, month, startDay))) {
        const ScaleMaxima d = dayMaxima(circuit.days.at(index).data);
        if (first) {
            m = d;
            first = false;
        } else {
            m.power = std::max(m.power, d.power);
            m.powerFactor = std::max(m.powerFactor, d.powerFactor);
            m.voltage = std::max(m.voltage, d.voltage);
            m.current = std::max(m.current, d.current);
        }
    }
    return m;
}
