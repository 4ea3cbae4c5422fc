#include "app/gui/PageView.h"
#include "app/gui/OrvoViewDoc.h"
#include "app/gui/UpdateHints.h"
#include "support/Sjis.h"
#include "support/gui/QtCp932.h"
#include "views/layout/GridElement.h"
#include "views/layout/NameAt.h"
#include "views/layout/PageRender.h"
#include "views/layout/ScrollPane.h"
#include "views/layout/gui/QPainterDeviceContext.h"
#include <QClipboard>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QToolTip>
#include <functional>

namespace {

// The first scroll pane of the page whose bar of that direction is enabled.
ScrollPane* scrollingPane(LayoutElement* element, bool horizontal) {
    if (!element)
        return nullptr;
    if (auto* pane = dynamic_cast<ScrollPane*>(element)) {
        ScrollBarControl* bar = horizontal ? pane->horizontalBar() : pane->verticalBar();
        if (bar && bar->isEnabled())
            return pane;
    }
    if (auto* grid = dynamic_cast<GridElement*>(element))
        for (int c = 0; c < grid->columnCount(); ++c)
            for (int r = 0; r < grid->rowCount(); ++r)
                if (ScrollPane* found = scrollingPane(grid->cell(c, r).content(), horizontal))
                    return found;
    return scrollingPane(element->content(), horizontal);
}

void forEachPane(LayoutElement* element, const std::function<void(ScrollPane&)>& f) {
    if (!element)
        return;
    if (auto* pane = dynamic_cast<ScrollPane*>(element))
        f(*pane);
    if (auto* grid = dynamic_cast<GridElement*>(element))
        for (int c = 0; c < grid->columnCount(); ++c)
            for (int r = 0; r < grid->rowCount(); ++r)
                forEachPane(grid->cell(c, r).content(), f);
    forEachPane(element->content(), f);
}

} // namespace

CPageView::CPageView(COrvoViewDoc* document, QWidget* parent)
    : CView(document, parent), m_host(this) {
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
    m_host.setScrollHandler([this](LayoutEvent e) { scroll(e); });
}

CPageView::~CPageView() = default;

int CPageView::monthStartDay() const {
    return document() ? document()->monthStartDay() : 1;
}

void CPageView::onUpdate(CView*, int h, const void* object) {
    switch (h) {
    case hint::Select:
        if (object) {
            m_screenSelection = static_cast<const DisplaySelection*>(object);
            m_printSelection = m_screenSelection;
        }
        // Only the shown view refills: a hidden one does so when it is shown.
        if (!isVisible()) {
            m_stale = true;
            break;
        }
        refillAndPlace();
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

void CPageView::refillAndPlace() {
    m_stale = false;
    if (m_screenSelection)
        refillScreen();
    placeScreenPage();
}

void CPageView::showEvent(QShowEvent* event) {
    CView::showEvent(event);
    if (m_stale)
        refillAndPlace();
}

void CPageView::createPageWindows(LayoutElement* page) {
    if (!page)
        page = screenPage();
    if (page)
        page->notify(LayoutEvent{LayoutEvent::CreateWindows}, &m_host, m_nextControlId);
}

void CPageView::hidePageWindows(LayoutElement* page) {
    forEachPane(page, [](ScrollPane& pane) {
        for (ScrollBarControl* bar : {pane.horizontalBar(), pane.verticalBar()})
            if (bar)
                bar->setShown(false);
    });
}

void CPageView::scroll(LayoutEvent event) {
    LayoutElement* page = screenPage();
    if (!page)
        return;
    QPainterDeviceContext dc(*this);
    dc.setMapMode(MM_LOMETRIC);
    event.dc = &dc;
    int unused = 0;
    page->notify(event, &m_host, unused);
}

void CPageView::placeScreenPage() {
    LayoutElement* page = screenPage();
    if (!page)
        return;
    QPainterDeviceContext dc(*this);
    dc.setMapMode(MM_LOMETRIC);
    page_render::place(*page, &m_host, dc, MM_LOMETRIC,
                       dc.toLogical(Rect{0, 0, width(), height()}));
    update();
}

void CPageView::drawPrintedPage(LayoutElement& page, DeviceContext& dc, const Rect& printArea) {
    dc.setMapMode(MM_LOMETRIC);
    const Rect area = dc.deflateLogical(dc.toLogical(printArea), 200, 250, 200, 250);
    page_render::place(page, nullptr, dc, MM_LOMETRIC, area);
    page_render::paint(page, nullptr, dc);
}

bool CPageView::event(QEvent* event) {
    // A name or summary text the page had to cut shows whole in a tool tip.
    if (event->type() == QEvent::ToolTip && screenPage()) {
        const auto* help = static_cast<QHelpEvent*>(event);
        QPainterDeviceContext dc(*this);
        dc.setMapMode(MM_LOMETRIC);
        const std::string name =
            fittedNameAt(*screenPage(), dc.toLogical(Point{help->pos().x(), help->pos().y()}));
        if (!name.empty()) {
            QToolTip::showText(help->globalPos(), qtFromCp932(name), this);
            return true;
        }
    }
    return CView::event(event);
}

void CPageView::paintEvent(QPaintEvent* event) {
    LayoutElement* page = screenPage();
    if (!page)
        return;
    QPainter painter(this);
    QPainterDeviceContext dc(painter);
    dc.setMapMode(MM_LOMETRIC);
    const QRect r = event->rect();
    dc.setUpdateRect(Rect{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()});
    page_render::paint(*page, &m_host, dc);
}

void CPageView::resizeEvent(QResizeEvent* event) {
    CView::resizeEvent(event);
    placeScreenPage();
}

void CPageView::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy)) {
        const bool shown = m_screenSelection && m_screenSelection->isValid();
        const std::string text = shown ? copyText() : std::string();
        if (!text.empty())
            QGuiApplication::clipboard()->setText(QString::fromStdString(sjis::toUtf8(text)));
        return;
    }
    struct Key {
        int key;
        bool horizontal;
        int code; // 0 line up, 1 line down, 2 page up, 3 page down, 5 thumb
        bool toEnd;
    };
    static const Key keys[] = {
        {Qt::Key_Up, false, 0, false},     {Qt::Key_Down, false, 1, false},
        {Qt::Key_PageUp, false, 2, false}, {Qt::Key_PageDown, false, 3, false},
        {Qt::Key_Home, false, 5, false},   {Qt::Key_End, false, 5, true},
        {Qt::Key_Left, true, 0, false},    {Qt::Key_Right, true, 1, false},
    };
    for (const Key& k : keys) {
        if (event->key() != k.key)
            continue;
        ScrollPane* pane = scrollingPane(screenPage(), k.horizontal);
        if (!pane)
            break;
        ScrollBarControl* bar = k.horizontal ? pane->horizontalBar() : pane->verticalBar();
        LayoutEvent e;
        e.kind = k.horizontal ? LayoutEvent::HorizontalScroll : LayoutEvent::VerticalScroll;
        e.controlId = bar->controlId();
        e.code = k.code;
        e.thumb = k.toEnd ? bar->maximum() : 0;
        scroll(e);
        return;
    }
    CView::keyPressEvent(event);
}
