#include "tools/cli/BatchRun.h"
#include "support/FilePath.h"
#include "support/Format.h"
#include "support/Sjis.h"
#include "tools/cli/CliSupport.h"
#include "tools/cli/CliTexts.h"
#include "tools/cli/DataFolder.h"
#include <filesystem>
#include <ostream>

namespace cli {

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

int runBatchCommand(CliIo& io, const MeasurementStore& store, const BatchRequest& request,
                    const std::filesystem::path& outFolder, const BatchPdfWriter& pdf) {
    const std::vector<BatchItem> plan = planBatch(store, request);
    if (plan.empty()) {
        message(io, formatMessage(txt::cli::kNoStoredDays, request.from.format("%Y-%m-%d").c_str(),
                                  request.to.format("%Y-%m-%d").c_str()));
        return ExitFailure;
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
