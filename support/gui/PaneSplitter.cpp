#include "support/gui/PaneSplitter.h"

#include <QApplication>
#include <QMouseEvent>
#include <QResizeEvent>
#include <QSplitterHandle>
#include <QWheelEvent>
#include <algorithm>
#include <cstdio>

// One grid position. Every child fills it; only the shown view is visible.
class PaneSplitter::Slot : public QWidget {
public:
    explicit Slot(QWidget* parent) : QWidget(parent) { setMinimumSize(0, 0); }
    QWidget* shown() const { return current; }
    QWidget* current = nullptr; // the view shown here
    int id = 0;

protected:
    void resizeEvent(QResizeEvent*) override {
        for (QObject* o : children())
            if (auto* w = qobject_cast<QWidget*>(o))
                w->setGeometry(rect());
    }
};

int PaneSplitter::s_layoutCounter = 0;

PaneSplitter::PaneSplitter(int level, QWidget* parent) : QSplitter(parent), m_level(level) {
    setChildrenCollapsible(true);
    setOpaqueResize(true);
    connect(this, &QSplitter::splitterMoved, this, [this](int, int) {
        // A dragged bar sets the first pane's ideal size, as the static splitter does.
        const QList<int> s = sizes();
        if (!s.isEmpty() && m_hiddenColumn < 0 && m_hiddenRow < 0)
            m_idealSize[0] = s[0];
    });
}

PaneSplitter::~PaneSplitter() = default;

bool PaneSplitter::create(const std::string& name, QWidget* parent, const ViewClass& firstViewClass,
                          const ViewClass& secondViewClass, bool sideBySide, int id,
                          int paneCount) {
    if (paneCount < 1 || paneCount > 2 || !m_slots.empty())
        return false;
    m_name = name;
    m_sideBySide = sideBySide;
    m_paneCount = paneCount;
    m_id = id;
    setObjectName(QString::fromStdString(name));
    setProperty("controlId", id);
    if (parent)
        setParent(parent);
    setOrientation(sideBySide ? Qt::Horizontal : Qt::Vertical);
    for (int i = 0; i < paneCount; ++i) {
        auto* slot = new Slot(this);
        m_slots.push_back(slot);
        addWidget(slot);
    }
    relabel();
    // The first views fill the panes but belong to no stack: the first added view is index 0.
    if (firstViewClass && !placeView(0, firstViewClass, false))
        return false;
    if (secondViewClass && paneCount > 1 && !placeView(1, secondViewClass, false))
        return false;
    return true;
}

void PaneSplitter::setDefaultPaneSizes(int firstSize, int secondSize, int hiddenColumn,
                                       int hiddenRow) {
    char text[64];
    std::snprintf(text, sizeof text, "%d %d %d %d", hiddenColumn, firstSize, hiddenRow, secondSize);
    m_paneSizesText = text;
}

std::string PaneSplitter::profileKey() const {
    char level[16];
    std::snprintf(level, sizeof level, "%d", m_level);
    return m_name + "_Panes_" + level;
}

void PaneSplitter::loadPaneSizes(const ProfileReader& read) {
    LayoutGuard guard;
    const std::string text =
        read ? read(kProfileSection, profileKey(), m_paneSizesText) : m_paneSizesText;
    // Fields the text lacks keep what they were; a damaged entry never breaks the layout.
    int hiddenColumn = -1, first = m_idealSize[0], hiddenRow = -1, second = m_idealSize[1];
    std::sscanf(text.c_str(), "%d %d %d %d", &hiddenColumn, &first, &hiddenRow, &second);
    m_idealSize[0] = first;
    m_idealSize[1] = second;
    const int hidden = m_sideBySide ? hiddenColumn : hiddenRow;
    // Lay out first, so hiding keeps the sizes just read as the panes' current sizes.
    recalcLayout();
    if (hidden >= 0 && hidden < m_paneCount && m_paneCount > 1)
        toggleHidden(hidden);
    for (PaneSplitter* child : m_children)
        if (child)
            child->loadPaneSizes(read);
}

void PaneSplitter::setTracking(bool enabled) {
    m_trackingEnabled = enabled;
    for (int i = 0; i < count(); ++i)
        if (QSplitterHandle* h = handle(i))
            h->setCursor(enabled ? (m_sideBySide ? Qt::SplitHCursor : Qt::SplitVCursor)
                                 : Qt::ArrowCursor);
}

int PaneSplitter::paneId(int position) const {
    return m_sideBySide ? m_id + position : m_id + position * 16;
}

void PaneSplitter::relabel() {
    int visible = 0;
    // Visible positions count from the first id; the hidden one sits just beyond the grid.
    const int hidden = m_sideBySide ? m_hiddenColumn : m_hiddenRow;
    for (int i = 0; i < static_cast<int>(m_slots.size()); ++i) {
        Slot* slot = m_slots[static_cast<size_t>(i)];
        slot->id = (i == hidden) ? paneId(static_cast<int>(m_slots.size())) : paneId(visible++);
        for (QObject* o : slot->children())
            if (auto* w = qobject_cast<QWidget*>(o))
                w->setProperty("controlId", w == slot->current ? slot->id : 0);
    }
}

int PaneSplitter::positionOf(int pane) const {
    const int wanted = paneId(pane);
    for (int i = 0; i < static_cast<int>(m_slots.size()); ++i)
        if (m_slots[static_cast<size_t>(i)]->id == wanted)
            return i;
    return -1;
}

QWidget* PaneSplitter::windowAt(int row, int column) const {
    const int wanted = m_id + row * 16 + column;
    for (Slot* slot : m_slots)
        if (slot->id == wanted)
            return slot->shown();
    return nullptr;
}

int PaneSplitter::viewCount(int pane) const {
    return static_cast<int>(m_viewStack[pane & 1].size());
}

QWidget* PaneSplitter::view(int pane, int index) const {
    const auto& stack = m_viewStack[pane & 1];
    return index >= 0 && index < static_cast<int>(stack.size()) ? stack[static_cast<size_t>(index)]
                                                                : nullptr;
}

int PaneSplitter::addView(int pane, const ViewClass& viewClass) {
    LayoutGuard guard;
    QWidget* view = placeView(pane, viewClass, true);
    if (!view)
        return -1;
    redrawNow();
    return m_currentView[pane];
}

QWidget* PaneSplitter::placeView(int pane, const ViewClass& viewClass, bool pushToStack) {
    if (pane < 0 || pane >= m_paneCount || !viewClass)
        return nullptr;
    const int position = positionOf(pane);
    if (position < 0)
        return nullptr;
    Slot* slot = m_slots[static_cast<size_t>(position)];
    QWidget* previous = slot->shown();
    QWidget* view = viewClass(slot);
    if (!view)
        return nullptr;
    if (previous) {
        previous->hide();
        previous->setProperty("controlId", 0);
    }
    if (view->parentWidget() != slot)
        view->setParent(slot);
    view->setGeometry(slot->rect());
    if (pushToStack) {
        auto& stack = m_viewStack[pane];
        stack.push_back(view);
        m_currentView[pane] = static_cast<int>(stack.size()) - 1;
    }
    view->setProperty("controlId", slot->id);
    slot->current = view;
    view->show();
    return view;
}

void PaneSplitter::selectView(int pane, int index) {
    LayoutGuard guard;
    if (pane < 0 || pane >= m_paneCount)
        return;
    auto& stack = m_viewStack[pane];
    if (stack.empty())
        return;
    if (index == -1)
        index = (m_currentView[pane] + 1) % static_cast<int>(stack.size());
    if (index < 0 || index >= static_cast<int>(stack.size()))
        return;
    const int hidden = m_sideBySide ? m_hiddenColumn : m_hiddenRow;
    const int position = positionOf(hidden == 0 ? 0 : pane);
    if (position < 0)
        return;
    Slot* slot = m_slots[static_cast<size_t>(position)];
    QWidget* selected = stack[static_cast<size_t>(index)];
    QWidget* previous = slot->shown();
    if (previous && previous != selected) {
        previous->setProperty("controlId", 0);
        previous->hide();
    }
    // A view shown elsewhere leaves its old position empty.
    for (Slot* other : m_slots)
        if (other != slot && other->current == selected)
            other->current = nullptr;
    if (selected->parentWidget() != slot)
        selected->setParent(slot);
    selected->setGeometry(slot->rect());
    selected->setProperty("controlId", slot->id);
    slot->current = selected;
    selected->show();
    m_currentView[pane] = index;
    recalcLayout();
    redrawNow();
}

void PaneSplitter::saveSizesTree() {
    const QList<int> s = sizes();
    // A splitter never laid out has no sizes of its own yet: it keeps its ideal sizes.
    int total = 0;
    for (int v : s)
        total += v;
    if (isVisible() && total > 0)
        for (int i = 0; i < std::min<int>(2, static_cast<int>(s.size())); ++i)
            m_idealSize[i] = s[i];
    for (PaneSplitter* child : m_children)
        if (child)
            child->saveSizesTree();
}

void PaneSplitter::hideSlot(int index) {
    Slot* slot = m_slots[static_cast<size_t>(index)];
    const int hiddenSize = sizes().value(index);
    // Keep the keyboard in a visible pane.
    if (QWidget* focus = QApplication::focusWidget(); focus && slot->isAncestorOf(focus)) {
        Slot* next = m_slots[static_cast<size_t>((index + 1) % m_slots.size())];
        if (QWidget* w = next->shown())
            w->setFocus();
    }
    slot->hide();
    if (m_sideBySide)
        m_hiddenColumn = index;
    else
        m_hiddenRow = index;
    relabel();
    // The new last pane takes over the hidden pane's room.
    if (hiddenSize > 0)
        m_idealSize[1] = hiddenSize;
    recalcLayout();
}

void PaneSplitter::showHiddenSlot() {
    const int index = m_sideBySide ? m_hiddenColumn : m_hiddenRow;
    Slot* slot = m_slots[static_cast<size_t>(index)];
    if (m_sideBySide)
        m_hiddenColumn = -1;
    else
        m_hiddenRow = -1;
    slot->setAttribute(Qt::WA_ShowWithoutActivating);
    slot->show();
    relabel();
    recalcLayout();
}

void PaneSplitter::toggleHidden(int index) {
    LayoutGuard guard;
    if (m_paneCount < 2 || index < 0 || index >= m_paneCount)
        return;
    const int hidden = m_sideBySide ? m_hiddenColumn : m_hiddenRow;
    if (hidden < 0) {
        saveSizesTree();
        hideSlot(index);
    } else if (hidden == index) {
        showHiddenSlot();
    }
}

PaneSplitter* PaneSplitter::createChildSplitter() {
    return new PaneSplitter(m_level + 1);
}

PaneSplitter* PaneSplitter::addChildSplitter(int pane) {
    if (pane < 0 || pane >= m_paneCount || m_children[pane])
        return nullptr;
    PaneSplitter* child = nullptr;
    const int index = addView(pane, [this, &child](QWidget* parent) -> QWidget* {
        child = createChildSplitter();
        child->setParent(parent);
        return child;
    });
    if (index < 0)
        return nullptr;
    m_children[pane] = child;
    return child;
}

void PaneSplitter::recalcLayout() {
    if (m_slots.empty())
        return;
    const int total = (orientation() == Qt::Horizontal ? width() : height());
    QList<int> s;
    int visibleCount = 0;
    const int hidden = m_sideBySide ? m_hiddenColumn : m_hiddenRow;
    for (size_t i = 0; i < m_slots.size(); ++i)
        visibleCount += static_cast<int>(i) == hidden ? 0 : 1;
    int left = std::max(0, total - handleWidth() * std::max(0, visibleCount - 1));
    int seen = 0;
    for (size_t i = 0; i < m_slots.size(); ++i) {
        if (static_cast<int>(i) == hidden) {
            s << 0;
            continue;
        }
        ++seen;
        if (seen == visibleCount) {
            s << left; // the last pane takes the rest
            continue;
        }
        const int ideal = m_idealSize[std::min<size_t>(i, 1)];
        const int size = ideal < m_minSize[std::min<size_t>(i, 1)] ? 0 : std::min(ideal, left);
        s << size;
        left -= size;
    }
    setSizes(s);
}

void PaneSplitter::redrawNow() {
    update();
    if (isVisible())
        repaint();
}

void PaneSplitter::resizeEvent(QResizeEvent* event) {
    const bool nothingHidden = m_sideBySide ? m_hiddenColumn < 0 : m_hiddenRow < 0;
    if (s_layoutCounter == 0 && m_keepSecondPane && nothingHidden && m_slots.size() == 2 &&
        m_slots[1]->shown()) {
        const int before = sizes().value(1);
        QSplitter::resizeEvent(event);
        if (before > 0) {
            const QList<int> now = sizes();
            m_idealSize[0] = std::max(0, now.value(0) + now.value(1) - before);
        }
        recalcLayout();
        return;
    }
    QSplitter::resizeEvent(event);
    recalcLayout();
}

QSplitterHandle* PaneSplitter::createHandle() {
    QSplitterHandle* h = QSplitter::createHandle();
    h->installEventFilter(this);
    if (!m_trackingEnabled)
        h->setCursor(Qt::ArrowCursor);
    return h;
}

bool PaneSplitter::eventFilter(QObject* watched, QEvent* event) {
    if (qobject_cast<QSplitterHandle*>(watched)) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
            if (!m_trackingEnabled) {
                // A locked bar cannot be grabbed; the mouse only reaches the hooks.
                if (event->type() != QEvent::MouseMove)
                    dispatchHook(static_cast<QMouseEvent*>(event));
                return true;
            }
            if (event->type() != QEvent::MouseMove) {
                // Let the handle drag first, then run the hook.
                watched->removeEventFilter(this);
                QApplication::sendEvent(watched, event);
                watched->installEventFilter(this);
                dispatchHook(static_cast<QMouseEvent*>(event));
                return true;
            }
            break;
        default:
            break;
        }
    }
    return QSplitter::eventFilter(watched, event);
}

void PaneSplitter::dispatchHook(QMouseEvent* e) {
    const bool left = e->button() == Qt::LeftButton;
    const bool right = e->button() == Qt::RightButton;
    switch (e->type()) {
    case QEvent::MouseButtonPress:
        if (left)
            afterLButtonDown(e);
        else if (right)
            afterRButtonDown(e);
        break;
    case QEvent::MouseButtonRelease:
        if (left)
            afterLButtonUp(e);
        else if (right)
            afterRButtonUp(e);
        break;
    case QEvent::MouseButtonDblClick:
        if (left)
            afterLButtonDblClk(e);
        else if (right)
            afterRButtonDblClk(e);
        break;
    default:
        break;
    }
}

void PaneSplitter::wheelEvent(QWheelEvent* event) {
    // Wheel turns end here; the frame never scrolls.
    event->accept();
}

void PaneSplitter::mousePressEvent(QMouseEvent* event) {
    QSplitter::mousePressEvent(event);
    dispatchHook(event);
}

void PaneSplitter::mouseReleaseEvent(QMouseEvent* event) {
    QSplitter::mouseReleaseEvent(event);
    dispatchHook(event);
}

void PaneSplitter::mouseDoubleClickEvent(QMouseEvent* event) {
    QSplitter::mouseDoubleClickEvent(event);
    dispatchHook(event);
}
