#include "views/layout/TextTable.h"
#include "FakeLayoutHost.h"
#include "views/layout/GridElement.h"
#include "views/layout/PageRender.h"
#include "views/layout/RecordingDeviceContext.h"
#include <gtest/gtest.h>

namespace {

std::string label(int c, int r) {
    return std::to_string(c) + ":" + std::to_string(r);
}

// A 4 x 6 grid over 8 x 20 texts, column 0 and row 0 fixed, with scroll bars 10 px thick.
struct ScrolledTable : ::testing::Test {
    void SetUp() override {
        table.setup(4, 6, -1, -1, 8, 20);
        table.setFixedColumn(0);
        table.setFixedRow(0);
        for (int r = 0; r < 20; ++r)
            for (int c = 0; c < 8; ++c)
                table.setText(c, r, label(c, r));
        table.refreshVisibleCells();
        int nextId = 100;
        table.notify(LayoutEvent{LayoutEvent::CreateWindows}, &host, nextId);
        EXPECT_EQ(nextId, 102);
        page_render::place(table, &host, dc, MM_LOMETRIC, Rect{0, 0, 400, -300});
    }
    void scroll(int kind, int code, int thumb = 0) {
        LayoutEvent e;
        e.kind = kind;
        e.controlId = kind == LayoutEvent::HorizontalScroll ? 100 : 101;
        e.code = code;
        e.thumb = thumb;
        e.dc = &dc;
        int nextId = 0;
        table.notify(e, &host, nextId);
    }
    const std::string& shown(int c, int r) { return table.cellBox(c, r).text(); }

    RecordingDeviceContext dc;
    FakeLayoutHost host;
    TextTable table;
};

TEST_F(ScrolledTable, BarsAppearWhenTheDataIsLargerThanTheGrid) {
    ASSERT_NE(host.hbar, nullptr);
    ASSERT_NE(host.vbar, nullptr);
    EXPECT_TRUE(host.hbar->isEnabled());
    EXPECT_TRUE(host.vbar->isShown());
    // Four of eight columns and six of twenty rows fit.
    EXPECT_EQ(host.hbar->maximum(), 4);
    EXPECT_EQ(host.vbar->maximum(), 14);
    // The table gives up 11 pixels at the right and bottom for the bars.
    EXPECT_EQ(table.rect(), (Rect{0, 0, 389, -289}));
    EXPECT_EQ(host.hbar->geometry(), (Rect{0, 290, 390, 300}));
    EXPECT_EQ(host.vbar->geometry(), (Rect{390, 0, 400, 290}));
}

TEST_F(ScrolledTable, HorizontalScrollingLeavesFixedColumnsAlone) {
    scroll(LayoutEvent::HorizontalScroll, 1); // one column right
    EXPECT_EQ(host.hbar->position(), 1);
    for (int r = 0; r < 6; ++r)
        EXPECT_EQ(shown(0, r), label(0, r));
    EXPECT_EQ(shown(1, 0), label(2, 0));
    EXPECT_EQ(shown(3, 5), label(4, 5));
    EXPECT_FALSE(host.invalidated.empty());
}

TEST_F(ScrolledTable, VerticalScrollingKeepsTheFixedRow) {
    scroll(LayoutEvent::VerticalScroll, 5, 3); // thumb to row 3
    for (int c = 0; c < 4; ++c)
        EXPECT_EQ(shown(c, 0), label(c, 0));
    EXPECT_EQ(shown(0, 1), label(0, 4));
    EXPECT_EQ(shown(2, 5), label(2, 8));
}

TEST_F(ScrolledTable, PositionsAreClampedToTheRange) {
    scroll(LayoutEvent::VerticalScroll, 5, 1000);
    EXPECT_EQ(host.vbar->position(), 14);
    // The last data row is in the last grid row.
    EXPECT_EQ(shown(1, 5), label(1, 19));
    scroll(LayoutEvent::VerticalScroll, 0);
    EXPECT_EQ(host.vbar->position(), 13);
    scroll(LayoutEvent::HorizontalScroll, 2); // page left from 0 stays at 0
    EXPECT_EQ(host.hbar->position(), 0);
}

TEST_F(ScrolledTable, ScrollMessagesOfOtherBarsAreIgnored) {
    LayoutEvent e;
    e.kind = LayoutEvent::HorizontalScroll;
    e.controlId = 555;
    e.code = 1;
    e.dc = &dc;
    int nextId = 0;
    table.notify(e, &host, nextId);
    EXPECT_EQ(host.hbar->position(), 0);
}

TEST_F(ScrolledTable, CellsBeyondTheDataShowNothing) {
    table.setDataSize(5, 3);
    table.refreshVisibleCells();
    page_render::place(table, &host, dc, MM_LOMETRIC, Rect{0, 0, 400, -300});
    EXPECT_FALSE(host.vbar->isEnabled());
    EXPECT_EQ(host.hbar->maximum(), 1);
    EXPECT_EQ(shown(2, 2), label(2, 2));
    EXPECT_EQ(shown(2, 3), "");
}

TEST(TextTable, WithoutScrollBarsNothingScrolls) {
    RecordingDeviceContext dc;
    TextTable table;
    table.setup(2, 2, -1, -1, 5, 5);
    page_render::place(table, nullptr, dc, MM_LOMETRIC, Rect{0, 0, 200, -100});
    EXPECT_EQ(table.horizontalPosition(), 0);
    EXPECT_EQ(table.rect(), (Rect{0, 0, 200, -100}));
}

TEST(TextTable, FailedScrollBarsAreReported) {
    FakeLayoutHost host;
    host.failBars = true;
    TextTable table;
    table.setup(1, 1, -1, -1, 1, 1);
    int nextId = 7;
    table.notify(LayoutEvent{LayoutEvent::CreateWindows}, &host, nextId);
    EXPECT_EQ(host.messages,
              (std::vector<std::string>{"create scrollBar X error", "create scrollBar Y error"}));
}

TEST(TextTable, FontGroupCopiesTheFittedSourceFontExceptExcludedCells) {
    RecordingDeviceContext dc;
    TextTable table;
    table.setup(3, 1, -1, -1, 3, 1);
    FontSpec seed;
    seed.height = -10;
    table.setFont(seed);
    table.setText(0, 0, "AB");
    table.setText(1, 0, "a much longer text");
    table.setText(2, 0, "ABCDEFGHIJ");
    table.refreshVisibleCells();
    table.excludeFromFontGroups(2, 0);
    table.setFitText(0, 0, "ABCD");
    table.fontGroup(0, 0, TextTable::Range{}, true);
    page_render::place(table, nullptr, dc, MM_LOMETRIC, Rect{0, 0, 300, -55});
    const int32_t fitted = table.cellBox(0, 0).font().height;
    EXPECT_GT(fitted, 1);
    EXPECT_EQ(table.cellBox(1, 0).font().height, fitted);
    EXPECT_EQ(table.cellBox(1, 0).fitOn(), 0);
    // The excluded cell keeps its own font and fitting.
    EXPECT_EQ(table.cellBox(2, 0).fitOn(), 1);
    EXPECT_NE(table.cellBox(2, 0).font().height, fitted);
}

TEST(TextTable, OuterEdgesAreSetOnBothSidesOfTheLine) {
    TextTable table;
    table.setup(4, 4, -1, -1, 4, 4);
    table.setEdges(TextTable::Range{1, 1, 2, 2}, rgb(0, 0, 0), 15, false);
    const ColorRef black = rgb(0, 0, 0);
    const ColorRef grey = BoxElement::DefaultEdgeColour;
    EXPECT_EQ(table.cellBox(1, 1).edgeColour(BoxElement::EdgeLeft), black);
    EXPECT_EQ(table.cellBox(0, 1).edgeColour(BoxElement::EdgeRight), black);
    EXPECT_EQ(table.cellBox(2, 2).edgeColour(BoxElement::EdgeRight), black);
    EXPECT_EQ(table.cellBox(3, 2).edgeColour(BoxElement::EdgeLeft), black);
    EXPECT_EQ(table.cellBox(2, 1).edgeColour(BoxElement::EdgeTop), black);
    EXPECT_EQ(table.cellBox(2, 0).edgeColour(BoxElement::EdgeBottom), black);
    EXPECT_EQ(table.cellBox(1, 2).edgeColour(BoxElement::EdgeBottom), black);
    EXPECT_EQ(table.cellBox(1, 3).edgeColour(BoxElement::EdgeTop), black);
    // Inner lines keep their colour.
    EXPECT_EQ(table.cellBox(1, 1).edgeColour(BoxElement::EdgeRight), grey);
    EXPECT_EQ(table.cellBox(2, 1).edgeColour(BoxElement::EdgeLeft), grey);
    table.setEdges(TextTable::Range{0, 0, -1, -1}, rgb(255, 255, 255), 15, true);
    EXPECT_EQ(table.cellBox(1, 1).edgeColour(BoxElement::EdgeRight), rgb(255, 255, 255));
}

TEST(TextTable, RangeSettersReachEveryCellOfTheRange) {
    TextTable table;
    table.setup(3, 2, -1, -1, 3, 2);
    table.setFill(TextTable::Range{0, 0, 0, -1}, rgb(1, 1, 1), rgb(247, 247, 247));
    table.setTextFormat(TextTable::Range{1, 0, -1, -1}, DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
    table.setInset(TextTable::Range{}, -1, 4, -1, -1);
    table.setTextVisible(TextTable::Range{2, 1, 2, 1}, false);
    EXPECT_EQ(table.cellBox(0, 1).fillOn(), 1);
    EXPECT_EQ(table.cellBox(0, 1).fillColour(), rgb(247, 247, 247));
    EXPECT_EQ(table.cellBox(1, 0).fillOn(), 0);
    EXPECT_EQ(table.cellBox(2, 1).textFormat(), 38u);
    EXPECT_EQ(table.cellBox(0, 0).textFormat(), 37u);
    EXPECT_EQ(table.cellBox(1, 1).inset(), (TextBox::Inset{2, 4, 2, 5}));
    EXPECT_EQ(table.cellBox(2, 1).textHidden(), 1);
    EXPECT_EQ(table.cellBox(2, 0).textHidden(), 0);
    EXPECT_EQ(table.cellBox(0, 0).frameVisible(), 1);
    table.setText(1, 1, "x");
    table.clearTexts(TextTable::Range{});
    EXPECT_EQ(table.text(1, 1), "");
    EXPECT_THROW(table.setText(3, 0, "y"), std::out_of_range);
}

} // namespace
