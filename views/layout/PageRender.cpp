#include "views/layout/PageRender.h"

namespace page_render {

void render(LayoutElement& page, LayoutHost* host, DeviceContext& dc, MapMode mode) {
    dc.setMapMode(mode);
    const Rect rect = page.rect();
    page.place(host, dc, rect, rect, std::nullopt, std::nullopt, std::nullopt);
}

void place(LayoutElement& page, LayoutHost* host, DeviceContext& dc, MapMode mode,
           const Rect& rect) {
    dc.setMapMode(mode);
    page.place(host, dc, rect, rect, std::nullopt, std::nullopt, std::nullopt);
}

void paint(LayoutElement& page, LayoutHost* host, DeviceContext& dc) {
    page.paint(host, dc);
    dc.flush();
}

} // namespace page_render
