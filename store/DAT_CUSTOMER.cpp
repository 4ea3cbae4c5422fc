#include "store/DAT_CUSTOMER.h"
#include "store/ArchiveReader.h"
#include "store/ArchiveWriter.h"
#include "store/ByteSink.h"
#include "store/ByteSource.h"
#include "store/DAT_Archive.h"
#include "store/DAT_Registry.h"
#include "store/DataFileLoad.h"
#include "store/FileSource.h"
#include "store/StoreTexts.h"
#include "support/ArchiveError.h"
#include "support/CxException.h"
#include "support/FailureReport.h"
#include "support/FileNameFit.h"
#include "support/FilePath.h"
#include "support/Format.h"
#include "support/OpenFailure.h"
#include "support/Prompt.h"
#include "support/Sjis.h"
#include <cstdio>
#include <filesystem>
#include <string_view>

namespace {

constexpr std::string_view kSourceName = "DAT_CUSTOMER";
// Customer files are written in 4096-byte blocks, as the export always did.
constexpr std::size_t kBufferSize = 4096;

// Ends an import after the signature message was shown; reported under "例外発生" with no
// further text, as a user abort is.
class ImportAbandoned : public std::exception {
public:
    const char* what() const noexcept override { return ""; }
};

bool isSignatureFailure(const LoadResult& result) {
    try {
        std::rethrow_exception(result.error);
    } catch (const archive::SignatureError&) {
        return true;
    } catch (...) {
        return false;
    }
}

// "ファイルを開くことが出来ません\n<path>" and why.
[[noreturn]] void cannotOpen(const std::filesystem::path& path, std::error_code error,
                             FileUse use) {
    throw CxException(sjis::Text(formatText(txt::store::kCannotOpen, displayPath(path).c_str()) +
                                 openFailureReason(error, use, path)),
                      0);
}

OpenedFile openOrThrow(const std::filesystem::path& path, OpenAccess access, FileUse use,
                       const RetryPolicy& policy) {
    OpenResult r = openWithRetry(path, access, policy);
    if (!r)
        cannotOpen(path, r.error, use);
    return std::move(r.file);
}

// After an archive failure of an import: the file chosen is not what the export writes.
FailureSite importSite(int line, const std::string& shown) {
    return {kSourceName, line, "\n" + formatText(txt::store::kNotExportFile, shown.c_str()).str()};
}

// Tells the first name of the customer that breaks the name rules.
bool namesFollowTheRules(const Customer& customer, Prompt& prompt) {
    NameCheck check = checkName(customer.name, NameField::Customer);
    for (int i = 0; check.ok && i < customer.circuits.count(); ++i)
        check = checkName(customer.circuits.at(i).name, NameField::Circuit);
    if (!check.ok)
        prompt.tell(sjis::Text(check.message), PromptIcon::Stop);
    return check.ok;
}

} // namespace

std::string exportFileNamePreset(const std::string& customerName) {
    return fitFileName(fileNameOf(customerName + ".VLK"), 4);
}

std::string importDoneMessage(const std::string& name, const std::filesystem::path& path) {
    return formatText(txt::store::kImported, name.c_str(), displayPath(path).c_str()).str();
}

std::string uniqueCustomerName(const MeasurementStore& store, const std::string& name) {
    std::string candidate = name;
    for (int counter = 1; store.find(candidate) >= 0; ++counter)
        candidate = formatText("%s_%d", name.c_str(), counter).str();
    return candidate;
}

bool exportCustomer(const MeasurementStore& store, const std::filesystem::path& path,
                    int customerIndex, Prompt& prompt, const RetryPolicy& policy,
                    const datafile::SinkWrapper& wrap) {
    return runReportingFailures(prompt, {kSourceName, __LINE__}, [&] {
        const Customer& customer = store.at(customerIndex);
        const std::filesystem::path folder = path.parent_path();
        if (pathKind(folder.empty() ? "." : folder) != PathKind::Folder)
            cannotOpen(path, std::make_error_code(std::errc::no_such_file_or_directory),
                       FileUse::Write);
        // Another opener of the old file is waited for as the open always did; the lock is held
        // until the new file has taken its place.
        OpenedFile held;
        if (pathKind(path) != PathKind::Missing)
            held = openOrThrow(path, OpenAccess::ReadExclusive, FileUse::Write, policy);
        bool started = false;
        try {
            datafile::replaceFileAtomically(
                path,
                [&](ByteSink& sink) {
                    started = true;
                    ArchiveWriter out(sink, kBufferSize);
                    archive::write(out, customer);
                    out.flush();
                },
                wrap);
        } catch (const FileCreateError& e) {
            // No temporary file could be made: the file cannot be opened, as before.
            if (!started)
                cannotOpen(path, e.code(), FileUse::Write);
            throw;
        }
    });
}

namespace {

// One customer record from an opened source; `shown` names the file in the messages.
Customer readImported(ByteSource& source, const std::string& shown, Prompt& prompt) {
    Customer scratch;
    const LoadResult result = readArchive(source, [&](ByteSource& s) {
        ArchiveReader in(s, kBufferSize);
        archive::read(in, scratch);
    });
    if (result.outcome == LoadOutcome::WrongVersion ||
        (result.outcome == LoadOutcome::Damaged && isSignatureFailure(result))) {
        const sjis::Text message = result.outcome == LoadOutcome::WrongVersion
                                       ? sjis::Text(txt::store::kDataFileVersion)
                                       : sjis::Text(txt::store::kDataFileDamaged);
        // The data file's message speaks of the data file: say which file this was meant to be.
        prompt.tell(sjis::Text(formatText(message, shown.c_str()) + "\n" +
                               formatText(txt::store::kNotExportFile, shown.c_str())),
                    PromptIcon::Stop);
        throw ImportAbandoned();
    }
    if (!result.loaded())
        std::rethrow_exception(result.error); // told with its failure heading
    return scratch;
}

// The rest of an import, with the file closed: check, ask, name and add.
int addImported(MeasurementStore& store, Customer scratch, Prompt& prompt) {
    // A file from elsewhere obeys the name rules as typed names do: its names end up in
    // file names and on the screen.
    if (!namesFollowTheRules(scratch, prompt))
        return -1;
    const sjis::String question = formatText(txt::store::kImportQuestion, scratch.name.c_str());
    if (prompt.ask(question, PromptButtons::YesNo, PromptIcon::Question) != PromptAnswer::Yes)
        return -1;
    std::string name = uniqueCustomerName(store, scratch.name);
    if (name != scratch.name)
        prompt.tell(formatText(txt::store::kImportRenamed, name.c_str()), PromptIcon::Information);
    scratch.name = name;
    return store.insertOrAssign(std::move(scratch));
}

} // namespace

int importCustomer(MeasurementStore& store, const std::filesystem::path& path, Prompt& prompt,
                   const RetryPolicy& policy) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec))
        return -1;
    int index = -1;
    runReportingFailures(prompt, importSite(__LINE__, path), [&] {
        Customer scratch;
        {
            OpenedFile file = openOrThrow(path, OpenAccess::ReadExclusive, FileUse::Read, policy);
            FileSource source(file);
            scratch = readImported(source, displayPath(path), prompt);
        }
        index = addImported(store, std::move(scratch), prompt);
    });
    return index;
}

int importCustomer(MeasurementStore& store, ByteSource& source, const std::string& shown,
                   Prompt& prompt) {
    int index = -1;
    runReportingFailures(prompt, importSite(__LINE__, shown), [&] {
        index = addImported(store, readImported(source, shown, prompt), prompt);
    });
    return index;
}
