#pragma once
// What the csv and xlsx commands write: the reports of --day, --month or --from/--to of one
// circuit, selected as the selector bar would select them.
#include "store/DocumentData.h"
#include "tools/cli/CliArgs.h"
#include "tools/cli/CliMain.h"

#include <filesystem>
#include <string>
#include <vector>

struct ReportRun {
    DocumentData document;      // the selections point into it; its data folder is the program's
    std::filesystem::path home; // the program folder
    std::vector<SelectionTuple> tuples;
    int startDay = 1;                // --start-day, else the INI's
    int displayChannel = 1;          // --channel: the selector bar's "CH：" box, 1 unless told
    std::filesystem::path outFolder; // as given, made absolute; created
    bool range = false;              // --from/--to
    DateTime from, to;
};

// Reads the period and --out (UsageError when wrong), loads the data file and finds the circuit
// and its reports. False after telling why (nothing stored in the period included).
bool prepareReportRun(const CliArgs& args, CliIo io, ReportRun& run);
