// dump-report: the days of a captured report as JSON.
#include "tools/cli/CliCommands.h"
#include "tools/cli/CliSupport.h"
#include "tools/cli/RecordJson.h"
#include <ostream>

int cmdDumpReport(const CliArgs& args, CliIo io) {
    cli::ReportRead report = cli::readReport(args.positional.at(0));
    // A report document always, as receive prints it: the days read before a failure (none
    // when the file could not be opened) come with its message.
    JsonWriter json(io.out);
    writeReportDocument(json, report.days, report.error, report.cutNotice);
    if (!report.error.empty() || report.interrupted) {
        cli::message(io, report.error.empty() ? report.cutNotice : report.error);
        return ExitFailure;
    }
    return ExitOk;
}
