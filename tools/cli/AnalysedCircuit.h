#pragma once
// What every analyse command starts from: the data file, the circuit that --customer and
// --circuit name, its limits from DATA/Analysis.INI and the month start day of the INI.
#include "analysis/CircuitLimits.h"
#include "tools/cli/CliArgs.h"
#include "tools/cli/CliMain.h"
#include "tools/cli/DataFolder.h"

namespace cli {

struct AnalysedCircuit {
    DataFileContents contents;
    NamedCircuit named; // points into contents: filled in place, never copied
    CircuitLimits limits;
    int startDay = 1;
    const MeasurementCircuit& circuit() const { return *named.circuit; }
    const std::string& customerName() const { return contents.store.at(named.customerIndex).name; }
};

// False, told on stderr, when the data file cannot be read or the circuit is not registered.
bool loadAnalysedCircuit(CliIo& io, const CliArgs& args, AnalysedCircuit& out);

} // namespace cli
