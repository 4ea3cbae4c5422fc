#pragma once
#include "app/gui/View.h"
#include "store/DAT_DisplaySelection.h"
#include "views/layout/LayoutElement.h"
#include "views/layout/gui/QtLayoutHost.h"

class DeviceContext;

// A view that shows a page of the layout engine: the page is placed on every resize and new
// content and painted from its stored layout; the engine's scroll bars and the keyboard scroll
// it; Ctrl+C copies what the view shows as tab-separated text.
class CPageView : public CView {
    Q_OBJECT
public:
    explicit CPageView(COrvoViewDoc* document, QWidget* parent = nullptr);
    ~CPageView() override;

    // 101 refills and places the screen page, 102 takes the selection to print, 103 repaints.
    void onUpdate(CView* sender, int hint, const void* object) override;
    // The page shown on screen, or nullptr before it is built.
    virtual LayoutElement* screenPage() = 0;
    // Tab-separated text of what is shown (CP932).
    virtual std::string copyText() const = 0;

    // The selection the next printed pages show (hint 102), or nullptr.
    const DisplaySelection* printedSelection() const { return m_printSelection; }
    // Places the screen page in the whole client area and repaints it.
    void placeScreenPage();
    // Draws a printed page: places it in the printer's area less 20 mm left and right and
    // 25 mm top and bottom, then paints it.
    static void drawPrintedPage(LayoutElement& page, DeviceContext& dc, const Rect& printArea);

protected:
    // Fills the screen page for screenSelection() (called with a selection only).
    virtual void refillScreen() = 0;
    const DisplaySelection* screenSelection() const { return m_screenSelection; }
    const DisplaySelection* printSelection() const { return m_printSelection; }
    int monthStartDay() const;
    // Creates the scroll bars of the page's panes (once the page exists); by default the
    // screen page's.
    void createPageWindows(LayoutElement* page = nullptr);
    // Hides the scroll bars of a page the view stops showing (placing it again shows them).
    static void hidePageWindows(LayoutElement* page);
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    QtLayoutHost& host() { return m_host; }

private:
    void scroll(LayoutEvent event);
    void refillAndPlace();

    QtLayoutHost m_host;
    const DisplaySelection* m_screenSelection = nullptr;
    const DisplaySelection* m_printSelection = nullptr;
    int m_nextControlId = 2000;
    bool m_stale = false; // a selection came while hidden
};
