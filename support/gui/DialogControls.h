#pragma once
// Small helpers the dialogs share: controls that carry their id and name, labels that name
// their control for screen readers, and list refills that keep the scroll position.
#include <QLabel>
#include <QString>
#include <QStringList>
#include <vector>

class QListWidget;
class QWidget;

// Gives the control its object name and its numeric id ("controlId").
template <class Widget> Widget* withId(Widget* widget, int id, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    widget->setProperty("controlId", id);
    return widget;
}

// A label that names `buddy` (its accessible name, and its access key when it has one).
QLabel* buddyLabel(const QString& text, QWidget* buddy, QWidget* parent);

// Replaces the entries without moving the list's scroll position, then selects the given rows
// (the first of them becomes current and is scrolled into sight when it is not). Selection
// signals are not sent. A horizontal extent (pixels) widens every entry, so the list scrolls
// sideways over that width.
void refillList(QListWidget* list, const QStringList& texts, const std::vector<int>& selected,
                int horizontalExtent = 0);

// Rows selected, ascending.
std::vector<int> selectedRows(const QListWidget* list);
