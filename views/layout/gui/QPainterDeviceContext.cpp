#include "views/layout/gui/QPainterDeviceContext.h"
#include "support/Sjis.h"
#include "support/gui/QtCp932.h"
#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QPolygon>
#include <QTransform>
#include <algorithm>
#include <cmath>

namespace {

QColor toQColor(ColorRef c) {
    return QColor(redOf(c), greenOf(c), blueOf(c));
}

Rect boundsOf(const QPaintDevice& device) {
    return {0, 0, device.width(), device.height()};
}

QRect toQRect(const Rect& r) {
    return QRect(r.left, r.top, r.width(), r.height());
}

} // namespace

QPainterDeviceContext::QPainterDeviceContext(QPainter& painter)
    : DeviceContext(painter.device()->logicalDpiX(), painter.device()->logicalDpiY(),
                    boundsOf(*painter.device())),
      m_painter(&painter), m_device(painter.device()) {}

QPainterDeviceContext::QPainterDeviceContext(QPaintDevice& device)
    : DeviceContext(device.logicalDpiX(), device.logicalDpiY(), boundsOf(device)),
      m_device(&device) {}

QPainterDeviceContext::~QPainterDeviceContext() {
    flush();
}

QString QPainterDeviceContext::toQString(const std::string& cp932) {
    return qtFromCp932(cp932);
}

QString QPainterDeviceContext::text(const std::string& cp932) {
    // Pages repaint the same texts over and over; converting once is enough.
    auto it = m_texts.find(cp932);
    if (it != m_texts.end())
        return it->second;
    if (m_texts.size() > 8192)
        m_texts.clear();
    return m_texts.emplace(cp932, toQString(cp932)).first->second;
}

const QPainterDeviceContext::Realised& QPainterDeviceContext::realise(const DeviceFont& font) {
    const FontKey key{font.faceName, font.pixelHeight, font.cellHeight, font.weight,
                      font.italic,   font.underline,   font.strikeOut};
    auto it = m_fonts.find(key);
    if (it != m_fonts.end())
        return it->second;
    const QString family = toQString(font.faceName);
    int pixelSize = font.pixelHeight;
    if (font.cellHeight) {
        // A positive height is the whole cell; Qt sizes fonts by their character height.
        auto ratio = m_cellRatio.find(font.faceName);
        if (ratio == m_cellRatio.end()) {
            QFont probe(family);
            probe.setPixelSize(100);
            const double cell = QFontMetricsF(probe, m_device).height();
            ratio = m_cellRatio.emplace(font.faceName, cell > 0 ? 100.0 / cell : 1.0).first;
        }
        pixelSize = static_cast<int>(std::lround(font.pixelHeight * ratio->second));
    }
    QFont qfont(family);
    qfont.setPixelSize(std::max(1, pixelSize));
    qfont.setWeight(static_cast<QFont::Weight>(std::clamp(font.weight, 100, 900)));
    qfont.setItalic(font.italic);
    qfont.setUnderline(font.underline);
    qfont.setStrikeOut(font.strikeOut);
    if (m_fonts.size() > 256) {
        m_fonts.clear();
        m_lastFont = nullptr;
    }
    return m_fonts.emplace(key, Realised{qfont, QFontMetricsF(qfont, m_device)}).first->second;
}

void QPainterDeviceContext::deviceSetClip(const std::optional<Rect>& device) {
    m_clip = device;
    applyPainterClip(device);
}

void QPainterDeviceContext::applyPainterClip(const std::optional<Rect>& device) {
    // Cells select their clip twice per paint; the painter's clip is costly to change.
    if (!m_painter || device == m_painterClip)
        return;
    m_painterClip = device;
    if (device)
        m_painter->setClipRect(toQRect(*device), Qt::ReplaceClip);
    else
        m_painter->setClipping(false);
}

void QPainterDeviceContext::deviceFillRect(const Rect& device, ColorRef colour) {
    if (m_painter)
        m_painter->fillRect(toQRect(device), toQColor(colour));
}

void QPainterDeviceContext::devicePolyline(const std::vector<Point>& points, const Pen& pen) {
    if (!m_painter || points.size() < 2)
        return;
    QPen qpen(toQColor(pen.colour), pen.width);
    switch (pen.style) {
    case PS_DOT:
        qpen.setStyle(Qt::DotLine);
        qpen.setCapStyle(Qt::FlatCap);
        break;
    case PS_DASH:
        qpen.setStyle(Qt::DashLine);
        qpen.setCapStyle(Qt::FlatCap);
        break;
    default:
        qpen.setStyle(Qt::SolidLine);
        qpen.setCapStyle(pen.width > 1 ? Qt::RoundCap : Qt::SquareCap);
        break;
    }
    qpen.setJoinStyle(Qt::RoundJoin);
    if (qpen != m_painter->pen())
        m_painter->setPen(qpen);
    m_painter->setBrush(Qt::NoBrush);
    QPolygon polygon(static_cast<int>(points.size()));
    for (std::size_t i = 0; i < points.size(); ++i)
        polygon.setPoint(static_cast<int>(i), points[i].x, points[i].y);
    m_painter->drawPolyline(polygon);
}

Size QPainterDeviceContext::deviceTextSize(const std::string& cp932, const DeviceFont& font) {
    const Realised& r = realise(font);
    return {static_cast<int32_t>(std::ceil(r.metrics.horizontalAdvance(text(cp932)))),
            static_cast<int32_t>(std::ceil(r.metrics.height()))};
}

void QPainterDeviceContext::deviceText(Point at, const std::string& cp932, const DeviceFont& font,
                                       ColorRef colour, ColorRef background, const Rect* clip) {
    if (!m_painter)
        return;
    const Realised& r = realise(font);
    const QString s = text(cp932);
    const double width = std::ceil(r.metrics.horizontalAdvance(s));
    const double height = std::ceil(r.metrics.height());
    bool narrowed = false;
    if (clip) {
        Rect c = *clip;
        if (m_clip)
            c = c.intersected(*m_clip);
        if (c.isEmpty())
            return;
        // Only a text that reaches out of its rectangle needs the narrower clip.
        const bool inside = font.escapement == 0 && at.x >= c.left && at.y >= c.top &&
                            at.x + width <= c.right && at.y + height <= c.bottom;
        if (!inside) {
            applyPainterClip(c);
            narrowed = true;
        }
    }
    if (m_lastFont != &r) {
        m_painter->setFont(r.font);
        m_lastFont = &r;
    }
    m_painter->setPen(toQColor(colour));
    if (font.escapement != 0) {
        // Only this text is turned; nothing else here uses a transform.
        m_painter->setTransform(
            QTransform().translate(at.x, at.y).rotate(font.escapement / 10.0)); // clockwise
        m_painter->fillRect(QRectF(0, 0, width, height), toQColor(background));
        m_painter->drawText(QPointF(0, r.metrics.ascent()), s);
        m_painter->resetTransform();
    } else {
        m_painter->fillRect(QRectF(at.x, at.y, width, height), toQColor(background));
        m_painter->drawText(QPointF(at.x, at.y + r.metrics.ascent()), s);
    }
    if (narrowed)
        applyPainterClip(m_clip);
}
