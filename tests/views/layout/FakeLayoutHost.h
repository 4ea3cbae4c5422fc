#pragma once
#include "views/layout/LayoutHost.h"
#include "views/layout/ScrollBarControl.h"
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

// Scroll bars and a window without a screen.
class FakeScrollBar : public ScrollBarControl {
public:
    FakeScrollBar(int id, int thickness) : m_id(id), m_thickness(thickness) {}
    int controlId() const override { return m_id; }
    void setRange(int minimum, int maximum) override {
        m_min = minimum;
        m_max = std::max(minimum, maximum);
        m_pos = std::clamp(m_pos, m_min, m_max);
    }
    int maximum() const override { return m_max; }
    int position() const override { return m_pos; }
    void setPosition(int position, bool) override { m_pos = std::clamp(position, m_min, m_max); }
    void setEnabled(bool enabled) override { m_enabled = enabled; }
    bool isEnabled() const override { return m_enabled; }
    void setShown(bool shown) override { m_shown = shown; }
    bool isShown() const override { return m_shown; }
    void move(const Rect& device) override { m_geometry = device; }
    Rect geometry() const override { return m_geometry; }
    int thickness() const override { return m_thickness; }

private:
    int m_id;
    int m_thickness;
    int m_min = 0;
    int m_max = 0;
    int m_pos = 0;
    bool m_enabled = true;
    bool m_shown = true;
    Rect m_geometry;
};

class FakeLayoutHost : public LayoutHost {
public:
    void invalidate(const Rect& device, bool) override { invalidated.push_back(device); }
    void validate(const Rect& device) override { validated.push_back(device); }
    std::unique_ptr<ScrollBarControl> createScrollBar(bool horizontal, int controlId) override {
        if (failBars)
            return nullptr;
        auto bar = std::make_unique<FakeScrollBar>(controlId, 10);
        (horizontal ? hbar : vbar) = bar.get();
        return bar;
    }
    void showMessage(const std::string& text) override { messages.push_back(text); }

    bool failBars = false;
    FakeScrollBar* hbar = nullptr;
    FakeScrollBar* vbar = nullptr;
    std::vector<Rect> invalidated;
    std::vector<Rect> validated;
    std::vector<std::string> messages;
};
