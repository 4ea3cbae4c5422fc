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

// Runs the tool on argv[1..]; returns the exit status (CliExit).
int runCli(const std::vector<std::string>& args, CliIo io);
