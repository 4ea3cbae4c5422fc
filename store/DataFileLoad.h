#pragma once
// The one way an archive file (the data file, a customer file) is read from disk, and the
// data file written back. Every caller (the document, orvoview-cli, the customer import)
// gets the same outcome for the same file.
#include "store/ByteSource.h"
#include "store/DAT_DataFile.h"
#include "store/DAT_SerialSettings.h"
#include "store/DAT_Store.h"
#include "support/SjisText.h"

#include <atomic>
#include <cstdint>
#include <exception>
#include <filesystem>
#include <functional>
#include <string>

enum class LoadOutcome {
    Loaded,
    Missing,      // no file at the path
    Damaged,      // wrong signature text, or records the rest of the file cannot hold
    WrongVersion, // the signature's version is not the one written
    Unreadable,   // the file could not be opened or read; `reason` says why
};

struct LoadResult {
    LoadOutcome outcome = LoadOutcome::Loaded;
    std::string reason;       // Unreadable: the system's text (CP932)
    std::exception_ptr error; // what ended a failed read
    bool loaded() const { return outcome == LoadOutcome::Loaded; }
};

// Runs `read` over `source` and sorts what it throws into the outcome.
LoadResult readArchive(ByteSource& source, const std::function<void(ByteSource&)>& read);

// Opens the file at `path` and reads it with readArchive; `progress`, when given, follows the
// bytes read (it may be read from another thread).
LoadResult loadArchiveFile(const std::filesystem::path& path,
                           const std::function<void(ByteSource&)>& read,
                           std::atomic<uint64_t>* progress = nullptr);

// The data file into `serial` and `store`; both stay as they were unless Loaded.
LoadResult loadDataFile(const std::filesystem::path& path, SerialSettings& serial,
                        MeasurementStore& store, std::atomic<uint64_t>* progress = nullptr);

// A failed load as a tool tells it: a printf format (CP932) taking the reason (only when
// withReason) and then the path; no format for a load that did not fail.
struct LoadFailureFormat {
    sjis::Text format = ""; // empty: no failure
    bool withReason = false;
};
LoadFailureFormat loadFailureFormat(const LoadResult& result);
// The same as one text (CP932), the path as messages show it.
std::string loadFailureText(const LoadResult& result, const std::filesystem::path& path);

// The previous generation of a data file, beside it: "<path>.bak".
inline constexpr char kPreviousGenerationSuffix[] = ".bak";

// Replaces the data file atomically, creating its folder, and keeps the file it replaces as
// "<path>.bak" (replacing the older one), so one wrong step can be undone by hand. Empty on
// success, else the reason (CP932); the old file is then unchanged.
std::string saveDataFile(const std::filesystem::path& path, const SerialSettings& serial,
                         const MeasurementStore& store, const datafile::SinkWrapper& wrap = {});
