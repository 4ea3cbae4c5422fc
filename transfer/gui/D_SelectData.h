#pragma once
#include "store/DAT_DisplaySelection.h"
#include "store/DAT_Store.h"
#include <QDialog>

class Prompt;
class QComboBox;
class QListWidget;

// 表示データの選択: customer, circuit and one of its stored days. Works on a copy of the store
// and changes nothing in it.
class CSelectData : public QDialog {
    Q_OBJECT
public:
    CSelectData(MeasurementStore store, const SelectionTuple& current, Prompt& prompt,
                QWidget* parent = nullptr);

    // After OK: (customer, circuit, day, -1, -1), all valid for the store.
    SelectionTuple selection() const { return m_selection; }

    QComboBox* customers() const { return m_customers; }
    QComboBox* circuits() const { return m_circuits; }
    QListWidget* days() const { return m_days; }

private:
    void fillCircuits(int select);
    void fillDays(int select);
    void onOk();

    MeasurementStore m_store;
    SelectionTuple m_selection;
    Prompt& m_prompt;
    QComboBox* m_customers;
    QComboBox* m_circuits;
    QListWidget* m_days;
};
