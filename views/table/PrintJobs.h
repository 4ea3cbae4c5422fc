#pragma once
#include "store/DAT_DisplaySelection.h"
#include <string>
#include <string_view>
#include <vector>

// The decisions of the print command: which stored days of a period get a job of their own,
// how many pages a job has and what a job's PDF file is called.
namespace print_jobs {

// Indices of the circuit's days of that channel dated from `first` to `last` (both included,
// date parts only), one per date in date order; dates without a day are skipped. Empty when
// `last` is before `first`.
std::vector<int> daysToPrint(const MeasurementCircuit& circuit, int channel, const DateTime& first,
                             const DateTime& last);
// The selection of one job of a daily period: the shown selection with another stored day.
DisplaySelection jobSelection(const DisplaySelection& shown, int dayIndex);
// Pages of a job: the table pages and the graph page; 0 without a day.
int jobPageCount(const DisplaySelection& selection);
// "日報_<customer>_<circuit>_<yyyymmdd>.pdf", "月報_<customer>_<circuit>_<yyyy>_<mm>.pdf" or
// "年報_<customer>_<circuit>_<yyyy>.pdf" (CP932); never holds a path separator or a character a
// file name cannot have; too long names are shortened by fitFileName, keeping the date.
std::string pdfFileName(const DisplaySelection& selection);
// The text with '/', '\', ':', '*', '?', '"', '<', '>', '|' and control characters replaced by
// '_' (second bytes of double-byte characters are left alone); ".." alone becomes "__".
std::string fileNamePart(std::string_view cp932);

} // namespace print_jobs
