#pragma once
#include "support/DateTime.h"
#include <optional>
#include <string_view>

// Reads a date (and optional time) typed by a person or printed by the recorder:
// "YYYY/MM/DD", "YYYY/MM/DD HH:MM", "YYYY/MM/DD HH:MM:SS", "YYYY-MM-DD …", "YYYY年MM月DD日 …",
// a four-digit year (0100 to 9999), one- or two-digit other fields, surrounding blanks allowed.
// Anything else gives nothing; it never guesses.
std::optional<DateTime> parseDateText(std::string_view text);
