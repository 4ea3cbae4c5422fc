#include "tools/cli/CliMain.h"
#include "tools/cli/CliArgs.h"
#include "tools/cli/CliCommands.h"
#include <exception>
#include <ostream>

int runCli(const std::vector<std::string>& args, CliIo io) {
    std::string command;
    try {
        CliArgs parsed = parseCliArgs(args);
        command = parsed.command;
        if (parsed.help) {
            const CliCommand* c = findCliCommand(parsed.command);
            io.out << (c ? c->help : cliOverview().c_str());
            return ExitOk;
        }
        return runCliCommand(parsed, io);
    } catch (const UsageError& e) {
        io.err << "orvoview-cli: " << e.what() << '\n';
        if (e.command().empty())
            io.err << "Try 'orvoview-cli --help'.\n";
        else
            io.err << "Try 'orvoview-cli " << e.command() << " --help'.\n";
        return ExitUsage;
    } catch (const std::exception& e) {
        // Failures the commands do not report themselves (out of memory and the like).
        io.err << "orvoview-cli: " << e.what() << '\n';
        return ExitFailure;
    }
}
