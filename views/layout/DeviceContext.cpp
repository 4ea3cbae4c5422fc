#include "views/layout/DeviceContext.h"
#include <cmath>

namespace {

int32_t roundToInt(double v) {
    return static_cast<int32_t>(std::lround(v));
}

std::vector<std::string> splitLines(const std::string& text, bool singleLine) {
    std::vector<std::string> lines;
    if (singleLine) {
        lines.push_back(text);
        return lines;
    }
    std::string line;
    for (char c : text) {
        if (c == '\r')
            continue;
        if (c == '\n') {
            lines.push_back(line);
            line.clear();
        } else {
            line.push_back(c);
        }
    }
    lines.push_back(line);
    return lines;
}

} // namespace

DeviceContext::DeviceContext(double dpiX, double dpiY, const Rect& deviceBounds)
    : m_dpiX(dpiX > 0 ? dpiX : 96.0), m_dpiY(dpiY > 0 ? dpiY : 96.0),
      m_deviceBounds(deviceBounds.normalised()) {}

DeviceContext::~DeviceContext() = default;

double DeviceContext::scaleX() const {
    return m_mapMode == MM_TEXT ? 1.0 : m_dpiX / 254.0;
}
double DeviceContext::scaleY() const {
    return m_mapMode == MM_TEXT ? 1.0 : -m_dpiY / 254.0;
}

Point DeviceContext::toDevice(Point p) const {
    return {roundToInt(p.x * scaleX()), roundToInt(p.y * scaleY())};
}

Rect DeviceContext::toDevice(const Rect& r) const {
    Point a = toDevice(Point{r.left, r.top});
    Point b = toDevice(Point{r.right, r.bottom});
    return {a.x, a.y, b.x, b.y};
}

Point DeviceContext::toLogical(Point p) const {
    return {roundToInt(p.x / scaleX()), roundToInt(p.y / scaleY())};
}

Rect DeviceContext::toLogical(const Rect& r) const {
    Point a = toLogical(Point{r.left, r.top});
    Point b = toLogical(Point{r.right, r.bottom});
    return {a.x, a.y, b.x, b.y};
}

int32_t DeviceContext::deviceToLogicalY(int32_t deviceY) const {
    return roundToInt(deviceY / scaleY());
}

int32_t DeviceContext::logicalToDeviceY(int32_t logicalY) const {
    return roundToInt(logicalY * scaleY());
}

int32_t DeviceContext::pointSizeToLogicalHeight(int tenthsOfPoint) const {
    double devicePixels = tenthsOfPoint * m_dpiY / 720.0;
    return std::abs(roundToInt(devicePixels / scaleY()));
}

Rect DeviceContext::deflateLogical(Rect r, int32_t l, int32_t t, int32_t rt, int32_t b) const {
    r.left += l;
    r.right -= rt;
    if (m_mapMode == MM_TEXT) {
        r.top += t;
        r.bottom -= b;
    } else {
        r.top -= t;
        r.bottom += b;
    }
    return r;
}

Rect DeviceContext::inflateDevice(const Rect& r, int32_t l, int32_t t, int32_t rt,
                                  int32_t b) const {
    Rect d = toDevice(r);
    d.left -= l;
    d.top -= t;
    d.right += rt;
    d.bottom += b;
    return toLogical(d);
}

Rect DeviceContext::deflateDevice(const Rect& r, int32_t l, int32_t t, int32_t rt,
                                  int32_t b) const {
    Rect d = toDevice(r);
    d.left += l;
    d.top += t;
    d.right -= rt;
    d.bottom -= b;
    return toLogical(d);
}

void DeviceContext::setClip(const std::optional<Rect>& device) {
    flush();
    if (device)
        m_clip = device->normalised();
    else
        m_clip.reset();
    applyClip();
}

void DeviceContext::setClipLogical(const std::optional<Rect>& logical) {
    if (logical)
        setClip(toDevice(*logical));
    else
        setClip(std::nullopt);
}

void DeviceContext::setUpdateRect(const std::optional<Rect>& device) {
    flush();
    if (device)
        m_updateRect = device->normalised();
    else
        m_updateRect.reset();
    applyClip();
}

void DeviceContext::applyClip() {
    if (m_clip && m_updateRect)
        deviceSetClip(m_clip->intersected(*m_updateRect));
    else if (m_clip)
        deviceSetClip(m_clip);
    else
        deviceSetClip(m_updateRect);
}

Rect DeviceContext::clipBox() const {
    Rect box = m_deviceBounds;
    if (m_updateRect)
        box = box.intersected(*m_updateRect);
    if (m_clip)
        box = box.intersected(*m_clip);
    return box;
}

bool DeviceContext::rectVisible(const Rect& logical) const {
    return toDevice(logical).normalised().intersects(clipBox());
}

void DeviceContext::fillRect(const Rect& logical, ColorRef colour) {
    flush();
    Rect d = toDevice(logical).normalised();
    if (!d.isEmpty())
        deviceFillRect(d, colour);
}

void DeviceContext::selectPen(ColorRef colour, int32_t width, int32_t style) {
    flush();
    m_pen.colour = colour;
    m_pen.width = std::max(1, roundToInt(std::max(0, width) * std::abs(scaleX())));
    m_pen.style = style;
}

void DeviceContext::moveTo(int32_t x, int32_t y) {
    flush();
    m_position = {x, y};
}

void DeviceContext::lineTo(int32_t x, int32_t y) {
    if (m_pendingLine.empty())
        m_pendingLine.push_back(toDevice(m_position));
    m_position = {x, y};
    m_pendingLine.push_back(toDevice(m_position));
}

void DeviceContext::flush() {
    if (m_pendingLine.size() >= 2)
        devicePolyline(m_pendingLine, m_pen);
    m_pendingLine.clear();
}

void DeviceContext::drawEdges(const Rect& r, int32_t mask, ColorRef colour, int32_t width,
                              int32_t style) {
    selectPen(colour, width, style);
    auto segment = [this](int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
        moveTo(x0, y0);
        lineTo(x1, y1);
        flush();
    };
    if (mask & 1)
        segment(r.left, r.top, r.left, r.bottom);
    if (mask & 2)
        segment(r.right, r.top, r.right, r.bottom);
    if (mask & 4)
        segment(r.left, r.top, r.right, r.top);
    if (mask & 8)
        segment(r.left, r.bottom, r.right, r.bottom);
    if (mask & 16)
        segment(r.left, r.top, r.right, r.bottom);
}

DeviceContext::DeviceFont DeviceContext::deviceFont(const FontSpec* spec) const {
    DeviceFont font;
    if (!spec) {
        font.pixelHeight = std::max(1, roundToInt(16.0 * m_dpiY / 96.0));
        font.cellHeight = true;
        return font;
    }
    font.faceName = spec->faceName;
    font.pixelHeight = std::max(1, roundToInt(std::abs(spec->height * scaleY())));
    font.cellHeight = spec->height > 0;
    font.weight = spec->weight;
    font.italic = spec->italic;
    font.underline = spec->underline;
    font.strikeOut = spec->strikeOut;
    font.escapement = spec->escapement;
    return font;
}

void DeviceContext::textOutWithFont(int32_t x, int32_t y, const std::string& text, ColorRef colour,
                                    ColorRef background, const FontSpec* spec) {
    flush();
    if (text.empty())
        return;
    deviceText(toDevice(Point{x, y}), text, deviceFont(spec), colour, background, nullptr);
}

Rect DeviceContext::drawTextWithFont(const std::string& text, const Rect& logical, ColorRef colour,
                                     ColorRef background, const FontSpec* spec, uint32_t format) {
    flush();
    const DeviceFont font = deviceFont(spec);
    const Rect raw = toDevice(logical);
    // Insets larger than the box turn it inside out: such a box shows nothing.
    const bool inverted = raw.right < raw.left || raw.bottom < raw.top;
    const Rect box = raw.normalised();
    const bool singleLine = (format & DT_SINGLELINE) != 0;
    const std::vector<std::string> lines = splitLines(text, singleLine);
    std::vector<Size> sizes;
    sizes.reserve(lines.size());
    int32_t width = 0;
    int32_t height = 0;
    for (const std::string& line : lines) {
        Size s = deviceTextSize(line, font);
        sizes.push_back(s);
        width = std::max(width, s.cx);
        height += s.cy;
    }
    if (format & DT_CALCRECT) {
        // Keep the logical left top; grow right and down by the text's size.
        Point origin = toDevice(Point{logical.left, logical.top});
        return toLogical(Rect{origin.x, origin.y, origin.x + width, origin.y + height});
    }
    if (inverted && !(format & DT_NOCLIP))
        return toLogical(Rect{box.left, box.top, box.left, box.top});
    int32_t y = box.top;
    if (singleLine) {
        if (format & DT_VCENTER)
            y = box.top + (box.height() - height) / 2;
        else if (format & DT_BOTTOM)
            y = box.bottom - height;
    }
    const Rect* clip = (format & DT_NOCLIP) ? nullptr : &box;
    Rect used{box.right, y, box.left, y + height};
    for (std::size_t i = 0; i < lines.size(); ++i) {
        int32_t x = box.left;
        if (format & DT_CENTER)
            x = box.left + (box.width() - sizes[i].cx) / 2;
        else if (format & DT_RIGHT)
            x = box.right - sizes[i].cx;
        used.left = std::min(used.left, x);
        used.right = std::max(used.right, x + sizes[i].cx);
        if (!lines[i].empty())
            deviceText(Point{x, y}, lines[i], font, colour, background, clip);
        y += sizes[i].cy;
    }
    return toLogical(used);
}

bool DeviceContext::fitsIn(const Rect& logical, const std::string& text, const FontSpec& spec) {
    const Rect box = toDevice(logical); // device y grows downwards in every mode
    const Size s = deviceTextSize(text, deviceFont(&spec));
    return s.cx <= box.width() && s.cy <= box.height();
}

Size DeviceContext::textExtent(const std::string& text, const FontSpec* spec) {
    const Size s = deviceTextSize(text, deviceFont(spec));
    return {std::abs(roundToInt(s.cx / scaleX())), std::abs(roundToInt(s.cy / scaleY()))};
}
