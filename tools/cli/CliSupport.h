#pragma once
// Helpers shared by the commands.
#include "store/DAT_Store.h"
#include "tools/cli/CliArgs.h"
#include "tools/cli/CliMain.h"
#include <filesystem>
#include <string>
#include <string_view>

namespace cli {

// A message of the tool (UTF-8) or of the core (CP932) on stderr.
void message(CliIo& io, const std::string& utf8);
void messageCp932(CliIo& io, const std::string& cp932);

// A name from a file as a terminal may show it: control bytes (ESC, CR, LF, ...) written as
// "\xNN", so that a name can neither steer the terminal nor forge a line.
std::string terminalText(std::string_view utf8);

// A name given on the command line (UTF-8) as the core keeps it (CP932).
std::string nameArg(const std::string& utf8);
// A path as the user should read it: absolute, UTF-8.
std::string shownPath(const std::filesystem::path& path);

// A captured report read the way the reception reads a received file: a file named on the
// command line, "-" for standard input, or a pipe read to its end. The days received before a
// failure are kept; `error` (UTF-8) is empty after a normal end. A report that ends inside a
// block is `interrupted`: `days` are those whose blocks arrived whole, `cutNotice` (UTF-8)
// says so.
struct ReportRead {
    MeasurementCircuit days;
    std::string error;
    bool grammarError = false; // the parser rejected a line
    bool interrupted = false;
    std::string cutNotice;
};
ReportRead readReport(const std::string& arg);

} // namespace cli

namespace cli {

// Values of options, checked; a malformed value is wrong usage.
// --overwrite yes|no (default no).
bool overwriteArg(const CliArgs& args);
// --channel 1|2; 0 when not given.
int channelArg(const CliArgs& args);
// "YYYY-MM-DD" as a valid date.
DateTime dateArg(const CliArgs& args, const std::string& option);
// "YYYY-MM" as year and month.
void monthArg(const CliArgs& args, const std::string& option, int& year, int& month);
// A path option given on the command line, as the core keeps paths (CP932, absolute).
std::string pathArg(const std::string& utf8);

} // namespace cli
