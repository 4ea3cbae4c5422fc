// export and import: one customer to and from an export file.
#include "link/LinkTexts.h"
#include "store/DAT_CUSTOMER.h"
#include "store/MemorySource.h"
#include "store/StoreTexts.h"
#include "support/FilePath.h"
#include "support/Format.h"
#include "support/Sjis.h"
#include "tools/cli/CliCommands.h"
#include "tools/cli/CliInput.h"
#include "tools/cli/CliSupport.h"
#include "tools/cli/CliTexts.h"
#include "tools/cli/ConsolePrompt.h"
#include "tools/cli/DataFolder.h"
#include <ostream>

int cmdExport(const CliArgs& args, CliIo io) {
    const std::string customer = args.require("customer");
    const std::string out = args.require("out");
    cli::DataFolder folder = cli::resolveDataFolder(args);
    cli::DataFileContents contents;
    if (cli::loadDataFile(io, folder, contents) == cli::LoadStatus::Failed)
        return ExitFailure;
    const std::optional<std::string> name = cli::nameArg(io, customer);
    if (!name)
        return ExitFailure;
    int index = contents.store.find(*name);
    if (index < 0) {
        cli::message(io, cli::formatMessage(txt::cli::kNoCustomer, customer.c_str()));
        return ExitFailure;
    }
    ConsolePrompt prompt(io.err, io.in, false);
    if (!exportCustomer(contents.store, cli::pathArg(out), index, prompt))
        return ExitFailure;
    cli::messageCp932(io, txt::store::kSaved);
    return ExitOk;
}

int cmdImport(const CliArgs& args, CliIo io) {
    const cli::NamedInput input = cli::namedInput(args.positional.at(0));
    if (input.arg == "-" && !args.has("yes"))
        throw UsageError("the file comes on standard input: answer with --yes", args.command);
    cli::DataFolder folder = cli::resolveDataFolder(args);
    const std::filesystem::path path = cli::pathArg(input.arg);
    // A file piped in is read before the folder is taken, like a report to file.
    std::string piped;
    if (input.stream) {
        if (!cli::readWholeStream(io, input, piped))
            return ExitFailure;
    } else {
        std::error_code ec;
        if (!std::filesystem::is_regular_file(path, ec)) {
            cli::message(io, cli::pathMessage(txt::link::kFileMissing, path));
            return ExitFailure;
        }
    }
    InstanceLock lock;
    cli::DataFileContents contents;
    if (!cli::lockAndLoadDataFile(io, folder, lock, contents))
        return ExitFailure;
    ConsolePrompt prompt(io.err, io.in, args.has("yes"));
    int index = -1;
    if (input.stream) {
        MemorySource source(piped);
        index = importCustomer(contents.store, source, displayPath(input.shown), prompt);
    } else {
        index = importCustomer(contents.store, path, prompt);
    }
    if (index < 0) {
        if (prompt.declined() > 0)
            cli::message(io, txt::cli::kImportDeclined);
        return ExitFailure;
    }
    if (!cli::saveDataFile(io, folder, contents))
        return ExitFailure;
    // The name the customer was filed under (it may carry a suffix).
    io.out << sjis::toUtf8(contents.store.nameAt(index)) << '\n';
    io.out.flush();
    return ExitOk;
}
