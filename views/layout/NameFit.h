#pragma once
#include "views/layout/DrawTypes.h"
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// How a name is laid into a cell without losing any of its start: on one line at the
// preferred font height or smaller down to the shrink floor; else on two lines broken after a
// space, at the largest height down to the shrink floor that lets both fit; else on two lines
// broken between any characters, down to the smallest height; else on two lines at the
// smallest height, the second cut with "…" (one line when two are too high for the box).
namespace name_fit {

struct Limits {
    Size box;              // width and height of the text area (positive)
    int32_t preferred = 0; // the cell height the table gives its other texts
    int32_t shrinkFloor = 0;
    int32_t smallest = 0;
};

struct Fit {
    int32_t height = 0;
    std::vector<std::string> lines; // one or two, CP932
    bool elided = false;
    friend bool operator==(const Fit&, const Fit&) = default;
};

// Size (positive) of one line of CP932 text at a font cell height.
using Measure = std::function<Size(const std::string& text, int32_t height)>;

Fit fit(const std::string& text, const Limits& limits, const Measure& measure);

// The cell height used when a name does not fit at the preferred one: the shrink floor is
// 70 % of it, the smallest half of it, never below one.
Limits limitsFor(Size box, int32_t preferred);

} // namespace name_fit
