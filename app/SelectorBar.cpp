#include "app/SelectorBar.h"
#include "res/ResourceIds.h"
#include "transfer/SelectionRules.h"
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>

namespace {

QComboBox* makeList(QWidget* parent, int id, const char* name, int minChars) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setProperty("controlId", id);
    box->setEditable(false);
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    box->setMinimumContentsLength(minChars);
    return box;
}

QLabel* makeLabel(QWidget* parent, const QString& text, const char* name, int id = -1) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setProperty("controlId", id);
    return label;
}

void fillScale(QComboBox* box, const std::vector<int>& values, int selected) {
    box->clear();
    for (int v : values)
        box->addItem(QString::number(v));
    box->setCurrentIndex(selected);
}

} // namespace

CSelectorBar::CSelectorBar(QWidget* parent) : QWidget(parent) {
    setObjectName("selectorBar");
    setProperty("controlId", res::IDD_SELECTOR_BAR);
    m_kind = makeList(this, res::IDC_KIND, "kind", 4);
    m_year = makeList(this, res::IDC_YEAR, "year", 4);
    m_month = makeList(this, res::IDC_MONTH, "month", 2);
    m_day = makeList(this, res::IDC_DAY, "day", 2);
    m_dayLabel = makeLabel(this, QStringLiteral("日"), "dayLabel", res::IDC_DAY_LABEL);
    m_channel = makeList(this, res::IDC_CHANNEL, "channel", 1);
    m_channelLabel = makeLabel(this, QStringLiteral("CH："), "channelLabel");
    m_power = makeList(this, res::IDC_SCALE_POWER, "powerScale", 5);
    m_voltage = makeList(this, res::IDC_SCALE_VOLTAGE, "voltageScale", 4);
    m_current = makeList(this, res::IDC_SCALE_CURRENT, "currentScale", 5);
    m_powerLabel =
        makeLabel(this, QStringLiteral("電力(kW)："), "powerLabel", res::IDC_POWER_LABEL);
    m_voltageLabel =
        makeLabel(this, QStringLiteral("電圧(kV)："), "voltageLabel", res::IDC_VOLTAGE_LABEL);
    // The channel box is kept for the file names of the CSV output but never shown.
    m_channel->setVisible(false);
    m_channelLabel->setVisible(false);

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(6, 2, 6, 2);
    row->setSpacing(4);
    row->addWidget(makeLabel(this, QStringLiteral("種類："), "kindLabel"));
    row->addWidget(m_kind);
    row->addSpacing(12);
    row->addWidget(makeLabel(this, QStringLiteral("日付："), "dateLabel"));
    row->addWidget(m_year);
    row->addWidget(makeLabel(this, QStringLiteral("年"), "yearLabel"));
    row->addWidget(m_month);
    row->addWidget(makeLabel(this, QStringLiteral("月"), "monthLabel"));
    row->addWidget(m_day);
    row->addWidget(m_dayLabel);
    row->addWidget(m_channelLabel);
    row->addWidget(m_channel);
    row->addSpacing(16);
    row->addWidget(m_powerLabel);
    row->addWidget(m_power);
    row->addSpacing(8);
    row->addWidget(m_voltageLabel);
    row->addWidget(m_voltage);
    row->addSpacing(8);
    row->addWidget(makeLabel(this, QStringLiteral("電流(A)："), "currentLabel"));
    row->addWidget(m_current);
    row->addStretch(1);
}

void CSelectorBar::fillFixedLists() {
    m_kind->clear();
    m_kind->addItem(QStringLiteral("日別"));
    m_kind->addItem(QStringLiteral("月別"));
    m_kind->setCurrentIndex(0);
    m_channel->clear();
    m_channel->addItem(QStringLiteral("1"));
    m_channel->addItem(QStringLiteral("2"));
    m_channel->setCurrentIndex(0);
    fillScale(m_power, selection::powerScales(), 24);
    fillScale(m_voltage, selection::voltageScales(), 20);
    fillScale(m_current, selection::currentScales(), 20);
}

bool CSelectorBar::isMonthly() const {
    return m_kind->currentIndex() == 1;
}

int CSelectorBar::selectedNumber(const QComboBox* box) {
    if (box->currentIndex() < 0)
        return -1;
    bool ok = false;
    const int value = box->currentText().trimmed().toInt(&ok);
    return ok ? value : -1;
}

bool CSelectorBar::selectText(QComboBox* box, const QString& text) {
    const int index = box->findText(text, Qt::MatchExactly);
    if (index < 0)
        return false;
    box->setCurrentIndex(index);
    return true;
}
