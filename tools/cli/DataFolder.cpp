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

fs::path nativeOf(const std::string& cp932) {
    return fs::path(sjis::toUtf8(cp932));
}

std::string withoutTrailingSeparator(std::string folder) {
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    return folder;
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
    OpenedFile file = OpenedFile::openRead(cp932Path(path));
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

} // namespace

fs::path DataFolder::nativeHome() const {
    return nativeOf(home);
}
fs::path DataFolder::nativeDataFile() const {
    return nativeOf(dataFile);
}

DataFolder resolveDataFolder(const CliArgs& args) {
    DataFolder folder;
    if (auto home = args.get("home")) {
        if (home->empty())
            throw UsageError("--home needs a folder", args.command);
        std::string shown = shownPath(*home);
        folder.home = withoutTrailingSeparator(sjis::fromUtf8(shown));
    } else {
        folder.home = withoutTrailingSeparator(programFolder());
    }
    folder.dataFile = folder.home + "/" + datafile::kFolderName + "/" + datafile::kFileName;
    folder.iniFile = folder.home + "/" + kProgramBaseName + ".INI";
    return folder;
}

std::string programFolderInUse(const CliArgs& args) {
    if (args.has("home"))
        return "Program folder in use: " + sjis::toUtf8(resolveDataFolder(args).home) +
               " (from --home)\n";
    ProgramFolderChoice choice = programFolderChoice();
    const char* why = choice.kind == ProgramFolderKind::Environment ? "from $ORVOVIEW_HOME"
                      : choice.kind == ProgramFolderKind::Portable ? "the folder of this executable"
                                                                   : "the per-user folder";
    return "Program folder in use: " + sjis::toUtf8(choice.folder) + " (" + why + ")\n";
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
    messageCp932(io, loadFailureText(result, sjis::fromUtf8(input.shown)));
    return false;
}

} // namespace

bool readArchiveFile(CliIo& io, const std::string& arg, ArchiveFile& file) {
    const NamedInput input = namedInput(arg);
    if (input.stream)
        return readArchiveStream(io, input, file);
    const fs::path path(arg);
    const std::string shown = input.shown;
    std::error_code ec;
    if (!fs::exists(path, ec)) {
        messageCp932(io, formatText(txt::link::kFileMissing, sjis::fromUtf8(shown).c_str()));
        return false;
    }
    if (fs::is_directory(path, ec)) {
        messageCp932(io, formatText(txt::store::kCannotOpen, sjis::fromUtf8(shown).c_str()));
        return false;
    }
    file.kind = startsAsDataFile(path) ? ArchiveKind::DataFile : ArchiveKind::CustomerFile;
    const LoadResult result = loadArchiveFile(
        sjis::fromUtf8(path.string()), [&](ByteSource& source) { readArchiveAs(file, source); });
    if (result.loaded())
        return true;
    messageCp932(io, loadFailureText(result, sjis::fromUtf8(shown)));
    return false;
}

LoadStatus loadDataFile(CliIo& io, const DataFolder& folder, DataFileContents& contents) {
    std::error_code ec;
    if (!fs::exists(folder.nativeDataFile(), ec)) {
        contents = DataFileContents();
        return LoadStatus::Missing;
    }
    // The program's own load: only a regular file is read (a FIFO in its place never ends), and
    // a customer file put there fails its signature.
    DataFileContents read;
    const LoadResult result = ::loadDataFile(folder.dataFile, read.serial, read.store);
    if (!result.loaded()) {
        messageCp932(io,
                     loadFailureText(result, sjis::fromUtf8(shownPath(folder.nativeDataFile()))));
        return LoadStatus::Failed;
    }
    contents = std::move(read);
    return LoadStatus::Loaded;
}

bool lockDataFolder(CliIo& io, const DataFolder& folder, InstanceLock& lock) {
    if (!createFolderPath(folder.home, FolderAccess::UserOnly)) {
        messageCp932(io, formatText(txt::store::kCannotOpen, folder.home.c_str()));
        return false;
    }
    if (lock.tryAcquire(folder.home)) {
        // The folder is ours now: temporaries of ended runs are leftovers.
        removeStaleTemporaries(folder.dataFile);
        removeStaleTemporaries(folder.iniFile);
        return true;
    }
    message(io, formatText(txt::cli::kFolderBusy, sjis::toUtf8(folder.home).c_str()));
    return false;
}

bool lockAndLoadDataFile(CliIo& io, const DataFolder& folder, InstanceLock& lock,
                         DataFileContents& contents) {
    return lockDataFolder(io, folder, lock) &&
           loadDataFile(io, folder, contents) != LoadStatus::Failed;
}

bool saveDataFile(CliIo& io, const DataFolder& folder, const DataFileContents& contents) {
    createFolderPath(cp932Path(folder.nativeDataFile().parent_path()), FolderAccess::UserOnly);
    const std::string error = ::saveDataFile(folder.dataFile, contents.serial, contents.store);
    if (error.empty())
        return true;
    messageCp932(io, formatText(txt::store::kSaveFailed, error.c_str(), folder.dataFile.c_str()));
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
    named.customerIndex = store.find(nameArg(customerArg));
    if (named.customerIndex < 0) {
        message(io, formatText(txt::cli::kNoCustomer, customerArg.c_str()));
        return {};
    }
    const Customer& customer = store.at(named.customerIndex);
    named.circuitIndex = customer.circuits.find(nameArg(circuitArg));
    if (named.circuitIndex < 0) {
        message(io, formatText(txt::cli::kNoCircuit, circuitArg.c_str()));
        return {};
    }
    named.circuit = &customer.circuits.at(named.circuitIndex);
    return named;
}

} // namespace cli
