#pragma once
// Filing received days into a circuit, shared by import-report and receive.
#include "store/DAT_Store.h"
#include "tools/cli/CliArgs.h"
#include "tools/cli/CliMain.h"
#include "tools/cli/DataFolder.h"
#include "transfer/DayTransfer.h"
#include <string>
#include <vector>

namespace cli {

// The received days of one channel: `channel` (1 or 2), or 0 for "all, when they share one
// channel". False, told, when there is nothing to take or the channels are mixed.
bool chooseChannelDays(CliIo& io, const MeasurementCircuit& received, int channel,
                       std::vector<MeasurementDay>& chosen);

// The circuit (created with its customer when missing, names checked like the editing dialog
// does). Nullptr, told, when a name is rejected.
MeasurementCircuit* findOrAddCircuit(CliIo& io, MeasurementStore& store,
                                     const std::string& customerUtf8,
                                     const std::string& circuitUtf8);

void tellFiled(CliIo& io, const DayMove& result);

// The end of import-report and receive: files the days into the circuit of --customer and
// --circuit (created when missing) of the loaded data file with the rule of "← 追加" (the
// overwrite question answered by `overwrite`), saves it and tells what was filed. Returns the
// exit status.
int fileAndSave(CliIo& io, const CliArgs& args, const DataFolder& folder,
                DataFileContents& contents, const std::vector<MeasurementDay>& days,
                bool overwrite);

} // namespace cli
