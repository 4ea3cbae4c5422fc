#pragma once
#include "tools/cli/CliArgs.h"
#include "tools/cli/CliMain.h"

// Runs one parsed command (not --help). Returns the exit status.
int runCliCommand(const CliArgs& args, CliIo io);

// The commands, one function each.
int cmdDumpReport(const CliArgs& args, CliIo io);
int cmdDumpData(const CliArgs& args, CliIo io);
int cmdList(const CliArgs& args, CliIo io);
int cmdImportReport(const CliArgs& args, CliIo io);
int cmdCsv(const CliArgs& args, CliIo io);
int cmdXlsx(const CliArgs& args, CliIo io);
int cmdPdf(const CliArgs& args, CliIo io);
int cmdExport(const CliArgs& args, CliIo io);
int cmdImport(const CliArgs& args, CliIo io);
int cmdExportSqlite(const CliArgs& args, CliIo io);
int cmdReceive(const CliArgs& args, CliIo io);
int cmdAnalyse(const CliArgs& args, CliIo io);
// analyse --year: the year at a glance.
int cmdAnalyseYear(const CliArgs& args, CliIo io);
