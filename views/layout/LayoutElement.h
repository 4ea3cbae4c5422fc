#pragma once
#include "views/layout/DeviceContext.h"
#include "views/layout/DrawTypes.h"
#include "views/layout/LayoutHost.h"
#include <memory>
#include <optional>
#include <string>

// Root of the page tree. An element has a rectangle (logical) and a device clip set by
// place(), and at most one child element, its content. Painting never changes the layout:
// place once, paint as often as the window asks.
class LayoutElement {
public:
    LayoutElement();
    virtual ~LayoutElement();
    LayoutElement& operator=(const LayoutElement&) = delete;

    // Deep copy (the content is cloned too); the copy has no parent.
    virtual std::unique_ptr<LayoutElement> clone() const = 0;

    // Selects the element's clip; true when some part of rect is visible.
    virtual bool beginDraw(LayoutHost* host, DeviceContext& dc);
    virtual bool drawSelf(LayoutHost* host, DeviceContext& dc);
    // Selects `clip` (device) again, or none.
    virtual bool endDraw(LayoutHost* host, DeviceContext& dc, const std::optional<Rect>& clip);
    // Stores rect and the device clip, then places the content in contentRect.
    virtual bool place(LayoutHost* host, DeviceContext& dc, const Rect& rect,
                       const Rect& contentRect, const std::optional<Rect>& explicitClip,
                       const std::optional<Rect>& contentClip,
                       const std::optional<Rect>& outerClip);
    // Window events (child-window creation, scroll messages); nextControlId is the next free
    // control id and is advanced by elements that create child windows.
    virtual void notify(const LayoutEvent& event, LayoutHost* host, int& nextControlId);
    virtual void invalidate(LayoutHost* host);
    virtual void paint(LayoutHost* host, DeviceContext& dc);
    // Appends a description of the tree (elements with something to say) to `out`.
    virtual void trace(int level, std::string& out) const;

    const std::string& name() const { return m_name; }
    void setName(const std::string& name) { m_name = name; }
    int32_t frameVisible() const { return m_frameVisible; }
    void setFrameVisible(int32_t visible) { m_frameVisible = visible; }
    const Rect& rect() const { return m_rect; }
    const Rect& clip() const { return m_clip; }
    LayoutElement* parent() const { return m_parent; }
    LayoutElement* content() const { return m_content.get(); }
    // Takes ownership; the previous content is destroyed.
    void setContent(std::unique_ptr<LayoutElement> content);
    std::unique_ptr<LayoutElement> takeContent();

protected:
    LayoutElement(const LayoutElement& other);
    // The device rectangle last used for invalidation (the clip grown like place does).
    Rect deviceRect(const DeviceContext& dc) const;

    std::string m_name;
    int32_t m_frameVisible = 0;
    Rect m_rect;
    Rect m_clip;
    Rect m_deviceRect; // rect in device units, kept for invalidate()

private:
    LayoutElement* m_parent = nullptr;
    std::unique_ptr<LayoutElement> m_content;
};
