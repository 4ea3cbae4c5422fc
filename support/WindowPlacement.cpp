#include "support/WindowPlacement.h"

#include <algorithm>

#include <limits>

#include <array>
#include <cstdio>
#include <limits>

namespace {

bool isSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

void skipSpace(std::string_view text, std::size_t& i) {
    while (i < text.size() && isSpace(text[i])) {
        ++i;
    }
}

// One number as the C library reads it: optional sign, decimal digits; out-of-range values
// saturate (for %u a negative number wraps, for %d it clamps to the int range).
bool readNumber(std::string_view text, std::size_t& i, bool isUnsigned, int64_t& out) {
    skipSpace(text, i);
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i >= text.size() || text[i] < '0' || text[i] > '9') {
        return false;
    }
    uint64_t magnitude = 0;
    const uint64_t cap = uint64_t{1} << 40; // far beyond 32 bits; saturate there
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        if (magnitude < cap) {
            magnitude = magnitude * 10 + static_cast<uint64_t>(text[i] - '0');
        }
        ++i;
    }
    if (isUnsigned) {
        uint64_t limit = std::numeric_limits<uint32_t>::max();
        uint64_t m = magnitude > limit ? limit : magnitude;
        uint32_t v = static_cast<uint32_t>(m);
        out = negative ? static_cast<uint32_t>(0u - v) : v;
    } else {
        int64_t v = negative ? -static_cast<int64_t>(magnitude) : static_cast<int64_t>(magnitude);
        if (v > std::numeric_limits<int32_t>::max()) {
            v = std::numeric_limits<int32_t>::max();
        } else if (v < std::numeric_limits<int32_t>::min()) {
            v = std::numeric_limits<int32_t>::min();
        }
        out = v;
    }
    return true;
}

} // namespace

std::optional<WindowPlacement> parsePlacement(std::string_view text) {
    std::array<int64_t, 10> v{};
    std::size_t i = 0;
    for (std::size_t n = 0; n < v.size(); ++n) {
        if (n > 0) {
            skipSpace(text, i);
            if (i >= text.size() || text[i] != ',') {
                return std::nullopt;
            }
            ++i;
        }
        if (!readNumber(text, i, n < 2, v[n])) {
            return std::nullopt;
        }
    }
    WindowPlacement p;
    p.length = WindowPlacement::kLength;
    p.flags = static_cast<uint32_t>(v[0]);
    p.showCmd = static_cast<uint32_t>(v[1]);
    p.minX = static_cast<int32_t>(v[2]);
    p.minY = static_cast<int32_t>(v[3]);
    p.maxX = static_cast<int32_t>(v[4]);
    p.maxY = static_cast<int32_t>(v[5]);
    p.left = static_cast<int32_t>(v[6]);
    p.top = static_cast<int32_t>(v[7]);
    p.right = static_cast<int32_t>(v[8]);
    p.bottom = static_cast<int32_t>(v[9]);
    return p;
}

std::string formatPlacement(const WindowPlacement& p) {
    char buf[256];
    std::snprintf(buf, sizeof buf, "%u , %u , %d , %d , %d , %d , %d , %d , %d , %d",
                  static_cast<unsigned>(p.flags), static_cast<unsigned>(p.showCmd), p.minX, p.minY,
                  p.maxX, p.maxY, p.left, p.top, p.right, p.bottom);
    return buf;
}

std::optional<ScreenRect> usableNormalRect(const WindowPlacement& p,
                                           const std::vector<ScreenRect>& screens) {
    const ScreenRect r{p.left, p.top, p.right, p.bottom};
    constexpr int64_t kIntMax = std::numeric_limits<int>::max();
    if (r.width() <= 0 || r.height() <= 0 || r.width() > kIntMax || r.height() > kIntMax)
        return std::nullopt;
    const ScreenRect* best = nullptr;
    int64_t bestArea = 0;
    for (const ScreenRect& s : screens) {
        const int64_t w = std::min(r.right, s.right) - std::max(r.left, s.left);
        const int64_t h = std::min(r.bottom, s.bottom) - std::max(r.top, s.top);
        if (w > 0 && h > 0 && w * h > bestArea) {
            bestArea = w * h;
            best = &s;
        }
    }
    if (!best)
        return std::nullopt;
    const int64_t width = std::min(r.width(), best->width());
    const int64_t height = std::min(r.height(), best->height());
    const int64_t left = std::clamp(r.left, best->left, best->right - width);
    const int64_t top = std::clamp(r.top, best->top, best->bottom - height);
    return ScreenRect{left, top, left + width, top + height};
}
