#include "views/table/PrintJobs.h"
#include "support/FileNameFit.h"
#include "support/Format.h"
#include "support/Sjis.h"
#include "views/table/SheetPrintPage.h"
#include "views/table/TableTexts.h"
#include <algorithm>
#include <cstring>

namespace print_jobs {

std::vector<int> daysToPrint(const MeasurementCircuit& circuit, int channel, const DateTime& first,
                             const DateTime& last) {
    std::vector<int> days;
    if (!first.isValid() || !last.isValid())
        return days;
    const DateTime end = last.dateOnly();
    for (DateTime d = first.dateOnly(); !(end < d); d = d.addDays(1)) {
        const int index = circuit.days.find({channel, d});
        if (index >= 0)
            days.push_back(index);
    }
    return days;
}

DisplaySelection jobSelection(const DisplaySelection& shown, int dayIndex) {
    DisplaySelection job = shown;
    if (shown.circuit && dayIndex >= 0 && dayIndex < shown.circuit->days.count()) {
        job.dayIndex = dayIndex;
        job.day = shown.circuit->days.at(dayIndex);
    }
    return job;
}

int jobPageCount(const DisplaySelection& selection) {
    const int tablePages = TablePageCount(&selection);
    return tablePages > 0 ? tablePages + 1 : 0;
}

std::string fileNamePart(std::string_view text) {
    std::string out(text);
    for (size_t i = 0; i < out.size(); ++i) {
        const auto c = static_cast<unsigned char>(out[i]);
        if (sjis::isLeadByte(c) && i + 1 < out.size()) {
            ++i; // the second byte may look like '\' or '|'
            continue;
        }
        if (c < 0x20 || c == 0x7f || std::strchr("/\\:*?\"<>|", c))
            out[i] = '_';
    }
    if (out.empty() || out == "." || out == "..")
        out = std::string(std::max<size_t>(out.size(), 1), '_');
    return out;
}

std::string pdfFileName(const DisplaySelection& s) {
    const std::string customer = fileNamePart(s.customerName);
    const std::string circuit = fileNamePart(s.circuitName);
    std::string name;
    if (s.isYearly())
        name = formatText(txt::table::kYearlyPdfName, customer.c_str(), circuit.c_str(), s.year);
    else if (s.isMonthly())
        name = formatText(txt::table::kMonthlyPdfName, customer.c_str(), circuit.c_str(), s.year,
                          s.month);
    else
        name = formatText(txt::table::kDailyPdfName, customer.c_str(), circuit.c_str(),
                          s.day.date.format("%Y%m%d").c_str());
    // "日報_" (five bytes) and the names; the date and ".pdf" after them are kept whole.
    const std::size_t names = 5 + customer.size() + 1 + circuit.size();
    return fitFileName(name, name.size() - std::min(names, name.size()));
}

} // namespace print_jobs
