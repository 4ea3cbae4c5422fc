#include "common/Cp932.h"
#include "support/Sjis.h"
#include "views/layout/RecordingDeviceContext.h"
#include <gtest/gtest.h>

namespace {

TEST(DeviceContext, LometricMapsTenthsOfAMillimetreWithYUp) {
    RecordingDeviceContext dc({0, 0, 800, 600}, 96.0, 96.0);
    dc.setMapMode(MM_LOMETRIC);
    EXPECT_EQ(dc.toDevice(Point{254, -254}), (Point{96, 96}));
    EXPECT_EQ(dc.toLogical(Point{96, 96}), (Point{254, -254}));
    EXPECT_EQ(dc.toLogical(Rect{0, 0, 800, 600}), (Rect{0, 0, 2117, -1588}));
    EXPECT_EQ(dc.logicalY(30), -30);
    EXPECT_DOUBLE_EQ(dc.logicalY(2.5), -2.5);
    dc.setMapMode(MM_TEXT);
    EXPECT_EQ(dc.toDevice(Point{254, 254}), (Point{254, 254}));
    EXPECT_EQ(dc.logicalY(30), 30);
}

TEST(DeviceContext, DeflateLogicalFollowsTheMappingMode) {
    RecordingDeviceContext dc;
    dc.setMapMode(MM_LOMETRIC);
    EXPECT_EQ(dc.deflateLogical(Rect{0, 0, 100, -100}, 1, 2, 3, 4), (Rect{1, -2, 97, -96}));
    dc.setMapMode(MM_TEXT);
    EXPECT_EQ(dc.deflateLogical(Rect{0, 0, 100, 100}, 1, 2, 3, 4), (Rect{1, 2, 97, 96}));
}

TEST(DeviceContext, InflateAndDeflateDeviceWorkInPixels) {
    RecordingDeviceContext dc({0, 0, 800, 600}, 127.0, 127.0); // 2 logical units per pixel
    dc.setMapMode(MM_LOMETRIC);
    // Device (0,0,50,50); one pixel more right and down.
    EXPECT_EQ(dc.inflateDevice(Rect{0, 0, 100, -100}, 0, 0, 1, 1), (Rect{0, 0, 102, -102}));
    EXPECT_EQ(dc.deflateDevice(Rect{0, 0, 100, -100}, 1, 1, 0, 0), (Rect{2, -2, 100, -100}));
}

TEST(DeviceContext, PointFontHeightIsInLogicalUnits) {
    RecordingDeviceContext dc({0, 0, 800, 600}, 96.0, 96.0);
    dc.setMapMode(MM_LOMETRIC);
    // 9 pt = 3.175 mm whatever the resolution.
    EXPECT_EQ(FontSpec::make(dc, "x", 90).height, -32);
    EXPECT_EQ(FontSpec::make(dc, "x", 90, true).weight, 700);
    dc.setMapMode(MM_TEXT);
    EXPECT_EQ(FontSpec::make(dc, "x", 90).height, -12);
}

TEST(DeviceContext, DrawTextAlignsInsideTheRectangle) {
    struct Case {
        uint32_t format;
        Point at;
    };
    const Case cases[] = {
        {DT_SINGLELINE, {0, 0}},
        {DT_CENTER | DT_VCENTER | DT_SINGLELINE, {40, 15}},
        {DT_RIGHT | DT_BOTTOM | DT_SINGLELINE, {80, 30}},
        {DT_RIGHT | DT_SINGLELINE, {80, 0}},
        {DT_BOTTOM, {0, 0}}, // vertical placement needs a single line
    };
    for (const Case& c : cases) {
        RecordingDeviceContext dc;
        dc.setMapMode(MM_LOMETRIC);
        FontSpec font;
        font.height = -20;
        dc.drawTextWithFont("AB", Rect{0, 0, 100, -50}, 0, rgb(255, 255, 255), &font, c.format);
        auto texts = dc.texts();
        ASSERT_EQ(texts.size(), 1u);
        EXPECT_EQ((Point{texts[0].rect.left, texts[0].rect.top}), c.at) << c.format;
        EXPECT_EQ(texts[0].textClip, (Rect{0, 0, 100, 50}));
    }
}

TEST(DeviceContext, CalcRectMeasuresWithoutDrawing) {
    RecordingDeviceContext dc;
    dc.setMapMode(MM_LOMETRIC);
    FontSpec font;
    font.height = 20;
    const std::string text = sj("電力A");
    Rect r = dc.drawTextWithFont(text, Rect{10, -10, 500, -500}, 0, 0, &font,
                                 DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(r, (Rect{10, -10, 60, -30})); // two double-byte cells and a half one
    EXPECT_TRUE(dc.texts().empty());
    EXPECT_TRUE(dc.fitsIn(Rect{0, 0, 50, -20}, text, font));
    EXPECT_FALSE(dc.fitsIn(Rect{0, 0, 49, -20}, text, font));
    EXPECT_FALSE(dc.fitsIn(Rect{0, 0, 50, -19}, text, font));
}

TEST(DeviceContext, DrawEdgesDrawsTheMaskedSidesAsTwoPointLines) {
    RecordingDeviceContext dc;
    dc.setMapMode(MM_LOMETRIC);
    dc.drawEdges(Rect{10, -10, 50, -40}, 1 | 8 | 16, rgb(1, 2, 3), 1, PS_DOT);
    auto lines = dc.polylines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].points, (std::vector<Point>{{10, 10}, {10, 40}}));
    EXPECT_EQ(lines[1].points, (std::vector<Point>{{10, 40}, {50, 40}}));
    EXPECT_EQ(lines[2].points, (std::vector<Point>{{10, 10}, {50, 40}}));
    EXPECT_EQ(lines[0].pen, (Pen{rgb(1, 2, 3), 1, PS_DOT}));
}

TEST(DeviceContext, PenWidthIsLogical) {
    RecordingDeviceContext dc({0, 0, 5000, 5000}, 600.0, 600.0);
    dc.setMapMode(MM_LOMETRIC);
    dc.selectPen(0, 3, PS_SOLID);
    dc.moveTo(0, 0);
    dc.lineTo(100, 0);
    dc.lineTo(100, -100);
    auto lines = dc.polylines();
    ASSERT_EQ(lines.size(), 1u);      // consecutive LineTo calls form one polyline
    EXPECT_EQ(lines[0].pen.width, 7); // 0.3 mm at 600 dpi
    EXPECT_EQ(lines[0].points.size(), 3u);
}

TEST(DeviceContext, ClipBoxAndVisibility) {
    RecordingDeviceContext dc({0, 0, 1000, 1000});
    dc.setMapMode(MM_LOMETRIC);
    EXPECT_EQ(dc.clipBox(), (Rect{0, 0, 1000, 1000}));
    dc.setClipLogical(Rect{100, -100, 200, -200});
    EXPECT_EQ(dc.clipBox(), (Rect{100, 100, 200, 200}));
    EXPECT_TRUE(dc.rectVisible(Rect{150, -150, 300, -300}));
    EXPECT_FALSE(dc.rectVisible(Rect{200, -100, 300, -200}));
    dc.setUpdateRect(Rect{0, 0, 120, 120});
    EXPECT_EQ(dc.clipBox(), (Rect{100, 100, 120, 120}));
    dc.setClip(std::nullopt);
    EXPECT_EQ(dc.clipBox(), (Rect{0, 0, 120, 120}));
}

TEST(DeviceContext, FillRectCoversTheNormalisedDeviceRectangle) {
    RecordingDeviceContext dc;
    dc.setMapMode(MM_LOMETRIC);
    dc.fillRect(Rect{10, -50, 30, -20}, rgb(9, 9, 9));
    auto fills = dc.fills();
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_EQ(fills[0].rect, (Rect{10, 20, 30, 50}));
}

} // namespace
