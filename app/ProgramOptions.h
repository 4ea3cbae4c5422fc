#pragma once
// What the program answers before it starts: --help and --version go to standard output with
// exit status 0 before the application object exists, so they work without a display.
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

// The help text (UTF-8), ending with the program folder in use.
std::string programHelp();
// "orvoview <version>" and a line feed.
std::string programVersion();

// When the arguments (argv[1..]) ask for help or the version, writes it to `out` and returns
// the exit status (1 when it could not be written); otherwise nothing is written and the
// program starts. Qt's own options pass through.
std::optional<int> answerInformationOptions(const std::vector<std::string>& args,
                                            std::ostream& out);
