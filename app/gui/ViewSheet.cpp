#include "app/gui/ViewSheet.h"
#include "app/gui/OrvoViewDoc.h"
#include "textout/ReportHeader.h"
#include "views/layout/gui/QPainterDeviceContext.h"

CViewSheet::CViewSheet(COrvoViewDoc* document, QWidget* parent) : CPageView(document, parent) {
    setObjectName("CViewSheet");
    setAccessibleName(QStringLiteral("表"));
    QPainterDeviceContext dc(*this);
    dc.setMapMode(MM_LOMETRIC);
    m_screen = std::make_unique<SheetScreen>(dc);
    m_year = std::make_unique<YearSheet>(dc, false);
    createPageWindows(&m_screen->root());
    createPageWindows(&m_year->root());
}

CViewSheet::~CViewSheet() = default;

LayoutElement* CViewSheet::screenPage() {
    if (!m_screen)
        return nullptr;
    return m_showsYear ? &m_year->root() : &m_screen->root();
}

std::string CViewSheet::copyText() const {
    return m_showsYear ? m_year->copyText() : m_screen->copyText();
}

void CViewSheet::refillScreen() {
    const DisplaySelection& selection = *screenSelection();
    const bool year = selection.isValid() && selection.isYearly();
    if (year != m_showsYear) {
        hidePageWindows(screenPage());
        m_showsYear = year;
    }
    if (year)
        m_year->fill(selection, document()->yearReport(selection));
    else
        m_screen->fill(selection, monthStartDay());
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
    const DisplaySelection& selection = *printSelection();
    m_yearPrint.reset();
    if (selection.isYearly()) {
        m_yearPrint = std::make_unique<YearSheet>(dc, true, page, pageCount);
        m_yearPrint->fill(selection, document()->yearReport(selection));
    } else {
        const std::optional<ReportHeader> header =
            ReportHeaderSettings::load(reportHeaderPath(document()->dataFolder()))
                .printedHeader(selection.customerName, selection.circuitName);
        m_print.PreparePrintPage(dc, selection, page, pageCount, monthStartDay(),
                                 header ? &*header : nullptr);
    }
    if (page == 1)
        m_printArea = printArea;
}

void CViewSheet::drawPrintPage(DeviceContext& dc) {
    if (m_yearPrint)
        drawPrintedPage(m_yearPrint->root(), dc, m_printArea);
    else if (m_print.root())
        drawPrintedPage(*m_print.root(), dc, m_printArea);
}
