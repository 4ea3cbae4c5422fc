// csv: the daily or monthly CSV report files of a circuit.
#include "store/Aggregation.h"
#include "store/DocumentData.h"
#include "store/MonthWindow.h"
#include "support/FilePath.h"
#include "support/Format.h"
#include "support/Sjis.h"
#include "textout/CsvReport.h"
#include "tools/cli/CliCommands.h"
#include "tools/cli/CliSupport.h"
#include "tools/cli/CliTexts.h"
#include "tools/cli/ConsolePrompt.h"
#include "tools/cli/DataFolder.h"
#include <ostream>

int cmdCsv(const CliArgs& args, CliIo io) {
    args.require("customer");
    args.require("circuit");
    const int periods = args.has("day") + args.has("month") + (args.has("from") || args.has("to"));
    if (periods != 1)
        throw UsageError("give one of --day, --month, or --from with --to", args.command);

    // The dates to write: one day, a range of stored days, or a report month.
    DateTime from, to;
    int year = -1, month = -1;
    if (args.has("day")) {
        from = to = cli::dateArg(args, "day");
    } else if (args.has("month")) {
        cli::monthArg(args, "month", year, month);
    } else {
        from = cli::dateArg(args, "from");
        to = cli::dateArg(args, "to");
        if (to < from)
            throw UsageError("--to is before --from", args.command);
    }
    const std::filesystem::path outFolder = cli::pathArg(args.get("out").value_or("."));
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
        std::vector<int> days = daysInWindow(circuit, monthWindow(year, month, startDay));
        if (days.empty()) {
            cli::message(io, formatText(txt::cli::kNoStoredMonth, args.require("month").c_str()));
            return ExitFailure;
        }
        tuples.push_back({customerIndex, circuitIndex, days.front(), year, month});
    } else {
        for (int i = circuit.lowerBoundDay(from); i < circuit.days.count(); ++i) {
            const MeasurementDay& day = circuit.days.at(i);
            if (day.channel != circuit.dayChannel() || to < day.date)
                break;
            tuples.push_back({customerIndex, circuitIndex, i, -1, -1});
        }
        if (tuples.empty()) {
            std::string shownFrom = from.format("%Y-%m-%d");
            if (args.has("day"))
                cli::message(io, formatText(txt::cli::kNoStoredDay, shownFrom.c_str()));
            else
                cli::message(io, formatText(txt::cli::kNoStoredDays, shownFrom.c_str(),
                                            to.format("%Y-%m-%d").c_str()));
            return ExitFailure;
        }
    }

    std::error_code ec;
    std::filesystem::create_directories(outFolder, ec);
    ConsolePrompt prompt(io.err, io.in, false);
    CsvOutputEnv env;
    env.monthStartDay = startDay;
    env.prompt = &prompt;
    for (const SelectionTuple& tuple : tuples) {
        document.select(tuple, displayChannel);
        const DisplaySelection& selection = document.currentSelection();
        const std::filesystem::path path =
            pathInFolder(outFolder, pathFromCp932(csvFileNamePreset(selection)));
        if (!WriteReportCsv(path, selection, env))
            return ExitFailure;
        io.out << path.native() << '\n';
    }
    io.out.flush();
    return ExitOk;
}
