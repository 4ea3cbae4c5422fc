// Arbitrary bytes as DATA/Analysis.INI plus a customer export file, through every analysis
// function: the settings parser, the day, month and year analyses and their tables. Whatever
// the files hold (NaN, infinities, absurd limits, empty days, odd dates), nothing may crash,
// overflow or convert a non-finite value to an integer.
#include "analysis/AnalysisSettings.h"
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

void analyseEverything(const ReportAnalysis& a) {
    for (bool kw : {false, true})
        (void)analysisTables(a, kw);
    for (const DayCoverageEntry& d : a.days)
        (void)incompleteDayMark(d.coverage);
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
        for (int startDay : {1, 21, 29, 31}) {
            for (int d = 0; d < circuit.days.count() && analysed < 8; ++d, ++analysed) {
                const DateTime date = circuit.days.at(d).date;
                analyseEverything(analyseDay(circuit, d, limits, startDay));
                if (date.isValid() && date.year() > 0 && date.year() < 10000) {
                    analyseEverything(
                        analyseMonth(circuit, date.year(), date.month(), limits, startDay));
                    (void)analyseYear(circuit, date.year(), limits, startDay);
                }
            }
        }
    }
    return 0;
}
