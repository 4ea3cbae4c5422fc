#include "support/gui/DialogControls.h"
#include "res/ResourceIds.h"
#include "support/gui/DialogParts.h"
#include <QListWidget>
#include <QScrollBar>
#include <QSignalBlocker>
#include <algorithm>

QLabel* buddyLabel(const QString& text, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(buddy->objectName() + QStringLiteral("Label"));
    label->setProperty("controlId", res::IDC_STATIC);
    label->setBuddy(buddy);
    // Not every control's accessible interface looks for its label: name it directly.
    if (buddy->accessibleName().isEmpty())
        dialog::nameAfter(label, buddy);
    return label;
}

void refillList(QListWidget* list, const QStringList& texts, const std::vector<int>& selected,
                int horizontalExtent) {
    const QSignalBlocker blocker(list);
    const int top = list->verticalScrollBar()->value();
    const int left = list->horizontalScrollBar()->value();
    list->setUpdatesEnabled(false);
    list->clear();
    list->addItems(texts);
    if (horizontalExtent > 0) {
        const QSize size(horizontalExtent, list->fontMetrics().height() + 2);
        for (int row = 0; row < list->count(); ++row)
            list->item(row)->setSizeHint(size);
    }
    list->setCurrentRow(-1);
    for (int row : selected)
        if (QListWidgetItem* item = list->item(row))
            item->setSelected(true);
    // The ranges of the scroll bars follow the new entries only after a layout.
    list->doItemsLayout();
    list->verticalScrollBar()->setValue(top);
    list->horizontalScrollBar()->setValue(left);
    if (!selected.empty() && list->item(selected.front())) {
        list->setCurrentRow(selected.front(), QItemSelectionModel::Current);
        list->scrollToItem(list->item(selected.front())); // only when it is out of sight
    }
    list->setUpdatesEnabled(true);
}

std::vector<int> selectedRows(const QListWidget* list) {
    std::vector<int> rows;
    for (const QListWidgetItem* item : list->selectedItems())
        rows.push_back(list->row(item));
    std::sort(rows.begin(), rows.end());
    return rows;
}
