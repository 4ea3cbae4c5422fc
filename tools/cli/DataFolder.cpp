#include "tools/cli/DataFolder.h"
#include "link/LinkTexts.h"
#include "store/ArchiveReader.h"
#include "store/DAT_Archive.h"
#include "store/DAT_DataFile.h"
#include "store/DataFileLoad.h"
#include "store/MemorySource.h"
#include "store/StoreTexts.h"
#include "support/ArchiveError.h"
#include "support/AtomicFile.h"
#include "support/FilePath.h"
#include "support/Format.h"
#include "support/OpenedFile.h"
#include "support/ProfileSettings.h"
#include "support/ProgramFolder.h"
#include "support/Sjis.h"
#include "tools/cli/CliInput.h"
#include "tools/cli/CliSupport.h"
#include "tools/cli/CliTexts.h"

#include <cctype>
#include <cstdio>

namespace fs = std::filesystem;

namespace cli {

namespace {

fs::path withoutTrailingSeparators(const fs::path& folder) {
    std::string text = folder.native();
    while (text.size() > 1 && text.back() == '/')
        text.pop_back();
    return fs::path(std::move(text));
}

// True when the bytes start with the data file's signature string.
bool looksLikeDataFile(std::string_view bytes) {
    const std::string_view signature = archive::kDataFileSignature;
    return bytes.size() > signature.size() &&
           static_cast<unsigned char>(bytes[0]) == signature.size() &&
           bytes.substr(1, signature.size()) == signature;
}

// True when the file starts with the data file's signature string. Read through the one
// regular-file open: a FIFO at the name is no data file, and is never waited on.
bool startsAsDataFile(const fs::path& path) {
    const std::string_view signature = archive::kDataFileSignature;
    std::string head(signature.size() + 1, '\0');
    OpenedFile file = OpenedFile::openRead(path);
    if (!file.isOpen())
        return false;
    std::size_t n = 0;
    try {
        for (std::size_t got = 1; got > 0 && n < head.size(); n += got)
            got = file.read(head.data() + n, head.size() - n);
    } catch (const std::exception&) {
        return false;
    }
    head.resize(n);
    return looksLikeDataFile(head);
}

// The records of the kind the first bytes said.
void readArchiveAs(ArchiveFile& file, ByteSource& source) {
    if (file.kind == ArchiveKind::DataFile) {
        ArchiveReader in(source);
        datafile::read(in, file.data.serial, file.data.store);
    } else {
        // An export file holds one customer record, 4096-byte blocks.
        ArchiveReader in(source, 4096);
        archive::read(in, file.customer);
    }
}

// The program's message about a failed load, with the path (or "-") as shown.
void tellLoadFailure(CliIo& io, const LoadResult& result, const std::string& shown) {
    const LoadFailureFormat f = loadFailureFormat(result);
    if (f.format.size() == 0)
        return;
    message(io, f.withReason
                    ? formatUtf8(f.format, sjis::toUtf8(result.reason).c_str(), shown.c_str())
                    : formatUtf8(f.format, shown.c_str()));
}

} // namespace

DataFolder resolveDataFolder(const CliArgs& args) {
    DataFolder folder;
    if (auto home = args.get("home")) {
        if (home->empty())
            throw UsageError("--home needs a folder", args.command);
        folder.home = withoutTrailingSeparators(pathArg(*home));
    } else {
        folder.home = withoutTrailingSeparators(programFolder());
    }
    folder.dataFile =
        pathInFolder(pathInFolder(folder.home, datafile::kFolderName), datafile::kFileName);
    folder.iniFile = pathInFolder(folder.home, std::string(kProgramBaseName) + ".INI");
    return folder;
}

std::string programFolderInUse(const CliArgs& args) {
    if (args.has("home"))
        return "Program folder in use: " + resolveDataFolder(args).home.native() +
               " (from --home)\n";
    ProgramFolderChoice choice = programFolderChoice();
    const char* why = choice.kind == ProgramFolderKind::Environment ? "from $ORVOVIEW_HOME"
                      : choice.kind == ProgramFolderKind::Portable ? "the folder of this executable"
                                                                   : "the per-user folder";
    return "Program folder in use: " + choice.folder.native() + " (" + why + ")\n";
}

namespace {

// The bytes of a data file or a customer file piped in, read whole (bounded) and sorted by
// their first bytes like a file.
bool readArchiveStream(CliIo& io, const NamedInput& input, ArchiveFile& file) {
    std::string bytes;
    if (!readWholeStream(io, input, bytes))
        return false;
    file.kind = looksLikeDataFile(bytes) ? ArchiveKind::DataFile : ArchiveKind::CustomerFile;
    MemorySource source(bytes);
    const LoadResult result = readArchive(source, [&](ByteSource& s) { readArchiveAs(file, s); });
    if (result.loaded())
        return true;
    tellLoadFailure(io, result, input.shown);
    return false;
}

} // namespace

bool readArchiveFile(CliIo& io, const std::string& arg, ArchiveFile& file) {
    const NamedInput input = namedInput(arg);
    if (input.stream)
        return readArchiveStream(io, input, file);
    const fs::path path(arg);
    std::error_code ec;
    if (!fs::exists(path, ec)) {
        message(io, shownMessage(txt::link::kFileMissing, input.shown));
        return false;
    }
    if (fs::is_directory(path, ec)) {
        message(io, shownMessage(txt::store::kCannotOpen, input.shown));
        return false;
    }
    file.kind = startsAsDataFile(path) ? ArchiveKind::DataFile : ArchiveKind::CustomerFile;
    const LoadResult result =
        loadArchiveFile(path, [&](ByteSource& source) { readArchiveAs(file, source); });
    if (result.loaded())
        return true;
    tellLoadFailure(io, result, input.shown);
    return false;
}

LoadStatus loadDataFile(CliIo& io, const DataFolder& folder, DataFileContents& contents) {
    std::error_code ec;
    if (!fs::exists(folder.dataFile, ec)) {
        contents = DataFileContents();
        return LoadStatus::Missing;
    }
    // The program's own load: only a regular file is read (a FIFO in its place never ends), and
    // a customer file put there fails its signature.
    DataFileContents read;
    const LoadResult result = ::loadDataFile(folder.dataFile, read.serial, read.store);
    if (!result.loaded()) {
        tellLoadFailure(io, result, shownPath(folder.dataFile));
        return LoadStatus::Failed;
    }
    contents = std::move(read);
    return LoadStatus::Loaded;
}

bool lockDataFolder(CliIo& io, const DataFolder& folder, InstanceLock& lock) {
    if (!createFolderPath(folder.home, FolderAccess::UserOnly)) {
        message(io, pathMessage(txt::store::kCannotOpen, folder.home));
        return false;
    }
    if (lock.tryAcquire(folder.home)) {
        // The folder is ours now: temporaries of ended runs are leftovers.
        removeStaleTemporaries(folder.dataFile);
        removeStaleTemporaries(folder.iniFile);
        return true;
    }
    message(io, formatMessage(txt::cli::kFolderBusy, folder.home.c_str()));
    return false;
}

bool lockAndLoadDataFile(CliIo& io, const DataFolder& folder, InstanceLock& lock,
                         DataFileContents& contents) {
    return lockDataFolder(io, folder, lock) &&
           loadDataFile(io, folder, contents) != LoadStatus::Failed;
}

bool saveDataFile(CliIo& io, const DataFolder& folder, const DataFileContents& contents) {
    createFolderPath(folder.dataFile.parent_path(), FolderAccess::UserOnly);
    const std::string error = ::saveDataFile(folder.dataFile, contents.serial, contents.store);
    if (error.empty())
        return true;
    message(io, formatUtf8(txt::store::kSaveFailed, sjis::toUtf8(error).c_str(),
                           shownPath(folder.dataFile).c_str()));
    return false;
}

} // namespace cli

namespace cli {

int monthStartDay(const DataFolder& folder) {
    ProfileSettings profile;
    profile.init(ProfileSettings::GivenFolder, kProgramBaseName, folder.home);
    return profile.getInt("Param", "MonStartDay", 1, false);
}

int startDayArg(const CliArgs& args, const DataFolder& folder) {
    const std::optional<std::string> text = args.get("start-day");
    if (!text)
        return monthStartDay(folder);
    // The range the start-day dialog accepts.
    int day = 0;
    int used = 0;
    if (text->size() <= 2 && std::sscanf(text->c_str(), "%d%n", &day, &used) == 1 &&
        used == static_cast<int>(text->size()) &&
        std::isdigit(static_cast<unsigned char>((*text)[0])) && day >= 1 && day <= 31)
        return day;
    throw UsageError("--start-day takes a day from 1 to 31", args.command);
}

NamedCircuit findNamedCircuit(CliIo& io, const MeasurementStore& store, const CliArgs& args) {
    const std::string customerArg = args.require("customer");
    const std::string circuitArg = args.require("circuit");
    NamedCircuit named;
    const std::optional<std::string> customerName = nameArg(io, customerArg);
    if (!customerName)
        return {};
    named.customerIndex = store.find(*customerName);
    if (named.customerIndex < 0) {
        message(io, formatMessage(txt::cli::kNoCustomer, customerArg.c_str()));
        return {};
    }
    const Customer& customer = store.at(named.customerIndex);
    const std::optional<std::string> circuitName = nameArg(io, circuitArg);
    if (!circuitName)
        return {};
    named.circuitIndex = customer.circuits.find(*circuitName);
    if (named.circuitIndex < 0) {
        message(io, formatMessage(txt::cli::kNoCircuit, circuitArg.c_str()));
        return {};
    }
    named.circuit = &customer.circuits.at(named.circuitIndex);
    return named;
}

} // namespace cli
