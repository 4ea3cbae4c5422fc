#include "link/gui/AnimateCtrl.h"
#include <QPainter>

namespace {
constexpr int kSpokes = 12;
}

CAnimateCtrl::CAnimateCtrl(QWidget* parent) : QWidget(parent) {
    setFixedSize(sizeHint());
    m_timer.setInterval(80);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        m_step = (m_step + 1) % kSpokes;
        update();
    });
}

void CAnimateCtrl::play() {
    m_timer.start();
}

void CAnimateCtrl::stop() {
    m_timer.stop();
    update();
}

void CAnimateCtrl::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(width() / 2.0, height() / 2.0);
    const double radius = std::min(width(), height()) / 2.0 - 3;
    const QColor base = palette().color(QPalette::WindowText);
    for (int i = 0; i < kSpokes; ++i) {
        // The newest spoke is darkest; a stopped wheel is drawn evenly faint.
        QColor c = base;
        const int age = (m_step - i + kSpokes) % kSpokes;
        c.setAlphaF(isPlaying() ? 1.0 - age / double(kSpokes) * 0.85 : 0.25);
        p.setPen(QPen(c, 3, Qt::SolidLine, Qt::RoundCap));
        p.save();
        p.rotate(i * 360.0 / kSpokes);
        p.drawLine(QPointF(0, -radius * 0.45), QPointF(0, -radius));
        p.restore();
    }
}
