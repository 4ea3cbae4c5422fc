#include "tools/cli/DataFolder.h"
#include "link/LinkTexts.h"
#include "store/ArchiveReader.h"
#include "store/DAT_Archive.h"
#include "store/DAT_DataFile.h"
#include "store/DataFileLoad.h"
#include "store/StoreTexts.h"
#include "support/ArchiveError.h"
#include "support/AtomicFile.h"
#include "support/FilePath.h"
#include "support/Format.h"
#include "support/ProfileSettings.h"
#include "support/ProgramFolder.h"
#include "support/Sjis.h"
#include "tools/cli/CliSupport.h"
#include "tools/cli/CliTexts.h"

#include <fstream>

namespace fs = std::filesystem;

namespace cli {

namespace {

fs::path withoutTrailingSeparators(fs::path folder) {
    std::string text = folder.native();
    while (text.size() > 1 && text.back() == '/')
        text.pop_back();
    return fs::path(std::move(text));
}

// True when the file starts with the data file's signature string.
bool startsAsDataFile(const fs::path& path) {
    const std::string_view signature = archive::kDataFileSignature;
    std::string head(signature.size() + 1, '\0');
    std::ifstream in(path, std::ios::binary);
    in.read(head.data(), static_cast<std::streamsize>(head.size()));
    const auto n = static_cast<std::size_t>(in.gcount());
    return n == head.size() && static_cast<unsigned char>(head[0]) == signature.size() &&
           std::string_view(head).substr(1) == signature;
}

// The program's message about a failed load, with the path as given.
void tellLoadFailure(CliIo& io, const LoadResult& result, const fs::path& path) {
    const LoadFailureFormat f = loadFailureFormat(result);
    if (!f.format)
        return;
    const std::string format = sjis::toUtf8(f.format);
    const std::string shown = shownPath(path);
    message(io, f.withReason
                    ? formatText(format.c_str(), sjis::toUtf8(result.reason).c_str(), shown.c_str())
                    : formatText(format.c_str(), shown.c_str()));
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

std::string programFolderInUse() {
    ProgramFolderChoice choice = programFolderChoice();
    const char* why = choice.kind == ProgramFolderKind::Environment ? "from $ORVOVIEW_HOME"
                      : choice.kind == ProgramFolderKind::Portable ? "the folder of this executable"
                                                                   : "the per-user folder";
    return "Program folder in use: " + choice.folder.native() + " (" + why + ")\n";
}

bool readArchiveFile(CliIo& io, const fs::path& path, ArchiveFile& file) {
    std::error_code ec;
    if (!fs::exists(path, ec)) {
        message(io, pathMessage(txt::link::kFileMissing, path));
        return false;
    }
    if (fs::is_directory(path, ec)) {
        message(io, pathMessage(txt::store::kCannotOpen, path));
        return false;
    }
    file.kind = startsAsDataFile(path) ? ArchiveKind::DataFile : ArchiveKind::CustomerFile;
    const LoadResult result = loadArchiveFile(path, [&](ByteSource& source) {
        if (file.kind == ArchiveKind::DataFile) {
            ArchiveReader in(source);
            datafile::read(in, file.data.serial, file.data.store);
        } else {
            // An export file holds one customer record, 4096-byte blocks.
            ArchiveReader in(source, 4096);
            archive::read(in, file.customer);
        }
    });
    if (result.loaded())
        return true;
    tellLoadFailure(io, result, path);
    return false;
}

LoadStatus loadDataFile(CliIo& io, const DataFolder& folder, DataFileContents& contents) {
    std::error_code ec;
    if (!fs::exists(folder.dataFile, ec)) {
        contents = DataFileContents();
        return LoadStatus::Missing;
    }
    ArchiveFile file;
    if (!readArchiveFile(io, folder.dataFile, file))
        return LoadStatus::Failed;
    if (file.kind != ArchiveKind::DataFile) {
        // A customer file put in place of the data file: its first bytes are no data file.
        LoadResult damaged;
        damaged.outcome = LoadOutcome::Damaged;
        tellLoadFailure(io, damaged, folder.dataFile);
        return LoadStatus::Failed;
    }
    contents = std::move(file.data);
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
    message(io, formatText(txt::cli::kFolderBusy, folder.home.c_str()));
    return false;
}

bool lockAndLoadDataFile(CliIo& io, const DataFolder& folder, InstanceLock& lock,
                         DataFileContents& contents) {
    return lockDataFolder(io, folder, lock) &&
           loadDataFile(io, folder, contents) != LoadStatus::Failed;
}

bool saveDataFile(CliIo& io, const DataFolder& folder, const DataFileContents& contents) {
    createFolderPath(folder.dataFile.parent_path(), FolderAccess::UserOnly);
    removeStaleTemporaries(folder.dataFile);
    const std::string error = ::saveDataFile(folder.dataFile, contents.serial, contents.store);
    if (error.empty())
        return true;
    messageCp932(io, formatText(txt::store::kSaveFailed, error.c_str(),
                                displayPath(folder.dataFile).c_str()));
    return false;
}

} // namespace cli

namespace cli {

int monthStartDay(const DataFolder& folder) {
    ProfileSettings profile;
    profile.init(ProfileSettings::GivenFolder, kProgramBaseName, folder.home);
    return profile.getInt("Param", "MonStartDay", 1, false);
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
        message(io, formatText(txt::cli::kNoCustomer, customerArg.c_str()));
        return {};
    }
    const Customer& customer = store.at(named.customerIndex);
    const std::optional<std::string> circuitName = nameArg(io, circuitArg);
    if (!circuitName)
        return {};
    named.circuitIndex = customer.circuits.find(*circuitName);
    if (named.circuitIndex < 0) {
        message(io, formatText(txt::cli::kNoCircuit, circuitArg.c_str()));
        return {};
    }
    named.circuit = &customer.circuits.at(named.circuitIndex);
    return named;
}

} // namespace cli
