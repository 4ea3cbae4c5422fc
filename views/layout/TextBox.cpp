#include "views/layout/TextBox.h"
#include <algorithm>
#include <cstdlib>

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
    if (m_textHidden)
        return true;
    const Rect r = dc.deflateDevice(insetRect(dc), 0, 0, 0, 1);
    if (!m_nameFit || m_fittedName.lines.empty()) {
        dc.drawTextWithFont(m_text, r, m_textColour, m_background, &m_font, m_format);
        return true;
    }
    FontSpec font = m_font;
    font.height = m_font.height < 0 ? -m_fittedName.height : m_fittedName.height;
    const uint32_t across = m_format & (DT_CENTER | DT_RIGHT);
    if (m_fittedName.lines.size() == 1) {
        dc.drawTextWithFont(m_fittedName.lines[0], r, m_textColour, m_background, &font,
                            across | DT_VCENTER | DT_SINGLELINE);
        return true;
    }
    // Two lines meet at the middle of the box.
    const int32_t middle = r.top + (r.bottom - r.top) / 2;
    dc.drawTextWithFont(m_fittedName.lines[0], Rect{r.left, r.top, r.right, middle}, m_textColour,
                        m_background, &font, across | DT_BOTTOM | DT_SINGLELINE);
    dc.drawTextWithFont(m_fittedName.lines[1], Rect{r.left, middle, r.right, r.bottom},
                        m_textColour, m_background, &font, across | DT_SINGLELINE);
    return true;
}

void TextBox::fitName(DeviceContext& dc) {
    if (!m_nameFit)
        return;
    const Rect r = insetRect(dc);
    const Size box{std::abs(r.width()), std::abs(r.height())};
    FontSpec probe = m_font;
    const bool character = m_font.height < 0;
    name_fit::Limits limits =
        name_fit::limitsFor(box, std::max(m_minimumHeight, std::abs(m_font.height)));
    limits.shrinkFloor = std::clamp(limits.shrinkFloor, m_minimumHeight, limits.preferred);
    limits.smallest = std::clamp(limits.smallest, m_minimumHeight, limits.preferred);
    m_fittedName = name_fit::fit(m_text, limits, [&](const std::string& text, int32_t height) {
        probe.height = character ? -height : height;
        return dc.textExtent(text, &probe);
    });
}

bool TextBox::place(LayoutHost* host, DeviceContext& dc, const Rect& rect, const Rect& contentRect,
                    const std::optional<Rect>& explicitClip, const std::optional<Rect>& contentClip,
                    const std::optional<Rect>& outerClip) {
    if (!LayoutElement::place(host, dc, rect, contentRect, explicitClip, contentClip, outerClip))
        return false;
    if (m_fitOn)
        m_font.height =
            std::max(m_minimumHeight,
                     fitHeight(dc, insetRect(dc), m_fitText.empty() ? m_text : m_fitText, m_font));
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
