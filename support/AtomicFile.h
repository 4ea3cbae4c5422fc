#pragma once
#include <functional>
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

// The same for content too large to hold at once: `produce` writes it to the open temporary
// file (a descriptor). The temporary file has a name of its own per call, created exclusively,
// so two writers never share one and a file or link left under that name is never written
// through. `produce` reports a failed write by throwing or by setting `error`; what it throws is
// passed on after the temporary file is removed.
bool writeFileAtomically(std::string_view cp932Path, const std::function<void(int fd)>& produce,
                         std::error_code& error);

// The whole content of a file; nothing when it cannot be read (missing included).
std::optional<std::string> readWholeFile(std::string_view cp932Path);
