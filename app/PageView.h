#pragma once
#include "app/View.h"
#include "views/layout/LayoutElement.h"
#include "views/layout/QtLayoutHost.h"

class DeviceContext;

// A view that shows a page of the layout engine: the page is placed on every resize and new
// content and painted from its stored layout; the engine's scroll bars and the keyboard scroll
// it; Ctrl+C copies what the view shows as tab-separated text.
class CPageView : public CView {
    Q_OBJECT
public:
    explicit CPageView(COrvoViewDoc* document, QWidget* parent = nullptr);
    ~CPageView() override;

    // The page shown on screen, or nullptr before it is built.
    virtual LayoutElement* screenPage() = 0;
    // Tab-separated text of what is shown (CP932); empty when nothing is.
    virtual std::string copyText() const = 0;

    // Places the screen page in the whole client area and repaints it.
    void placeScreenPage();
    // Draws a printed page: places it in the printer's area less 20 mm left and right and
    // 25 mm top and bottom, then paints it.
    static void drawPrintedPage(LayoutElement& page, DeviceContext& dc, const Rect& printArea);

protected:
    // Creates the scroll bars of the page's panes (once the page exists).
    void createPageWindows();
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    QtLayoutHost& host() { return m_host; }

private:
    void scroll(LayoutEvent event);

    QtLayoutHost m_host;
    int m_nextControlId = 2000;
};
