// import-report: file the days of a captured report into a circuit, like "← 追加".
#include "tools/cli/CliCommands.h"
#include "tools/cli/CliSupport.h"
#include "tools/cli/CliTexts.h"
#include "tools/cli/DataFolder.h"
#include "tools/cli/FileDays.h"
#include <ostream>

int cmdImportReport(const CliArgs& args, CliIo io) {
    // Both names are needed before anything is read.
    args.require("customer");
    args.require("circuit");
    const bool overwrite = cli::overwriteArg(args);
    const int channel = cli::channelArg(args);
    cli::DataFolder folder = cli::resolveDataFolder(args);

    cli::ReportRead report = cli::readReport(args.positional.at(0));
    if (!report.error.empty()) {
        // A failed reception hands nothing over.
        cli::message(io, report.error);
        return ExitFailure;
    }
    if (report.interrupted) {
        // The days that arrived whole are filed only when asked for: a script never files
        // a cut report by accident, and the status says it was cut either way.
        cli::message(io, report.cutNotice);
        if (!args.has("partial")) {
            cli::message(io, txt::cli::kPartialNotFiled);
            return ExitFailure;
        }
    }
    std::vector<MeasurementDay> days;
    if (!cli::chooseChannelDays(io, report.days, channel, days))
        return ExitFailure;

    InstanceLock lock;
    cli::DataFileContents contents;
    if (!cli::lockAndLoadDataFile(io, folder, lock, contents))
        return ExitFailure;
    const int status = cli::fileAndSave(io, args, folder, contents, days, overwrite);
    return report.interrupted ? ExitFailure : status;
}
