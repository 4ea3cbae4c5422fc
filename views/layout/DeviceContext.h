#pragma once
#include "views/layout/DrawTypes.h"
#include "views/layout/FontSpec.h"
#include <optional>
#include <string>
#include <vector>

// The drawing surface of the layout engine: a screen window, a printer page, an image.
// Coordinates given to the public operations are logical units of the mapping mode
// (MM_TEXT: device pixels, y down; MM_LOMETRIC: 0.1 mm, y up, origin at the device's top
// left). All conversion, text alignment and clipping rules live here so that every back end
// places things identically; a back end only fills rectangles, draws polylines and text at
// device positions and measures text.
class DeviceContext {
public:
    // dpiX, dpiY: device pixels per inch; bounds: the whole drawable area in device pixels.
    DeviceContext(double dpiX, double dpiY, const Rect& deviceBounds);
    virtual ~DeviceContext();
    DeviceContext(const DeviceContext&) = delete;
    DeviceContext& operator=(const DeviceContext&) = delete;

    // A font as a back end realises it.
    struct DeviceFont {
        std::string faceName; // CP932
        int32_t pixelHeight = 1;
        bool cellHeight = false; // pixelHeight is the cell height (else character height)
        int32_t weight = 400;
        bool italic = false;
        bool underline = false;
        bool strikeOut = false;
        int32_t escapement = 0;
        friend bool operator==(const DeviceFont&, const DeviceFont&) = default;
    };

    void setMapMode(MapMode mode) { m_mapMode = mode; }
    MapMode mapMode() const { return m_mapMode; }
    double dpiX() const { return m_dpiX; }
    double dpiY() const { return m_dpiY; }
    const Rect& deviceBounds() const { return m_deviceBounds; }
    bool isPrinting() const { return m_printing; }
    void setPrinting(bool printing) { m_printing = printing; }

    // --- conversion -------------------------------------------------------------------
    Point toDevice(Point logical) const;
    Rect toDevice(const Rect& logical) const;
    Point toLogical(Point device) const;
    Rect toLogical(const Rect& device) const;
    int32_t deviceToLogicalY(int32_t deviceY) const;
    int32_t logicalToDeviceY(int32_t logicalY) const;
    // Logical height of a font of tenthsOfPoint / 10 points (positive).
    int32_t pointSizeToLogicalHeight(int tenthsOfPoint) const;

    // n in MM_TEXT, -n otherwise: a vertical distance that keeps "down" meaning down.
    int32_t logicalY(int32_t n) const { return m_mapMode == MM_TEXT ? n : -n; }
    double logicalY(double n) const { return m_mapMode == MM_TEXT ? n : -n; }
    Rect deflateLogical(Rect r, int32_t l, int32_t t, int32_t rt, int32_t b) const;
    Rect inflateDevice(const Rect& r, int32_t l, int32_t t, int32_t rt, int32_t b) const;
    Rect deflateDevice(const Rect& r, int32_t l, int32_t t, int32_t rt, int32_t b) const;

    // --- clipping ---------------------------------------------------------------------
    // Clip to a device rectangle, or remove the clip (std::nullopt).
    void setClip(const std::optional<Rect>& device);
    void setClipLogical(const std::optional<Rect>& logical);
    // The area a partial repaint may touch (device); every clip is intersected with it.
    void setUpdateRect(const std::optional<Rect>& device);
    // Device rectangle bounding what may currently be drawn.
    Rect clipBox() const;
    // True when some part of the logical rectangle lies in the current clip.
    bool rectVisible(const Rect& logical) const;

    // --- drawing ----------------------------------------------------------------------
    void fillRect(const Rect& logical, ColorRef colour);
    void selectPen(ColorRef colour, int32_t width, int32_t style);
    void selectBrush(ColorRef colour) { m_brush = colour; }
    ColorRef brush() const { return m_brush; }
    void moveTo(int32_t x, int32_t y);
    void lineTo(int32_t x, int32_t y);
    // Bits: 1 left, 2 right, 4 top, 8 bottom, 16 the diagonal (left, top)-(right, bottom).
    void drawEdges(const Rect& logical, int32_t mask, ColorRef colour, int32_t width,
                   int32_t style);
    // Text with its cell's top left at (x, y), on an opaque background.
    void textOutWithFont(int32_t x, int32_t y, const std::string& text, ColorRef colour,
                         ColorRef background, const FontSpec* spec);
    // DrawText: DT_CENTER, DT_RIGHT, DT_VCENTER, DT_BOTTOM, DT_SINGLELINE, DT_NOCLIP,
    // DT_CALCRECT. Returns the rectangle the text takes (logical); with DT_CALCRECT nothing
    // is drawn and the rectangle keeps the left top of `logical`.
    Rect drawTextWithFont(const std::string& text, const Rect& logical, ColorRef colour,
                          ColorRef background, const FontSpec* spec, uint32_t format);
    // Whether the text in that font fits into the rectangle (single line).
    bool fitsIn(const Rect& logical, const std::string& text, const FontSpec& spec);
    // Size of a single line of text in logical units (positive).
    Size textExtent(const std::string& text, const FontSpec* spec);

    // Hands pending line segments to the back end.
    void flush();

protected:
    virtual void deviceSetClip(const std::optional<Rect>& device) = 0;
    virtual void deviceFillRect(const Rect& device, ColorRef colour) = 0;
    virtual void devicePolyline(const std::vector<Point>& points, const Pen& pen) = 0;
    // Size of one line of text (advance width, cell height) in device pixels.
    virtual Size deviceTextSize(const std::string& text, const DeviceFont& font) = 0;
    // One line of text, its cell's top left at `at`, rotated about that point by the font's
    // escapement (tenths of a degree, clockwise on the device) over an opaque background;
    // `clip` (device) further limits what is drawn.
    virtual void deviceText(Point at, const std::string& text, const DeviceFont& font,
                            ColorRef colour, ColorRef background, const Rect* clip) = 0;

    DeviceFont deviceFont(const FontSpec* spec) const;

private:
    double scaleX() const;
    double scaleY() const;
    void applyClip();

    double m_dpiX;
    double m_dpiY;
    Rect m_deviceBounds;
    MapMode m_mapMode = MM_TEXT;
    bool m_printing = false;
    std::optional<Rect> m_clip;
    std::optional<Rect> m_updateRect;
    Pen m_pen;
    ColorRef m_brush = rgb(255, 255, 255);
    Point m_position;
    std::vector<Point> m_pendingLine;
};
