#include "app/ViewSheet.h"
#include "app/OrvoViewDoc.h"
#include "app/UpdateHints.h"
#include "views/layout/QPainterDeviceContext.h"

CViewSheet::CViewSheet(COrvoViewDoc* document, QWidget* parent) : CPageView(document, parent) {
    setObjectName("CViewSheet");
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
    return m_screenSelection && m_screenSelection->isValid() ? m_screen->copyText() : std::string();
}

void CViewSheet::onUpdate(CView*, int h, const void* object) {
    const int startDay = document() ? document()->monthStartDay() : 1;
    switch (h) {
    case hint::Select:
        if (object) {
            m_screenSelection = static_cast<const DisplaySelection*>(object);
            m_printSelection = m_screenSelection;
        }
        if (m_screenSelection)
            m_screen->fill(*m_screenSelection, startDay);
        placeScreenPage();
        break;
    case hint::PrintSelect:
        if (object)
            m_printSelection = static_cast<const DisplaySelection*>(object);
        break;
    case hint::PrintEnd:
        update();
        break;
    default:
        break;
    }
}

int CViewSheet::TablePageCount() {
    m_tablePageCount = ::TablePageCount(m_printSelection);
    return m_tablePageCount;
}

void CViewSheet::PreparePrintPage(DeviceContext& dc, int page, int pageCount,
                                  const Rect& printArea) {
    if (!m_printSelection)
        return;
    dc.setMapMode(MM_LOMETRIC);
    m_print.PreparePrintPage(dc, *m_printSelection, page, pageCount,
                             document() ? document()->monthStartDay() : 1);
    if (page == 1)
        m_printArea = printArea;
}

void CViewSheet::drawPrintPage(DeviceContext& dc) {
    if (m_print.root())
        drawPrintedPage(*m_print.root(), dc, m_printArea);
}
