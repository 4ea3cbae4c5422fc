#pragma once
#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

// Every file the program writes whole (data file, INI, CSV and export files) is written through a
// ReplacementFile: the final name is never opened for writing, so a link planted there is
// replaced, not written through, and a crash or a full disk never leaves a torn file.

// Who a new file is for. Reports (CSV, PDF, Excel) are handed to others and take the user's
// umask like any document they save; the program's own files (data and export files, INI
// files, logs, captures) are the user's alone: 0600.
enum class FileKind { Own, Report };

// A temporary file "<target>.tmp<pid>_<n>" beside the target, created exclusively (never
// through a link) with mode 0600 before its first byte, that takes the target's name on commit.
// Creating one first removes the temporaries of ended runs in that folder (any name).
class ReplacementFile {
public:
    ReplacementFile() = default;
    static ReplacementFile create(const std::filesystem::path& target, std::error_code& error,
                                  FileKind kind = FileKind::Own);
    // Removes the temporary file unless it was committed.
    ~ReplacementFile();
    ReplacementFile(ReplacementFile&& other) noexcept;
    ReplacementFile& operator=(ReplacementFile&& other) noexcept;
    ReplacementFile(const ReplacementFile&) = delete;
    ReplacementFile& operator=(const ReplacementFile&) = delete;

    bool isOpen() const { return m_fd >= 0; }
    int fd() const { return m_fd; }
    // Gives the file the mode of the regular file now under the target name (when there is none,
    // the mode of its use: 0600, or 0666 less the umask for a report), flushes it to disk and
    // renames it over the name. On failure the temporary file is removed and the target left as it
    // was.
    bool commit(std::error_code& error);
    void discard();

private:
    int m_fd = -1;
    std::filesystem::path m_temp;
    std::filesystem::path m_target;
    FileKind m_kind = FileKind::Own;
};

// Removes the temporary files of the target that runs killed during a write left behind:
// regular files of this user named "<target>.tmp<pid>_<n>" whose process is gone. Called
// while holding the folder lock. Returns how many were removed.
int removeStaleTemporaries(const std::filesystem::path& target);

// Replaces a file's whole content through a ReplacementFile. On failure the old file is
// untouched and the temporary file removed.
bool writeFileAtomically(const std::filesystem::path& path, std::string_view bytes,
                         std::error_code& error, FileKind kind = FileKind::Own);

// The same for content too large to hold at once: `produce` writes it to the open temporary
// file (a descriptor). `produce` reports a failed write by throwing or by setting `error`; what it
// throws is passed on after the temporary file is removed.
bool writeFileAtomically(const std::filesystem::path& path,
                         const std::function<void(int fd)>& produce, std::error_code& error,
                         FileKind kind = FileKind::Own);

// What a settings file (the INI files) may hold at most; they are small by nature, and a device
// or an endless file at their name must not fill the memory.
inline constexpr std::size_t kSettingsFileLimit = std::size_t{16} << 20;

// The whole content of a settings file; nothing when it cannot be read (missing included).
// Read through the one regular-file open: a FIFO or a device at the name is refused at once,
// never waited on, and a file longer than kSettingsFileLimit is refused.
std::optional<std::string> readWholeFile(const std::filesystem::path& path);

// The same, telling why not: ENOENT for a missing file, EINVAL for a FIFO or device, EISDIR for
// a folder, EFBIG past the limit, any other errno for a file that cannot be read.
std::optional<std::string> readWholeFile(const std::filesystem::path& path, int& error);
