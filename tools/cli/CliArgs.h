#pragma once
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

// Exit status of the tool.
enum CliExit : int {
    ExitOk = 0,
    ExitFailure = 1, // a user or data error: unknown customer, damaged file, grammar error, lock
    ExitUsage = 2,   // wrong command line
};

// Wrong usage: an unknown command or option, a missing or malformed argument. The text is
// UTF-8 and names the command whose help to read.
class UsageError : public std::runtime_error {
public:
    UsageError(const std::string& message, std::string command)
        : std::runtime_error(message), m_command(std::move(command)) {}
    const std::string& command() const { return m_command; }

private:
    std::string m_command;
};

struct CliOption {
    const char* name; // without the leading "--"
    bool takesValue;
};

struct CliCommand {
    const char* name;
    int minPositional;
    int maxPositional;
    std::vector<CliOption> options;
    const char* help; // UTF-8
};

// The commands this tool knows, in the order the overview lists them.
const std::vector<CliCommand>& cliCommands();
const CliCommand* findCliCommand(const std::string& name);
// Help of the tool (the overview) and of one command.
std::string cliOverview();
// "orvoview-cli <version>" and a line feed.
std::string cliVersion();

// A parsed command line.
struct CliArgs {
    std::string command; // empty with help of the tool
    bool help = false;   // --help given (or `help CMD`)
    std::vector<std::string> positional;
    std::map<std::string, std::string> options; // flags map to ""

    bool has(const std::string& name) const { return options.count(name) != 0; }
    std::optional<std::string> get(const std::string& name) const;
    // The value of an option that must be there.
    std::string require(const std::string& name) const;
};

// Parses argv[1..]. Throws UsageError. "--opt value" and "--opt=value" both work; "--" ends the
// options.
CliArgs parseCliArgs(const std::vector<std::string>& args);
