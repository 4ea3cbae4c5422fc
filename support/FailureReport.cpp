#include "support/FailureReport.h"
#include "support/SupportTexts.h"

#include "support/ArchiveError.h"
#include "support/CxException.h"
#include "support/LogFile.h"
#include "support/Prompt.h"
#include "support/Sjis.h"

#include <filesystem>
#include <ios>
#include <new>
#include <system_error>

namespace {

constexpr std::size_t kTextBuffer = 100;

std::string cut(std::string text) {
    if (text.size() >= kTextBuffer) {
        std::size_t n = kTextBuffer - 1;
        if (sjis::isTrailByteAt(text, n)) {
            --n;
        }
        text.resize(n);
    }
    return text;
}

void show(Prompt& prompt, std::string_view heading, std::string text, const FailureSite& site,
          std::string_view hint = {}) {
    prompt.tell(sjis::Text(formatFailure(heading, cut(std::move(text)), site) + std::string(hint)),
                PromptIcon::Warning);
}

// Texts of the standard library come in UTF-8 (paths included).
std::string libraryText(const std::exception& e) {
    return sjis::fromUtf8Shown(e.what());
}

} // namespace

std::string formatFailure(std::string_view heading, std::string_view text,
                          const FailureSite& site) {
    std::string out;
    out.append(heading);
    out += '\n';
    out.append(text);
    out += '\n';
    out.append(site.source);
    out += '(';
    out += std::to_string(site.line);
    out += ')';
    return out;
}

bool runReportingFailures(Prompt& prompt, const FailureSite& site,
                          const std::function<void()>& operation, LogFile* log) {
    try {
        operation();
        return true;
    } catch (const CxException& e) {
        if (e.hasMessage()) {
            if (log) {
                log->WriteLine(e.message());
            }
            prompt.tell(e.message(), PromptIcon::Warning);
        }
    } catch (const std::bad_alloc& e) {
        show(prompt, txt::support::kFailureMemory, libraryText(e), site);
    } catch (const FileAccessError& e) {
        show(prompt, txt::support::kFailureFileAccess, e.what(), site);
    } catch (const std::system_error& e) {
        // filesystem_error and ios_base::failure are system errors too
        show(prompt, txt::support::kFailureFileAccess, libraryText(e), site);
    } catch (const ArchiveError& e) {
        show(prompt, txt::support::kFailureArchive, e.what(), site, site.archiveHint);
    } catch (const std::exception& e) {
        show(prompt, txt::support::kFailureOther, e.what(), site);
    } catch (...) {
        show(prompt, txt::support::kFailureOther, std::string(), site);
    }
    return false;
}
