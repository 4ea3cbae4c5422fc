#pragma once
// The csv and pdf commands over a period: the circuits named, the plan of 一括出力 and its run,
// with the window's summary.
#include "tools/cli/CliArgs.h"
#include "tools/cli/CliMain.h"
#include "views/table/BatchOutput.h"

namespace cli {

// --from or --to without --day or --month.
bool isPeriodCommand(const CliArgs& args);

// The daily files of every stored day of --from..--to in one format, as 一括出力 writes them:
// of the circuit named, or without --circuit of every circuit of the customer, into --out
// (created when missing). The written paths on stdout, one a line, and the summary on stderr.
// ExitFailure when a name is not registered, the period holds nothing or a file failed.
int runPeriodCommand(const CliArgs& args, CliIo& io, BatchFormat format);

} // namespace cli
