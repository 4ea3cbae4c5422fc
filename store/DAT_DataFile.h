#pragma once
// The main data file "Orvo.DAT": signature block, serial settings, then the store.
#include "store/ArchiveReader.h"
#include "store/ArchiveWriter.h"
#include "store/ByteSink.h"
#include "store/DAT_Archive.h"
#include "store/DAT_SerialSettings.h"
#include "store/DAT_Store.h"
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace datafile {

inline constexpr char kFolderName[] = "DATA";
inline constexpr char kFileName[] = "Orvo.DAT";

// Items 1-4 of the file: signature text, version 3, six serial settings, the store.
void write(ArchiveWriter& out, const SerialSettings& serial, const MeasurementStore& store);
// Reads items 1-4 into the given records (the store is cleared first). Throws
// archive::SignatureError, ArchiveError or FileAccessError; on a throw the records hold
// whatever was read so far, so callers read into scratch records.
void read(ArchiveReader& in, SerialSettings& serial, MeasurementStore& store);

// The bytes of a whole data file (tests, tools).
std::string encode(const SerialSettings& serial, const MeasurementStore& store);

// Wraps the file sink of a save; tests put a FailAfterSink in between to play a full disk.
using SinkWrapper = std::function<std::unique_ptr<ByteSink>(ByteSink& fileSink)>;

// Writes a file through `produce` so that the old file survives any failure: the bytes go to
// a temporary file of their own in the same folder (a ReplacementFile), are flushed to the
// disk, and the temporary file is renamed over the old one. On failure the temporary file is
// removed and FileAccessError (CP932 text with the reason) is thrown.
void replaceFileAtomically(const std::filesystem::path& path,
                           const std::function<void(ByteSink&)>& produce,
                           const SinkWrapper& wrap = {});

// Copies a file that failed to load aside as "<path>.damaged-YYYYMMDD-HHMMSS" (with "-2", "-3"
// … when that name is taken; created exclusively, mode 0600) and returns the copy's path; empty
// when the copy failed, and then nothing is left under the backup name.
std::filesystem::path copyAside(const std::filesystem::path& path);

} // namespace datafile
