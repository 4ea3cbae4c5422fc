#pragma once
#include <cstddef>
#include <string>
#include <string_view>

// The longest file name we make: the 255 bytes a file system takes of a name as stored (UTF-8,
// where a kanji takes three bytes against two in CP932), less room for the safe writer's
// temporary name beside it (the name + ".tmp<pid>_<count>", at most 31 bytes more).
inline constexpr std::size_t kFileNameMaxBytes = 255 - 31;

// The one rule for a file name made from customer and circuit names: a name whose stored
// (UTF-8) form is longer than maxBytes keeps its start and its last keptTail bytes (the date,
// channel and extension) whole, and loses the characters just before that tail, cut at a
// character boundary of the CP932 name. A name that fits is returned as it is. CP932.
std::string fitFileName(std::string_view cp932Name, std::size_t keptTail,
                        std::size_t maxBytes = kFileNameMaxBytes);
