// import-report: file the days of a captured report into a circuit, like "← 追加".
#include "tools/cli/CliCommands.h"
#include "tools/cli/CliSupport.h"
#include "tools/cli/CliTexts.h"
#include "tools/cli/DataFolder.h"
#include "tools/cli/FileDays.h"
#include <ostream>

int cmdImportReport(const CliArgs& args, CliIo io) {
    const std::string customer = args.require("customer");
    const std::string circuit = args.require("circuit");
    const bool overwrite = cli::overwriteArg(args);
    int channel = 0;
    if (auto c = args.get("channel")) {
        if (*c != "1" && *c != "2")
            throw UsageError("--channel takes 1 or 2", args.command);
        channel = std::stoi(*c);
    }
    cli::DataFolder folder = cli::resolveDataFolder(args);

    cli::ReportRead report = cli::readReportFile(args.positional.at(0));
    if (!report.error.empty()) {
        // A failed reception hands nothing over.
        cli::message(io, report.error);
        return ExitFailure;
    }
    std::vector<MeasurementDay> days;
    if (!cli::chooseChannelDays(io, report.days, channel, days))
        return ExitFailure;

    InstanceLock lock;
    if (!cli::lockDataFolder(io, folder, lock))
        return ExitFailure;
    cli::DataFileContents contents;
    if (cli::loadDataFile(io, folder, contents) == cli::LoadStatus::Failed)
        return ExitFailure;
    MeasurementCircuit* target = cli::findOrAddCircuit(io, contents.store, customer, circuit);
    if (!target)
        return ExitFailure;
    cli::FileResult result = cli::fileDays(*target, days, overwrite);
    if (!cli::saveDataFile(io, folder, contents))
        return ExitFailure;
    cli::tellFiled(io, result);
    return ExitOk;
}
