#include "views/layout/GridElement.h"
#include "support/Format.h"
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

namespace {

// Rectangle in the MM_TEXT direction (y grows downwards), and back.
Rect turned(const DeviceContext& dc, Rect r) {
    if (dc.mapMode() != MM_TEXT) {
        r.top = -r.top;
        r.bottom = -r.bottom;
    }
    return r;
}

int32_t oneDevicePixelLeft(const DeviceContext& dc, int32_t x) {
    return dc.toLogical(Point{dc.toDevice(Point{x, 0}).x - 1, 0}).x;
}

int32_t oneDevicePixelUp(const DeviceContext& dc, int32_t y) {
    return dc.deviceToLogicalY(dc.logicalToDeviceY(y) - 1);
}

} // namespace

GridElement::GridElement() = default;
GridElement::~GridElement() = default;

GridElement::GridElement(const GridElement& other)
    : LayoutElement(other), m_columns(other.m_columns), m_rows(other.m_rows),
      m_merges(other.m_merges) {
    m_cells.resize(other.m_cells.size());
    for (std::size_t c = 0; c < other.m_cells.size(); ++c) {
        m_cells[c].reserve(other.m_cells[c].size());
        for (const auto& cell : other.m_cells[c]) {
            std::unique_ptr<LayoutElement> copy = cell->clone();
            m_cells[c].emplace_back(static_cast<GridCell*>(copy.release()));
        }
    }
}

std::unique_ptr<LayoutElement> GridElement::clone() const {
    return std::unique_ptr<LayoutElement>(new GridElement(*this));
}

void GridElement::initTracks(int columns, int rows, double columnPercent, double rowPercent,
                             const LayoutElement& cellTemplate) {
    columns = std::max(0, columns);
    rows = std::max(0, rows);
    auto init = [](std::vector<TrackSpec>& tracks, int count, double percent) {
        tracks.assign(static_cast<std::size_t>(count), TrackSpec{});
        if (count == 0)
            return;
        if (percent < 0)
            percent = 100.0 / count;
        for (TrackSpec& t : tracks)
            t.percent = percent;
        tracks.back().percent = count == 1 ? 100.0 : 100.0 - percent * (count - 1);
    };
    init(m_columns, columns, columnPercent);
    init(m_rows, rows, rowPercent);
    m_merges.clear();
    m_cells.clear();
    m_cells.resize(static_cast<std::size_t>(columns));
    for (int c = 0; c < columns; ++c) {
        m_cells[c].reserve(static_cast<std::size_t>(rows));
        for (int r = 0; r < rows; ++r) {
            auto cell = std::make_unique<GridCell>();
            cell->setName(formatText("%d,%d", c, r));
            cell->setContentFrom(cellTemplate);
            m_cells[c].push_back(std::move(cell));
        }
    }
}

void GridElement::setFixedSize(int index, int32_t size, Direction direction) {
    std::vector<TrackSpec>& tracks = direction == Columns ? m_columns : m_rows;
    if (index < 0 || index >= static_cast<int>(tracks.size()))
        return;
    tracks[index].set = 1;
    tracks[index].kind = TrackSpec::Fixed;
    tracks[index].fixedSize = size;
}

void GridElement::setWeight(int index, double percent, Direction direction) {
    std::vector<TrackSpec>& tracks = direction == Columns ? m_columns : m_rows;
    if (index < 0 || index >= static_cast<int>(tracks.size()))
        return;
    tracks[index].set = 1;
    tracks[index].kind = TrackSpec::Percent;
    tracks[index].percent = percent;
}

GridCell& GridElement::cell(int column, int row) {
    return const_cast<GridCell&>(static_cast<const GridElement*>(this)->cell(column, row));
}

const GridCell& GridElement::cell(int column, int row) const {
    if (column < 0)
        column = columnCount() - 1;
    if (row < 0)
        row = rowCount() - 1;
    if (column < 0 || row < 0 || column >= columnCount() || row >= rowCount())
        throw std::out_of_range("grid cell index out of range");
    return *m_cells[column][row];
}

LayoutElement* GridElement::setContent(int column, int row, const LayoutElement& templ) {
    return cell(column, row).setContentFrom(templ);
}

void GridElement::sizeTracksFor(const DeviceContext& dc, const Rect& rect) {
    const Rect r = turned(dc, rect);
    sizeTracks(m_columns, std::abs(r.right - r.left));
    sizeTracks(m_rows, std::abs(r.bottom - r.top));
}

bool GridElement::place(LayoutHost* host, DeviceContext& dc, const Rect& rect,
                        const Rect& contentRect, const std::optional<Rect>& explicitClip,
                        const std::optional<Rect>& contentClip,
                        const std::optional<Rect>& outerClip) {
    if (!LayoutElement::place(host, dc, rect, contentRect, explicitClip, contentClip, outerClip))
        return false;
    const Rect grid = turned(dc, rect);
    sizeTracksFor(dc, rect);
    int32_t columnLeft = grid.left;
    for (int c = 0; c < columnCount(); ++c) {
        const int32_t columnRight = grid.left + m_columns[c].endPosition;
        int32_t rowTop = grid.top;
        for (int r = 0; r < rowCount(); ++r) {
            const int32_t rowBottom = grid.top + m_rows[r].endPosition;
            const Rect cellRect = turned(dc, Rect{columnLeft, rowTop, columnRight, rowBottom});
            m_cells[c][r]->place(host, dc, cellRect, cellRect, explicitClip, contentClip,
                                 outerClip);
            // The next row starts on this row's last pixel line.
            rowTop = turned(dc, Rect{0, oneDevicePixelUp(dc, cellRect.bottom), 0, 0}).top;
        }
        columnLeft = oneDevicePixelLeft(dc, columnRight);
    }
    for (const Merge& m : m_merges) {
        if (m.firstColumn < 0 || m.firstRow < 0 || m.lastColumn >= columnCount() ||
            m.lastRow >= rowCount() || m.firstColumn > m.lastColumn || m.firstRow > m.lastRow)
            continue;
        GridCell& first = *m_cells[m.firstColumn][m.firstRow];
        const Rect& last = m_cells[m.lastColumn][m.lastRow]->rect();
        const Rect merged{first.rect().left, first.rect().top, last.right, last.bottom};
        first.place(host, dc, merged, merged, explicitClip, contentClip, outerClip);
    }
    return true;
}

bool GridElement::isCoveredByMerge(int column, int row) const {
    for (const Merge& m : m_merges) {
        if (column >= m.firstColumn && column <= m.lastColumn && row >= m.firstRow &&
            row <= m.lastRow && !(column == m.firstColumn && row == m.firstRow))
            return true;
    }
    return false;
}

bool GridElement::drawSelf(LayoutHost* host, DeviceContext& dc) {
    const bool anyMerge = !m_merges.empty();
    for (int c = 0; c < columnCount(); ++c)
        for (int r = 0; r < rowCount(); ++r)
            // A merged cell covers its neighbours; painting them would hide it.
            if (!anyMerge || !isCoveredByMerge(c, r))
                m_cells[c][r]->paint(host, dc);
    return true;
}

void GridElement::notify(const LayoutEvent& event, LayoutHost* host, int& nextControlId) {
    LayoutElement::notify(event, host, nextControlId);
    for (auto& column : m_cells)
        for (auto& cell : column)
            cell->notify(event, host, nextControlId);
}

void GridElement::trace(int level, std::string& out) const {
    LayoutElement::trace(level, out);
    for (const auto& column : m_cells)
        for (const auto& cell : column)
            cell->trace(level + 4, out);
}
