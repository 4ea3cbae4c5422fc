#include "analysis/ReportAnalysis.h"

#include "store/Aggregation.h"

namespace {

// The parts shared by both report kinds, over the given stored days.
void analyseDays(ReportAnalysis& a, DayResultsCache& results, const std::vector<int>& dayIndices,
                 int startDay) {
    const MeasurementCircuit& circuit = *results.circuit();
    for (int index : dayIndices) {
        const MeasurementDay& day = circuit.days.at(index);
        const DayResults& r = results.day(index);
        a.days.push_back({day.date, r.coverage});
        a.halfHours.insert(a.halfHours.end(), r.halfHours.begin(), r.halfHours.end());
        addDayStatistics(a.statistics, day.data);
    }
    a.largest = largestHalfHours(a.halfHours, kLargestHalfHours);
    a.twelveMonths = twelveMonthMaxima(results, a.year, a.month, startDay);
    a.twelveMonthMaximum = largestOf(a.twelveMonths);

    a.counts.band = voltageBandOf(a.limits, a.statistics.voltage[0].average);
    for (std::size_t i = 0; i < dayIndices.size(); ++i) {
        const MeasurementDay& day = circuit.days.at(dayIndices[i]);
        countDayLimits(a.counts, day.data, a.days[i].coverage.intervalMinutes, a.limits);
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

ReportAnalysis analyseDay(DayResultsCache& days, int dayIndex, const CircuitLimits& limits,
                          int startDay) {
    ReportAnalysis a;
    const MeasurementDay& day = days.circuit()->days.at(dayIndex);
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
    analyseDays(a, days, {dayIndex}, startDay);
    return a;
}

ReportAnalysis analyseMonth(DayResultsCache& days, int year, int month, const CircuitLimits& limits,
                            int startDay) {
    ReportAnalysis a;
    a.monthly = true;
    a.year = year;
    a.month = month;
    a.limits = limits;
    a.window = monthWindow(year, month, startDay);
    analyseDays(a, days, daysInWindow(*days.circuit(), a.window), startDay);
    return a;
}

ReportAnalysis analyseDay(const MeasurementCircuit& circuit, int dayIndex,
                          const CircuitLimits& limits, int startDay) {
    DayResultsCache days(circuit);
    return analyseDay(days, dayIndex, limits, startDay);
}

ReportAnalysis analyseMonth(const MeasurementCircuit& circuit, int year, int month,
                            const CircuitLimits& limits, int startDay) {
    DayResultsCache days(circuit);
    return analyseMonth(days, year, month, limits, startDay);
}

ReportAnalysis analyseSelection(DayResultsCache& days, std::uint64_t storeRevision,
                                const DisplaySelection& selection, const CircuitLimits& limits,
                                int startDay) {
    if (!selection.isValid() || !selection.circuit || selection.dayIndex < 0 ||
        selection.dayIndex >= selection.circuit->days.count())
        return {};
    days.attach(selection.circuit, storeRevision);
    if (selection.isMonthly())
        return analyseMonth(days, selection.year, selection.month, limits, startDay);
    return analyseDay(days, selection.dayIndex, limits, startDay);
}

ReportAnalysis analyseSelection(const DisplaySelection& selection, const CircuitLimits& limits,
                                int startDay) {
    DayResultsCache days;
    return analyseSelection(days, 0, selection, limits, startDay);
}
