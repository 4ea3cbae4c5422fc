#include "views/layout/TextTable.h"
#include <algorithm>
#include <stdexcept>

TextTable::TextTable() {
    setContent(std::make_unique<GridElement>());
}
TextTable::~TextTable() = default;

std::unique_ptr<LayoutElement> TextTable::clone() const {
    return std::unique_ptr<LayoutElement>(new TextTable(*this));
}

GridElement& TextTable::grid() {
    return *static_cast<GridElement*>(content());
}
const GridElement& TextTable::grid() const {
    return *static_cast<const GridElement*>(content());
}

TextBox& TextTable::cellBox(int column, int row) {
    LayoutElement* box = grid().cell(column, row).content();
    auto* text = dynamic_cast<TextBox*>(box);
    if (!text)
        throw std::logic_error("text table cell without a text box");
    return *text;
}

void TextTable::setup(int columns, int rows, double columnPercent, double rowPercent,
                      int dataColumns, int dataRows) {
    TextBox cellTemplate;
    cellTemplate.setFrameVisible(1);
    grid().initTracks(columns, rows, columnPercent, rowPercent, cellTemplate);
    resetScrollPositions();
    m_appliedHorizontal = 0;
    m_appliedVertical = 0;
    m_fontGroups.clear();
    m_excluded.clear();
    m_texts.clear();
    m_dataColumns = 0;
    m_dataRows = 0;
    setDataSize(dataColumns, dataRows);
}

void TextTable::setDataSize(int dataColumns, int dataRows) {
    m_dataColumns = std::max(0, dataColumns);
    m_dataRows = std::max(0, dataRows);
    m_texts.resize(static_cast<std::size_t>(m_dataRows));
    for (auto& row : m_texts)
        row.resize(static_cast<std::size_t>(m_dataColumns));
    setContentExtent({m_dataColumns, m_dataRows});
}

TextTable::Resolved TextTable::resolve(const Range& range) const {
    const int columns = grid().columnCount();
    const int rows = grid().rowCount();
    Resolved r{range.firstColumn, range.firstRow, range.lastColumn, range.lastRow};
    if (r.c0 < 0)
        r.c0 = columns - 1;
    if (r.r0 < 0)
        r.r0 = rows - 1;
    if (r.c1 < 0)
        r.c1 = columns - 1;
    if (r.r1 < 0)
        r.r1 = rows - 1;
    if (r.c1 >= columns || r.r1 >= rows)
        throw std::out_of_range("text table range beyond the grid");
    return r;
}

template <typename F> void TextTable::forEachBox(const Range& range, F&& f) {
    const Resolved r = resolve(range);
    for (int c = r.c0; c <= r.c1; ++c)
        for (int row = r.r0; row <= r.r1; ++row)
            f(cellBox(c, row), c, row);
}

void TextTable::setFont(const FontSpec& spec) {
    forEachBox(Range{}, [&](TextBox& box, int, int) { box.setFont(spec); });
}

void TextTable::setText(int column, int row, const std::string& text) {
    if (column < 0 || row < 0 || column >= m_dataColumns || row >= m_dataRows)
        throw std::out_of_range("text table data index out of range");
    m_texts[row][column] = text;
}

const std::string& TextTable::text(int column, int row) const {
    if (column < 0 || row < 0 || column >= m_dataColumns || row >= m_dataRows)
        throw std::out_of_range("text table data index out of range");
    return m_texts[row][column];
}

void TextTable::setFill(const Range& range, ColorRef textColour, ColorRef background) {
    forEachBox(range, [&](TextBox& box, int, int) {
        box.setTextColour(textColour);
        box.setBackgroundColour(background);
        box.setFillColour(background);
        box.setFillOn(1);
    });
}

void TextTable::setEdges(const Range& range, ColorRef colour, int32_t mask, bool inner) {
    if (inner) {
        forEachBox(range, [&](TextBox& box, int, int) { box.setEdgeColours(mask, colour); });
        return;
    }
    // Neighbours draw the same pixel line, so the outline is set on both sides of it.
    const Resolved r = resolve(range);
    const int columns = grid().columnCount();
    const int rows = grid().rowCount();
    for (int row = r.r0; row <= r.r1; ++row) {
        if (mask & BoxElement::EdgeLeft) {
            cellBox(r.c0, row).setEdgeColours(BoxElement::EdgeLeft, colour);
            if (r.c0 > 0)
                cellBox(r.c0 - 1, row).setEdgeColours(BoxElement::EdgeRight, colour);
        }
        if (mask & BoxElement::EdgeRight) {
            cellBox(r.c1, row).setEdgeColours(BoxElement::EdgeRight, colour);
            if (r.c1 + 1 < columns)
                cellBox(r.c1 + 1, row).setEdgeColours(BoxElement::EdgeLeft, colour);
        }
    }
    for (int c = r.c0; c <= r.c1; ++c) {
        if (mask & BoxElement::EdgeTop) {
            cellBox(c, r.r0).setEdgeColours(BoxElement::EdgeTop, colour);
            if (r.r0 > 0)
                cellBox(c, r.r0 - 1).setEdgeColours(BoxElement::EdgeBottom, colour);
        }
        if (mask & BoxElement::EdgeBottom) {
            cellBox(c, r.r1).setEdgeColours(BoxElement::EdgeBottom, colour);
            if (r.r1 + 1 < rows)
                cellBox(c, r.r1 + 1).setEdgeColours(BoxElement::EdgeTop, colour);
        }
    }
}

bool TextTable::isExcluded(int column, int row) const {
    return std::find(m_excluded.begin(), m_excluded.end(), std::make_pair(column, row)) !=
           m_excluded.end();
}

void TextTable::fontGroup(int sourceColumn, int sourceRow, const Range& range, bool record) {
    TextBox& source = cellBox(sourceColumn, sourceRow);
    const FontSpec font = source.font();
    forEachBox(range, [&](TextBox& box, int c, int row) {
        if (isExcluded(c, row))
            return;
        box.setFont(font);
        box.setFitOn(0);
    });
    if (record) {
        m_fontGroups.push_back(FontGroup{1, sourceColumn, sourceRow, range});
        source.setFitOn(1);
    }
}

void TextTable::setFitText(int column, int row, const std::string& text) {
    cellBox(column, row).setFitText(text);
}

void TextTable::excludeFromFontGroups(int column, int row) {
    if (!isExcluded(column, row))
        m_excluded.emplace_back(column, row);
}

void TextTable::clearTexts(const Range& range) {
    int c0 = range.firstColumn, r0 = range.firstRow;
    const int c1 = range.lastColumn < 0 ? m_dataColumns - 1 : range.lastColumn;
    const int r1 = range.lastRow < 0 ? m_dataRows - 1 : range.lastRow;
    c0 = std::max(0, c0);
    r0 = std::max(0, r0);
    for (int row = r0; row <= r1 && row < m_dataRows; ++row)
        for (int c = c0; c <= c1 && c < m_dataColumns; ++c)
            m_texts[row][c].clear();
}

void TextTable::setTextVisible(const Range& range, bool visible) {
    forEachBox(range, [&](TextBox& box, int, int) { box.setTextHidden(visible ? 0 : 1); });
}

void TextTable::setTextFormat(const Range& range, uint32_t format) {
    forEachBox(range, [&](TextBox& box, int, int) { box.setTextFormat(format); });
}

void TextTable::setNameFit(const Range& range, int32_t minimumHeight) {
    forEachBox(range, [&](TextBox& box, int, int) {
        box.setNameFit(1);
        box.setMinimumHeight(minimumHeight);
    });
}

void TextTable::setInset(const Range& range, int32_t left, int32_t top, int32_t right,
                         int32_t bottom) {
    forEachBox(range, [&](TextBox& box, int, int) {
        TextBox::Inset inset = box.inset();
        if (left >= 0)
            inset.left = left;
        if (top >= 0)
            inset.top = top;
        if (right >= 0)
            inset.right = right;
        if (bottom >= 0)
            inset.bottom = bottom;
        box.setInset(inset);
    });
}

void TextTable::refreshVisibleCells() {
    const int h = horizontalPosition();
    const int v = verticalPosition();
    GridElement& g = grid();
    for (int c = 0; c < g.columnCount(); ++c) {
        // Fixed columns and rows always show their own data column and row.
        const int dataColumn = c <= m_fixedColumn ? c : c + h;
        for (int row = 0; row < g.rowCount(); ++row) {
            const int dataRow = row <= m_fixedRow ? row : row + v;
            const bool inside = dataColumn >= 0 && dataRow >= 0 && dataColumn < m_dataColumns &&
                                dataRow < m_dataRows;
            cellBox(c, row).setText(inside ? m_texts[dataRow][dataColumn] : std::string());
        }
    }
}

Point TextTable::positionToTrack(const DeviceContext& dc, Point position) const {
    const int32_t x = std::abs(position.x);
    const int32_t y = std::abs(dc.logicalY(position.y));
    auto lastFitting = [](const std::vector<TrackSpec>& tracks, int32_t extent) {
        int index = -1;
        for (std::size_t i = 0; i < tracks.size(); ++i) {
            if (tracks[i].endPosition > extent)
                break;
            index = static_cast<int>(i);
        }
        return index;
    };
    return {lastFitting(grid().columns(), x), lastFitting(grid().rows(), y)};
}

Point TextTable::trackToPosition(const DeviceContext& dc, Point track) const {
    auto end = [](const std::vector<TrackSpec>& tracks, int index) {
        if (index < 0 || tracks.empty())
            return 0;
        return tracks[std::min<std::size_t>(static_cast<std::size_t>(index), tracks.size() - 1)]
            .endPosition;
    };
    return {end(grid().columns(), track.x), dc.logicalY(end(grid().rows(), track.y))};
}

Size TextTable::computeScrollRanges(const DeviceContext& dc, const Rect& visible) {
    grid().sizeTracksFor(dc, visible);
    return ScrollPane::computeScrollRanges(dc, visible);
}

Rect TextTable::scrolledContentRect(const DeviceContext&, const Rect& contentRect,
                                    bool& scrolled) const {
    scrolled = false;
    return contentRect;
}

void TextTable::applyFontGroups() {
    for (const FontGroup& group : m_fontGroups) {
        if (!group.active)
            continue;
        const FontSpec font = cellBox(group.sourceColumn, group.sourceRow).font();
        forEachBox(group.range, [&](TextBox& box, int c, int row) {
            if ((c == group.sourceColumn && row == group.sourceRow) || isExcluded(c, row))
                return;
            box.setFont(font);
        });
    }
}

bool TextTable::place(LayoutHost* host, DeviceContext& dc, const Rect& rect,
                      const Rect& contentRect, const std::optional<Rect>& explicitClip,
                      const std::optional<Rect>& contentClip,
                      const std::optional<Rect>& outerClip) {
    auto refreshIfScrolled = [this] {
        const int h = horizontalPosition();
        const int v = verticalPosition();
        if (h == m_appliedHorizontal && v == m_appliedVertical)
            return;
        refreshVisibleCells();
        m_appliedHorizontal = h;
        m_appliedVertical = v;
    };
    refreshIfScrolled();
    grid().sizeTracksFor(dc, rect);
    if (!ScrollPane::place(host, dc, rect, contentRect, explicitClip, contentClip, outerClip))
        return false;
    // Placing may have clamped a position (the table grew smaller).
    refreshIfScrolled();
    applyFontGroups();
    forEachBox(Range{}, [&](TextBox& box, int, int) { box.fitName(dc); });
    return true;
}
