#pragma once
#include "views/layout/DeviceContext.h"
#include <QFont>
#include <QFontMetricsF>
#include <QString>
#include <map>
#include <optional>
#include <tuple>

class QPainter;
class QPaintDevice;

// The layout engine's drawing surface on a QPainter: widgets, images, printers and PDF
// writers. Without a painter it only measures (for placing a page outside a paint event).
class QPainterDeviceContext : public DeviceContext {
public:
    // Draws with an active painter; resolution and bounds come from its device.
    explicit QPainterDeviceContext(QPainter& painter);
    // Measures only, for the given device.
    explicit QPainterDeviceContext(QPaintDevice& device);
    ~QPainterDeviceContext() override;

    static QString toQString(const std::string& cp932);

protected:
    void deviceSetClip(const std::optional<Rect>& device) override;
    void deviceFillRect(const Rect& device, ColorRef colour) override;
    void devicePolyline(const std::vector<Point>& points, const Pen& pen) override;
    Size deviceTextSize(const std::string& text, const DeviceFont& font) override;
    void deviceText(Point at, const std::string& text, const DeviceFont& font, ColorRef colour,
                    ColorRef background, const Rect* clip) override;

private:
    struct Realised {
        QFont font;
        QFontMetricsF metrics;
    };
    const Realised& realise(const DeviceFont& font);
    void applyPainterClip(const std::optional<Rect>& device);
    QString text(const std::string& cp932);

    QPainter* m_painter = nullptr;
    QPaintDevice* m_device = nullptr;
    std::optional<Rect> m_clip;        // the clip the engine selected
    std::optional<Rect> m_painterClip; // the clip the painter has now
    using FontKey = std::tuple<std::string, int32_t, bool, int32_t, bool, bool, bool>;
    std::map<FontKey, Realised> m_fonts;
    const Realised* m_lastFont = nullptr;      // the font the painter has now
    std::map<std::string, double> m_cellRatio; // character height per cell height, per face
    std::map<std::string, QString> m_texts;    // recently converted texts
};
