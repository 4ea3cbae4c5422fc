#pragma once
#include <QDialog>

class Prompt;
class QLineEdit;

// 月報の集計開始日: the day of the month on which a report month starts.
class CInputMonStartDay : public QDialog {
    Q_OBJECT
public:
    CInputMonStartDay(int currentDay, Prompt& prompt, QWidget* parent = nullptr);

    // The accepted day (1-31) after OK.
    int day() const { return m_day; }
    QLineEdit* edit() const { return m_edit; }

private:
    void onOk();

    Prompt& m_prompt;
    int m_day;
    QLineEdit* m_edit;
};
