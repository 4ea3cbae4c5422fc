#include "store/DataFileLoad.h"
#include "store/ArchiveReader.h"
#include "store/ArchiveWriter.h"
#include "store/DAT_Archive.h"
#include "store/FileSource.h"
#include "store/ProgressSource.h"
#include "store/StoreTexts.h"
#include "support/ArchiveError.h"
#include "support/FilePath.h"
#include "support/Format.h"
#include "support/HeapReserve.h"
#include "support/Sjis.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <new>
#include <optional>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// Below this a load's page faults are few.
constexpr uint64_t kReservedLoadBytes = 16u << 20;

} // namespace

LoadResult readArchive(ByteSource& source, const std::function<void(ByteSource&)>& read) {
    LoadResult result;
    try {
        read(source);
        return result;
    } catch (...) {
        result.error = std::current_exception();
    }
    try {
        std::rethrow_exception(result.error);
    } catch (const archive::SignatureError& e) {
        result.outcome = e.kind() == archive::SignatureError::WrongText ? LoadOutcome::Damaged
                                                                        : LoadOutcome::WrongVersion;
    } catch (const ArchiveError&) {
        result.outcome = LoadOutcome::Damaged;
    } catch (const std::bad_alloc&) {
        // The loader never allocates more than the bytes left can fill: a count that still
        // exhausts memory is a damaged file.
        result.outcome = LoadOutcome::Damaged;
    } catch (const FileAccessError& e) {
        result.outcome = LoadOutcome::Unreadable;
        result.reason = e.what();
    }
    return result;
}

LoadResult loadArchiveFile(const fs::path& path, const std::function<void(ByteSource&)>& read,
                           std::atomic<uint64_t>* progress) {
    std::error_code ec;
    LoadResult result;
    if (!fs::exists(path, ec)) {
        result.outcome = LoadOutcome::Missing;
        return result;
    }
    OpenedFile file = OpenedFile::openRead(path);
    if (!file.isOpen()) {
        result.outcome = LoadOutcome::Unreadable;
        result.reason = sjis::fromUtf8Shown(std::strerror(errno));
        return result;
    }
    try {
        FileSource source(file);
        // A large file's records are new memory of about its size (a little more).
        std::optional<HeapReserve> reserve;
        if (source.size() >= kReservedLoadBytes)
            reserve.emplace(static_cast<std::size_t>(source.size() + source.size() / 4));
        if (progress) {
            ProgressSource followed(source, *progress);
            result = readArchive(followed, read);
        } else {
            result = readArchive(source, read);
        }
    } catch (const FileAccessError& e) {
        result.outcome = LoadOutcome::Unreadable;
        result.reason = e.what();
        result.error = std::current_exception();
    }
    return result;
}

LoadResult loadDataFile(const fs::path& path, SerialSettings& serial, MeasurementStore& store,
                        std::atomic<uint64_t>* progress) {
    // Read into scratch records: a file that fails half-way must not leave half a store.
    SerialSettings readSerial;
    MeasurementStore readStore;
    LoadResult result = loadArchiveFile(
        path,
        [&](ByteSource& source) {
            ArchiveReader in(source);
            datafile::read(in, readSerial, readStore);
        },
        progress);
    if (result.loaded()) {
        serial = readSerial;
        store = std::move(readStore);
    }
    return result;
}

LoadFailureFormat loadFailureFormat(const LoadResult& result) {
    switch (result.outcome) {
    case LoadOutcome::Loaded:
    case LoadOutcome::Missing:
        return {};
    case LoadOutcome::Damaged:
        return {txt::store::kDataFileDamagedBrief, false};
    case LoadOutcome::WrongVersion:
        return {txt::store::kDataFileVersionBrief, false};
    case LoadOutcome::Unreadable:
        break;
    }
    return {txt::store::kDataFileUnreadableBrief, true};
}

std::string loadFailureText(const LoadResult& result, const fs::path& file) {
    const LoadFailureFormat f = loadFailureFormat(result);
    const std::string path = displayPath(file);
    if (f.format.size() == 0)
        return {};
    return (f.withReason ? formatText(f.format, result.reason.c_str(), path.c_str())
                         : formatText(f.format, path.c_str()))
        .str();
}

namespace {

// The current file becomes "<path>.bak" by a second name for the same bytes (no copy, and
// the rename that follows leaves those bytes to the backup alone). Where the file system has
// no hard links the bytes are copied. A link or anything but a regular file is left alone.
void keepPreviousGeneration(const fs::path& current) {
    std::error_code ec;
    if (!fs::is_regular_file(fs::symlink_status(current, ec)))
        return;
    fs::path backup = current;
    backup += kPreviousGenerationSuffix;
    // Already the backup (a save that failed after keeping it): it stays as it is.
    if (fs::equivalent(current, backup, ec))
        return;
    fs::path staged = backup;
    staged += ".new";
    fs::remove(staged, ec);
    fs::create_hard_link(current, staged, ec);
    if (ec)
        fs::copy_file(current, staged, fs::copy_options::overwrite_existing, ec);
    if (!ec)
        fs::rename(staged, backup, ec);
    if (ec)
        fs::remove(staged, ec);
}

} // namespace

std::string saveDataFile(const fs::path& path, const SerialSettings& serial,
                         const MeasurementStore& store, const datafile::SinkWrapper& wrap) {
    std::error_code ec;
    fs::create_directories(path.parent_path(), ec);
    keepPreviousGeneration(path);
    try {
        datafile::replaceFileAtomically(
            path,
            [&](ByteSink& sink) {
                ArchiveWriter out(sink);
                datafile::write(out, serial, store);
                out.flush();
            },
            wrap);
        return {};
    } catch (const FileAccessError& e) {
        return e.what();
    } catch (const std::bad_alloc&) {
        return "out of memory";
    } catch (const std::exception& e) {
        return sjis::fromUtf8Shown(e.what());
    }
}
