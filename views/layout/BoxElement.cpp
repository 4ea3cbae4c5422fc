#include "views/layout/BoxElement.h"

BoxElement::BoxElement() = default;

std::unique_ptr<LayoutElement> BoxElement::clone() const {
    return std::unique_ptr<LayoutElement>(new BoxElement(*this));
}

ColorRef BoxElement::edgeColour(EdgeBits edge) const {
    switch (edge) {
    case EdgeLeft:
        return m_left;
    case EdgeRight:
        return m_right;
    case EdgeTop:
        return m_top;
    case EdgeBottom:
        return m_bottom;
    }
    return m_left;
}

void BoxElement::setEdgeColour(EdgeBits edge, ColorRef colour) {
    setEdgeColours(edge, colour);
}

void BoxElement::setEdgeColours(int32_t mask, ColorRef colour) {
    if (mask & EdgeLeft)
        m_left = colour;
    if (mask & EdgeRight)
        m_right = colour;
    if (mask & EdgeTop)
        m_top = colour;
    if (mask & EdgeBottom)
        m_bottom = colour;
}

bool BoxElement::drawSelf(LayoutHost*, DeviceContext& dc) {
    if (!m_frameVisible)
        return true;
    if (m_fillOn)
        dc.fillRect(m_rect, m_fillColour);
    // The right and bottom lines sit on the last pixel inside the rectangle, which is also
    // the first pixel of the neighbour: neighbours share one line.
    const Rect edge = dc.deflateDevice(m_rect, 0, 0, 1, 1);
    if (m_edgeMask & EdgeLeft)
        dc.drawEdges(edge, EdgeLeft, m_left, m_penWidth, m_penStyle);
    if (m_edgeMask & EdgeRight)
        dc.drawEdges(edge, EdgeRight, m_right, m_penWidth, m_penStyle);
    if (m_edgeMask & EdgeTop)
        dc.drawEdges(edge, EdgeTop, m_top, m_penWidth, m_penStyle);
    if (m_edgeMask & EdgeBottom)
        dc.drawEdges(edge, EdgeBottom, m_bottom, m_penWidth, m_penStyle);
    return true;
}
