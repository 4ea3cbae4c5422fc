#include "tools/cli/BatchRun.h"
#include "support/FilePath.h"
#include "support/Format.h"
#include "support/Sjis.h"
#include "tools/cli/CliSupport.h"
#include "tools/cli/CliTexts.h"
#include "tools/cli/DataFolder.h"
#include "tools/cli/WindowPdf.h"
#include <filesystem>
#include <ostream>

namespace cli {

namespace {

// --customer with --circuit, or --customer alone for every circuit of it, in the store's
// order. Empty, told, when a name is not registered.
std::vector<BatchCircuit> batchCircuits(CliIo& io, const MeasurementStore& store,
                                        const CliArgs& args) {
    if (args.has("circuit")) {
        const NamedCircuit named = findNamedCircuit(io, store, args);
        if (!named.circuit)
            return {};
        return {{named.customerIndex, named.circuitIndex}};
    }
    const std::string customerArg = args.require("customer");
    const std::optional<std::string> customerName = nameArg(io, customerArg);
    if (!customerName)
        return {};
    const int customer = store.find(*customerName);
    if (customer < 0) {
        message(io, formatMessage(txt::cli::kNoCustomer, customerArg.c_str()));
        return {};
    }
    std::vector<BatchCircuit> circuits;
    circuits.reserve(static_cast<std::size_t>(store.at(customer).circuits.count()));
    for (int k = 0; k < store.at(customer).circuits.count(); ++k)
        circuits.push_back({customer, k});
    return circuits;
}

} // namespace

bool isPeriodCommand(const CliArgs& args) {
    return (args.has("from") || args.has("to")) && !args.has("day") && !args.has("month");
}

int runPeriodCommand(const CliArgs& args, CliIo& io, BatchFormat format) {
    args.require("customer");
    BatchRequest request;
    request.csv = format == BatchFormat::Csv;
    request.pdf = format == BatchFormat::Pdf;
    request.from = dateArg(args, "from");
    request.to = dateArg(args, "to");
    if (request.to < request.from)
        throw UsageError("--to is before --from", args.command);
    if (args.has("channel"))
        throw UsageError("--channel goes with --day or --month", args.command);
    const std::filesystem::path outFolder = pathArg(args.get("out").value_or("."));
    const DataFolder folder = resolveDataFolder(args);
    const int startDay = startDayArg(args, folder);
    DataFileContents contents;
    if (loadDataFile(io, folder, contents) == LoadStatus::Failed)
        return ExitFailure;
    const MeasurementStore& store = contents.store;
    request.circuits = batchCircuits(io, store, args);
    if (request.circuits.empty())
        return ExitFailure;
    const std::vector<BatchItem> plan = planBatch(store, request);
    if (plan.empty()) {
        message(io, formatMessage(txt::cli::kNoStoredDays, request.from.format("%Y-%m-%d").c_str(),
                                  request.to.format("%Y-%m-%d").c_str()));
        return ExitFailure;
    }
    BatchPdfWriter pdf;
    if (request.pdf) {
        pdf = openWindowPdf({&store, folder.home, startDay});
        if (!pdf) {
            message(io, txt::cli::kNoPdfPainter);
            return ExitFailure;
        }
    }
    std::error_code ec;
    std::filesystem::create_directories(outFolder, ec);
    const BatchResult result = runBatch(store, plan, outFolder, pdf);
    for (const std::string& file : result.files)
        io.out << pathInFolder(outFolder, pathFromCp932(file)).native() << '\n';
    io.out.flush();
    messageCp932(io, sjis::Text(batchSummary(result)));
    return result.failed.empty() ? ExitOk : ExitFailure;
}

} // namespace cli
