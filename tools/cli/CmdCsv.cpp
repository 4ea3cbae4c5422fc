// csv: the daily or monthly CSV report files of a circuit.
#include "support/Sjis.h"
#include "textout/CsvReport.h"
#include "tools/cli/CliCommands.h"
#include "tools/cli/ConsolePrompt.h"
#include "tools/cli/ReportRun.h"
#include <ostream>

int cmdCsv(const CliArgs& args, CliIo io) {
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
