#include "FakeLayoutHost.h"
#include "SamplePage.h"
#include "views/layout/PageRender.h"
#include "views/layout/RecordingDeviceContext.h"
#include "views/layout/ScrollPane.h"
#include <gtest/gtest.h>

namespace {

std::vector<std::string> textsOf(RecordingDeviceContext& dc) {
    std::vector<std::string> out;
    for (const auto& op : dc.texts())
        out.push_back(op.text);
    return out;
}

TEST(Page, PaintingDoesNotChangeTheLayout) {
    RecordingDeviceContext dc({0, 0, 1000, 1400}, 96.0, 96.0);
    dc.setMapMode(MM_LOMETRIC);
    sample_page::Page page = sample_page::build(dc, 2, 49, 60);
    page_render::place(*page.root, nullptr, dc, MM_LOMETRIC, dc.toLogical(Rect{0, 0, 1000, 1400}));
    const Rect tableRect = page.table->rect();
    const Rect plot = page.charts[0]->plotRect();
    page_render::paint(*page.root, nullptr, dc);
    const auto first = textsOf(dc);
    const std::size_t opCount = dc.ops().size();
    dc.clear();
    page_render::paint(*page.root, nullptr, dc);
    EXPECT_EQ(textsOf(dc), first);
    EXPECT_EQ(dc.ops().size(), opCount);
    EXPECT_EQ(page.table->rect(), tableRect);
    EXPECT_EQ(page.charts[0]->plotRect(), plot);
    // Every header cell uses the font fitted in the first one.
    const int32_t height = page.header->cellBox(0, 0).font().height;
    for (int c = 0; c < 6; ++c)
        EXPECT_EQ(page.header->cellBox(c, 0).font().height, height);
}

TEST(Page, RenderPlacesThePageInItsStoredRectangle) {
    RecordingDeviceContext dc;
    sample_page::Page page = sample_page::build(dc, 1, 10, 5);
    page_render::place(*page.root, nullptr, dc, MM_LOMETRIC, Rect{0, 0, 1500, -2000});
    const Rect chart = page.charts[0]->rect();
    page_render::render(*page.root, nullptr, dc, MM_LOMETRIC);
    EXPECT_EQ(page.root->rect(), (Rect{0, 0, 1500, -2000}));
    EXPECT_EQ(page.charts[0]->rect(), chart);
}

TEST(Page, ClonedPageIsIndependent) {
    RecordingDeviceContext dc;
    sample_page::Page page = sample_page::build(dc, 1, 10, 5);
    std::unique_ptr<LayoutElement> copy = page.root->clone();
    auto& grid = static_cast<GridElement&>(*copy);
    auto& table = static_cast<TextTable&>(*grid.cell(0, 1).content());
    table.setText(0, 1, "changed");
    EXPECT_EQ(page.table->text(0, 1), "00:00");
    EXPECT_EQ(table.grid().cell(0, 0).content()->name(), "0,0-child");
}

TEST(ScrollPane, ScrollingOffsetsTheContent) {
    RecordingDeviceContext dc;
    FakeLayoutHost host;
    ScrollPane pane;
    BoxElement content;
    pane.setContent(content.clone());
    pane.setContentExtent({1000, 1000});
    int nextId = 1;
    pane.notify(LayoutEvent{LayoutEvent::CreateWindows}, &host, nextId);
    page_render::place(pane, &host, dc, MM_LOMETRIC, Rect{0, 0, 200, -200});
    EXPECT_EQ(host.hbar->maximum(), 1000 - 190);
    LayoutEvent e;
    e.kind = LayoutEvent::HorizontalScroll;
    e.controlId = 1;
    e.code = 5;
    e.thumb = 50;
    e.dc = &dc;
    pane.notify(e, &host, nextId);
    EXPECT_EQ(pane.content()->rect(), (Rect{-50, 0, 139, -189}));
    e.kind = LayoutEvent::VerticalScroll;
    e.controlId = 2;
    e.code = 3; // page down: half the pane
    pane.notify(e, &host, nextId);
    EXPECT_EQ(host.vbar->position(), 100);
    EXPECT_EQ(pane.content()->rect().top, 100);
}

} // namespace
