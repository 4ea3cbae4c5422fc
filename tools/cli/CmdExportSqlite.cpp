// export-sqlite: every measurement of the data file in an SQLite database.
#include "analysis/AnalysisSettings.h"
#include "store/DAT_DataFile.h"
#include "support/FilePath.h"
#include "textout/SqliteExport.h"
#include "tools/cli/CliCommands.h"
#include "tools/cli/CliSupport.h"
#include "tools/cli/DataFolder.h"
#include <ostream>

int cmdExportSqlite(const CliArgs& args, CliIo io) {
    // The path stays as the system gave it: no conversion on the way to the open.
    const std::filesystem::path database(args.positional.at(0));
    cli::DataFolder folder = cli::resolveDataFolder(args);
    cli::DataFileContents contents;
    if (cli::loadDataFile(io, folder, contents) == cli::LoadStatus::Failed)
        return ExitFailure;
    // The contract demand and power-factor threshold entered in the 分析 view go with each
    // circuit, so queries can compare against them.
    const AnalysisSettings settings =
        AnalysisSettings::load(analysisSettingsPath(folder.dataFile.parent_path()));
    const SqliteExportResult result = exportToSqlite(
        contents.store, database, [&](const std::string& customer, const std::string& circuit) {
            const CircuitLimits limits = settings.limitsFor(customer, circuit);
            return SqliteCircuitTerms{limits.contractDemand, limits.powerFactorThreshold};
        });
    if (!result.ok) {
        cli::message(io, "cannot write " + cli::shownPath(database) + ": " + result.error);
        return ExitFailure;
    }
    io.out << result.customers << " customers, " << result.circuits
           << " circuits: " << result.daysWritten << " days written (" << result.samples
           << " samples), " << result.daysUnchanged << " unchanged\n";
    return ExitOk;
}
