#pragma once
#include "views/layout/LayoutElement.h"

// An element with coloured edges and an optional fill, drawn when frameVisible is set.
class BoxElement : public LayoutElement {
public:
    enum EdgeBits : int32_t { EdgeLeft = 1, EdgeRight = 2, EdgeTop = 4, EdgeBottom = 8 };
    static constexpr ColorRef DefaultEdgeColour = rgb(192, 192, 192);

    BoxElement();
    std::unique_ptr<LayoutElement> clone() const override;
    bool drawSelf(LayoutHost* host, DeviceContext& dc) override;

    ColorRef edgeColour(EdgeBits edge) const;
    void setEdgeColour(EdgeBits edge, ColorRef colour);
    // Sets the colour of every edge whose bit is in the mask.
    void setEdgeColours(int32_t mask, ColorRef colour);
    ColorRef fillColour() const { return m_fillColour; }
    void setFillColour(ColorRef colour) { m_fillColour = colour; }
    int32_t penWidth() const { return m_penWidth; }
    void setPenWidth(int32_t width) { m_penWidth = width; }
    int32_t penStyle() const { return m_penStyle; }
    void setPenStyle(int32_t style) { m_penStyle = style; }
    int32_t edgeMask() const { return m_edgeMask; }
    void setEdgeMask(int32_t mask) { m_edgeMask = mask; }
    int32_t fillOn() const { return m_fillOn; }
    void setFillOn(int32_t on) { m_fillOn = on; }

protected:
    BoxElement(const BoxElement&) = default;

private:
    ColorRef m_left = DefaultEdgeColour;
    ColorRef m_right = DefaultEdgeColour;
    ColorRef m_top = DefaultEdgeColour;
    ColorRef m_bottom = DefaultEdgeColour;
    ColorRef m_fillColour = DefaultEdgeColour;
    int32_t m_penWidth = 1;
    int32_t m_penStyle = PS_SOLID;
    int32_t m_edgeMask = 15;
    int32_t m_fillOn = 0;
};
