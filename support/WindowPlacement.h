#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The main window's placement as the INI keeps it ("Window"/"Placement"): the ten numbers after
// the length in the platform's placement record (flags, show command, minimised and maximised
// positions, normal rectangle). The length is not part of the text; it is always 44.
struct WindowPlacement {
    static constexpr uint32_t kLength = 44; // size of the platform's record

    uint32_t length = kLength;
    uint32_t flags = 0;
    uint32_t showCmd = 0;
    int32_t minX = 0, minY = 0;                       // minimised position
    int32_t maxX = 0, maxY = 0;                       // maximised position
    int32_t left = 0, top = 0, right = 0, bottom = 0; // normal rectangle

    bool operator==(const WindowPlacement&) const = default;
};

// Reads "%u , %u , %d , %d , %d , %d , %d , %d , %d , %d" (blanks optional around the commas).
// Nothing unless all ten numbers are there; the length of the result is always 44.
std::optional<WindowPlacement> parsePlacement(std::string_view text);

// The same ten numbers in the same format.
std::string formatPlacement(const WindowPlacement& placement);
