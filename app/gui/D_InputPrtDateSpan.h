#pragma once
#include <QDialog>

class DateTime;
class Prompt;
class QDateEdit;

// 印刷期間の入力: the first and the last date of a daily print, both today until preset. OK with
// the end before the start is answered by a message and the dialog stays.
class CInputPrtDateSpan : public QDialog {
    Q_OBJECT
public:
    explicit CInputPrtDateSpan(Prompt& prompt, QWidget* parent = nullptr);

    void setDates(const DateTime& start, const DateTime& end);
    // The dates shown (00:00), read when the dialog ends with OK.
    DateTime startDate() const;
    DateTime endDate() const;
    QDateEdit* startEdit() const { return m_start; }
    QDateEdit* endEdit() const { return m_end; }

private:
    void onOk();

    Prompt& m_prompt;
    QDateEdit* m_start;
    QDateEdit* m_end;
};
