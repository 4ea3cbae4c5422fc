#include "views/layout/gui/QtScrollBarControl.h"
#include <QSignalBlocker>

QtScrollBarControl::QtScrollBarControl(QWidget* parent, bool horizontal, int controlId,
                                       ActionHandler handler)
    : m_bar(new QScrollBar(horizontal ? Qt::Horizontal : Qt::Vertical, parent)),
      m_horizontal(horizontal), m_id(controlId), m_handler(std::move(handler)) {
    m_bar->setObjectName(QStringLiteral("scrollBar%1").arg(controlId));
    m_bar->setProperty("controlId", controlId);
    m_bar->setSingleStep(1);
    connect(m_bar, &QAbstractSlider::actionTriggered, this, &QtScrollBarControl::onAction);
}

QtScrollBarControl::~QtScrollBarControl() {
    delete m_bar.data();
}

void QtScrollBarControl::onAction(int action) {
    if (!m_bar)
        return;
    int code = -1;
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub:
        code = 0;
        break;
    case QAbstractSlider::SliderSingleStepAdd:
        code = 1;
        break;
    case QAbstractSlider::SliderPageStepSub:
        code = 2;
        break;
    case QAbstractSlider::SliderPageStepAdd:
        code = 3;
        break;
    case QAbstractSlider::SliderMove:
        code = 5;
        break;
    default:
        break;
    }
    const int thumb = m_bar->sliderPosition();
    {
        // Undo the bar's own step: the engine decides the new position.
        const QSignalBlocker block(m_bar);
        m_bar->setSliderPosition(m_bar->value());
    }
    if (code >= 0 && m_handler)
        m_handler(m_horizontal, m_id, code, thumb);
}

void QtScrollBarControl::setRange(int minimum, int maximum) {
    if (m_bar)
        m_bar->setRange(minimum, std::max(minimum, maximum));
}

int QtScrollBarControl::maximum() const {
    return m_bar ? m_bar->maximum() : 0;
}
int QtScrollBarControl::position() const {
    return m_bar ? m_bar->value() : 0;
}

void QtScrollBarControl::setPosition(int position, bool) {
    if (!m_bar)
        return;
    const QSignalBlocker block(m_bar);
    m_bar->setValue(position);
}

void QtScrollBarControl::setEnabled(bool enabled) {
    if (m_bar)
        m_bar->setEnabled(enabled);
}

bool QtScrollBarControl::isEnabled() const {
    return m_bar && m_bar->isEnabled();
}

void QtScrollBarControl::setShown(bool shown) {
    m_shown = shown;
    if (m_bar)
        m_bar->setVisible(shown);
}

// The wish, not the widget's state: a hidden parent hides every child.
bool QtScrollBarControl::isShown() const {
    return m_shown;
}

void QtScrollBarControl::move(const Rect& device) {
    if (m_bar)
        m_bar->setGeometry(device.left, device.top, device.width(), device.height());
}

Rect QtScrollBarControl::geometry() const {
    if (!m_bar)
        return {};
    const QRect g = m_bar->geometry();
    return {g.left(), g.top(), g.left() + g.width(), g.top() + g.height()};
}

int QtScrollBarControl::thickness() const {
    if (!m_bar)
        return 0;
    const QSize hint = m_bar->sizeHint();
    return m_horizontal ? hint.height() : hint.width();
}
