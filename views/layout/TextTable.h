#pragma once
#include "views/layout/GridElement.h"
#include "views/layout/ScrollPane.h"
#include "views/layout/TextBox.h"
#include <string>
#include <vector>

// A scrollable table of texts: a grid of text boxes that shows a window of a text array,
// which may be larger than the grid. Scrolling moves the window by whole columns and rows;
// columns up to the fixed column and rows up to the fixed row stay in place.
class TextTable : public ScrollPane {
public:
    // A cell range; -1 as last column or row means the last one.
    struct Range {
        int firstColumn = 0;
        int firstRow = 0;
        int lastColumn = -1;
        int lastRow = -1;
    };
    struct FontGroup {
        int32_t active = 1;
        int sourceColumn = 0;
        int sourceRow = 0;
        Range range;
    };

    TextTable();
    ~TextTable() override;
    std::unique_ptr<LayoutElement> clone() const override;
    bool place(LayoutHost* host, DeviceContext& dc, const Rect& rect, const Rect& contentRect,
               const std::optional<Rect>& explicitClip, const std::optional<Rect>& contentClip,
               const std::optional<Rect>& outerClip) override;
    // Index of the last column and row that fit entirely into the visible extent.
    Point positionToTrack(const DeviceContext& dc, Point position) const override;
    // End position of a column and row.
    Point trackToPosition(const DeviceContext& dc, Point track) const override;
    // Counts in columns and rows of the grid as it will be placed in `visible`.
    Size computeScrollRanges(const DeviceContext& dc, const Rect& visible) override;
    Rect scrolledContentRect(const DeviceContext& dc, const Rect& contentRect,
                             bool& scrolled) const override;
    // Copies the texts of the visible window into the grid's text boxes.
    virtual void refreshVisibleCells();

    // Builds the grid (text boxes with frames), resets scrolling, font groups and
    // exclusions, and sizes the text array.
    void setup(int columns, int rows, double columnPercent, double rowPercent, int dataColumns,
               int dataRows);
    // Resizes the text array, keeping what fits.
    void setDataSize(int dataColumns, int dataRows);
    int dataColumns() const { return m_dataColumns; }
    int dataRows() const { return m_dataRows; }
    void setFont(const FontSpec& spec);
    void setText(int column, int row, const std::string& text);
    const std::string& text(int column, int row) const;
    void setFill(const Range& range, ColorRef textColour, ColorRef background);
    void setEdges(const Range& range, ColorRef colour, int32_t mask, bool inner);
    void fontGroup(int sourceColumn, int sourceRow, const Range& range, bool record);
    void setFitText(int column, int row, const std::string& text);
    void excludeFromFontGroups(int column, int row);
    void clearTexts(const Range& range);
    void setTextVisible(const Range& range, bool visible);
    void setTextFormat(const Range& range, uint32_t format);
    // Name fitting (TextBox::setNameFit) with a smallest readable cell height (0 = none).
    void setNameFit(const Range& range, int32_t minimumHeight);
    // A negative value leaves that side unchanged.
    void setInset(const Range& range, int32_t left, int32_t top, int32_t right, int32_t bottom);
    void setFixedColumn(int column) { m_fixedColumn = column; }
    void setFixedRow(int row) { m_fixedRow = row; }
    int fixedColumn() const { return m_fixedColumn; }
    int fixedRow() const { return m_fixedRow; }

    GridElement& grid();
    const GridElement& grid() const;
    // The text box of grid cell (column, row); negative = last.
    TextBox& cellBox(int column, int row);
    const std::vector<FontGroup>& fontGroups() const { return m_fontGroups; }

protected:
    TextTable(const TextTable&) = default;

private:
    struct Resolved {
        int c0, r0, c1, r1;
    };
    Resolved resolve(const Range& range) const;
    template <typename F> void forEachBox(const Range& range, F&& f);
    bool isExcluded(int column, int row) const;
    void applyFontGroups();

    std::vector<std::vector<std::string>> m_texts; // [row][column]
    int m_dataColumns = 0;
    int m_dataRows = 0;
    int m_fixedColumn = -1;
    int m_fixedRow = -1;
    int m_appliedHorizontal = 0;
    int m_appliedVertical = 0;
    std::vector<FontGroup> m_fontGroups;
    std::vector<std::pair<int, int>> m_excluded;
};
