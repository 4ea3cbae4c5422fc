#pragma once
// Clean-up of one received report line, in place.
#include <cstddef>
#include <string>

// Option bits, applied in this order.
enum ReportLineOption : unsigned {
    CleanUnescapeQuotes = 0x40, // backslash + double quote -> double quote
    CleanCutAtLf = 0x01,        // cut at the first LF
    CleanTabToBlank = 0x02,     // every TAB becomes a blank
    CleanCutAtSemicolon = 0x04, // ';' starts a comment
    CleanTrimLeading = 0x08,    // leading blanks (0x20 only)
    CleanTrimTrailing = 0x10,   // trailing blanks (0x20 only); a CR stays
    CleanStripQuotes = 0x20,    // a line quoted at both ends loses the two quotes
};
// What the reception uses.
inline constexpr unsigned kReceptionCleanOptions = 0x3f;

// Cleans line[0 .. length) in place and returns the new length. With quoteAware the searches for
// LF, TAB and ';' skip what stands between double quotes (an escaped quote does not close).
// Bytes are Shift-JIS: a backslash that is the second byte of a double-byte character is not
// an escape. The text ends at the first zero byte, as in a C string: what follows is dropped.
std::size_t ReportLineCleaner(char* line, std::size_t length, unsigned options,
                              bool quoteAware = false);
void ReportLineCleaner(std::string& line, unsigned options, bool quoteAware = false);
