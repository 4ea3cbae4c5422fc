#pragma once
#include <algorithm>
#include <cstdint>

// Plain geometry and colour records shared by the layout engine and its device contexts.
// Rectangles keep the orientation of their coordinate system: in MM_LOMETRIC top > bottom.

struct Point {
    int32_t x = 0;
    int32_t y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
    int32_t cx = 0;
    int32_t cy = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

struct Rect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    int32_t width() const { return right - left; }
    int32_t height() const { return bottom - top; }
    // Same rectangle with left <= right and top <= bottom.
    Rect normalised() const {
        return {std::min(left, right), std::min(top, bottom), std::max(left, right),
                std::max(top, bottom)};
    }
    // Device rectangles only (normalised): empty when no pixel is covered.
    bool isEmpty() const { return right <= left || bottom <= top; }
    bool intersects(const Rect& o) const {
        return left < o.right && o.left < right && top < o.bottom && o.top < bottom;
    }
    Rect intersected(const Rect& o) const {
        Rect r{std::max(left, o.left), std::max(top, o.top), std::min(right, o.right),
               std::min(bottom, o.bottom)};
        if (r.isEmpty())
            return {};
        return r;
    }
    friend bool operator==(const Rect&, const Rect&) = default;
};

// COLORREF layout: 0x00BBGGRR.
using ColorRef = uint32_t;
constexpr ColorRef rgb(int r, int g, int b) {
    return static_cast<ColorRef>((r & 0xff) | ((g & 0xff) << 8) | ((b & 0xff) << 16));
}
constexpr int redOf(ColorRef c) {
    return static_cast<int>(c & 0xff);
}
constexpr int greenOf(ColorRef c) {
    return static_cast<int>((c >> 8) & 0xff);
}
constexpr int blueOf(ColorRef c) {
    return static_cast<int>((c >> 16) & 0xff);
}

enum MapMode : int32_t {
    MM_TEXT = 1,     // one unit = one device pixel, y downwards
    MM_LOMETRIC = 2, // one unit = 0.1 mm, y upwards
};

enum PenStyle : int32_t {
    PS_SOLID = 0,
    PS_DASH = 1,
    PS_DOT = 2,
};

// DrawText format flags.
enum : uint32_t {
    DT_LEFT = 0x0000,
    DT_TOP = 0x0000,
    DT_CENTER = 0x0001,
    DT_RIGHT = 0x0002,
    DT_VCENTER = 0x0004,
    DT_BOTTOM = 0x0008,
    DT_SINGLELINE = 0x0020,
    DT_NOCLIP = 0x0100,
    DT_CALCRECT = 0x0400,
};

struct Pen {
    ColorRef colour = 0;
    int32_t width = 1; // device pixels once handed to a back end
    int32_t style = PS_SOLID;
    friend bool operator==(const Pen&, const Pen&) = default;
};
