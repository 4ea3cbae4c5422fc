#pragma once
#include <QWidget>

class FlowLayout;
class QComboBox;
class QLabel;

// The bar under the menu that picks the day or month of the selected circuit and the graph
// scales. Only widgets here; the frame reacts to them.
class CSelectorBar : public QWidget {
    Q_OBJECT
public:
    explicit CSelectorBar(QWidget* parent = nullptr);

    // The one-time fill: kinds, channels and the three scale lists with their first selections.
    void fillFixedLists();

    QComboBox* kind() const { return m_kind; }
    QComboBox* year() const { return m_year; }
    QComboBox* month() const { return m_month; }
    QLabel* monthLabel() const { return m_monthLabel; }
    QComboBox* day() const { return m_day; }
    QLabel* dayLabel() const { return m_dayLabel; }
    QComboBox* channel() const { return m_channel; }
    QComboBox* power() const { return m_power; }
    QComboBox* voltage() const { return m_voltage; }
    QComboBox* current() const { return m_current; }
    QLabel* powerLabel() const { return m_powerLabel; }
    QLabel* voltageLabel() const { return m_voltageLabel; }

    bool isMonthly() const;
    // 年報: the year alone picks the report.
    bool isYearly() const;
    // Shows the month and day boxes the kind needs (none for a year, no day for a month).
    void showDateBoxesOfKind();
    // True when the scale band sits under the date band for want of width.
    bool isWrapped() const;
    // The scale labels (and the names of their boxes) for the units of the shown report.
    void setScaleUnits(bool kilowatts, bool kilovolts);
    QSize minimumSizeHint() const override;
    QSize sizeHint() const override;
    // The number in the box's selected text, or -1 when nothing is selected.
    static int selectedNumber(const QComboBox* box);
    // Selects the entry with exactly this text; false (and no change) when there is none.
    static bool selectText(QComboBox* box, const QString& text);

protected:
    bool event(QEvent* event) override;

private:
    FlowLayout* m_bands;
    int m_announcedHeight = -1;
    QWidget* m_dateBand;
    QWidget* m_scaleBand;
    QComboBox* m_kind;
    QComboBox* m_year;
    QComboBox* m_month;
    QLabel* m_monthLabel;
    QComboBox* m_day;
    QLabel* m_dayLabel;
    QComboBox* m_channel;
    QLabel* m_channelLabel;
    QComboBox* m_power;
    QComboBox* m_voltage;
    QComboBox* m_current;
    QLabel* m_powerLabel;
    QLabel* m_voltageLabel;
};
