// csv: the daily or monthly CSV report files of a circuit, or the daily ones of a period for
// several circuits.
#include "support/Sjis.h"
#include "textout/CsvReport.h"
#include "tools/cli/BatchRun.h"
#include "tools/cli/CliCommands.h"
#include "tools/cli/CliSupport.h"
#include "tools/cli/ConsolePrompt.h"
#include "tools/cli/DataFolder.h"
#include "tools/cli/ReportRun.h"
#include <ostream>

namespace {

// --from/--to: the daily files of every stored day of the period, as 一括出力 writes them.
int csvOfPeriod(const CliArgs& args, CliIo& io) {
    args.require("customer");
    BatchRequest request;
    request.from = cli::dateArg(args, "from");
    request.to = cli::dateArg(args, "to");
    if (request.to < request.from)
        throw UsageError("--to is before --from", args.command);
    if (args.has("channel"))
        throw UsageError("--channel goes with --day or --month", args.command);
    const std::string outFolder = cli::pathArg(args.get("out").value_or("."));
    cli::DataFolder folder = cli::resolveDataFolder(args);
    cli::DataFileContents contents;
    if (cli::loadDataFile(io, folder, contents) == cli::LoadStatus::Failed)
        return ExitFailure;
    request.circuits = cli::batchCircuits(io, contents.store, args);
    if (request.circuits.empty())
        return ExitFailure;
    return cli::runBatchCommand(io, contents.store, request, outFolder, {});
}

} // namespace

int cmdCsv(const CliArgs& args, CliIo io) {
    if ((args.has("from") || args.has("to")) && !args.has("day") && !args.has("month"))
        return csvOfPeriod(args, io);
    ReportRun run;
    if (!prepareReportRun(args, io, run))
        return ExitFailure;
    ConsolePrompt prompt(io.err, io.in, false);
    CsvOutputEnv env;
    env.monthStartDay = run.startDay;
    env.prompt = &prompt;
    for (const SelectionTuple& tuple : run.tuples) {
        run.document.select(tuple, run.displayChannel);
        const DisplaySelection& selection = run.document.currentSelection();
        const std::string path = run.outFolder + "/" + csvFileNamePreset(selection);
        if (!WriteReportCsv(path, selection, env))
            return ExitFailure;
        io.out << sjis::toUtf8(path) << '\n';
    }
    io.out.flush();
    return ExitOk;
}
