#include "app/gui/ViewGraph.h"
#include "app/gui/OrvoViewDoc.h"
#include "app/gui/UpdateHints.h"
#include "support/Sjis.h"
#include "views/layout/gui/QPainterDeviceContext.h"
#include <QMainWindow>
#include <QMouseEvent>
#include <QStatusBar>
#include <QToolTip>

CViewGraph::CViewGraph(COrvoViewDoc* document, QWidget* parent) : CPageView(document, parent) {
    setObjectName("CViewGraph");
    setAccessibleName(QStringLiteral("グラフ"));
    setMouseTracking(true);
    QPainterDeviceContext dc(*this);
    dc.setMapMode(MM_LOMETRIC);
    m_screen = std::make_unique<GraphPage>(dc, false);
    m_year = std::make_unique<YearGraphPage>(dc, false);
    createPageWindows(&m_screen->root());
    createPageWindows(&m_year->root());
}

CViewGraph::~CViewGraph() = default;

LayoutElement* CViewGraph::screenPage() {
    if (!m_screen)
        return nullptr;
    return m_showsYear ? &m_year->root() : &m_screen->root();
}

std::string CViewGraph::copyText() const {
    return m_showsYear ? m_year->copyText() : m_screen->copyText();
}

void CViewGraph::addExtension(GraphPage::Extension extension) {
    m_extensions.push_back(extension);
    m_screen->addExtension(std::move(extension));
}

void CViewGraph::refillScreen() {
    const DisplaySelection& selection = *screenSelection();
    const bool year = selection.isValid() && selection.isYearly();
    if (year != m_showsYear) {
        hidePageWindows(screenPage());
        m_showsYear = year;
    }
    if (year)
        m_year->fill(selection, document()->yearReport(selection));
    else
        m_screen->fill(selection, m_scales, monthStartDay(), DateTime::now());
}

void CViewGraph::onUpdate(CView* sender, int h, const void* object) {
    if (const int box = hint::scaleBox(h); box >= 0) {
        // Takes effect with the next hint 101.
        if (object)
            m_scales.set(box, *static_cast<const double*>(object));
        return;
    }
    CPageView::onUpdate(sender, h, object);
}

void CViewGraph::PrintGraphPage(DeviceContext& dc, int page, int pageCount) {
    dc.setMapMode(MM_LOMETRIC);
    m_yearPrint.reset();
    if (printSelection() && printSelection()->isYearly()) {
        m_yearPrint = std::make_unique<YearGraphPage>(dc, true, page, pageCount);
        m_yearPrint->fill(*printSelection(), document()->yearReport(*printSelection()));
        return;
    }
    m_print = std::make_unique<GraphPage>(dc, true);
    for (const GraphPage::Extension& extension : m_extensions)
        m_print->addExtension(extension);
    if (printSelection())
        m_print->fill(*printSelection(), m_scales, monthStartDay(), DateTime::now(), page,
                      pageCount);
}

void CViewGraph::drawPrintPage(DeviceContext& dc) {
    if (m_yearPrint)
        drawPrintedPage(m_yearPrint->root(), dc, m_printArea);
    else if (m_print)
        drawPrintedPage(m_print->root(), dc, m_printArea);
}

void CViewGraph::mouseMoveEvent(QMouseEvent* event) {
    CPageView::mouseMoveEvent(event);
    if (!screenSelection() || !screenSelection()->isValid() || m_showsYear)
        return;
    QPainterDeviceContext dc(*this);
    dc.setMapMode(MM_LOMETRIC);
    const QPoint pos = event->position().toPoint();
    const Point logical = dc.toLogical(Point{pos.x(), pos.y()});
    TimeChart* chart = m_screen->chartAt(logical);
    const Rect plot = chart ? chart->plotRect().normalised() : Rect{};
    const bool inPlot = chart && logical.x >= plot.left && logical.x <= plot.right &&
                        logical.y >= plot.top && logical.y <= plot.bottom;
    const QString text =
        inPlot ? QString::fromStdString(sjis::toUtf8(m_screen->valuesAt(*chart, logical.x)))
               : QString();
    if (text.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(event->globalPosition().toPoint(), text, this);
    if (auto* frame = qobject_cast<QMainWindow*>(window()); frame && frame->statusBar())
        frame->statusBar()->showMessage(text);
}
