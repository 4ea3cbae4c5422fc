#pragma once
#include "views/layout/FontSpec.h"
#include "views/layout/GridElement.h"
#include "views/layout/TextBox.h"

// A caption row of a report page: the caption at the bottom left and, at the bottom right of
// the same row, the legend of the mark an incomplete day's date carries (empty unless a row of
// the table below carries it). Both halves fit their text on their own.
struct CaptionRow {
    TextBox* caption = nullptr;
    TextBox* legend = nullptr;
};

// Fills row `row` of a one-column grid with the two boxes in a grid of their own.
CaptionRow placeCaptionRow(GridElement& grid, int row, const FontSpec& font);
