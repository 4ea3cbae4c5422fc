#include "app/gui/SelectorBar.h"
#include "app/gui/FlowLayout.h"
#include "res/ResourceIds.h"
#include "support/gui/DialogParts.h"
#include "transfer/SelectionRules.h"
#include <QComboBox>
#include <QEvent>
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
    label->setAccessibleName(dialog::accessibleNameOf(text));
    return label;
}

// A label that names the box after it.
QLabel* makeLabel(QWidget* parent, const QString& text, const char* name, QComboBox* buddy,
                  int id = -1) {
    QLabel* label = makeLabel(parent, text, name, id);
    label->setBuddy(buddy);
    dialog::nameAfter(label, buddy);
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
    // Two bands, the date and the scales, side by side when there is room and one under the
    // other when not, so the bar never holds the window wider than one band.
    m_dateBand = new QWidget(this);
    m_dateBand->setObjectName("dateBand");
    m_scaleBand = new QWidget(this);
    m_scaleBand->setObjectName("scaleBand");

    m_kind = makeList(m_dateBand, res::IDC_KIND, "kind", 4);
    m_year = makeList(m_dateBand, res::IDC_YEAR, "year", 4);
    m_month = makeList(m_dateBand, res::IDC_MONTH, "month", 2);
    m_day = makeList(m_dateBand, res::IDC_DAY, "day", 2);
    m_dayLabel = makeLabel(m_dateBand, QStringLiteral("日"), "dayLabel", m_day, res::IDC_DAY_LABEL);
    m_channel = makeList(m_dateBand, res::IDC_CHANNEL, "channel", 1);
    m_channelLabel = makeLabel(m_dateBand, QStringLiteral("CH："), "channelLabel", m_channel);
    m_power = makeList(m_scaleBand, res::IDC_SCALE_POWER, "powerScale", 5);
    m_voltage = makeList(m_scaleBand, res::IDC_SCALE_VOLTAGE, "voltageScale", 4);
    m_current = makeList(m_scaleBand, res::IDC_SCALE_CURRENT, "currentScale", 5);
    m_powerLabel = makeLabel(m_scaleBand, QString(), "powerLabel", m_power, res::IDC_POWER_LABEL);
    m_voltageLabel =
        makeLabel(m_scaleBand, QString(), "voltageLabel", m_voltage, res::IDC_VOLTAGE_LABEL);
    setScaleUnits(true, true);
    // The channel box is kept for the file names of the CSV output but never shown.
    m_channel->setVisible(false);
    m_channelLabel->setVisible(false);

    auto* date = new QHBoxLayout(m_dateBand);
    date->setContentsMargins(0, 0, 0, 0);
    date->setSpacing(4);
    date->addWidget(makeLabel(m_dateBand, QStringLiteral("種類："), "kindLabel", m_kind));
    date->addWidget(m_kind);
    date->addSpacing(12);
    // The year box is named by its unit; the caption in front of it is the group's.
    QLabel* dateLabel = makeLabel(m_dateBand, QStringLiteral("日付："), "dateLabel");
    dateLabel->setBuddy(m_year);
    date->addWidget(dateLabel);
    date->addWidget(m_year);
    date->addWidget(makeLabel(m_dateBand, QStringLiteral("年"), "yearLabel", m_year));
    date->addWidget(m_month);
    m_monthLabel = makeLabel(m_dateBand, QStringLiteral("月"), "monthLabel", m_month);
    date->addWidget(m_monthLabel);
    date->addWidget(m_day);
    date->addWidget(m_dayLabel);
    date->addWidget(m_channelLabel);
    date->addWidget(m_channel);

    auto* scales = new QHBoxLayout(m_scaleBand);
    scales->setContentsMargins(0, 0, 0, 0);
    scales->setSpacing(4);
    scales->addWidget(m_powerLabel);
    scales->addWidget(m_power);
    scales->addSpacing(8);
    scales->addWidget(m_voltageLabel);
    scales->addWidget(m_voltage);
    scales->addSpacing(8);
    scales->addWidget(
        makeLabel(m_scaleBand, QStringLiteral("電流(A)："), "currentLabel", m_current));
    scales->addWidget(m_current);

    m_bands = new FlowLayout(this);
    m_bands->setContentsMargins(6, 2, 6, 2);
    m_bands->addWidget(m_dateBand);
    m_bands->addWidget(m_scaleBand);
}

QSize CSelectorBar::minimumSizeHint() const {
    return m_bands->minimumSize();
}

QSize CSelectorBar::sizeHint() const {
    // The tool bar sizes the bar by its hint alone: the height is that of the rows at its width.
    const int width = m_bands->sizeHint().width();
    return {width, m_bands->heightForWidth(this->width() > 0 ? this->width() : width)};
}

bool CSelectorBar::isWrapped() const {
    return m_bands->rowCountForWidth(width()) > 1;
}

void CSelectorBar::setScaleUnits(bool kilowatts, bool kilovolts) {
    m_powerLabel->setText(kilowatts ? QStringLiteral("電力(kW)：") : QStringLiteral("電力(W)："));
    m_voltageLabel->setText(kilovolts ? QStringLiteral("電圧(kV)：") : QStringLiteral("電圧(V)："));
    dialog::nameAfter(m_powerLabel, m_power);
    dialog::nameAfter(m_voltageLabel, m_voltage);
}

bool CSelectorBar::event(QEvent* event) {
    const bool handled = QWidget::event(event);
    // A new width or a band that grew or shrank (the day box hides for a month) may change the
    // number of rows, and with it the height the bar asks of its tool bar.
    if (event->type() == QEvent::Resize || event->type() == QEvent::LayoutRequest) {
        // Asked again while the bar is not at that height too: the tool bar may have kept an
        // old height when a row went away (a month and back to a day).
        const int wanted = m_bands->heightForWidth(width());
        if (wanted != m_announcedHeight || wanted != height()) {
            m_announcedHeight = wanted;
            updateGeometry();
        }
    }
    return handled;
}

void CSelectorBar::fillFixedLists() {
    m_kind->clear();
    m_kind->addItem(QStringLiteral("日別"));
    m_kind->addItem(QStringLiteral("月別"));
    m_kind->addItem(QStringLiteral("年報"));
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

bool CSelectorBar::isYearly() const {
    return m_kind->currentIndex() == 2;
}

void CSelectorBar::showDateBoxesOfKind() {
    const bool yearly = isYearly();
    const bool daily = !yearly && !isMonthly();
    m_month->setVisible(!yearly);
    m_monthLabel->setVisible(!yearly);
    m_day->setVisible(daily);
    m_dayLabel->setVisible(daily);
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
