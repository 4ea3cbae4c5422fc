#include "transfer/gui/D_ReadData.h"
#include "link/gui/D_CommRead.h"
#include "res/ResourceIds.h"
#include "store/gui/D_CustEdit.h"
#include "support/gui/DialogControls.h"
#include "support/gui/DialogParts.h"
#include "support/gui/QtCp932.h"
#include "support/gui/QtPath.h"
#include "textout/ValueFormat.h"
#include "transfer/DayTransfer.h"
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <algorithm>

namespace {

constexpr int kListExtent = 1600; // pixels the day lists scroll sideways

QListWidget* makeDayList(QWidget* parent, int id, const char* name) {
    auto* list = withId(new QListWidget(parent), id, name);
    list->setFont(QFont(QStringLiteral("ＭＳ ゴシック"), 9));
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    list->setMinimumSize(240, 160);
    return list;
}

QPushButton* makeButton(QWidget* parent, int id, const char* name, const QString& text) {
    auto* button = withId(new QPushButton(text, parent), id, name);
    button->setAutoDefault(false);
    return button;
}

} // namespace

CReadData::CReadData(const MeasurementStore& documentStore, StoreEdited storeEdited,
                     ReceptionRequest serialRequest, Prompt& prompt, QWidget* parent)
    : QDialog(parent), m_documentStore(documentStore), m_storeEdited(std::move(storeEdited)),
      m_serialRequest(std::move(serialRequest)), m_prompt(prompt), m_store(documentStore) {
    setObjectName("readDataDialog");
    setWindowTitle(QStringLiteral("データ転送と編集"));

    m_receive = [this](const ReceptionRequest& request) -> std::optional<ReceptionHandover> {
        CCommRead dialog(request, this);
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        return dialog.takeHandover();
    };
    m_chooseFile = [this](const QString& folder) {
        // "*.*" of the platform's dialog: every file, with or without an extension.
        return QFileDialog::getOpenFileName(this, QStringLiteral("計測データファイルを開く"),
                                            folder, QStringLiteral("測定ﾃﾞｰﾀﾌｧｲﾙ (*)"));
    };

    m_customerCombo = withId(dialog::nameCombo(this), res::IDC_RD_CUSTOMER, "customerCombo");
    m_circuitCombo = withId(dialog::nameCombo(this), res::IDC_RD_CIRCUIT, "circuitCombo");
    for (QComboBox* box : {m_customerCombo, m_circuitCombo}) {
        box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        box->setMinimumContentsLength(24);
    }
    auto* editCustomers = makeButton(this, res::IDC_RD_CUST_EDIT, "editCustomersButton",
                                     QStringLiteral("需要家情報編集..."));
    m_storedList = makeDayList(this, res::IDC_RD_STORED, "storedList");
    m_transferList = makeDayList(this, res::IDC_RD_TRANSFER, "transferList");
    auto* receiveButton =
        makeButton(this, res::IDC_RD_RECEIVE, "receiveButton", QStringLiteral("データ転送開始"));
    auto* importButton = makeButton(this, res::IDC_RD_IMPORT_FILE, "importFileButton",
                                    QStringLiteral("受信ファイルから取り込む..."));
    auto* addButton = makeButton(this, res::IDC_RD_ADD, "addButton", QStringLiteral("← 追加"));
    auto* returnButton =
        makeButton(this, res::IDC_RD_RETURN, "returnButton", QStringLiteral("→ 戻す"));
    auto* deleteButton =
        makeButton(this, res::IDC_RD_DELETE, "deleteButton", QStringLiteral("→ 削除"));
    addButton->setAccessibleName(QStringLiteral("追加"));
    returnButton->setAccessibleName(QStringLiteral("戻す"));
    deleteButton->setAccessibleName(QStringLiteral("削除"));
    auto* ok = withId(new QPushButton(QStringLiteral("OK"), this), res::IDOK, "okButton");
    auto* cancel =
        withId(new QPushButton(QStringLiteral("キャンセル"), this), res::IDCANCEL, "cancelButton");
    ok->setDefault(true);
    cancel->setAutoDefault(false);

    auto* group = new QGroupBox(QStringLiteral("対象とする測定回路"), this);
    group->setObjectName("circuitGroup");
    auto* groupGrid = new QGridLayout(group);
    groupGrid->addWidget(buddyLabel(QStringLiteral("需要家名称："), m_customerCombo, group), 0, 0);
    groupGrid->addWidget(m_customerCombo, 0, 1);
    groupGrid->addWidget(editCustomers, 0, 2);
    groupGrid->addWidget(buddyLabel(QStringLiteral("測定回路名称："), m_circuitCombo, group), 1, 0);
    groupGrid->addWidget(m_circuitCombo, 1, 1);
    groupGrid->setColumnStretch(1, 1);

    auto* middle = new QVBoxLayout;
    middle->addStretch();
    middle->addWidget(addButton);
    middle->addWidget(returnButton);
    middle->addSpacing(16);
    middle->addWidget(deleteButton);
    middle->addStretch();

    auto* receiveRow = new QHBoxLayout;
    receiveRow->addWidget(receiveButton);
    receiveRow->addWidget(importButton);
    receiveRow->addStretch();

    auto* lists = new QGridLayout;
    lists->addWidget(buddyLabel(QStringLiteral("測定データ一覧："), m_storedList, this), 0, 0);
    lists->addWidget(buddyLabel(QStringLiteral("転送データ："), m_transferList, this), 0, 2);
    lists->addWidget(m_storedList, 1, 0);
    lists->addLayout(middle, 1, 1);
    lists->addWidget(m_transferList, 1, 2);
    lists->addLayout(receiveRow, 2, 2);
    lists->setColumnStretch(0, 1);
    lists->setColumnStretch(2, 1);

    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(ok);
    bottom->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(lists, 1);
    layout->addLayout(bottom);
    resize(760, 560);

    QWidget* order[] = {
        m_customerCombo, m_circuitCombo, editCustomers, m_storedList, addButton, returnButton,
        deleteButton,    m_transferList, receiveButton, importButton, ok,        cancel};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    connect(m_customerCombo, &QComboBox::currentIndexChanged, this, [this] {
        fillCircuits(0);
        fillStored({});
    });
    connect(m_circuitCombo, &QComboBox::currentIndexChanged, this, [this] { fillStored({}); });
    connect(editCustomers, &QPushButton::clicked, this, &CReadData::onEditCustomers);
    connect(receiveButton, &QPushButton::clicked, this, &CReadData::onReceive);
    connect(importButton, &QPushButton::clicked, this, &CReadData::onImportFile);
    connect(addButton, &QPushButton::clicked, this, &CReadData::onAdd);
    connect(returnButton, &QPushButton::clicked, this, &CReadData::onReturn);
    connect(deleteButton, &QPushButton::clicked, this, &CReadData::onDelete);
    connect(ok, &QPushButton::clicked, this, &CReadData::accept);
    connect(cancel, &QPushButton::clicked, this, &CReadData::reject);

    setInitialSelection(-1, -1);
}

void CReadData::setInitialSelection(int customer, int circuit) {
    const bool known = customer >= 0 && customer < m_store.count() && circuit >= 0 &&
                       circuit < m_store.at(customer).circuits.count();
    fillCustomers(known ? customer : 0, known ? circuit : 0);
}

MeasurementCircuit* CReadData::currentCircuit() {
    const int customer = m_customerCombo->currentIndex();
    const int circuit = m_circuitCombo->currentIndex();
    if (customer < 0 || customer >= m_store.count())
        return nullptr;
    Customer& c = m_store.at(customer);
    return circuit >= 0 && circuit < c.circuits.count() ? &c.circuits.at(circuit) : nullptr;
}

void CReadData::fillCustomers(int customer, int circuit) {
    {
        const QSignalBlocker blocker(m_customerCombo);
        m_customerCombo->clear();
        for (const Customer& c : m_store)
            m_customerCombo->addItem(qtFromCp932(c.name));
        m_customerCombo->setCurrentIndex(customer < m_customerCombo->count() ? customer : -1);
    }
    fillCircuits(circuit);
    fillStored({});
}

void CReadData::fillCircuits(int circuit) {
    const QSignalBlocker blocker(m_circuitCombo);
    m_circuitCombo->clear();
    const int customer = m_customerCombo->currentIndex();
    if (customer >= 0 && customer < m_store.count())
        for (const MeasurementCircuit& c : m_store.at(customer).circuits)
            m_circuitCombo->addItem(qtFromCp932(c.name));
    m_circuitCombo->setCurrentIndex(circuit < m_circuitCombo->count() ? circuit : -1);
}

void CReadData::fillStored(const std::vector<int>& selected) {
    QStringList texts;
    if (const MeasurementCircuit* circuit = currentCircuit())
        for (const MeasurementDay& day : circuit->days)
            texts << qtFromCp932(DayListLabel(day));
    refillList(m_storedList, texts, selected, kListExtent);
}

bool CReadData::fromCutReception(int row) const {
    if (row < 0 || row >= m_transfer.days.count())
        return false;
    const DayKey key = m_transfer.days.at(row).key();
    return std::any_of(m_cutDays.begin(), m_cutDays.end(),
                       [&](const DayKey& k) { return MeasurementDay::compareKey(k, key) == 0; });
}

void CReadData::fillTransfer(const std::vector<int>& selected) {
    QStringList texts;
    for (int i = 0; i < m_transfer.days.count(); ++i) {
        QString text = qtFromCp932(DayListLabelWithChannel(m_transfer.days.at(i)));
        if (fromCutReception(i))
            text += QStringLiteral("  （中断した受信）");
        texts << text;
    }
    refillList(m_transferList, texts, selected, kListExtent);
}

void CReadData::receive(const ReceptionRequest& request) {
    std::optional<ReceptionHandover> received = m_receive(request);
    if (!received)
        return;
    // A cut reception offers the days that arrived whole, marked, and says why; when none
    // did, the list stays as it was.
    const bool offered = !received->interrupted || received->days.days.count() > 0;
    if (offered) {
        // A reception replaces the transfer data entirely.
        m_transfer = std::move(received->days);
        m_cutDays.clear();
        if (received->interrupted)
            for (const MeasurementDay& day : m_transfer.days)
                m_cutDays.push_back(day.key());
        fillTransfer({});
    }
    if (received->interrupted)
        m_prompt.tell(sjis::Text(received->notice), PromptIcon::Warning);
}

void CReadData::onReceive() {
    ReceptionRequest request = m_serialRequest;
    request.fromFile = false;
    request.filePath.clear();
    receive(request);
}

void CReadData::onImportFile() {
    const QString path = m_chooseFile(m_importFolder);
    if (path.isEmpty())
        return;
    m_importFolder = QFileInfo(path).absolutePath();
    ReceptionRequest request = m_serialRequest;
    request.fromFile = true;
    request.filePath = pathFromQt(path);
    receive(request);
}

void CReadData::onAdd() {
    const DayMove move =
        addDays(currentCircuit(), m_transfer, selectedRows(m_transferList), m_prompt);
    if (!move.done)
        return;
    fillStored(move.selectInTarget);
    fillTransfer({});
}

void CReadData::onReturn() {
    const DayMove move =
        returnDays(currentCircuit(), m_transfer, selectedRows(m_storedList), m_prompt);
    if (!move.done)
        return;
    // A day back from the circuit is the stored one, not the cut reception's.
    for (int row : move.selectInTarget) {
        const DayKey key = m_transfer.days.at(row).key();
        std::erase_if(m_cutDays,
                      [&](const DayKey& k) { return MeasurementDay::compareKey(k, key) == 0; });
    }
    fillStored({});
    fillTransfer(move.selectInTarget);
}

void CReadData::onDelete() {
    if (deleteDays(currentCircuit(), selectedRows(m_storedList), m_prompt))
        fillStored({});
}

void CReadData::accept() {
    if (mayCloseWithUnfiledDays(m_transfer, m_prompt))
        QDialog::accept();
}

void CReadData::onEditCustomers() {
    // The edit starts from the document's store, not from this dialog's copy.
    CCustEdit dialog(m_documentStore, m_prompt, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const int customer = dialog.resultCustomer();
    const int circuit = dialog.resultCircuit();
    m_storeEdited(dialog.takeStore());
    // Days moved into circuits here and not yet confirmed go with the old copy.
    m_store = m_documentStore;
    fillCustomers(customer, circuit);
}
