#include "views/table/CaptionRow.h"
#include "views/layout/BoxElement.h"
#include "views/table/TableStyle.h"

using namespace table_style;

namespace {

TextBox* box(GridElement& grid, int column, const FontSpec& font, uint32_t format) {
    auto* b = static_cast<TextBox*>(grid.setContent(column, 0, TextBox()));
    b->setFont(font);
    b->setTextFormat(format);
    return b;
}

} // namespace

CaptionRow placeCaptionRow(GridElement& grid, int row, const FontSpec& font) {
    GridElement* halves = placeIn<GridElement>(grid, row);
    halves->initTracks(2, 1, -1, -1, BoxElement());
    return {box(*halves, 0, font, CaptionFormat), box(*halves, 1, font, LegendFormat)};
}
