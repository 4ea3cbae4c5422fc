#pragma once
#include "views/layout/ScrollBarControl.h"
#include <QObject>
#include <QPointer>
#include <QScrollBar>
#include <functional>

// A scroll bar of the layout engine as a QScrollBar child of the view. The user's actions
// are not applied by the bar itself: they are handed on as scroll codes (0 line up, 1 line
// down, 2 page up, 3 page down, 5 thumb track) and the engine sets the position.
class QtScrollBarControl : public QObject, public ScrollBarControl {
    Q_OBJECT
public:
    using ActionHandler = std::function<void(bool horizontal, int controlId, int code, int thumb)>;

    QtScrollBarControl(QWidget* parent, bool horizontal, int controlId, ActionHandler handler);
    ~QtScrollBarControl() override;

    int controlId() const override { return m_id; }
    void setRange(int minimum, int maximum) override;
    int maximum() const override;
    int position() const override;
    void setPosition(int position, bool redraw) override;
    void setEnabled(bool enabled) override;
    bool isEnabled() const override;
    void setShown(bool shown) override;
    bool isShown() const override;
    void move(const Rect& device) override;
    Rect geometry() const override;
    int thickness() const override;
    QScrollBar* bar() const { return m_bar; }

private:
    void onAction(int action);

    QPointer<QScrollBar> m_bar;
    bool m_horizontal;
    int m_id;
    bool m_shown = false;
    ActionHandler m_handler;
};
