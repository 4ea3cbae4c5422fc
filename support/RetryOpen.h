#pragma once
#include "support/OpenedFile.h"

#include <atomic>
#include <chrono>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <system_error>

enum class OpenAccess {
    ReadExclusive,  // read; no other opener of ours may have it open
    ReadDenyWrite,  // read; other readers allowed, writers kept out
    WriteExclusive, // replace the whole file (never through a link at the name); nobody else
};

struct RetryPolicy {
    std::chrono::milliseconds interval{200};
    std::chrono::milliseconds timeout{60000};
    // How to wait between attempts (tests pass one that does not really wait).
    std::function<void(std::chrono::milliseconds)> sleep;
    // Looked at after every pause: once set, the open gives up with ECANCELED.
    const std::atomic<bool>* stop = nullptr;
};

struct OpenResult {
    OpenedFile file;
    std::error_code error; // set when file is not open
    explicit operator bool() const { return file.isOpen(); }
};

// Opens a file, retrying a failed open every interval until timeout has passed since the first
// attempt. Fails at once when the folder does not exist or the failure cannot go away by
// waiting (the path names a folder, a missing file to read, a name too long). Only a regular
// file is read (see OpenedFile::openRead): anything else fails at once. Sharing is
// modelled with flock: exclusive = LOCK_EX, deny-write = LOCK_SH; a file locked by another
// opener counts as a failed open. A file to write is written to a ReplacementFile while the lock
// on what stands at the name is held (a free name stays free until the commit, so a killed write
// leaves nothing under it); a link or other non-file at the name is replaced, never followed.
// `kind` gives a new file written its mode (see FileKind).
OpenResult openWithRetry(const std::filesystem::path& path, OpenAccess access,
                         const RetryPolicy& policy = {}, FileKind kind = FileKind::Own);
