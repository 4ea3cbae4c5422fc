#include "link/ReportLineCleaner.h"

#include "support/Sjis.h"

#include <cstring>

namespace {

// Position of the first `target` byte outside double quotes, or length. `target` is below 0x40,
// so it can never be the second byte of a double-byte character; only the backslash can.
std::size_t findUnquoted(const char* s, std::size_t n, char target) {
    bool quoted = false;
    for (std::size_t i = 0; i < n; ++i) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        if (sjis::isLeadByte(c) && i + 1 < n) {
            ++i; // both bytes of a double-byte character
            continue;
        }
        if (quoted) {
            if (c == '\\' && i + 1 < n && s[i + 1] == '"') {
                ++i; // an escaped quote does not close the stretch
            } else if (c == '"') {
                quoted = false;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == static_cast<unsigned char>(target)) {
            return i;
        }
    }
    return n;
}

std::size_t find(const char* s, std::size_t n, char target, bool quoteAware) {
    if (quoteAware) {
        return findUnquoted(s, n, target);
    }
    const void* p = std::memchr(s, target, n);
    return p ? static_cast<std::size_t>(static_cast<const char*>(p) - s) : n;
}

// Removes the backslash of every backslash + double quote; returns the new length.
std::size_t unescapeQuotes(char* s, std::size_t n) {
    std::size_t out = 0;
    for (std::size_t i = 0; i < n; ++i) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        if (sjis::isLeadByte(c) && i + 1 < n) {
            s[out++] = s[i];
            s[out++] = s[++i];
            continue;
        }
        if (c == '\\' && i + 1 < n && s[i + 1] == '"') {
            continue; // the quote is copied next
        }
        s[out++] = s[i];
    }
    return out;
}

} // namespace

std::size_t ReportLineCleaner(char* line, std::size_t n, unsigned options, bool quoteAware) {
    // The line is a C string: noise after a zero byte is not part of its text.
    if (const void* nul = std::memchr(line, '\0', n)) {
        n = static_cast<std::size_t>(static_cast<const char*>(nul) - line);
    }
    if (options & CleanUnescapeQuotes) {
        n = unescapeQuotes(line, n);
    }
    if (options & CleanCutAtLf) {
        n = find(line, n, '\n', quoteAware);
    }
    if (options & CleanTabToBlank) {
        if (quoteAware) {
            for (std::size_t pos = findUnquoted(line, n, '\t'); pos < n;
                 pos += 1 + findUnquoted(line + pos + 1, n - pos - 1, '\t')) {
                line[pos] = ' ';
            }
        } else {
            for (char* p = line; (p = static_cast<char*>(std::memchr(p, '\t', n - (p - line))));) {
                *p++ = ' ';
            }
        }
    }
    if (options & CleanCutAtSemicolon) {
        n = find(line, n, ';', quoteAware);
    }
    if (options & CleanTrimLeading) {
        std::size_t lead = 0;
        while (lead < n && line[lead] == ' ') {
            ++lead;
        }
        if (lead > 0) {
            std::memmove(line, line + lead, n - lead);
            n -= lead;
        }
    }
    if (options & CleanTrimTrailing) {
        while (n > 0 && line[n - 1] == ' ') {
            --n;
        }
    }
    if (options & CleanStripQuotes) {
        // A lone quote is not a quoted line. A quote byte (0x22) can never be the second byte of
        // a double-byte character, but the test costs nothing and documents the rule.
        if (n >= 2 && line[0] == '"' && line[n - 1] == '"' &&
            !sjis::isTrailByteAt(std::string_view(line, n), n - 1)) {
            std::memmove(line, line + 1, n - 2);
            n -= 2;
        }
    }
    return n;
}

void ReportLineCleaner(std::string& line, unsigned options, bool quoteAware) {
    line.resize(ReportLineCleaner(line.data(), line.size(), options, quoteAware));
}
