#include "views/layout/LayoutElement.h"

LayoutElement::LayoutElement() = default;
LayoutElement::~LayoutElement() = default;

LayoutElement::LayoutElement(const LayoutElement& other)
    : m_name(other.m_name), m_frameVisible(other.m_frameVisible), m_rect(other.m_rect),
      m_clip(other.m_clip), m_deviceRect(other.m_deviceRect) {
    if (other.m_content)
        setContent(other.m_content->clone());
}

void LayoutElement::setContent(std::unique_ptr<LayoutElement> content) {
    m_content = std::move(content);
    if (m_content)
        m_content->m_parent = this;
}

std::unique_ptr<LayoutElement> LayoutElement::takeContent() {
    if (m_content)
        m_content->m_parent = nullptr;
    return std::move(m_content);
}

bool LayoutElement::beginDraw(LayoutHost*, DeviceContext& dc) {
    dc.setClip(m_clip);
    return dc.rectVisible(m_rect);
}

bool LayoutElement::drawSelf(LayoutHost*, DeviceContext&) {
    return true;
}

bool LayoutElement::endDraw(LayoutHost*, DeviceContext& dc, const std::optional<Rect>& clip) {
    dc.setClip(clip);
    return true;
}

bool LayoutElement::place(LayoutHost* host, DeviceContext& dc, const Rect& rect,
                          const Rect& contentRect, const std::optional<Rect>& explicitClip,
                          const std::optional<Rect>& contentClip,
                          const std::optional<Rect>& outerClip) {
    m_rect = rect;
    m_deviceRect = dc.toDevice(rect).normalised();
    if (explicitClip) {
        m_clip = explicitClip->normalised();
    } else {
        // One more pixel right and down, so the shared edge lines of neighbours are drawn.
        m_clip = dc.toDevice(dc.inflateDevice(rect, 0, 0, 1, 1)).normalised();
    }
    if (outerClip)
        m_clip = m_clip.intersected(outerClip->normalised());
    if (m_content) {
        const Rect inner = contentClip ? contentClip->normalised() : m_clip;
        m_content->place(host, dc, contentRect, contentRect, inner, inner, m_clip);
    }
    return true;
}

void LayoutElement::notify(const LayoutEvent& event, LayoutHost* host, int& nextControlId) {
    if (m_content)
        m_content->notify(event, host, nextControlId);
}

Rect LayoutElement::deviceRect(const DeviceContext&) const {
    return m_deviceRect;
}

void LayoutElement::invalidate(LayoutHost* host) {
    if (host)
        host->invalidate(m_deviceRect, true);
}

void LayoutElement::paint(LayoutHost* host, DeviceContext& dc) {
    const Rect saved = dc.clipBox();
    if (beginDraw(host, dc) && drawSelf(host, dc) && m_content)
        m_content->paint(host, dc);
    endDraw(host, dc, saved);
}

void LayoutElement::trace(int level, std::string& out) const {
    if (m_content)
        m_content->trace(level + 2, out);
}
