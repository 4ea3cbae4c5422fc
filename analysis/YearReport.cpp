#include "analysis/YearReport.h"

#include "analysis/ReportAnalysis.h"
#include "store/Aggregation.h"

// Each month is the monthly report of that month, so the year view and the monthly view can
// never disagree.
YearReport analyseYear(const MeasurementCircuit& circuit, int year, const CircuitLimits& limits,
                       int startDay) {
    YearReport report;
    report.year = year;
    report.startDay = startDay;
    report.contractDemand = limits.contractDemand;
    for (int m = 1; m <= 12; ++m) {
        YearMonthRow& row = report.months[static_cast<std::size_t>(m - 1)];
        row.year = year;
        row.month = m;
        row.window = monthWindow(year, m, startDay);
        row.daysInMonth = row.window.dayCount();
        if (daysInWindow(circuit, row.window).empty())
            continue;
        const ReportAnalysis analysis = analyseMonth(circuit, year, m, limits, startDay);
        const DaySummary summary = monthSummary(circuit, year, m, startDay);
        row.daysStored = static_cast<int>(analysis.days.size());
        row.incompleteDays = analysis.incompleteDays();
        row.energy = summary.energy;
        row.reverseEnergy = summary.reverseEnergy;
        row.leadReactiveEnergy = summary.leadReactiveEnergy;
        row.lagReactiveEnergy = summary.lagReactiveEnergy;
        row.averagePowerFactor = summary.averagePowerFactor;
        if (const HalfHourDemand* peak = analysis.maximumDemand()) {
            row.hasDemand = true;
            row.maximumDemand = *peak;
            row.hasLoadFactor = analysis.loadFactor.has_value();
            row.loadFactor = analysis.loadFactor.value_or(0.0);
        }
    }
    return report;
}

const YearMonthRow* YearReport::maximumMonth() const {
    const YearMonthRow* best = nullptr;
    for (const YearMonthRow& row : months)
        if (row.hasDemand && (!best || row.maximumDemand.demand > best->maximumDemand.demand))
            best = &row;
    return best;
}

int YearReport::daysStored() const {
    int n = 0;
    for (const YearMonthRow& row : months)
        n += row.daysStored;
    return n;
}
