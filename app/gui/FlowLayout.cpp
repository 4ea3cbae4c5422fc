#include "app/gui/FlowLayout.h"
#include <QWidget>
#include <algorithm>

FlowLayout::FlowLayout(QWidget* parent, int columnSpacing, int rowSpacing)
    : QLayout(parent), m_columnSpacing(columnSpacing), m_rowSpacing(rowSpacing) {
    setContentsMargins(0, 0, 0, 0);
}

FlowLayout::~FlowLayout() {
    while (QLayoutItem* item = takeAt(0))
        delete item;
}

void FlowLayout::addItem(QLayoutItem* item) {
    m_items.append(item);
}

int FlowLayout::count() const {
    return static_cast<int>(m_items.size());
}

QLayoutItem* FlowLayout::itemAt(int index) const {
    return index >= 0 && index < m_items.size() ? m_items.at(index) : nullptr;
}

QLayoutItem* FlowLayout::takeAt(int index) {
    return index >= 0 && index < m_items.size() ? m_items.takeAt(index) : nullptr;
}

Qt::Orientations FlowLayout::expandingDirections() const {
    return {};
}

bool FlowLayout::hasHeightForWidth() const {
    return true;
}

int FlowLayout::heightForWidth(int width) const {
    return place(QRect(0, 0, width, 0), false).height;
}

int FlowLayout::rowCountForWidth(int width) const {
    return place(QRect(0, 0, width, 0), false).rows;
}

QSize FlowLayout::minimumSize() const {
    QSize size;
    for (const QLayoutItem* item : m_items)
        if (!item->isEmpty())
            size = size.expandedTo(item->minimumSize());
    const QMargins m = contentsMargins();
    return size + QSize(m.left() + m.right(), m.top() + m.bottom());
}

QSize FlowLayout::sizeHint() const {
    int width = 0;
    int height = 0;
    int visible = 0;
    for (const QLayoutItem* item : m_items) {
        if (item->isEmpty())
            continue;
        width += item->sizeHint().width();
        height = std::max(height, item->sizeHint().height());
        ++visible;
    }
    const QMargins m = contentsMargins();
    width += std::max(visible - 1, 0) * m_columnSpacing;
    return {width + m.left() + m.right(), height + m.top() + m.bottom()};
}

void FlowLayout::setGeometry(const QRect& rect) {
    QLayout::setGeometry(rect);
    place(rect, true);
}

FlowLayout::Placement FlowLayout::place(const QRect& rect, bool apply) const {
    const QRect area = rect.marginsRemoved(contentsMargins());
    int x = area.x();
    int y = area.y();
    int rowHeight = 0;
    int rows = 0;
    for (QLayoutItem* item : m_items) {
        if (item->isEmpty())
            continue;
        QSize size = item->sizeHint();
        size.setWidth(std::min(size.width(), std::max(area.width(), item->minimumSize().width())));
        if (rows == 0) {
            rows = 1;
        } else if (x + size.width() > area.x() + area.width()) {
            x = area.x();
            y += rowHeight + m_rowSpacing;
            rowHeight = 0;
            ++rows;
        }
        if (apply)
            item->setGeometry(QRect(QPoint(x, y), size));
        x += size.width() + m_columnSpacing;
        rowHeight = std::max(rowHeight, size.height());
    }
    const QMargins m = contentsMargins();
    return {y + rowHeight - area.y() + m.top() + m.bottom(), rows};
}
