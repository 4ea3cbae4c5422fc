#pragma once
#include "views/layout/DrawTypes.h"
#include <memory>
#include <string>

class ScrollBarControl;

// The window a page is shown in: repaint requests, scroll-bar child windows, messages.
// Printing and image rendering pass no host.
class LayoutHost {
public:
    virtual ~LayoutHost() = default;
    virtual void invalidate(const Rect& device, bool erase) = 0;
    // Takes a rectangle out of the pending repaint again (may do nothing).
    virtual void validate(const Rect& device) = 0;
    // A new scroll bar (horizontal or vertical) with that control id, owned by the caller;
    // nullptr when it cannot be created.
    virtual std::unique_ptr<ScrollBarControl> createScrollBar(bool horizontal, int controlId) = 0;
    virtual void showMessage(const std::string& text) = 0;
};

// What Notify carries to the elements of a page.
struct LayoutEvent {
    enum Kind : int { CreateWindows = 3, HorizontalScroll = 4, VerticalScroll = 5 };
    int kind = CreateWindows;
    int controlId = 0; // the scroll bar the message came from
    int code = 0;      // 0 line up, 1 line down, 2 page up, 3 page down, 5 thumb track
    int thumb = 0;     // thumb position for code 5
    class DeviceContext* dc = nullptr; // for scroll messages: where to place again
};
