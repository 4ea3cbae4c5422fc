#include "transfer/gui/D_SelectData.h"
#include "res/ResourceIds.h"
#include "support/Prompt.h"
#include "support/gui/DialogParts.h"
#include "support/gui/QtCp932.h"
#include "textout/ValueFormat.h"
#include "transfer/SelectDataRules.h"
#include "transfer/TransferTexts.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QItemSelectionModel>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

using dialog::tag;

namespace {
// The day list scrolls sideways over this many pixels, as its long labels need.
constexpr int kDayListExtent = 1600;
} // namespace

CSelectData::CSelectData(MeasurementStore store, const SelectionTuple& current, Prompt& prompt,
                         QWidget* parent)
    : QDialog(parent), m_store(std::move(store)), m_prompt(prompt) {
    setObjectName("selectDataDialog");
    setWindowTitle(QStringLiteral("表示データの選択"));
    m_customers = tag(dialog::nameCombo(this), res::IDC_CUSTOMER_NAME, "customerCombo");
    m_circuits = tag(dialog::nameCombo(this), res::IDC_CIRCUIT_NAME, "circuitCombo");
    m_days = tag(new QListWidget(this), res::IDC_DAY_LIST, "dayList");
    m_days->setSelectionMode(QAbstractItemView::SingleSelection);
    m_days->setFont(QFont(QStringLiteral("ＭＳ ゴシック"), 9));
    m_days->setUniformItemSizes(true);
    m_days->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    auto* group = new QGroupBox(QStringLiteral("対象とする測定回路"), this);
    auto* grid = new QGridLayout(group);
    grid->addWidget(dialog::labelFor(QStringLiteral("需要家名称："), m_customers, this), 0, 0);
    grid->addWidget(m_customers, 0, 1);
    grid->addWidget(dialog::labelFor(QStringLiteral("測定回路名称："), m_circuits, this), 1, 0);
    grid->addWidget(m_circuits, 1, 1);
    grid->setColumnStretch(1, 1);

    QDialogButtonBox* buttons = dialog::okCancelButtons(this, true);
    connect(buttons, &QDialogButtonBox::accepted, this, &CSelectData::onOk);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(dialog::labelFor(QStringLiteral("測定データ一覧："), m_days, this));
    layout->addWidget(m_days, 1);
    layout->addWidget(buttons);
    setTabOrder(m_customers, m_circuits);
    setTabOrder(m_circuits, m_days);
    resize(400, 560);

    for (int i = 0; i < m_store.count(); ++i)
        m_customers->addItem(qtFromCp932(m_store.at(i).name));
    const SelectionTuple start = selectDataStart(m_store, current);
    m_customers->setCurrentIndex(m_customers->count() > 0 ? start.customerIndex : -1);
    fillCircuits(start.circuitIndex);
    fillDays(start.dayIndex);
    connect(m_customers, &QComboBox::activated, this, [this] {
        fillCircuits(0);
        fillDays(0);
    });
    connect(m_circuits, &QComboBox::activated, this, [this] { fillDays(0); });
    // A double-click on a day opens it.
    connect(m_days, &QListWidget::itemDoubleClicked, this, [this] { onOk(); });
}

void CSelectData::fillCircuits(int select) {
    m_circuits->clear();
    const int c = m_customers->currentIndex();
    if (c < 0 || c >= m_store.count())
        return;
    const Customer& customer = m_store.at(c);
    for (int i = 0; i < customer.circuits.count(); ++i)
        m_circuits->addItem(qtFromCp932(customer.circuits.at(i).name));
    m_circuits->setCurrentIndex(select < m_circuits->count() ? select : -1);
}

void CSelectData::fillDays(int select) {
    m_days->clear();
    const int c = m_customers->currentIndex();
    const int k = m_circuits->currentIndex();
    if (c < 0 || c >= m_store.count() || k < 0 || k >= m_store.at(c).circuits.count())
        return;
    const MeasurementCircuit& circuit = m_store.at(c).circuits.at(k);
    const int height = m_days->fontMetrics().height() + 2;
    for (int i = 0; i < circuit.days.count(); ++i) {
        auto* item = new QListWidgetItem(qtFromCp932(DayListLabel(circuit.days.at(i))), m_days);
        item->setSizeHint(QSize(kDayListExtent, height));
    }
    if (select >= 0 && select < m_days->count())
        m_days->setCurrentRow(select);
}

void CSelectData::onOk() {
    // The selected day, which assistive technology may set without moving the current row.
    const QModelIndexList selected = m_days->selectionModel()->selectedRows();
    const int day = selected.isEmpty() ? -1 : selected.front().row();
    const SelectionTuple chosen{m_customers->currentIndex(), m_circuits->currentIndex(), day, -1,
                                -1};
    if (!isSelectionUsable(m_store, chosen)) {
        m_prompt.tell(txt::transfer::kChooseData, PromptIcon::Stop);
        return;
    }
    m_selection = chosen;
    accept();
}
