#pragma once
#include "views/layout/DrawTypes.h"
#include "views/layout/GridElement.h"

// Colours of the report pages and the one way their elements go into a page's rows.
namespace table_style {

inline constexpr ColorRef Black = rgb(0, 0, 0);
inline constexpr ColorRef White = rgb(255, 255, 255);
inline constexpr ColorRef LabelGrey = rgb(247, 247, 247);
inline constexpr uint32_t CaptionFormat = DT_SINGLELINE | DT_BOTTOM;           // 40
inline constexpr uint32_t LegendFormat = DT_RIGHT | DT_BOTTOM | DT_SINGLELINE; // 42
// Room between a right-aligned figure and its cell's right border (0.1 mm), so that a number
// never touches the line.
inline constexpr int32_t FigurePadding = 10;
inline constexpr uint32_t PageNumberFormat = DT_CENTER | DT_BOTTOM | DT_SINGLELINE; // 41

// A fresh T in row `row` of a one-column grid; the grid owns it.
template <typename T> T* placeIn(GridElement& grid, int row) {
    return static_cast<T*>(grid.setContent(0, row, T()));
}

} // namespace table_style
