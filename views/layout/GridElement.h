#pragma once
#include "views/layout/GridCell.h"
#include "views/layout/LayoutElement.h"
#include "views/layout/TrackSpec.h"
#include <vector>

// Splits its rectangle into columns and rows of cells; neighbouring cells share one pixel
// line in both directions.
class GridElement : public LayoutElement {
public:
    struct Merge {
        int32_t firstColumn = 0;
        int32_t firstRow = 0;
        int32_t lastColumn = 0;
        int32_t lastRow = 0;
    };
    enum Direction : int { Rows = 0, Columns = 1 };

    GridElement();
    ~GridElement() override;
    std::unique_ptr<LayoutElement> clone() const override;
    bool drawSelf(LayoutHost* host, DeviceContext& dc) override;
    bool place(LayoutHost* host, DeviceContext& dc, const Rect& rect, const Rect& contentRect,
               const std::optional<Rect>& explicitClip, const std::optional<Rect>& contentClip,
               const std::optional<Rect>& outerClip) override;
    void notify(const LayoutEvent& event, LayoutHost* host, int& nextControlId) override;
    void trace(int level, std::string& out) const override;

    // Sizes both track arrays and fills every cell with a clone of the template. A negative
    // default percent means 100 / count; the last track gets what the others leave of 100.
    void initTracks(int columns, int rows, double columnPercent, double rowPercent,
                    const LayoutElement& cellTemplate);
    // Indices beyond the last track are ignored.
    void setFixedSize(int index, int32_t size, Direction direction);
    void setWeight(int index, double percent, Direction direction);
    // Negative column or row: the last one. Other indices out of range throw.
    GridCell& cell(int column, int row);
    const GridCell& cell(int column, int row) const;
    LayoutElement* setContent(int column, int row, const LayoutElement& templ);
    void addMerge(const Merge& merge) { m_merges.push_back(merge); }
    const std::vector<Merge>& merges() const { return m_merges; }
    void clearMerges() { m_merges.clear(); }

    int columnCount() const { return static_cast<int>(m_columns.size()); }
    int rowCount() const { return static_cast<int>(m_rows.size()); }
    const std::vector<TrackSpec>& columns() const { return m_columns; }
    const std::vector<TrackSpec>& rows() const { return m_rows; }
    // Sizes the tracks over a rectangle of this device context (as place does).
    void sizeTracksFor(const DeviceContext& dc, const Rect& rect);

protected:
    GridElement(const GridElement& other);

private:
    bool isCoveredByMerge(int column, int row) const;

    std::vector<TrackSpec> m_columns;
    std::vector<TrackSpec> m_rows;
    std::vector<std::vector<std::unique_ptr<GridCell>>> m_cells; // [column][row]
    std::vector<Merge> m_merges;
};
