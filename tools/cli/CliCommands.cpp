#include "tools/cli/CliCommands.h"
#include <ostream>

int runCliCommand(const CliArgs& args, CliIo io) {
    struct Entry {
        const char* name;
        int (*run)(const CliArgs&, CliIo);
    };
    static const Entry entries[] = {
        {"dump-report", cmdDumpReport},
        {"dump-data", cmdDumpData},
        {"list", cmdList},
        {"import-report", cmdImportReport},
        {"csv", cmdCsv},
        {"xlsx", cmdXlsx},
        {"pdf", cmdPdf},
        {"export", cmdExport},
        {"import", cmdImport},
        {"export-sqlite", cmdExportSqlite},
        {"receive", cmdReceive},
        {"analyse", cmdAnalyse},
    };
    for (const Entry& e : entries) {
        if (args.command == e.name)
            return e.run(args, io);
    }
    throw UsageError("unknown command '" + args.command + "'", "");
}
