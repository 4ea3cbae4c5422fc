#include "tools/cli/ReportRun.h"

#include "store/Aggregation.h"
#include "store/MonthWindow.h"
#include "support/Format.h"
#include "tools/cli/CliSupport.h"
#include "tools/cli/CliTexts.h"
#include "tools/cli/DataFolder.h"

#include <filesystem>

bool prepareReportRun(const CliArgs& args, CliIo io, ReportRun& run) {
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
        run.range = true;
    }
    run.from = from;
    run.to = to;
    run.outFolder = cli::pathArg(args.get("out").value_or("."));
    run.displayChannel = args.has("channel") ? cli::channelArg(args) : 1;

    cli::DataFolder folder = cli::resolveDataFolder(args);
    cli::DataFileContents contents;
    if (cli::loadDataFile(io, folder, contents) == cli::LoadStatus::Failed)
        return false;
    run.home = folder.home;
    run.document.setProgramFolder(folder.home);
    run.document.replaceStore(std::move(contents.store));
    const MeasurementStore& store = run.document.store();
    const cli::NamedCircuit named = cli::findNamedCircuit(io, store, args);
    if (!named.circuit)
        return false;
    const MeasurementCircuit& circuit = *named.circuit;
    run.startDay = cli::startDayArg(args, folder);
    run.document.setMonthStartDay(run.startDay);

    if (month != -1) {
        std::vector<int> days = daysInWindow(circuit, monthWindow(year, month, run.startDay));
        if (days.empty()) {
            cli::message(
                io, cli::formatMessage(txt::cli::kNoStoredMonth, args.require("month").c_str()));
            return false;
        }
        run.tuples.push_back({named.customerIndex, named.circuitIndex, days.front(), year, month});
    } else {
        for (int i = circuit.lowerBoundDay(from); i < circuit.days.count(); ++i) {
            const MeasurementDay& day = circuit.days.at(i);
            if (day.channel != circuit.dayChannel() || to < day.date)
                break;
            run.tuples.push_back({named.customerIndex, named.circuitIndex, i, -1, -1});
        }
        if (run.tuples.empty()) {
            std::string shownFrom = from.format("%Y-%m-%d");
            if (args.has("day"))
                cli::message(io, cli::formatMessage(txt::cli::kNoStoredDay, shownFrom.c_str()));
            else
                cli::message(io, cli::formatMessage(txt::cli::kNoStoredDays, shownFrom.c_str(),
                                                    to.format("%Y-%m-%d").c_str()));
            return false;
        }
    }

    std::error_code ec;
    std::filesystem::create_directories(run.outFolder, ec);
    return true;
}
