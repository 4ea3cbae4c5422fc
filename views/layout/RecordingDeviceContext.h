#pragma once
#include "views/layout/DeviceContext.h"
#include <string>
#include <vector>

// A device context without pixels: it records every drawing call in device units and
// measures text with fixed metrics (a character cell is the font's pixel height tall, a
// single-byte character half as wide, a double-byte character as wide), so tests can check
// positions exactly.
class RecordingDeviceContext : public DeviceContext {
public:
    struct Op {
        enum Kind { Clip, Fill, Polyline, Text } kind = Fill;
        std::optional<Rect> clip; // Clip: the clip selected (none = removed)
        Rect rect;                // Fill: filled rectangle; Text: the text's cell (unrotated)
        ColorRef colour = 0;
        ColorRef background = 0;
        std::vector<Point> points; // Polyline
        Pen pen;                   // Polyline
        std::string text;          // Text
        DeviceFont font;           // Text
        std::optional<Rect> textClip;
    };

    // Default: 254 dpi, so one MM_LOMETRIC unit is exactly one device pixel.
    explicit RecordingDeviceContext(const Rect& deviceBounds = {0, 0, 2000, 2000},
                                    double dpiX = 254.0, double dpiY = 254.0);
    ~RecordingDeviceContext() override;

    const std::vector<Op>& ops();
    std::vector<Op> texts();
    std::vector<Op> fills();
    std::vector<Op> polylines();
    // The first text op with exactly this text, or nullptr.
    const Op* findText(const std::string& text);
    void clear();

    // The fixed metrics.
    static Size measure(const std::string& text, int32_t pixelHeight);

protected:
    void deviceSetClip(const std::optional<Rect>& device) override;
    void deviceFillRect(const Rect& device, ColorRef colour) override;
    void devicePolyline(const std::vector<Point>& points, const Pen& pen) override;
    Size deviceTextSize(const std::string& text, const DeviceFont& font) override;
    void deviceText(Point at, const std::string& text, const DeviceFont& font, ColorRef colour,
                    ColorRef background, const Rect* clip) override;

private:
    std::vector<Op> filtered(Op::Kind kind);
    std::vector<Op> m_ops;
};
