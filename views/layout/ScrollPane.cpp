#include "views/layout/ScrollPane.h"
#include <algorithm>

ScrollPane::ScrollPane() {
    m_frameVisible = 1;
}
ScrollPane::~ScrollPane() = default;

// Bars are windows of one placement on one screen: a copy starts without them.
ScrollPane::ScrollPane(const ScrollPane& other)
    : BoxElement(other), m_outer(other.m_outer), m_outerContent(other.m_outerContent),
      m_contentExtent(other.m_contentExtent), m_lineStep(other.m_lineStep),
      m_pageStep(other.m_pageStep) {}

std::unique_ptr<LayoutElement> ScrollPane::clone() const {
    return std::unique_ptr<LayoutElement>(new ScrollPane(*this));
}

bool ScrollPane::drawSelf(LayoutHost* host, DeviceContext& dc) {
    return BoxElement::drawSelf(host, dc);
}

int ScrollPane::horizontalPosition() const {
    return m_hbar ? m_hbar->position() : 0;
}
int ScrollPane::verticalPosition() const {
    return m_vbar ? m_vbar->position() : 0;
}

void ScrollPane::resetScrollPositions() {
    if (m_hbar)
        m_hbar->setPosition(0, true);
    if (m_vbar)
        m_vbar->setPosition(0, true);
}

Point ScrollPane::positionToTrack(const DeviceContext& dc, Point position) const {
    return {position.x, dc.logicalY(position.y)};
}

Point ScrollPane::trackToPosition(const DeviceContext& dc, Point track) const {
    return {track.x, dc.logicalY(track.y)};
}

Rect ScrollPane::reserveScrollBarSpace(const DeviceContext& dc, const Rect& rect) const {
    const int32_t right = m_vbar && m_vbar->isEnabled() ? m_reservedVertical : 0;
    const int32_t bottom = m_hbar && m_hbar->isEnabled() ? m_reservedHorizontal : 0;
    if (right == 0 && bottom == 0)
        return rect;
    return dc.deflateDevice(rect, 0, 0, right, bottom);
}

Size ScrollPane::computeScrollRanges(const DeviceContext& dc, const Rect& visible) {
    const Point seen =
        positionToTrack(dc, Point{visible.right - visible.left, visible.bottom - visible.top});
    return {std::max(0, m_contentExtent.cx - (seen.x + 1)),
            std::max(0, m_contentExtent.cy - (seen.y + 1))};
}

Rect ScrollPane::scrolledContentRect(const DeviceContext& dc, const Rect& contentRect,
                                     bool& scrolled) const {
    const int h = horizontalPosition();
    const int v = verticalPosition();
    scrolled = h != 0 || v != 0;
    Rect r = contentRect;
    r.left -= h;
    r.right -= h;
    r.top -= dc.logicalY(v);
    r.bottom -= dc.logicalY(v);
    return r;
}

bool ScrollPane::updateScrollBar(ScrollBarControl* bar, int range) {
    if (!bar)
        return false;
    const bool was = bar->isEnabled();
    if (range > 0) {
        const int position = std::min(bar->position(), range);
        bar->setRange(0, range);
        bar->setPosition(position, true);
        bar->setEnabled(true);
        bar->setShown(true);
    } else {
        bar->setRange(0, 0);
        bar->setPosition(0, true);
        bar->setEnabled(false);
        bar->setShown(false);
    }
    return was != bar->isEnabled();
}

void ScrollPane::positionScrollBars(const DeviceContext& dc) {
    const Rect outer = dc.toDevice(m_outer).normalised();
    const bool hShown = m_hbar && m_hbar->isShown();
    const bool vShown = m_vbar && m_vbar->isShown();
    const int hThick = m_hbar ? m_hbar->thickness() : 0;
    const int vThick = m_vbar ? m_vbar->thickness() : 0;
    if (m_hbar)
        m_hbar->move(
            {outer.left, outer.bottom - hThick, outer.right - (vShown ? vThick : 0), outer.bottom});
    if (m_vbar)
        m_vbar->move(
            {outer.right - vThick, outer.top, outer.right, outer.bottom - (hShown ? hThick : 0)});
}

bool ScrollPane::place(LayoutHost* host, DeviceContext& dc, const Rect& rect,
                       const Rect& contentRect, const std::optional<Rect>& explicitClip,
                       const std::optional<Rect>& contentClip,
                       const std::optional<Rect>& outerClip) {
    m_outer = rect;
    m_outerContent = contentRect;
    m_explicitClip = explicitClip;
    m_contentClip = contentClip;
    m_outerClip = outerClip;
    m_placed = true;
    // Showing one bar can make the other necessary (and back); a bar pair settles in a few
    // rounds, and the limit keeps a pathological size from looping for ever.
    for (int round = 0;; ++round) {
        const Rect visible = reserveScrollBarSpace(dc, rect);
        const Size ranges = computeScrollRanges(dc, visible);
        const bool hChanged = updateScrollBar(m_hbar.get(), ranges.cx);
        const bool vChanged = updateScrollBar(m_vbar.get(), ranges.cy);
        if ((hChanged || vChanged) && round < 4)
            continue;
        positionScrollBars(dc);
        bool scrolled = false;
        const Rect content = scrolledContentRect(dc, visible, scrolled);
        if (!LayoutElement::place(host, dc, visible, content, explicitClip, contentClip, outerClip))
            return false;
        if (scrolled)
            invalidate(host);
        return true;
    }
}

void ScrollPane::placeAgain(LayoutHost* host, DeviceContext& dc) {
    if (m_placed)
        place(host, dc, m_outer, m_outerContent, m_explicitClip, m_contentClip, m_outerClip);
}

void ScrollPane::notify(const LayoutEvent& event, LayoutHost* host, int& nextControlId) {
    if (event.kind == LayoutEvent::CreateWindows && host) {
        const int id = nextControlId;
        nextControlId += 2;
        m_hbar = host->createScrollBar(true, id);
        if (!m_hbar)
            host->showMessage("create scrollBar X error");
        m_vbar = host->createScrollBar(false, id + 1);
        if (!m_vbar)
            host->showMessage("create scrollBar Y error");
        for (ScrollBarControl* bar : {m_hbar.get(), m_vbar.get()}) {
            if (!bar)
                continue;
            bar->setRange(0, 0);
            bar->setPosition(0, false);
            bar->setEnabled(false);
            bar->setShown(false);
        }
        m_reservedHorizontal = m_hbar ? m_hbar->thickness() + 1 : 0;
        m_reservedVertical = m_vbar ? m_vbar->thickness() + 1 : 0;
    } else if (event.kind == LayoutEvent::HorizontalScroll ||
               event.kind == LayoutEvent::VerticalScroll) {
        scroll(event, host);
    }
    LayoutElement::notify(event, host, nextControlId);
}

void ScrollPane::scroll(const LayoutEvent& event, LayoutHost* host) {
    const bool horizontal = event.kind == LayoutEvent::HorizontalScroll;
    ScrollBarControl* bar = horizontal ? m_hbar.get() : m_vbar.get();
    if (!bar || bar->controlId() != event.controlId || !bar->isEnabled())
        return;
    const int old = bar->position();
    int page = m_pageStep;
    if (page == -1 && event.dc) {
        const Point half = positionToTrack(
            *event.dc, Point{static_cast<int32_t>((m_outer.right - m_outer.left + 1) * 0.5),
                             static_cast<int32_t>(
                                 (m_outer.bottom - m_outer.top + event.dc->logicalY(1)) * 0.5)});
        page = horizontal ? half.x : half.y;
    }
    page = std::max(1, page);
    int position = old;
    switch (event.code) {
    case 0:
        position = old - m_lineStep;
        break;
    case 1:
        position = old + m_lineStep;
        break;
    case 2:
        position = old - page;
        break;
    case 3:
        position = old + page;
        break;
    case 5:
        position = event.thumb;
        break;
    default:
        return;
    }
    position = std::clamp(position, 0, bar->maximum());
    if (position == old)
        return;
    bar->setPosition(position, true);
    if (event.dc)
        placeAgain(host, *event.dc);
    invalidate(host);
}

void ScrollPane::invalidate(LayoutHost* host) {
    if (!host)
        return;
    host->invalidate(m_deviceRect, true);
    for (ScrollBarControl* bar : {m_hbar.get(), m_vbar.get()})
        if (bar && bar->isShown())
            host->validate(bar->geometry());
}
