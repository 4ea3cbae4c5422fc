#pragma once
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// The text of an INI file with the rules of the Windows private-profile calls, on CP932 bytes:
// "[section]" lines and "key=value" lines, names compared without ASCII case (both bytes of a
// double-byte character compare by value), blanks around names and values ignored, a value in
// matching quotes read without them, lines starting with ';' are comments. Every other line,
// comments and line ends are kept byte for byte when a value is written.
class IniDocument {
public:
    explicit IniDocument(std::string_view text = {});

    // The value of the first matching key, or nothing when the key is missing.
    std::optional<std::string> value(std::string_view section, std::string_view key) const;
    // Replaces the value of an existing key in place, or adds "key=value" after the last key of
    // the section, or adds the section at the end. New lines end with CR LF.
    void set(std::string_view section, std::string_view key, std::string_view value);

    std::string text() const;

    // Name comparison of the profile: ASCII letters fold to one case, double-byte characters
    // compare by value.
    static bool sameName(std::string_view a, std::string_view b);
    // The form two names share when sameName holds: ASCII letters upper case, double-byte
    // characters as they are.
    static std::string foldName(std::string_view name);

    // Every key of every section in one pass, for files read many keys at a time: folded
    // section name -> folded key -> value, the first occurrence of each (as value() gives it).
    using Index = std::unordered_map<std::string, std::unordered_map<std::string, std::string>>;
    Index index() const;

private:
    struct Line {
        std::string body;
        std::string ending;
    };
    std::vector<Line> m_lines;
};

// Profile calls on an INI file. A missing file reads as empty; a write
// replaces the file atomically. A file that is there but cannot be read also reads as empty,
// but is never written: a write would replace every other setting. Calls of all threads are
// serialised.
namespace profile {

inline constexpr std::size_t kDefaultBufferSize = 5000;

// As GetPrivateProfileString: the value, or the default with trailing blanks removed when the
// key is missing; cut to bufferSize - 1 bytes (never inside a double-byte character).
std::string readString(const std::filesystem::path& file, std::string_view section,
                       std::string_view key, std::string_view defaultValue,
                       std::size_t bufferSize = kDefaultBufferSize);

// As GetPrivateProfileInt: the default when the key is missing or empty; otherwise the leading
// number of the value (blanks, sign, decimal digits or 0x and hex digits; 0 when none).
int readInt(const std::filesystem::path& file, std::string_view section, std::string_view key,
            int defaultValue);

// As WritePrivateProfileString; false when the file could not be written or could not be read.
bool writeString(const std::filesystem::path& file, std::string_view section, std::string_view key,
                 std::string_view value);

// Why the file cannot be read (an errno value); 0 when it can, or when it is missing.
int readError(const std::filesystem::path& file);

// Paths in the INI file. A path CP932 spells exactly is kept as CP932 under its key, as the
// Windows program keeps it. Any other path (a folder "café", an emoji, "〜" U+301C, which CP932
// would give back as "～") is kept as it is, UTF-8, under "<key>_UTF8", and the key keeps its
// old value; a path under "<key>_UTF8" wins when reading. A path the file cannot hold as it is
// (a line break, blanks at its ends, enclosing quotes) is not kept at all. Nothing is ever
// kept as a lossy conversion, so a remembered folder is always the one that was chosen.
std::string utf8Key(std::string_view key);
// The path under "<key>_UTF8", else the key's CP932 value (or the default) as a path.
std::filesystem::path readPath(const std::filesystem::path& file, std::string_view section,
                               std::string_view key, std::string_view cp932Default);
enum class PathKept { AsCp932, AsUtf8, No };
PathKept writePath(const std::filesystem::path& file, std::string_view section,
                   std::string_view key, const std::filesystem::path& path);
// True when a value written to the file reads back as the same bytes.
bool keepsAsWritten(std::string_view value);

// The leading-number rule of readInt on a value text.
int parseProfileInt(std::string_view text);

} // namespace profile
