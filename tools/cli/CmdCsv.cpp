// csv: the daily or monthly CSV report files of a circuit, or the daily ones of a period for
// several circuits.
#include "store/Aggregation.h"
#include "store/DocumentData.h"
#include "store/MonthWindow.h"
#include "support/Format.h"
#include "support/Sjis.h"
#include "textout/CsvReport.h"
#include "tools/cli/BatchRun.h"
#include "tools/cli/CliCommands.h"
#include "tools/cli/CliSupport.h"
#include "tools/cli/CliTexts.h"
#include "tools/cli/ConsolePrompt.h"
#include "tools/cli/DataFolder.h"
#include <ostream>

namespace {

// --from/--to: the daily files of every stored day of the period, as 一括出力 writes them.
int csvOfPeriod(const CliArgs& args, CliIo& io) {
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
    args.require("customer");
    const int periods = args.has("day") + args.has("month") + (args.has("from") || args.has("to"));
    if (periods != 1)
        throw UsageError("give one of --day, --month, or --from with --to", args.command);
    if (!args.has("day") && !args.has("month"))
        return csvOfPeriod(args, io);
    args.require("circuit");

    // One day or one report month.
    DateTime day;
    int year = -1, month = -1;
    if (args.has("day"))
        day = cli::dateArg(args, "day");
    else
        cli::monthArg(args, "month", year, month);
    const std::string outFolder = cli::pathArg(args.get("out").value_or("."));
    // The selector bar's "CH：" box: 1 unless the user picks 2.
    const int displayChannel = args.has("channel") ? cli::channelArg(args) : 1;

    cli::DataFolder folder = cli::resolveDataFolder(args);
    DocumentData document;
    cli::DataFileContents contents;
    if (cli::loadDataFile(io, folder, contents) == cli::LoadStatus::Failed)
        return ExitFailure;
    document.replaceStore(std::move(contents.store));
    const MeasurementStore& store = document.store();
    const cli::NamedCircuit named = cli::findNamedCircuit(io, store, args);
    if (!named.circuit)
        return ExitFailure;
    const MeasurementCircuit& circuit = *named.circuit;
    const int customerIndex = named.customerIndex;
    const int circuitIndex = named.circuitIndex;
    const int startDay = cli::startDayArg(args, folder);
    document.setMonthStartDay(startDay);

    // The selections to write, as the selector bar would make them.
    std::vector<SelectionTuple> tuples;
    if (month != -1) {
        std::vector<int> inMonth = daysInWindow(circuit, monthWindow(year, month, startDay));
        if (inMonth.empty()) {
            cli::message(io, formatText(txt::cli::kNoStoredMonth, args.require("month").c_str()));
            return ExitFailure;
        }
        tuples.push_back({customerIndex, circuitIndex, inMonth.front(), year, month});
    } else {
        const int index = circuit.findDay(day);
        if (index < 0) {
            cli::message(io, formatText(txt::cli::kNoStoredDay, day.format("%Y-%m-%d").c_str()));
            return ExitFailure;
        }
        tuples.push_back({customerIndex, circuitIndex, index, -1, -1});
    }

    std::error_code ec;
    std::filesystem::create_directories(sjis::toUtf8(outFolder), ec);
    ConsolePrompt prompt(io.err, io.in, false);
    CsvOutputEnv env;
    env.monthStartDay = startDay;
    env.prompt = &prompt;
    for (const SelectionTuple& tuple : tuples) {
        document.select(tuple, displayChannel);
        const DisplaySelection& selection = document.currentSelection();
        const std::string path = outFolder + "/" + csvFileNamePreset(selection);
        if (!WriteReportCsv(path, selection, env))
            return ExitFailure;
        io.out << sjis::toUtf8(path) << '\n';
    }
    io.out.flush();
    return ExitOk;
}
