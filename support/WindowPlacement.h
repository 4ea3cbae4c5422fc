#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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

// A rectangle in screen coordinates; 64 bits, so that no difference of two int32 overflows.
struct ScreenRect {
    int64_t left = 0, top = 0, right = 0, bottom = 0;
    int64_t width() const { return right - left; }
    int64_t height() const { return bottom - top; }
    bool operator==(const ScreenRect&) const = default;
};

// The normal rectangle of a placement to apply to the window, fitted into the available area of
// the screen it overlaps most (shrunk to that area, then moved inside it): a placement saved on
// a larger screen, or a hand-edited one, never leaves the window partly off-screen or larger
// than the screen. Nothing when it has no area, its size does not fit an int, or it lies on
// none of the screens.
std::optional<ScreenRect> usableNormalRect(const WindowPlacement& placement,
                                           const std::vector<ScreenRect>& screens);

// The same ten numbers in the same format.
std::string formatPlacement(const WindowPlacement& placement);
