#include "tools/cli/AnalysedCircuit.h"

#include "analysis/AnalysisSettings.h"
#include "store/DAT_DataFile.h"
#include "support/FilePath.h"

namespace cli {

bool loadAnalysedCircuit(CliIo& io, const CliArgs& args, AnalysedCircuit& out) {
    const DataFolder folder = resolveDataFolder(args);
    if (loadDataFile(io, folder, out.contents) == LoadStatus::Failed)
        return false;
    out.named = findNamedCircuit(io, out.contents.store, args);
    if (!out.named.circuit)
        return false;
    out.startDay = startDayArg(args, folder);
    const AnalysisSettings settings =
        AnalysisSettings::load(analysisSettingsPath(joinPath(folder.home, datafile::kFolderName)));
    out.limits = settings.limitsFor(out.customerName(), out.circuit().name);
    return true;
}

} // namespace cli
