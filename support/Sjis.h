#pragma once
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

// CP932 <-> UTF-8. Invalid input bytes become U+FFFD (or '?' towards CP932); never throws.
std::string toUtf8(std::string_view cp932);
std::string fromUtf8(std::string_view utf8);
std::string fromUtf16(std::u16string_view utf16);

} // namespace sjis
