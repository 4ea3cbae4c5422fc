#pragma once
#include "views/layout/LayoutElement.h"

// Page-level operations of the layout engine.
namespace page_render {

// Sets the mapping mode and places the page in its stored rectangle, without clips.
void render(LayoutElement& page, LayoutHost* host, DeviceContext& dc, MapMode mode);
// Sets the mapping mode and places the page in `rect` (logical units of that mode).
void place(LayoutElement& page, LayoutHost* host, DeviceContext& dc, MapMode mode,
           const Rect& rect);
// Paints the page from its stored layout.
void paint(LayoutElement& page, LayoutHost* host, DeviceContext& dc);

} // namespace page_render
