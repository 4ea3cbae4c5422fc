#pragma once
#include "views/layout/BoxElement.h"
#include "views/layout/FontSpec.h"
#include "views/layout/NameFit.h"
#include <string>

// A box with one text. With fitting on, placing the box grows the font until the text (or
// the fit text, when set) just fits the inset text rectangle.
class TextBox : public BoxElement {
public:
    struct Inset {
        int32_t left = 2;
        int32_t top = 2;
        int32_t right = 2;
        int32_t bottom = 5;
        friend bool operator==(const Inset&, const Inset&) = default;
    };
    static constexpr uint32_t DefaultFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE; // 37

    TextBox();
    std::unique_ptr<LayoutElement> clone() const override;
    bool drawSelf(LayoutHost* host, DeviceContext& dc) override;
    bool place(LayoutHost* host, DeviceContext& dc, const Rect& rect, const Rect& contentRect,
               const std::optional<Rect>& explicitClip, const std::optional<Rect>& contentClip,
               const std::optional<Rect>& outerClip) override;

    // The rectangle the text is fitted to: rect less the insets, less one more device pixel
    // at the left and the top.
    Rect insetRect(const DeviceContext& dc) const;
    // The largest cell height, grown from 1 in passes (x5, x3, x2, x1.5, +5, +2, +1), at
    // which `text` still fits `target`; never below 1.
    static int32_t fitHeight(DeviceContext& dc, const Rect& target, const std::string& text,
                             const FontSpec& font);

    // With name fitting on, a text too wide for the font is shrunk, then wrapped to two lines,
    // then cut at its end (name_fit); fitName lays it out for the font the box has now.
    int32_t nameFit() const { return m_nameFit; }
    void setNameFit(int32_t on) { m_nameFit = on; }
    void fitName(DeviceContext& dc);
    const name_fit::Fit& fittedName() const { return m_fittedName; }
    // Cell height (logical) that fitting and name fitting never go below: the smallest text
    // that stays readable; 0 = none.
    int32_t minimumHeight() const { return m_minimumHeight; }
    void setMinimumHeight(int32_t height) { m_minimumHeight = height; }

    const FontSpec& font() const { return m_font; }
    void setFont(const FontSpec& font) { m_font = font; }
    const std::string& text() const { return m_text; }
    void setText(const std::string& text) { m_text = text; }
    const std::string& fitText() const { return m_fitText; }
    void setFitText(const std::string& text) { m_fitText = text; }
    uint32_t textFormat() const { return m_format; }
    void setTextFormat(uint32_t format) { m_format = format; }
    ColorRef textColour() const { return m_textColour; }
    void setTextColour(ColorRef colour) { m_textColour = colour; }
    ColorRef backgroundColour() const { return m_background; }
    void setBackgroundColour(ColorRef colour) { m_background = colour; }
    int32_t fitOn() const { return m_fitOn; }
    void setFitOn(int32_t on) { m_fitOn = on; }
    const Inset& inset() const { return m_inset; }
    void setInset(const Inset& inset) { m_inset = inset; }
    int32_t textHidden() const { return m_textHidden; }
    void setTextHidden(int32_t hidden) { m_textHidden = hidden; }

protected:
    TextBox(const TextBox&) = default;

private:
    FontSpec m_font;
    std::string m_text;
    std::string m_fitText;
    uint32_t m_format = DefaultFormat;
    ColorRef m_textColour = rgb(0, 0, 0);
    ColorRef m_background = rgb(255, 255, 255);
    int32_t m_fitOn = 1;
    Inset m_inset;
    int32_t m_textHidden = 0;
    int32_t m_nameFit = 0;
    int32_t m_minimumHeight = 0;
    name_fit::Fit m_fittedName;
};
