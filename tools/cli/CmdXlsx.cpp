// xlsx: the daily or monthly report of a circuit as an Excel workbook; a range of days is one
// workbook with a sheet a day.
#include "support/FilePath.h"
#include "support/Format.h"
#include "support/Sjis.h"
#include "textout/ReportWorkbook.h"
#include "textout/TextoutTexts.h"
#include "tools/cli/CliCommands.h"
#include "tools/cli/ConsolePrompt.h"
#include "tools/cli/ReportRun.h"
#include <ostream>

int cmdXlsx(const CliArgs& args, CliIo io) {
    ReportRun run;
    if (!prepareReportRun(args, io, run))
        return ExitFailure;
    std::vector<DisplaySelection> reports;
    for (const SelectionTuple& tuple : run.tuples) {
        run.document.select(tuple, run.displayChannel);
        reports.push_back(run.document.currentSelection());
    }
    const DisplaySelection& first = reports.front();
    std::string name = workbookFileNamePreset(first);
    if (run.range)
        name = fileNameOf(formatText(txt::textout::kRangeFileName, first.customerName.c_str(),
                                     first.circuitName.c_str(), run.from.format("%Y%m%d").c_str(),
                                     run.to.format("%Y%m%d").c_str(), 1) +
                          txt::textout::kWorkbookExtension);
    ConsolePrompt prompt(io.err, io.in, false);
    WorkbookOutputEnv env;
    env.monthStartDay = run.startDay;
    env.prompt = &prompt;
    env.header = ReportHeaderSettings::load(reportHeaderPath(run.document.dataFolder()));
    const std::string path = run.outFolder + "/" + name;
    if (!WriteReportWorkbook(path, reports, env))
        return ExitFailure;
    io.out << sjis::toUtf8(path) << '\n';
    io.out.flush();
    return ExitOk;
}
