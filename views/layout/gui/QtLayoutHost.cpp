#include "views/layout/gui/QtLayoutHost.h"
#include "support/Prompt.h"
#include "views/layout/gui/QtScrollBarControl.h"
#include <QDebug>
#include <QWidget>

QtLayoutHost::QtLayoutHost(QWidget* widget, Prompt* prompt) : m_widget(widget), m_prompt(prompt) {}

void QtLayoutHost::invalidate(const Rect& device, bool) {
    if (m_widget)
        m_widget->update(QRect(device.left, device.top, device.width(), device.height()));
}

// Qt repaints child widgets on their own; nothing to take back.
void QtLayoutHost::validate(const Rect&) {}

std::unique_ptr<ScrollBarControl> QtLayoutHost::createScrollBar(bool horizontal, int controlId) {
    if (!m_widget)
        return nullptr;
    return std::make_unique<QtScrollBarControl>(
        m_widget, horizontal, controlId, [this](bool h, int id, int code, int thumb) {
            if (!m_onScroll)
                return;
            LayoutEvent e;
            e.kind = h ? LayoutEvent::HorizontalScroll : LayoutEvent::VerticalScroll;
            e.controlId = id;
            e.code = code;
            e.thumb = thumb;
            m_onScroll(e);
        });
}

void QtLayoutHost::showMessage(const std::string& text) {
    if (m_prompt)
        m_prompt->tell(sjis::Text(text), PromptIcon::Stop);
    else
        qWarning("%s", text.c_str());
}
