#pragma once
#include <optional>
#include <string>
#include <string_view>

// Shift-JIS (code page 932) byte rules. The core keeps every text as CP932 bytes in
// std::string; conversion to Unicode happens only at the edges (widgets, file paths, JSON).
namespace sjis {

// First byte of a double-byte character (0x81–0x9F, 0xE0–0xFC).
bool isLeadByte(unsigned char c);
// True when the byte at pos is the second byte of a double-byte character (scans from the start).
bool isTrailByteAt(std::string_view text, std::size_t pos);
// Byte comparison with ASCII letters folded to lower case; <0, 0, >0.
int compareNoCase(std::string_view a, std::string_view b);
bool equalsNoCase(std::string_view a, std::string_view b);
// Full-width ASCII, ideographic space and full-width katakana to their half-width forms;
// everything else (kanji, hiragana, ASCII) unchanged.
std::string toHalfWidth(std::string_view text);

// CP932 -> UTF-8. Invalid input bytes become U+FFFD; never throws.
std::string toUtf8(std::string_view cp932);

// How exactly a UTF-8 text must come back from its CP932 bytes.
enum class Spelling {
    // Converted back it is the same text: the rule for paths, where the file system compares
    // code points.
    Exact,
    // Also a character that CP932 keeps as its JIS twin ("〜" U+301C as "～" U+FF5E, "−" U+2212
    // as "－" U+FF0D): the rule for names typed on Linux, which look the same on Windows.
    JisTwins,
};
// UTF-8 -> CP932. Nothing when a character has no CP932 form under the spelling rule (an
// emoji, "é"), or the text is no valid UTF-8: no character is ever lost silently.
std::optional<std::string> fromUtf8(std::string_view utf8, Spelling spelling = Spelling::Exact);
std::optional<std::string> fromUtf16(std::u16string_view utf16,
                                     Spelling spelling = Spelling::Exact);
// For a text that is only shown (a message, a log line, never a name or a path that is kept):
// a character CP932 lacks, or broken UTF-8, shows as '?'.
std::string fromUtf8Shown(std::string_view utf8);
// The first character (UTF-8) of the text that fromUtf8 refuses; empty when there is none.
std::string firstUnspellable(std::string_view utf8, Spelling spelling = Spelling::Exact);

} // namespace sjis
