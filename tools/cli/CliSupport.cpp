#include "tools/cli/CliSupport.h"
#include "link/ReportLineCleaner.h"
#include "link/ReportParser.h"
#include "link/ReportText.h"
#include "support/CxException.h"
#include "support/Sjis.h"
#include "tools/cli/CliTexts.h"
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <ostream>

namespace cli {

std::string format(const char* pattern, ...) {
    va_list args;
    va_start(args, pattern);
    va_list copy;
    va_copy(copy, args);
    int n = std::vsnprintf(nullptr, 0, pattern, copy);
    va_end(copy);
    std::string out;
    if (n > 0) {
        out.resize(static_cast<std::size_t>(n) + 1);
        std::vsnprintf(out.data(), out.size(), pattern, args);
        out.resize(static_cast<std::size_t>(n));
    }
    va_end(args);
    return out;
}

void message(CliIo& io, const std::string& utf8) {
    io.err << utf8 << '\n';
    io.err.flush();
}

void messageCp932(CliIo& io, const std::string& cp932) {
    message(io, sjis::toUtf8(cp932));
}

std::string nameArg(const std::string& utf8) {
    return sjis::fromUtf8(utf8);
}

std::string shownPath(const std::filesystem::path& path) {
    std::error_code ec;
    std::filesystem::path full = std::filesystem::absolute(path, ec);
    return (ec ? path : full).lexically_normal().string();
}

ReportRead readReportFile(const std::filesystem::path& path) {
    ReportRead result;
    const std::string shown = shownPath(path);
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
        result.error = format(txt::kFileMissing, shown.c_str());
        return result;
    }
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr || std::filesystem::is_directory(path, ec)) {
        if (file)
            std::fclose(file);
        result.error = format(txt::kFileNotOpened, shown.c_str());
        return result;
    }
    ParseContext context(result.days);
    ReportTextReader reader(file);
    std::string line;
    try {
        while (reader.nextLine(line)) {
            ReportLineCleaner(line, kReceptionCleanOptions);
            FeedLine(context, line);
        }
        if (reader.failed())
            result.error = format(txt::kFileReadFailed, shown.c_str());
    } catch (const CxException& e) {
        // A message-less exception would be a normal end; the parser raises only messages.
        if (e.hasMessage()) {
            result.error = sjis::toUtf8(e.message());
            result.grammarError = true;
        }
    }
    std::fclose(file);
    return result;
}

} // namespace cli
