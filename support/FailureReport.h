#pragma once
#include <functional>
#include <string>
#include <string_view>

class LogFile;
class Prompt;

// Where a handler chain sits: the source unit ("D_TxtOut", "DAT_CUSTOMER") and its line.
struct FailureSite {
    std::string_view source;
    int line = 0;
    // Added after an archive failure (CP932, from a line break): what the file should have
    // been, so a wrong file chosen is told as such.
    std::string archiveHint = {};
};

// "%s\n%s\n%s(%d)": heading, failure text, source name, line.
std::string formatFailure(std::string_view heading, std::string_view text, const FailureSite& site);

// Runs a file-writing operation and reports what it throws; never rethrows.
//  - CxException with a message: written to the log first (when given), then shown with the
//    warning icon (it is a failure); without a message: nothing is shown.
//  - std::bad_alloc: "メモリ不足"
//  - FileAccessError, std::filesystem::filesystem_error, std::ios_base::failure,
//    std::system_error: "ﾌｧｲﾙｱｸｾｽ異常"
//  - ArchiveError: "ｱｰｶｲﾌﾞ異常"
//  - anything else: "例外発生"
// The failure text is cut to 99 bytes (the platform's 100-byte buffer). Returns true when the
// operation ended normally; what it wrote before failing stays.
bool runReportingFailures(Prompt& prompt, const FailureSite& site,
                          const std::function<void()>& operation, LogFile* log = nullptr);
