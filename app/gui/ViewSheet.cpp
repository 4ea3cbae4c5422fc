#include "app/gui/ViewSheet.h"
#include "views/layout/gui/QPainterDeviceContext.h"

CViewSheet::CViewSheet(COrvoViewDoc* document, QWidget* parent) : CPageView(document, parent) {
    setObjectName("CViewSheet");
    setAccessibleName(QStringLiteral("表"));
    QPainterDeviceContext dc(*this);
    dc.setMapMode(MM_LOMETRIC);
    m_screen = std::make_unique<SheetScreen>(dc);
    createPageWindows();
}

CViewSheet::~CViewSheet() = default;

LayoutElement* CViewSheet::screenPage() {
    return m_screen ? &m_screen->root() : nullptr;
}

std::string CViewSheet::copyText() const {
    return m_screen->copyText();
}

void CViewSheet::refillScreen() {
    m_screen->fill(*screenSelection(), monthStartDay());
}

int CViewSheet::TablePageCount() {
    m_tablePageCount = ::TablePageCount(printSelection());
    return m_tablePageCount;
}

void CViewSheet::PreparePrintPage(DeviceContext& dc, int page, int pageCount,
                                  const Rect& printArea) {
    if (!printSelection())
        return;
    dc.setMapMode(MM_LOMETRIC);
    m_print.PreparePrintPage(dc, *printSelection(), page, pageCount, monthStartDay());
    if (page == 1)
        m_printArea = printArea;
}

void CViewSheet::drawPrintPage(DeviceContext& dc) {
    if (m_print.root())
        drawPrintedPage(*m_print.root(), dc, m_printArea);
}
