#pragma once
#include "app/gui/PageView.h"
#include "store/DAT_DisplaySelection.h"
#include "views/graph/GraphPage.h"
#include "views/graph/YearGraphPage.h"
#include <memory>

// Graph view of the daily, monthly or year report; also draws the printed graph page.
class CViewGraph : public CPageView {
    Q_OBJECT
public:
    explicit CViewGraph(COrvoViewDoc* document, QWidget* parent = nullptr);
    ~CViewGraph() override;

    void onUpdate(CView* sender, int hint, const void* object) override;
    LayoutElement* screenPage() override;
    std::string copyText() const override;
    GraphPage& graph() { return *m_screen; }
    YearGraphPage& yearGraph() { return *m_year; }
    // True while the year graph is shown.
    bool showsYear() const { return m_showsYear; }
    const GraphScales& scales() const { return m_scales; }
    // Curves or marks added to every chart after its own, on screen and on paper.
    void addExtension(GraphPage::Extension extension);

    // The printer's area (device units), given while page 1 of a job is printed.
    void SetPrintArea(const Rect& printArea) { m_printArea = printArea; }
    // Builds the graph page of the selection to print as page `page` of `pageCount`.
    void PrintGraphPage(DeviceContext& dc, int page, int pageCount);
    // Draws the page last built into the printer's device context.
    void drawPrintPage(DeviceContext& dc);

protected:
    void refillScreen() override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    std::unique_ptr<GraphPage> m_screen;
    std::unique_ptr<GraphPage> m_print;
    std::unique_ptr<YearGraphPage> m_year;
    std::unique_ptr<YearGraphPage> m_yearPrint;
    bool m_showsYear = false;
    std::vector<GraphPage::Extension> m_extensions;
    GraphScales m_scales;
    Rect m_printArea;
};
