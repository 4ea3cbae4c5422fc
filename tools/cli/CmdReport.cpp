// dump-report: the days of a captured report as JSON.
#include "tools/cli/CliCommands.h"
#include "tools/cli/CliSupport.h"
#include "tools/cli/RecordJson.h"
#include <ostream>

int cmdDumpReport(const CliArgs& args, CliIo io) {
    cli::ReportRead report = cli::readReportFile(args.positional.at(0));
    if (!report.error.empty() && !report.grammarError) {
        cli::message(io, report.error);
        return ExitFailure;
    }
    JsonWriter json(io.out);
    json.beginObject();
    writeDaysMember(json, report.days);
    if (report.grammarError)
        json.member("error", report.error);
    if (report.interrupted)
        json.member("interrupted", report.cutNotice);
    json.endObject();
    json.finish();
    if (report.grammarError || report.interrupted) {
        cli::message(io, report.grammarError ? report.error : report.cutNotice);
        return ExitFailure;
    }
    return ExitOk;
}
