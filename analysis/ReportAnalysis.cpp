#include "analysis/ReportAnalysis.h"

#include "store/Aggregation.h"

namespace {

// The parts shared by both report kinds, over the given stored days.
void analyseDays(ReportAnalysis& a, const MeasurementCircuit& circuit,
                 const std::vector<int>& dayIndices, int startDay) {
    for (int index : dayIndices) {
        const MeasurementDay& day = circuit.days.at(index);
        a.days.push_back({day.date, dayCoverage(day.data, day.date)});
        std::vector<HalfHourDemand> part = dayHalfHours(day.data, day.date);
        a.halfHours.insert(a.halfHours.end(), part.begin(), part.end());
        addDayStatistics(a.statistics, day.data);
    }
    a.largest = largestHalfHours(a.halfHours, kLargestHalfHours);
    a.twelveMonths = twelveMonthMaxima(circuit, a.year, a.month, startDay);
    a.twelveMonthMaximum = largestOf(a.twelveMonths);

    a.counts.band = voltageBandOf(a.limits, a.statistics.voltage[0].average);
    for (int index : dayIndices) {
        const MeasurementDay& day = circuit.days.at(index);
        countDayLimits(a.counts, day.data, day.date, a.limits);
    }
    a.counts.demandAbove = countAboveContract(a.halfHours, a.limits.contractDemand);
    const HalfHourDemand* maximum = a.maximumDemand();
    a.loadFactor = loadFactorPercent(a.statistics.power, maximum ? maximum->demand : 0.0);
    a.tariffEffect = tariffEffectPercent(a.statistics.powerFactor.average);
}

} // namespace

int ReportAnalysis::incompleteDays() const {
    int n = 0;
    for (const DayCoverageEntry& d : days) {
        if (d.coverage.incomplete())
            ++n;
    }
    return n;
}

ReportAnalysis analyseDay(const MeasurementCircuit& circuit, int dayIndex,
                          const CircuitLimits& limits, int startDay) {
    ReportAnalysis a;
    const MeasurementDay& day = circuit.days.at(dayIndex);
    a.date = day.date;
    a.limits = limits;
    // A start day some months lack (29-31) leaves days in no report month: the twelve months
    // then end with the day's calendar month.
    const MonthWindow reportMonth = reportMonthOf(day.date, startDay);
    a.inReportMonth = reportMonth.isValid() && reportMonth.contains(day.date);
    a.year = a.inReportMonth ? reportMonth.start.year() : day.date.year();
    a.month = a.inReportMonth ? reportMonth.start.month() : day.date.month();
    a.window.start = day.date.dateOnly();
    a.window.end = a.window.start.addDays(1);
    analyseDays(a, circuit, {dayIndex}, startDay);
    return a;
}

ReportAnalysis analyseMonth(const MeasurementCircuit& circuit, int year, int month,
                            const CircuitLimits& limits, int startDay) {
    ReportAnalysis a;
    a.monthly = true;
    a.year = year;
    a.month = month;
    a.limits = limits;
    a.window = monthWindow(year, month, startDay);
    analyseDays(a, circuit, daysInWindow(circuit, a.window), startDay);
    return a;
}

ReportAnalysis analyseSelection(const DisplaySelection& selection, const CircuitLimits& limits,
                                int startDay) {
    if (!selection.isValid() || !selection.circuit || selection.dayIndex < 0 ||
        selection.dayIndex >= selection.circuit->days.count())
        return {};
    if (selection.isMonthly())
        return analyseMonth(*selection.circuit, selection.year, selection.month, limits, startDay);
    return analyseDay(*selection.circuit, selection.dayIndex, limits, startDay);
}
