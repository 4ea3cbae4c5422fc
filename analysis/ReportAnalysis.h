#pragma once
// Everything the analysis shows for one daily or monthly report: coverage of its days, the
// half-hour demand with its maxima, the limit counts and the statistics.
#include "analysis/CircuitLimits.h"
#include "analysis/DayCoverage.h"
#include "analysis/DayResults.h"
#include "analysis/HalfHourDemand.h"
#include "analysis/ReportStatistics.h"
#include "store/DAT_DisplaySelection.h"
#include "store/DAT_Store.h"
#include "store/MonthWindow.h"
#include <cstdint>
#include <optional>
#include <vector>

inline constexpr std::size_t kLargestHalfHours = 10;

struct DayCoverageEntry {
    DateTime date;
    DayCoverage coverage;
};

struct ReportAnalysis {
    bool monthly = false;
    DateTime date; // daily: the shown day
    int year = -1; // the report month (for a daily report, the one holding the day)
    int month = -1;
    bool inReportMonth = true; // false: a day that no report month holds (start day 29-31)
    MonthWindow window;        // the dates analysed: one day, or the report month
    CircuitLimits limits;

    std::vector<DayCoverageEntry> days; // each stored day of the report
    std::vector<HalfHourDemand> halfHours;
    std::vector<HalfHourDemand> largest;    // the ten largest half-hours, largest first
    std::vector<MonthMaximum> twelveMonths; // oldest first, ending with the report month
    MonthMaximum twelveMonthMaximum;
    LimitCounts counts;
    ReportStatistics statistics;
    std::optional<double> loadFactor; // %; none without a measured sample
    int tariffEffect = 0; // % on the basic charge; valid when statistics.powerFactor.count > 0

    // The report's maximum demand; null without any measured half-hour.
    const HalfHourDemand* maximumDemand() const {
        return largest.empty() ? nullptr : &largest.front();
    }
    int incompleteDays() const;
};

ReportAnalysis analyseDay(const MeasurementCircuit& circuit, int dayIndex,
                          const CircuitLimits& limits, int startDay);
ReportAnalysis analyseMonth(const MeasurementCircuit& circuit, int year, int month,
                            const CircuitLimits& limits, int startDay);
// The report a valid selection shows (daily or monthly).
ReportAnalysis analyseSelection(const DisplaySelection& selection, const CircuitLimits& limits,
                                int startDay);

// The same from the kept results of the circuit's days (its attached circuit): a view that
// moves between days and months of one circuit computes each day once.
ReportAnalysis analyseDay(DayResultsCache& days, int dayIndex, const CircuitLimits& limits,
                          int startDay);
ReportAnalysis analyseMonth(DayResultsCache& days, int year, int month, const CircuitLimits& limits,
                            int startDay);
// `days` is attached to the selection's circuit at `storeRevision` first.
ReportAnalysis analyseSelection(DayResultsCache& days, std::uint64_t storeRevision,
                                const DisplaySelection& selection, const CircuitLimits& limits,
                                int startDay);
