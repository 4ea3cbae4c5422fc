#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

// Replaces a file's whole content so that a crash or a full disk never leaves it torn:
// the bytes go to a temporary file in the same folder, are flushed to disk, and the
// temporary file is renamed over the old one. An existing file keeps its permissions.
// On failure the old file is untouched and the temporary file removed.
bool writeFileAtomically(std::string_view cp932Path, std::string_view bytes,
                         std::error_code& error);

// The whole content of a file; nothing when it cannot be read (missing included).
std::optional<std::string> readWholeFile(std::string_view cp932Path);
