#include "views/layout/GridElement.h"
#include "views/layout/BoxElement.h"
#include "views/layout/PageRender.h"
#include "views/layout/RecordingDeviceContext.h"
#include "views/layout/TextBox.h"
#include <gtest/gtest.h>
#include <set>

namespace {

struct FramedBox : BoxElement {
    FramedBox() {
        setName("box");
        setFrameVisible(1);
    }
};

TEST(GridElement, CellsGetNamedClonesOfTheTemplate) {
    GridElement grid;
    FramedBox named;
    grid.initTracks(2, 3, -1, -1, named);
    EXPECT_EQ(grid.cell(1, 2).content()->name(), "1,2-box");
    EXPECT_EQ(grid.cell(1, 2).content()->parent(), &grid.cell(1, 2));
    EXPECT_NE(grid.cell(0, 0).content(), grid.cell(1, 0).content());
    TextBox unnamed;
    LayoutElement* set = grid.setContent(0, 1, unnamed);
    EXPECT_EQ(set->name(), "0,1-child");
    EXPECT_EQ(&grid.cell(-1, -1), &grid.cell(1, 2)); // negative = last
    EXPECT_THROW(grid.cell(2, 0), std::out_of_range);
}

TEST(GridElement, InitTracksGivesTheLastTrackTheRemainder) {
    GridElement grid;
    grid.initTracks(3, 1, 30.0, -1, BoxElement());
    EXPECT_DOUBLE_EQ(grid.columns()[0].percent, 30.0);
    EXPECT_DOUBLE_EQ(grid.columns()[2].percent, 40.0);
    EXPECT_DOUBLE_EQ(grid.rows()[0].percent, 100.0);
    grid.setFixedSize(7, 10, GridElement::Columns); // beyond the last track: ignored
    grid.setWeight(-1, 10.0, GridElement::Rows);
    EXPECT_EQ(grid.columns()[2].set, 0);
}

TEST(GridElement, CloneIsDeep) {
    GridElement grid;
    grid.initTracks(2, 2, -1, -1, FramedBox());
    std::unique_ptr<LayoutElement> copy = grid.clone();
    auto& g2 = static_cast<GridElement&>(*copy);
    EXPECT_NE(g2.cell(0, 0).content(), grid.cell(0, 0).content());
    EXPECT_EQ(g2.cell(0, 0).content()->name(), "0,0-box");
}

// Neighbouring cells share one pixel line: the right (bottom) edge of one cell is drawn on
// the same device column (row) as the left (top) edge of the next.
TEST(GridElement, NeighboursShareOnePixelLineInBothDirections) {
    for (MapMode mode : {MM_LOMETRIC, MM_TEXT}) {
        for (double dpi : {254.0, 96.0, 600.0}) {
            RecordingDeviceContext dc({0, 0, 4000, 4000}, dpi, dpi);
            dc.setMapMode(mode);
            GridElement grid;
            grid.initTracks(3, 4, -1, -1, FramedBox());
            grid.setFixedSize(0, 137, GridElement::Columns);
            const Rect page{0, 0, 1000, dc.logicalY(777)};
            page_render::place(grid, nullptr, dc, mode, page);
            for (int c = 0; c < 3; ++c) {
                for (int r = 0; r < 4; ++r) {
                    const Rect edges =
                        dc.toDevice(dc.deflateDevice(grid.cell(c, r).rect(), 0, 0, 1, 1))
                            .normalised();
                    if (c + 1 < 3) {
                        const Rect next = dc.toDevice(grid.cell(c + 1, r).rect()).normalised();
                        EXPECT_EQ(edges.right, next.left) << mode << " " << dpi;
                    }
                    if (r + 1 < 4) {
                        const Rect next = dc.toDevice(grid.cell(c, r + 1).rect()).normalised();
                        EXPECT_EQ(edges.bottom, next.top) << mode << " " << dpi;
                    }
                }
            }
            // The last column and row end on the grid's own edge.
            EXPECT_EQ(grid.cell(2, 3).rect().right, page.right);
            EXPECT_EQ(grid.cell(2, 3).rect().bottom, page.bottom);
        }
    }
}

TEST(GridElement, PaintedEdgesOfNeighboursLieOnTheSameLine) {
    RecordingDeviceContext dc;
    GridElement grid;
    grid.initTracks(2, 2, -1, -1, FramedBox());
    page_render::place(grid, nullptr, dc, MM_LOMETRIC, Rect{0, 0, 200, -100});
    EXPECT_EQ(grid.cell(0, 0).rect(), (Rect{0, 0, 100, -50}));
    EXPECT_EQ(grid.cell(1, 1).rect(), (Rect{99, -49, 200, -100}));
    page_render::paint(grid, nullptr, dc);
    std::set<int32_t> verticalX;
    std::set<int32_t> horizontalY;
    for (const auto& op : dc.polylines()) {
        ASSERT_EQ(op.points.size(), 2u);
        if (op.points[0].x == op.points[1].x)
            verticalX.insert(op.points[0].x);
        else
            horizontalY.insert(op.points[0].y);
    }
    EXPECT_EQ(verticalX, (std::set<int32_t>{0, 99, 199}));
    EXPECT_EQ(horizontalY, (std::set<int32_t>{0, 49, 99}));
}

TEST(GridElement, MergedCellCoversItsRangeAndHidesTheCoveredCells) {
    RecordingDeviceContext dc;
    GridElement grid;
    TextBox text;
    text.setFrameVisible(1);
    text.setFitOn(0);
    grid.initTracks(3, 2, -1, -1, text);
    static_cast<TextBox*>(grid.cell(0, 0).content())->setText("merged");
    static_cast<TextBox*>(grid.cell(1, 0).content())->setText("hidden");
    grid.addMerge({0, 0, 1, 1});
    page_render::place(grid, nullptr, dc, MM_LOMETRIC, Rect{0, 0, 300, -200});
    EXPECT_EQ(grid.cell(0, 0).rect(), (Rect{0, 0, 200, -200}));
    page_render::paint(grid, nullptr, dc);
    EXPECT_NE(dc.findText("merged"), nullptr);
    EXPECT_EQ(dc.findText("hidden"), nullptr);
}

TEST(GridElement, PaintSkipsCellsOutsideTheUpdateRect) {
    RecordingDeviceContext dc;
    GridElement grid;
    TextBox text;
    text.setFitOn(0);
    grid.initTracks(2, 1, -1, -1, text);
    static_cast<TextBox*>(grid.cell(0, 0).content())->setText("left");
    static_cast<TextBox*>(grid.cell(1, 0).content())->setText("right");
    page_render::place(grid, nullptr, dc, MM_LOMETRIC, Rect{0, 0, 400, -100});
    dc.setUpdateRect(Rect{250, 0, 400, 100});
    page_render::paint(grid, nullptr, dc);
    EXPECT_EQ(dc.findText("left"), nullptr);
    EXPECT_NE(dc.findText("right"), nullptr);
}

TEST(GridElement, CellClipIsItsRectangleGrownByOnePixel) {
    RecordingDeviceContext dc;
    GridElement grid;
    grid.initTracks(2, 1, -1, -1, FramedBox());
    page_render::place(grid, nullptr, dc, MM_LOMETRIC, Rect{0, 0, 200, -100});
    EXPECT_EQ(grid.clip(), (Rect{0, 0, 201, 101}));
    EXPECT_EQ(grid.cell(1, 0).clip(), (Rect{99, 0, 201, 101}));
    // The content of a cell is clipped to the cell.
    EXPECT_EQ(grid.cell(1, 0).content()->clip(), (Rect{99, 0, 201, 101}));
}

} // namespace
