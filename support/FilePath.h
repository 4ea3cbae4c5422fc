#pragma once
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// Paths stay what the system gave (std::filesystem::path: native bytes, UTF-8 on Linux) from
// the command line, the environment and the file dialogs down to every open. CP932 meets a
// path in two places only: a file format that keeps a path (the INI file, see
// ProfileSettings::getPath) and a name kept as CP932 that becomes part of a file name.

inline constexpr char kPathSeparator = '/';

// A CP932 text (a name in a file name, a folder kept in the INI file) as a path.
std::filesystem::path pathFromCp932(std::string_view cp932);
// The path as CP932 for a file format that keeps paths; nothing when CP932 cannot spell it
// exactly (converted back it would name another file).
std::optional<std::string> cp932FromPath(const std::filesystem::path& path);
// The path as the program's messages and log lines show it (CP932): a character CP932 lacks
// shows as "?". Only for showing; never opened.
std::string displayPath(const std::filesystem::path& path);

// "%s/%s" with the native separator (CP932 texts).
std::string joinPath(std::string_view folder, std::string_view name);

// Removes one trailing separator, but only when it is a character of its own and not the
// second byte of a Shift-JIS character (0x5C is a valid second byte). For CP932 texts.
std::string withoutTrailingSeparator(std::string_view folder, char separator = kPathSeparator);
// The same on a path: one trailing '/' goes, except from the root itself.
std::filesystem::path withoutTrailingSlash(const std::filesystem::path& folder);

// The file `name` in `folder`: one separator between them, also when the folder as typed ends
// with one. The name is appended as typed (an absolute name does not replace the folder).
std::filesystem::path pathInFolder(const std::filesystem::path& folder,
                                   const std::filesystem::path& name);

// A file name made of names (customer, circuit): every path separator ('/', '\\' as a whole
// character; a 0x5C second byte of a double-byte character stays) becomes '_', so the name
// can never point outside the folder it is put in.
std::string fileNameOf(std::string_view name);

enum class PathKind { Missing, File, Folder };
// What the path leads to (links followed).
PathKind pathKind(const std::filesystem::path& path);
// What is under the name itself (lstat): a link, even a dangling one, is a File. The overwrite
// questions ask this: writing replaces whatever the name holds.
PathKind nameKind(const std::filesystem::path& path);

enum class FolderAccess { Default, UserOnly };
// Creates the folder with every missing parent. UserOnly creates the missing ones with mode
// 0700 (program folder, DATA, logs). False when it does not exist afterwards; never throws.
bool createFolderPath(const std::filesystem::path& folder,
                      FolderAccess access = FolderAccess::Default);

// A folder written the Windows way ("C:\", "D:\data", "\\server\share", any backslash): it
// names nothing on this system, so a dialog never offers it and nothing of that name is made.
bool isWindowsPath(const std::filesystem::path& path);

// The user's home folder ($HOME, else the account's).
std::filesystem::path homeFolder();

// Where a folder dialog or field starts: the folder remembered, when it is an absolute folder
// of this system that exists; else the user's home folder.
std::filesystem::path startFolder(const std::filesystem::path& remembered,
                                  const std::filesystem::path& home);
