#pragma once
// Driving dialogs through their controls: find a control by its id, click a button, pick list
// rows, read list texts.
#include "DialogTestSupport.h"

#include <QAccessible>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QStringList>
#include <QWidget>
#include <gtest/gtest.h>
#include <initializer_list>

namespace dialogtest {

using dlgtest::byId;

inline void click(QWidget* parent, int id) {
    QPushButton* b = byId<QPushButton>(parent, id);
    ASSERT_NE(b, nullptr) << id;
    b->click();
}

inline void selectRows(QListWidget* list, std::initializer_list<int> rows) {
    list->clearSelection();
    for (int r : rows)
        list->item(r)->setSelected(true);
}

inline QStringList texts(const QListWidget* list) {
    QStringList t;
    for (int i = 0; i < list->count(); ++i)
        t << list->item(i)->text();
    return t;
}

inline QStringList texts(const QComboBox* box) {
    QStringList t;
    for (int i = 0; i < box->count(); ++i)
        t << box->itemText(i);
    return t;
}

// What a screen reader says a control is: a combo box on Unix names itself by its current
// text and points to its label through the "labelled by" relation; others carry the name.
inline QString accessibleLabel(QWidget* w) {
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
    if (!a)
        return {};
    if (qobject_cast<QComboBox*>(w)) {
        for (const auto& [other, relation] : a->relations(QAccessible::Label))
            if (other && other->role() == QAccessible::StaticText)
                return other->text(QAccessible::Name);
        return {};
    }
    return a->text(QAccessible::Name);
}

// The controls reached by Tab from the one with the first id, as ids.
inline std::vector<int> tabOrder(QWidget* dialog, int firstId, std::size_t count) {
    std::vector<int> ids;
    QWidget* w = byId<QWidget>(dialog, firstId);
    for (std::size_t i = 0; w && i < count; ++i) {
        ids.push_back(w->property("controlId").toInt());
        do
            w = w->nextInFocusChain();
        while (!(w->focusPolicy() & Qt::TabFocus) || !w->isEnabled());
    }
    return ids;
}

} // namespace dialogtest
