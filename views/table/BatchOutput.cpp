#include "views/table/BatchOutput.h"
#include "store/MonthWindow.h"
#include "support/FilePath.h"
#include "support/Format.h"
#include "support/Prompt.h"
#include "textout/CsvReport.h"
#include "views/table/PrintJobs.h"
#include "views/table/TableTexts.h"
#include <chrono>
#include <set>

namespace {

// Keeps what the CSV output would have shown.
class ReasonPrompt : public Prompt {
public:
    PromptAnswer ask(sjis::Text text, PromptButtons, PromptIcon) override {
        reason = text.str();
        return PromptAnswer::Ok;
    }
    std::string reason;
};

// The last stored date of the circuit's day channel (invalid when none).
DateTime lastDate(const MeasurementCircuit& circuit) {
    DateTime last;
    for (int i = 0; i < circuit.days.count(); ++i)
        if (circuit.days.at(i).channel == circuit.dayChannel())
            last = circuit.days.at(i).date;
    return last;
}

} // namespace

BatchRequest defaultBatchRequest(const MeasurementStore& store, const DisplaySelection& shown,
                                 int monthStartDay) {
    BatchRequest request;
    request.csv = request.pdf = true;
    DateTime day;
    if (shown.isValid() && isSelectionUsable(store, shown.tuple())) {
        request.circuits.push_back({shown.customerIndex, shown.circuitIndex});
        day = shown.day.date;
    } else {
        for (int c = 0; c < store.count() && request.circuits.empty(); ++c)
            for (int k = 0; k < store.at(c).circuits.count() && request.circuits.empty(); ++k)
                if (store.at(c).circuits.at(k).days.count() > 0) {
                    request.circuits.push_back({c, k});
                    day = lastDate(store.at(c).circuits.at(k));
                }
    }
    const MonthWindow window = shown.isValid() && shown.isMonthly()
                                   ? monthWindow(shown.year, shown.month, monthStartDay)
                                   : reportMonthOf(day, monthStartDay);
    request.from = window.isValid() ? window.start.dateOnly() : day.dateOnly();
    request.to = window.isValid() ? window.end.dateOnly().addDays(-1) : day.dateOnly();
    return request;
}

DisplaySelection batchSelection(const MeasurementStore& store, const SelectionTuple& tuple) {
    DisplaySelection s;
    if (!isSelectionUsable(store, tuple))
        return s;
    const Customer& customer = store.at(tuple.customerIndex);
    const MeasurementCircuit& circuit = customer.circuits.at(tuple.circuitIndex);
    s.customerIndex = tuple.customerIndex;
    s.circuitIndex = tuple.circuitIndex;
    s.dayIndex = tuple.dayIndex;
    s.customerName = customer.name;
    s.circuitName = circuit.name;
    s.day = circuit.days.at(tuple.dayIndex);
    s.circuit = &circuit;
    return s;
}

std::vector<BatchItem> planBatch(const MeasurementStore& store, const BatchRequest& request) {
    std::vector<BatchItem> plan;
    for (const BatchCircuit& c : request.circuits) {
        if (c.customerIndex < 0 || c.customerIndex >= store.count())
            continue;
        const Customer& customer = store.at(c.customerIndex);
        if (c.circuitIndex < 0 || c.circuitIndex >= customer.circuits.count())
            continue;
        const MeasurementCircuit& circuit = customer.circuits.at(c.circuitIndex);
        for (int day :
             print_jobs::daysToPrint(circuit, circuit.dayChannel(), request.from, request.to)) {
            const SelectionTuple tuple{c.customerIndex, c.circuitIndex, day, -1, -1};
            const DisplaySelection selection = batchSelection(store, tuple);
            if (request.csv)
                plan.push_back({tuple, BatchFormat::Csv, csvFileNamePreset(selection)});
            if (request.pdf)
                plan.push_back({tuple, BatchFormat::Pdf, print_jobs::pdfFileName(selection)});
        }
    }
    return plan;
}

BatchResult runBatch(const MeasurementStore& store, const std::vector<BatchItem>& plan,
                     const std::filesystem::path& folder, const BatchPdfWriter& pdf,
                     const BatchProgress& progress) {
    BatchResult result;
    if (pathKind(folder) != PathKind::Folder) {
        const std::string reason =
            formatText(txt::table::kBatchNoFolder, displayPath(folder).c_str());
        for (const BatchItem& item : plan)
            result.failed.push_back({item.fileName, reason});
        return result;
    }
    std::set<std::string> names;
    const int total = static_cast<int>(plan.size());
    for (int done = 0; done < total; ++done) {
        if (progress && !progress(done, total))
            break;
        const BatchItem& item = plan[static_cast<size_t>(done)];
        // Names made of names can meet ("A/B" and "A_B"): the second would replace the first.
        if (!names.insert(item.fileName).second) {
            result.failed.push_back({item.fileName, txt::table::kBatchSameName});
            continue;
        }
        const DisplaySelection selection = batchSelection(store, item.tuple);
        const std::filesystem::path path = pathInFolder(folder, pathFromCp932(item.fileName));
        ReasonPrompt told;
        bool ok = false;
        if (item.format == BatchFormat::Csv) {
            CsvOutputEnv env;
            env.prompt = &told;
            env.retry.timeout = std::chrono::milliseconds(0); // a batch does not wait per file
            ok = WriteReportCsv(path, selection, env);
        } else {
            ok = pdf && pdf(selection, path, told.reason);
        }
        if (ok) {
            ++result.written;
            result.files.push_back(item.fileName);
            continue;
        }
        // One line per failure in the summary.
        for (char& c : told.reason)
            if (c == '\n' || c == '\r')
                c = ' ';
        result.failed.push_back({item.fileName, told.reason});
    }
    return result;
}

std::string batchSummary(const BatchResult& result) {
    std::string text = formatText(txt::table::kBatchWritten, result.written);
    if (result.failed.empty())
        return text;
    text += "\n";
    text += txt::table::kBatchFailedHeader.view();
    for (const BatchFailure& f : result.failed)
        text += "\n" + f.fileName + ": " + f.reason;
    return text;
}
