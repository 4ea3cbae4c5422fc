#pragma once
#include "store/CustomerEditor.h"
#include <QDialog>
#include <optional>

class Prompt;
class QLineEdit;
class QListWidget;
class QPushButton;

// 需要家情報: adds, removes and renames customers and circuits on a copy of the store. The
// caller takes the copy on OK; Cancel discards it.
class CCustEdit : public QDialog {
    Q_OBJECT
public:
    CCustEdit(MeasurementStore store, Prompt& prompt, QWidget* parent = nullptr);

    MeasurementStore takeStore() { return m_editor.takeStore(); }
    // Customer and circuit selected at OK (-1 when none).
    int resultCustomer() const { return m_resultCustomer; }
    int resultCircuit() const { return m_resultCircuit; }

    QListWidget* customerList() const { return m_customers; }
    QListWidget* circuitList() const { return m_circuits; }
    QLineEdit* customerName() const { return m_customerName; }
    QLineEdit* circuitName() const { return m_circuitName; }

    void accept() override;

protected:
    // Enter in a name box adds the typed name (its ▲ 追加), never closing the dialog.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fillCustomers();
    void fillCircuits();
    void onCustomerSelected(int row);
    void onCircuitSelected(int row);
    // After a button that changed something: the lists show the editor's state. A customer
    // change (and an added circuit) then copies the names as a user's selection would.
    void afterCustomerChange(CustomerEditor::Outcome outcome);
    void afterCircuitChange(CustomerEditor::Outcome outcome, bool added);
    // The typed name as CP932; nothing (told) when it holds a character CP932 lacks.
    std::optional<std::string> enteredName(const QLineEdit* edit) const;
    std::optional<std::string> enteredCustomer() const;
    std::optional<std::string> enteredCircuit() const;

    CustomerEditor m_editor;
    Prompt& m_prompt;
    QListWidget* m_customers;
    QListWidget* m_circuits;
    QLineEdit* m_customerName;
    QLineEdit* m_circuitName;
    QPushButton* m_customerAdd = nullptr;
    QPushButton* m_circuitAdd = nullptr;
    int m_resultCustomer = -1;
    int m_resultCircuit = -1;
    bool m_initialising = true;
};
