#pragma once
// 一括出力: the daily CSV files and PDFs of a period for several circuits in one go. The plan
// names every file with the rules of the single outputs; the run writes them with the same
// writers and sums up what was written and what failed.
#include "store/DAT_DisplaySelection.h"
#include "store/DAT_Store.h"
#include "support/DateTime.h"
#include <functional>
#include <string>
#include <vector>

enum class BatchFormat { Csv, Pdf };

struct BatchCircuit {
    int customerIndex = -1;
    int circuitIndex = -1;
};

struct BatchRequest {
    std::vector<BatchCircuit> circuits;
    DateTime from; // days dated from..to, both included
    DateTime to;
    bool csv = true;
    bool pdf = false;
};

// What the dialog starts with: the shown circuit and the report month of the shown day (or the
// shown month), CSV and PDF. With nothing shown: the first circuit with stored days and the
// report month of its last day; with no stored day at all, no circuit.
BatchRequest defaultBatchRequest(const MeasurementStore& store, const DisplaySelection& shown,
                                 int monthStartDay);

// One file of the batch: a stored day of a circuit in one format.
struct BatchItem {
    SelectionTuple tuple; // a daily selection
    BatchFormat format = BatchFormat::Csv;
    std::string fileName; // CP932, without folder
    bool operator==(const BatchItem&) const = default;
};

// Circuit by circuit in the order given, day by day, the CSV file before the PDF. A circuit
// index out of range is skipped.
std::vector<BatchItem> planBatch(const MeasurementStore& store, const BatchRequest& request);

// The daily selection of a stored day, as the selector shows it (channel 1).
DisplaySelection batchSelection(const MeasurementStore& store, const SelectionTuple& tuple);

struct BatchFailure {
    std::string fileName; // CP932
    std::string reason;   // CP932, one line
    bool operator==(const BatchFailure&) const = default;
};

struct BatchResult {
    int written = 0;
    std::vector<std::string> files; // written, in plan order (CP932, without folder)
    std::vector<BatchFailure> failed;
};

// Writes one PDF of a daily selection to the path (CP932); false with the reason when not.
using BatchPdfWriter = std::function<bool(const DisplaySelection& selection,
                                          const std::string& path, std::string& reason)>;

// Told before each file how many of the plan are done; false stops the run there.
using BatchProgress = std::function<bool(int done, int total)>;

// Writes the planned files into the folder (CP932). CSV files go through the CSV output, PDFs
// through pdf (needed only when the plan holds PDFs). A missing folder fails every file; a file
// name met twice is written once.
BatchResult runBatch(const MeasurementStore& store, const std::vector<BatchItem>& plan,
                     const std::string& folder, const BatchPdfWriter& pdf,
                     const BatchProgress& progress = {});

// "<n> 件出力しました", then, when something failed, "出力できなかったもの:" and one line
// "<file>: <reason>" per failure (CP932).
std::string batchSummary(const BatchResult& result);
