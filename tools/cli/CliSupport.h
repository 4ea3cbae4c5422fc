#pragma once
// Helpers shared by the commands.
#include "store/DAT_Store.h"
#include "support/Format.h"
#include "support/SjisText.h"
#include "tools/cli/CliArgs.h"
#include "tools/cli/CliMain.h"
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>

namespace cli {

// A message of the tool (UTF-8) or of the core (CP932) on stderr.
void message(CliIo& io, const std::string& utf8);
// A message from the tool's own texts (UTF-8 formats, txt::cli).
template <typename... Args> std::string formatMessage(const char* utf8Format, Args... args) {
    static_assert(((std::is_arithmetic_v<Args> || std::is_pointer_v<Args>)&&...),
                  "formatMessage takes numbers and zero-terminated bytes (c_str())");
    return format_detail::formatBytes(utf8Format, args...);
}
// Shift-JIS is no message as it is: messageCp932 converts it.
template <std::size_t N> void message(CliIo& io, const sjis::Literal<N>& cp932) = delete;
void message(CliIo& io, const sjis::String& cp932) = delete;
void messageCp932(CliIo& io, sjis::Text cp932);

// A name from a file as a terminal may show it: control bytes (ESC, CR, LF, ...) written as
// "\xNN", so that a name can neither steer the terminal nor forge a line.
std::string terminalText(std::string_view utf8);

// A name given on the command line (UTF-8) as the core keeps it (CP932); nothing, told, when
// it holds a character CP932 cannot keep.
std::optional<std::string> nameArg(CliIo& io, const std::string& utf8);
// A path as the user should read it: absolute, as the system spells it (UTF-8).
std::string shownPath(const std::filesystem::path& path);
// A message of the program (a CP932 format with one "%s") about a path, in UTF-8 with the
// path exactly as given.
std::string pathMessage(sjis::Text format, const std::filesystem::path& path);
// The same with a name already as shown (UTF-8: a shownPath, or "-").
std::string shownMessage(sjis::Text format, const std::string& shown);

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
// A path given on the command line, made absolute; never converted.
std::filesystem::path pathArg(const std::string& given);

} // namespace cli
