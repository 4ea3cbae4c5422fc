#pragma once
#include "views/layout/LayoutHost.h"
#include <functional>

class QWidget;
class Prompt;

// The window side of a page shown in a widget: repaint requests go to QWidget::update,
// scroll bars are QScrollBar children, and a user's scroll action reaches `onScroll` as a
// layout event (the view adds a device context and notifies its page).
class QtLayoutHost : public LayoutHost {
public:
    using ScrollHandler = std::function<void(LayoutEvent event)>;

    QtLayoutHost(QWidget* widget, Prompt* prompt = nullptr);
    void setScrollHandler(ScrollHandler handler) { m_onScroll = std::move(handler); }

    void invalidate(const Rect& device, bool erase) override;
    void validate(const Rect& device) override;
    std::unique_ptr<ScrollBarControl> createScrollBar(bool horizontal, int controlId) override;
    void showMessage(const std::string& text) override;

private:
    QWidget* m_widget;
    Prompt* m_prompt;
    ScrollHandler m_onScroll;
};
