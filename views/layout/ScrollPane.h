#pragma once
#include "views/layout/BoxElement.h"
#include "views/layout/ScrollBarControl.h"
#include <memory>

// A box with a horizontal and a vertical scroll bar along its bottom and right edges. The
// bars exist only after Notify(CreateWindows); until then nothing scrolls and both scroll
// positions read 0.
class ScrollPane : public BoxElement {
public:
    ScrollPane();
    ~ScrollPane() override;
    std::unique_ptr<LayoutElement> clone() const override;
    bool drawSelf(LayoutHost* host, DeviceContext& dc) override;
    bool place(LayoutHost* host, DeviceContext& dc, const Rect& rect, const Rect& contentRect,
               const std::optional<Rect>& explicitClip, const std::optional<Rect>& contentClip,
               const std::optional<Rect>& outerClip) override;
    void notify(const LayoutEvent& event, LayoutHost* host, int& nextControlId) override;
    void invalidate(LayoutHost* host) override;

    // Visible position to the scroll unit (base: logical units with y turned to MM_TEXT).
    virtual Point positionToTrack(const DeviceContext& dc, Point position) const;
    virtual Point trackToPosition(const DeviceContext& dc, Point track) const;
    virtual void positionScrollBars(const DeviceContext& dc);
    // Range of each bar for the visible rectangle: content extent - (visible + 1), at least 0.
    virtual Size computeScrollRanges(const DeviceContext& dc, const Rect& visible);
    virtual Rect scrolledContentRect(const DeviceContext& dc, const Rect& contentRect,
                                     bool& scrolled) const;
    virtual Rect reserveScrollBarSpace(const DeviceContext& dc, const Rect& rect) const;
    // True when the bar's enabled state changed.
    virtual bool updateScrollBar(ScrollBarControl* bar, int range);
    virtual void scroll(const LayoutEvent& event, LayoutHost* host);

    int horizontalPosition() const;
    int verticalPosition() const;
    Size contentExtent() const { return m_contentExtent; }
    void setContentExtent(Size extent) { m_contentExtent = extent; }
    int32_t lineStep() const { return m_lineStep; }
    void setLineStep(int32_t step) { m_lineStep = step; }
    int32_t pageStep() const { return m_pageStep; }
    void setPageStep(int32_t step) { m_pageStep = step; }
    const Rect& outerRect() const { return m_outer; }
    ScrollBarControl* horizontalBar() const { return m_hbar.get(); }
    ScrollBarControl* verticalBar() const { return m_vbar.get(); }
    // Puts both bars back to position 0 (when they exist).
    void resetScrollPositions();

protected:
    ScrollPane(const ScrollPane& other);
    // Re-places the pane in its last outer rectangle with the last clip arguments.
    void placeAgain(LayoutHost* host, DeviceContext& dc);

private:
    std::unique_ptr<ScrollBarControl> m_hbar;
    std::unique_ptr<ScrollBarControl> m_vbar;
    Rect m_outer;
    Rect m_outerContent;
    std::optional<Rect> m_explicitClip;
    std::optional<Rect> m_contentClip;
    std::optional<Rect> m_outerClip;
    bool m_placed = false;
    Size m_contentExtent;
    int32_t m_reservedHorizontal = 0; // height of the horizontal bar + 1 (device)
    int32_t m_reservedVertical = 0;   // width of the vertical bar + 1 (device)
    int32_t m_lineStep = 1;
    int32_t m_pageStep = -1; // -1: half the visible extent
};
