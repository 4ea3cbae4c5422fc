#include "views/layout/TextBox.h"
#include "common/Cp932.h"
#include "support/Sjis.h"
#include "views/layout/PageRender.h"
#include "views/layout/RecordingDeviceContext.h"
#include <gtest/gtest.h>

namespace {

int32_t fittedHeight(const std::string& text, const Rect& rect, MapMode mode = MM_LOMETRIC) {
    RecordingDeviceContext dc;
    TextBox box;
    box.setText(text);
    page_render::place(box, nullptr, dc, mode, rect);
    return box.font().height;
}

TEST(TextBox, InsetRectangleLosesTheInsetsAndOnePixelAtLeftAndTop) {
    RecordingDeviceContext dc;
    dc.setMapMode(MM_LOMETRIC);
    TextBox box;
    box.place(nullptr, dc, Rect{0, 0, 100, -55}, Rect{0, 0, 100, -55}, std::nullopt, std::nullopt,
              std::nullopt);
    EXPECT_EQ(box.insetRect(dc), (Rect{3, -3, 98, -50}));
}

TEST(TextBox, FittingFindsTheLargestHeightThatFits) {
    // Inset rectangle 95 x 47 pixels. "AB" is as wide as it is tall.
    EXPECT_EQ(fittedHeight("AB", Rect{0, 0, 100, -55}), 47);
    // Ten narrow characters are five heights wide: 95 / 5.
    EXPECT_EQ(fittedHeight("ABCDEFGHIJ", Rect{0, 0, 100, -55}), 19);
    EXPECT_EQ(fittedHeight(sj("需要家名称"), Rect{0, 0, 100, -55}), 19);
    // The same in MM_TEXT.
    EXPECT_EQ(fittedHeight("AB", Rect{0, 0, 100, 55}, MM_TEXT), 47);
}

TEST(TextBox, FittingNeverGoesBelowHeightOne) {
    EXPECT_EQ(fittedHeight("a text far too long for its box", Rect{0, 0, 12, -9}), 1);
    EXPECT_EQ(fittedHeight("x", Rect{0, 0, 1, -1}), 1); // nothing fits at all
}

TEST(TextBox, FitTextIsFittedInsteadOfTheShownText) {
    RecordingDeviceContext dc;
    TextBox box;
    box.setText("A");
    box.setFitText("ABCDEFGHIJ");
    page_render::place(box, nullptr, dc, MM_LOMETRIC, Rect{0, 0, 100, -55});
    EXPECT_EQ(box.font().height, 19);
}

TEST(TextBox, WithoutFittingTheFontStays) {
    RecordingDeviceContext dc;
    TextBox box;
    FontSpec font;
    font.height = -33;
    box.setFont(font);
    box.setFitOn(0);
    box.setText("AB");
    page_render::place(box, nullptr, dc, MM_LOMETRIC, Rect{0, 0, 100, -55});
    EXPECT_EQ(box.font().height, -33);
}

TEST(TextBox, DrawsFillEdgesAndTextInTheInsetRectangle) {
    RecordingDeviceContext dc;
    TextBox box;
    box.setFrameVisible(1);
    box.setFillOn(1);
    box.setFillColour(rgb(247, 247, 247));
    box.setBackgroundColour(rgb(247, 247, 247));
    box.setText("AB");
    box.setTextFormat(DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
    page_render::place(box, nullptr, dc, MM_LOMETRIC, Rect{0, 0, 100, -55});
    page_render::paint(box, nullptr, dc);
    auto fills = dc.fills();
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_EQ(fills[0].rect, (Rect{0, 0, 100, 55}));
    EXPECT_EQ(dc.polylines().size(), 4u);
    auto texts = dc.texts();
    ASSERT_EQ(texts.size(), 1u);
    // Text rectangle (3,3)-(98,49): the fitted 46-pixel text sits right, centred.
    EXPECT_EQ(texts[0].font.pixelHeight, 47);
    EXPECT_EQ(texts[0].rect.right, 98);
    EXPECT_EQ(texts[0].rect.top, 3 + (46 - 47) / 2);
    EXPECT_EQ(texts[0].background, rgb(247, 247, 247));
}

TEST(TextBox, HiddenTextIsNotDrawn) {
    RecordingDeviceContext dc;
    TextBox box;
    box.setText("AB");
    box.setTextHidden(1);
    page_render::place(box, nullptr, dc, MM_LOMETRIC, Rect{0, 0, 100, -55});
    page_render::paint(box, nullptr, dc);
    EXPECT_TRUE(dc.texts().empty());
}

} // namespace
