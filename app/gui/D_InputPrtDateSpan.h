#pragma once
#include <QDialog>

class DateTime;
class QDateEdit;

// 印刷期間の入力: the first and the last date of a daily print, both today until preset.
class CInputPrtDateSpan : public QDialog {
    Q_OBJECT
public:
    explicit CInputPrtDateSpan(QWidget* parent = nullptr);

    void setDates(const DateTime& start, const DateTime& end);
    // The dates shown (00:00), read when the dialog ends with OK.
    DateTime startDate() const;
    DateTime endDate() const;
    QDateEdit* startEdit() const { return m_start; }
    QDateEdit* endEdit() const { return m_end; }

private:
    QDateEdit* m_start;
    QDateEdit* m_end;
};
