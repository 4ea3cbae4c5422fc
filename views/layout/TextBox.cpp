#include "views/layout/TextBox.h"

TextBox::TextBox() = default;

std::unique_ptr<LayoutElement> TextBox::clone() const {
    return std::unique_ptr<LayoutElement>(new TextBox(*this));
}

Rect TextBox::insetRect(const DeviceContext& dc) const {
    Rect r = dc.deflateLogical(m_rect, m_inset.left, m_inset.top, m_inset.right, m_inset.bottom);
    return dc.deflateDevice(r, 1, 1, 0, 0);
}

bool TextBox::drawSelf(LayoutHost* host, DeviceContext& dc) {
    BoxElement::drawSelf(host, dc);
    if (!m_textHidden) {
        const Rect r = dc.deflateDevice(insetRect(dc), 0, 0, 0, 1);
        dc.drawTextWithFont(m_text, r, m_textColour, m_background, &m_font, m_format);
    }
    return true;
}

bool TextBox::place(LayoutHost* host, DeviceContext& dc, const Rect& rect, const Rect& contentRect,
                    const std::optional<Rect>& explicitClip, const std::optional<Rect>& contentClip,
                    const std::optional<Rect>& outerClip) {
    if (!LayoutElement::place(host, dc, rect, contentRect, explicitClip, contentClip, outerClip))
        return false;
    if (m_fitOn)
        m_font.height =
            fitHeight(dc, insetRect(dc), m_fitText.empty() ? m_text : m_fitText, m_font);
    return true;
}

int32_t TextBox::fitHeight(DeviceContext& dc, const Rect& target, const std::string& text,
                           const FontSpec& font) {
    // A ceiling far beyond any page, in case a device never reports "does not fit".
    constexpr int32_t MaxHeight = 1 << 20;
    struct Pass {
        bool multiply;
        double amount;
    };
    static constexpr Pass passes[] = {{true, 5.0},  {true, 3.0},  {true, 2.0}, {true, 1.5},
                                      {false, 5.0}, {false, 2.0}, {false, 1.0}};
    FontSpec probe = font;
    int32_t height = 1;
    for (const Pass& pass : passes) {
        for (;;) {
            const double grown = pass.multiply ? height * pass.amount : height + pass.amount;
            const int32_t next = static_cast<int32_t>(grown);
            if (next <= height || next > MaxHeight)
                break; // no growth left in this pass
            probe.height = next;
            if (!dc.fitsIn(target, text, probe))
                break;
            height = next;
        }
    }
    return height;
}
