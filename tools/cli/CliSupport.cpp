#include "tools/cli/CliSupport.h"
#include "link/LinkTexts.h"
#include "link/ReportCut.h"
#include "link/ReportParser.h"
#include "link/ReportText.h"
#include "support/CxException.h"
#include "support/FilePath.h"
#include "support/Format.h"
#include "support/RetryOpen.h"
#include "support/Sjis.h"
#include "support/SupportTexts.h"
#include "tools/cli/CliInput.h"
#include "tools/cli/CliTexts.h"
#include <cerrno>

#include <cstdio>
#include <ostream>

namespace cli {

std::string terminalText(std::string_view utf8) {
    std::string out;
    for (char c : utf8) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x20 || b == 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", b);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out;
}

void message(CliIo& io, const std::string& utf8) {
    io.err << kMessagePrefix << utf8 << '\n';
    io.err.flush();
}

void messageCp932(CliIo& io, sjis::Text cp932) {
    message(io, sjis::toUtf8(cp932));
}

std::optional<std::string> nameArg(CliIo& io, const std::string& utf8) {
    // Names typed on Linux may use the JIS twins of CP932's characters ("〜" for "～").
    std::optional<std::string> name = sjis::fromUtf8(utf8, sjis::Spelling::JisTwins);
    if (!name)
        messageCp932(io, txt::support::kUnspellableName);
    return name;
}

std::string shownPath(const std::filesystem::path& path) {
    std::error_code ec;
    std::filesystem::path full = std::filesystem::absolute(path, ec);
    return (ec ? path : full).lexically_normal().string();
}

std::string shownMessage(sjis::Text format, const std::string& shown) {
    // The path goes in as it is, not as CP932 spells it.
    return formatUtf8(format, shown.c_str());
}

std::string pathMessage(sjis::Text format, const std::filesystem::path& path) {
    return shownMessage(format, shownPath(path));
}

ReportRead readReport(const std::string& arg) {
    ReportRead result;
    const NamedInput input = namedInput(arg);
    OpenedFile file;
    if (input.stream) {
        file = openStream(input);
        if (!file.isOpen()) {
            result.error = shownMessage(txt::link::kFileOpenFailed, input.shown);
            return result;
        }
    } else {
        std::error_code ec;
        if (!std::filesystem::exists(arg, ec)) {
            result.error = shownMessage(txt::link::kFileMissing, input.shown);
            return result;
        }
        // One attempt, as the tool always made: a capture still being written is refused.
        RetryPolicy once;
        once.timeout = std::chrono::milliseconds(0);
        OpenResult opened = openWithRetry(arg, OpenAccess::ReadDenyWrite, once);
        if (!opened) {
            result.error = shownMessage(txt::link::kFileOpenFailed, input.shown);
            return result;
        }
        file = std::move(opened.file);
    }
    ParseContext context(result.days);
    ReportTextReader reader(file);
    try {
        const ReportEnd end = readWholeReport(context, reader);
        if (reader.failed()) {
            result.error = shownMessage(txt::link::kFileReadFailed, input.shown);
        } else if (end.cut) {
            result.interrupted = true;
            // The file named as given, after the core's text of the cut.
            result.cutNotice =
                sjis::toUtf8(cutReceptionMessage(CutReason::FileEnd, end, result.days.days.count(),
                                                 std::string())) +
                " " + shownMessage(txt::link::kCutFile, input.shown);
        }
    } catch (const CxException& e) {
        // A message-less exception would be a normal end; the parser raises only messages.
        if (e.hasMessage()) {
            result.error = sjis::toUtf8(e.message());
            result.grammarError = true;
        }
    }
    return result;
}

} // namespace cli

namespace cli {

bool overwriteArg(const CliArgs& args) {
    std::string value = args.get("overwrite").value_or("no");
    if (value == "yes")
        return true;
    if (value == "no")
        return false;
    throw UsageError("--overwrite takes yes or no", args.command);
}

int channelArg(const CliArgs& args) {
    std::optional<std::string> value = args.get("channel");
    if (!value)
        return 0;
    if (*value == "1" || *value == "2")
        return *value == "1" ? 1 : 2;
    throw UsageError("--channel takes 1 or 2", args.command);
}

DateTime dateArg(const CliArgs& args, const std::string& option) {
    std::string text = args.require(option);
    int y = 0, m = 0, d = 0, used = 0;
    if (text.size() == 10 && std::sscanf(text.c_str(), "%4d-%2d-%2d%n", &y, &m, &d, &used) == 3 &&
        used == 10 && text[4] == '-' && text[7] == '-') {
        DateTime date = DateTime::make(y, m, d);
        if (date.isValid())
            return date;
    }
    throw UsageError("--" + option + " takes a date YYYY-MM-DD", args.command);
}

void monthArg(const CliArgs& args, const std::string& option, int& year, int& month) {
    std::string text = args.require(option);
    int used = 0;
    if (text.size() == 7 && text[4] == '-' &&
        std::sscanf(text.c_str(), "%4d-%2d%n", &year, &month, &used) == 2 && used == 7 &&
        year >= 100 && month >= 1 && month <= 12)
        return;
    throw UsageError("--" + option + " takes a month YYYY-MM", args.command);
}

std::filesystem::path pathArg(const std::string& given) {
    // Not normalised: "link/../x" is where the system says, not where the text suggests.
    std::error_code ec;
    std::filesystem::path full = std::filesystem::absolute(given, ec);
    return ec ? std::filesystem::path(given) : full;
}

} // namespace cli
