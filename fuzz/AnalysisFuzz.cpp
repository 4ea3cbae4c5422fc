// Arbitrary bytes as DATA/Analysis.INI plus a customer export file, through every analysis
// function: the settings parser, the day, month and year analyses with and without kept day
// results, their tables and heading, the comparison list. Whatever the files hold (NaN,
// infinities, absurd limits, empty days, odd dates), nothing may crash, overflow or convert a
// non-finite value to an integer, and kept results give what a fresh computation gives.
#include "FuzzCheck.h"
#include "analysis/AnalysisSettings.h"
#include "analysis/DayResults.h"
#include "analysis/Overlay.h"
#include "analysis/ReportAnalysis.h"
#include "analysis/YearReport.h"
#include "store/ArchiveReader.h"
#include "store/DAT_Archive.h"
#include "store/MemorySource.h"
#include "support/ArchiveError.h"
#include "views/analysis/AnalysisTables.h"
#include "views/table/IncompleteMark.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace {

// The bytes before the first NUL are the INI file, the rest the export file.
bool readCustomer(std::string_view bytes, Customer& customer) {
    MemorySource source(bytes);
    ArchiveReader reader(source, 256);
    try {
        archive::read(reader, customer);
        return true;
    } catch (const archive::SignatureError&) {
    } catch (const ArchiveError&) {
    } catch (const FileAccessError&) {
    }
    return false;
}

void analyseEverything(const ReportAnalysis& a, const Customer& customer,
                       const MeasurementCircuit& circuit) {
    for (bool kw : {false, true})
        (void)analysisTables(a, kw, !kw);
    for (const DayCoverageEntry& d : a.days)
        (void)incompleteDayMark(d.coverage);
    (void)analysisHeading(a, customer.name, circuit.name);
}

// What the kept day results give must be what a fresh computation gives (demands may be NaN
// after an overflow, so the counts and coverage are compared).
void sameFigures(const ReportAnalysis& kept, const ReportAnalysis& fresh) {
    fuzzCheck(kept.halfHours.size() == fresh.halfHours.size());
    fuzzCheck(kept.days.size() == fresh.days.size());
    for (std::size_t i = 0; i < kept.days.size(); ++i)
        fuzzCheck(kept.days[i].coverage == fresh.days[i].coverage);
    fuzzCheck(kept.twelveMonths.size() == fresh.twelveMonths.size());
    for (std::size_t i = 0; i < kept.twelveMonths.size(); ++i)
        fuzzCheck(kept.twelveMonths[i].found == fresh.twelveMonths[i].found);
    fuzzCheck(kept.statistics.power.count == fresh.statistics.power.count);
    fuzzCheck(kept.counts.minutesBelowPowerFactor == fresh.counts.minutesBelowPowerFactor);
}

void comparisonList(const MeasurementCircuit& circuit, bool monthly, int startDay) {
    const std::vector<OverlayOption> options = overlayOptions(circuit, monthly, startDay);
    fuzzCheck(!options.empty());
    for (const OverlayOption& o : options)
        fuzzCheck(chosenOverlayOption(options, o.choice, monthly) < options.size());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::size_t nul = bytes.find('\0');
    const std::string_view ini = bytes.substr(0, nul);
    const AnalysisSettings settings = AnalysisSettings::fromText(ini);
    (void)AnalysisSettings::fromText(settings.text());
    Customer customer;
    if (nul == std::string_view::npos || !readCustomer(bytes.substr(nul + 1), customer))
        return 0;
    int analysed = 0;
    for (const MeasurementCircuit& circuit : customer.circuits) {
        const CircuitLimits limits = settings.limitsFor(customer.name, circuit.name);
        DayResultsCache kept; // as the analysis view keeps them across selections
        kept.attach(&circuit, 1);
        for (int startDay : {1, 21, 29, 31}) {
            comparisonList(circuit, false, startDay);
            comparisonList(circuit, true, startDay);
            for (int d = 0; d < circuit.days.count() && analysed < 8; ++d, ++analysed) {
                const DateTime date = circuit.days.at(d).date;
                const ReportAnalysis day = analyseDay(circuit, d, limits, startDay);
                analyseEverything(day, customer, circuit);
                sameFigures(analyseDay(kept, d, limits, startDay), day);
                if (date.isValid() && date.year() > 0 && date.year() < 10000) {
                    const ReportAnalysis month =
                        analyseMonth(circuit, date.year(), date.month(), limits, startDay);
                    analyseEverything(month, customer, circuit);
                    sameFigures(analyseMonth(kept, date.year(), date.month(), limits, startDay),
                                month);
                    (void)analyseYear(circuit, date.year(), limits, startDay);
                }
            }
        }
    }
    return 0;
}
