// Writes the table the compiler turns the program's texts into Shift-JIS with: every character
// that the program's own converter (support/Sjis) turns into CP932 bytes and those bytes back
// into the same character. A character missing here has no exact Shift-JIS form.
#include "support/Sjis.h"

#include <cstdio>
#include <map>
#include <string>

namespace {

// The code point of a UTF-8 text that is exactly one character; 0 otherwise.
char32_t soleCodePoint(const std::string& s) {
    if (s.empty())
        return 0;
    const auto c = static_cast<unsigned char>(s[0]);
    const std::size_t n = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
    if (s.size() != n)
        return 0;
    char32_t cp = n == 1 ? c : c & (0x7F >> n);
    for (std::size_t k = 1; k < n; ++k)
        cp = (cp << 6) | (static_cast<unsigned char>(s[k]) & 0x3F);
    return cp;
}

void addIfExact(std::map<char32_t, unsigned>& table, const std::string& bytes) {
    const std::string utf8 = sjis::toUtf8(bytes);
    const char32_t cp = soleCodePoint(utf8);
    if (cp == 0 || cp == 0xFFFD)
        return;
    const std::optional<std::string> back = sjis::fromUtf8(utf8);
    if (!back || *back != bytes)
        return; // a duplicate code (NEC/IBM extensions): the converter writes the other one
    unsigned code = 0;
    for (char b : bytes)
        code = (code << 8) | static_cast<unsigned char>(b);
    table.emplace(cp, code);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT\n", argv[0]);
        return 2;
    }
    std::map<char32_t, unsigned> table;
    for (unsigned b = 0x01; b <= 0xFF; ++b) {
        if (!sjis::isLeadByte(static_cast<unsigned char>(b)))
            addIfExact(table, std::string(1, static_cast<char>(b)));
    }
    for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
        if (!sjis::isLeadByte(static_cast<unsigned char>(lead)))
            continue;
        for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
            if (trail != 0x7F)
                addIfExact(table, {static_cast<char>(lead), static_cast<char>(trail)});
        }
    }
    if (table.size() < 7000) {
        std::fprintf(stderr, "%s: the CP932 converter gave only %zu characters\n", argv[0],
                     table.size());
        return 1;
    }
    FILE* out = std::fopen(argv[1], "w");
    if (out == nullptr) {
        std::perror(argv[1]);
        return 1;
    }
    std::fprintf(out, "// Made by orvo-sjis-table from support/Sjis: code point, CP932 bytes.\n");
    for (const auto& [cp, code] : table)
        std::fprintf(out, "{0x%04X, 0x%02X},\n", static_cast<unsigned>(cp), code);
    return std::fclose(out) == 0 ? 0 : 1;
}
