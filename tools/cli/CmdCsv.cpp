// csv: the daily or monthly CSV report files of a circuit, or the daily ones of a period for
// several circuits.
#include "support/FilePath.h"
#include "textout/CsvReport.h"
#include "tools/cli/BatchRun.h"
#include "tools/cli/CliCommands.h"
#include "tools/cli/CliSupport.h"
#include "tools/cli/ConsolePrompt.h"
#include "tools/cli/ReportRun.h"
#include <ostream>

int cmdCsv(const CliArgs& args, CliIo io) {
    if (cli::isPeriodCommand(args))
        return cli::runPeriodCommand(args, io, BatchFormat::Csv);
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
        const std::filesystem::path path =
            pathInFolder(run.outFolder, pathFromCp932(csvFileNamePreset(selection)));
        if (!WriteReportCsv(path, selection, env))
            return ExitFailure;
        io.out << path.native() << '\n';
    }
    io.out.flush();
    return ExitOk;
}
