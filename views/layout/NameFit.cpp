#include "views/layout/NameFit.h"
#include "support/Sjis.h"
#include <algorithm>
#include <string_view>

namespace name_fit {

namespace {

constexpr const char* kEllipsis = "\x81\x63"; // "…"

// Byte offsets where characters end, in order; double-byte characters stay whole.
std::vector<std::size_t> characterEnds(const std::string& text) {
    std::vector<std::size_t> ends;
    for (std::size_t i = 0; i < text.size();) {
        const bool wide =
            sjis::isLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size();
        i += wide ? 2 : 1;
        ends.push_back(i);
    }
    return ends;
}

bool isSpace(std::string_view character) {
    return character == " " || character == "\x81\x40"; // "　"
}

std::string trimmedFront(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == ' ')
            ++i;
        else if (text.compare(i, 2, "\x81\x40") == 0)
            i += 2;
        else
            break;
    }
    return text.substr(i);
}

std::string trimmedBack(std::string text) {
    for (;;) {
        if (!text.empty() && text.back() == ' ')
            text.pop_back();
        else if (text.size() >= 2 && text.compare(text.size() - 2, 2, "\x81\x40") == 0)
            text.resize(text.size() - 2);
        else
            return text;
    }
}

// Largest value in [low, high] for which `ok` holds (ok is monotone: true below some point);
// low - 1 when none.
template <typename Ok> int32_t largest(int32_t low, int32_t high, Ok ok) {
    int32_t found = low - 1;
    while (low <= high) {
        const int32_t mid = low + (high - low) / 2;
        if (ok(mid)) {
            found = mid;
            low = mid + 1;
        } else {
            high = mid - 1;
        }
    }
    return found;
}

struct Context {
    const std::string& text;
    const Limits& limits;
    const Measure& measure;
    std::vector<std::size_t> ends = characterEnds(text);

    bool fitsWidth(const std::string& line, int32_t height) const {
        return measure(line, height).cx <= limits.box.cx;
    }
    bool twoLinesHigh(int32_t height) const {
        return 2 * measure(text, height).cy <= limits.box.cy;
    }
    // Characters of the longest start of `text` from byte `from` that fits with `tail` after it.
    std::size_t longestStart(std::size_t from, const std::string& tail, int32_t height) const {
        const auto first = std::upper_bound(ends.begin(), ends.end(), from);
        const int32_t count = static_cast<int32_t>(ends.end() - first);
        const int32_t n = largest(1, count, [&](int32_t k) {
            return fitsWidth(text.substr(from, first[k - 1] - from) + tail, height);
        });
        return n < 1 ? from : first[n - 1];
    }
    std::vector<std::string> split(std::size_t cut) const {
        return {trimmedBack(text.substr(0, cut)), trimmedFront(text.substr(cut))};
    }
    bool fits(const std::vector<std::string>& lines, int32_t height) const {
        return !lines[0].empty() && fitsWidth(lines[0], height) && fitsWidth(lines[1], height);
    }
    // The two lines at this height, broken after a space (atSpace) or after the longest start
    // that fits; nothing when they do not fit.
    std::vector<std::string> twoLines(int32_t height, bool atSpace) const {
        if (!twoLinesHigh(height))
            return {};
        if (!atSpace) {
            std::vector<std::string> lines = split(longestStart(0, {}, height));
            return fits(lines, height) ? lines : std::vector<std::string>{};
        }
        for (std::size_t i = ends.size(); i-- > 1;) {
            if (!isSpace(std::string_view(text).substr(ends[i - 1], ends[i] - ends[i - 1])))
                continue;
            std::vector<std::string> lines = split(ends[i]);
            if (fits(lines, height))
                return lines;
        }
        return {};
    }
};

} // namespace

Limits limitsFor(Size box, int32_t preferred) {
    preferred = std::max<int32_t>(1, preferred);
    return Limits{box, preferred, std::max<int32_t>(1, preferred * 7 / 10),
                  std::max<int32_t>(1, preferred / 2)};
}

Fit fit(const std::string& text, const Limits& limits, const Measure& measure) {
    const Context c{text, limits, measure};
    const int32_t preferred = std::max<int32_t>(1, limits.preferred);
    const int32_t smallest = std::clamp<int32_t>(limits.smallest, 1, preferred);
    const int32_t floor = std::clamp<int32_t>(limits.shrinkFloor, smallest, preferred);
    if (text.empty() || c.fitsWidth(text, preferred))
        return Fit{preferred, {text}, false};
    const int32_t one = largest(floor, preferred, [&](int32_t h) { return c.fitsWidth(text, h); });
    if (one >= floor)
        return Fit{one, {text}, false};
    // A break at a space if it keeps the shrink floor, else between any two characters.
    const int32_t spaced =
        largest(floor, preferred, [&](int32_t h) { return !c.twoLines(h, true).empty(); });
    if (spaced >= floor)
        return Fit{spaced, c.twoLines(spaced, true), false};
    const int32_t two =
        largest(smallest, preferred, [&](int32_t h) { return !c.twoLines(h, false).empty(); });
    if (two >= smallest)
        return Fit{two, c.twoLines(two, false), false};
    // Too long for two lines: the start stays, the end of the last line gives way.
    if (!c.twoLinesHigh(smallest)) {
        const std::size_t cut = c.longestStart(0, kEllipsis, floor);
        return Fit{floor, {text.substr(0, cut) + kEllipsis}, true};
    }
    const std::size_t cut = c.longestStart(0, {}, smallest);
    const std::string first = text.substr(0, cut);
    const std::size_t rest = c.longestStart(cut, kEllipsis, smallest);
    return Fit{smallest, {first, text.substr(cut, rest - cut) + kEllipsis}, true};
}

} // namespace name_fit
