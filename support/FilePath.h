#pragma once
#include <filesystem>
#include <string>
#include <string_view>

// Paths are CP932 text in the core; the file system wants its own names (UTF-8 on Linux).
// These are the only places where the two meet.

inline constexpr char kPathSeparator = '/';

std::filesystem::path nativePath(std::string_view cp932);
std::string cp932Path(const std::filesystem::path& path);

// "%s/%s" with the native separator.
std::string joinPath(std::string_view folder, std::string_view name);

// Removes one trailing separator, but only when it is a character of its own and not the
// second byte of a Shift-JIS character (0x5C is a valid second byte).
std::string withoutTrailingSeparator(std::string_view folder, char separator = kPathSeparator);

// The file `name` in `folder`: one separator between them, also when the folder as typed ends
// with one.
std::string pathInFolder(std::string_view folder, std::string_view name);

enum class PathKind { Missing, File, Folder };
PathKind pathKind(std::string_view cp932);

// Creates the folder with every missing parent. False when it does not exist afterwards;
// never throws.
bool createFolderPath(std::string_view cp932);
