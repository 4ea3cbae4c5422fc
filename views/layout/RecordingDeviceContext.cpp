#include "views/layout/RecordingDeviceContext.h"
#include "support/Sjis.h"

RecordingDeviceContext::RecordingDeviceContext(const Rect& deviceBounds, double dpiX, double dpiY)
    : DeviceContext(dpiX, dpiY, deviceBounds) {}

RecordingDeviceContext::~RecordingDeviceContext() = default;

Size RecordingDeviceContext::measure(const std::string& text, int32_t pixelHeight) {
    int32_t singles = 0;
    int32_t doubles = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (sjis::isLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size()) {
            ++doubles;
            ++i;
        } else {
            ++singles;
        }
    }
    return {singles * pixelHeight / 2 + doubles * pixelHeight, pixelHeight};
}

const std::vector<RecordingDeviceContext::Op>& RecordingDeviceContext::ops() {
    flush();
    return m_ops;
}

std::vector<RecordingDeviceContext::Op> RecordingDeviceContext::filtered(Op::Kind kind) {
    flush();
    std::vector<Op> out;
    for (const Op& op : m_ops)
        if (op.kind == kind)
            out.push_back(op);
    return out;
}

std::vector<RecordingDeviceContext::Op> RecordingDeviceContext::texts() {
    return filtered(Op::Text);
}
std::vector<RecordingDeviceContext::Op> RecordingDeviceContext::fills() {
    return filtered(Op::Fill);
}
std::vector<RecordingDeviceContext::Op> RecordingDeviceContext::polylines() {
    return filtered(Op::Polyline);
}

const RecordingDeviceContext::Op* RecordingDeviceContext::findText(const std::string& text) {
    flush();
    for (const Op& op : m_ops)
        if (op.kind == Op::Text && op.text == text)
            return &op;
    return nullptr;
}

void RecordingDeviceContext::clear() {
    flush();
    m_ops.clear();
}

void RecordingDeviceContext::deviceSetClip(const std::optional<Rect>& device) {
    Op op;
    op.kind = Op::Clip;
    op.clip = device;
    m_ops.push_back(std::move(op));
}

void RecordingDeviceContext::deviceFillRect(const Rect& device, ColorRef colour) {
    Op op;
    op.kind = Op::Fill;
    op.rect = device;
    op.colour = colour;
    m_ops.push_back(std::move(op));
}

void RecordingDeviceContext::devicePolyline(const std::vector<Point>& points, const Pen& pen) {
    Op op;
    op.kind = Op::Polyline;
    op.points = points;
    op.pen = pen;
    op.colour = pen.colour;
    m_ops.push_back(std::move(op));
}

Size RecordingDeviceContext::deviceTextSize(const std::string& text, const DeviceFont& font) {
    return measure(text, font.pixelHeight);
}

void RecordingDeviceContext::deviceText(Point at, const std::string& text, const DeviceFont& font,
                                        ColorRef colour, ColorRef background, const Rect* clip) {
    Op op;
    op.kind = Op::Text;
    Size s = measure(text, font.pixelHeight);
    op.rect = {at.x, at.y, at.x + s.cx, at.y + s.cy};
    op.colour = colour;
    op.background = background;
    op.text = text;
    op.font = font;
    if (clip)
        op.textClip = *clip;
    m_ops.push_back(std::move(op));
}
