#pragma once
#include <iosfwd>
#include <string>
#include <vector>

// Streams of one run of the tool. Tests and main() give their own.
struct CliIo {
    std::ostream& out; // JSON and results
    std::ostream& err; // messages, status texts, questions
    std::istream& in;  // answers to questions
};

// Every message on stderr has one form: this prefix, then the text (the program's own where it
// has one, its further lines as they are), then a line feed. Usage errors, the core's message
// boxes and failures of the tool itself all use it; only the status texts of a reception are
// printed bare, as the reception dialog lists them.
inline constexpr char kMessagePrefix[] = "orvoview-cli: ";

// Runs the tool on argv[1..]; returns the exit status (CliExit).
int runCli(const std::vector<std::string>& args, CliIo io);

// main(): runs the tool on the process's arguments and standard streams.
int runCliMain(int argc, char** argv);
