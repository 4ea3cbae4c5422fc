#include "tools/cli/CliMain.h"
#include "tools/cli/CliArgs.h"
#include "tools/cli/CliCommands.h"
#include "tools/cli/DataFolder.h"
#include <csignal>
#include <exception>
#include <iostream>
#include <ostream>

namespace {

// Output that did not reach its file (a full disk) makes a successful run a failure.
int checkedOutput(CliIo& io, int status) {
    io.out.flush();
    if (io.out)
        return status;
    io.err << kMessagePrefix << "cannot write the output\n";
    return status == ExitOk ? ExitFailure : status;
}

} // namespace

int runCli(const std::vector<std::string>& args, CliIo io) {
    try {
        CliArgs parsed = parseCliArgs(args);
        if (parsed.help) {
            const CliCommand* c = findCliCommand(parsed.command);
            if (c)
                io.out << c->help;
            else
                io.out << cliOverview() << '\n' << cli::programFolderInUse(parsed);
            return checkedOutput(io, ExitOk);
        }
        if (parsed.has("version")) {
            io.out << cliVersion();
            return checkedOutput(io, ExitOk);
        }
        return checkedOutput(io, runCliCommand(parsed, io));
    } catch (const UsageError& e) {
        io.err << kMessagePrefix << e.what() << '\n';
        if (e.command().empty())
            io.err << "Try 'orvoview-cli --help'.\n";
        else
            io.err << "Try 'orvoview-cli " << e.command() << " --help'.\n";
        return ExitUsage;
    } catch (const std::exception& e) {
        // Failures the commands do not report themselves (out of memory and the like).
        io.err << kMessagePrefix << e.what() << '\n';
        return ExitFailure;
    }
}

int runCliMain(int argc, char** argv) {
    // Above a file-size limit a write fails with EFBIG and the usual message, instead of the
    // signal killing the tool half-way through a save.
    std::signal(SIGXFSZ, SIG_IGN);
    std::vector<std::string> args(argv + 1, argv + argc);
    return runCli(args, {std::cout, std::cerr, std::cin});
}
