#pragma once
#include "views/layout/DrawTypes.h"

// A scroll-bar child window as the layout engine sees it. The GUI implements it with a
// QScrollBar; tests with a plain record.
class ScrollBarControl {
public:
    virtual ~ScrollBarControl() = default;
    virtual int controlId() const = 0;
    virtual void setRange(int minimum, int maximum) = 0;
    virtual int maximum() const = 0;
    virtual int position() const = 0;
    virtual void setPosition(int position, bool redraw) = 0;
    virtual void setEnabled(bool enabled) = 0;
    virtual bool isEnabled() const = 0;
    virtual void setShown(bool shown) = 0;
    virtual bool isShown() const = 0;
    // Device rectangle within the window.
    virtual void move(const Rect& device) = 0;
    virtual Rect geometry() const = 0;
    // Thickness of the bar in device pixels: height of a horizontal, width of a vertical bar.
    virtual int thickness() const = 0;
};
