#pragma once
// The csv and pdf commands over a period: the circuits named, the plan of 一括出力 and its run,
// with the window's summary.
#include "tools/cli/CliArgs.h"
#include "tools/cli/CliMain.h"
#include "views/table/BatchOutput.h"
#include <vector>

namespace cli {

// --customer with --circuit, or --customer alone for every circuit of it, in the store's
// order. Empty, told, when a name is not registered.
std::vector<BatchCircuit> batchCircuits(CliIo& io, const MeasurementStore& store,
                                        const CliArgs& args);

// Writes the period's files into the folder (created when missing): the written paths on
// stdout, one a line, and the summary on stderr. ExitFailure when the period holds nothing or
// a file failed.
int runBatchCommand(CliIo& io, const MeasurementStore& store, const BatchRequest& request,
                    const std::string& outFolder, const BatchPdfWriter& pdf);

} // namespace cli
