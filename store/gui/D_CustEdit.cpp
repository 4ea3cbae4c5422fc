#include "store/gui/D_CustEdit.h"
#include "res/ResourceIds.h"
#include "support/SupportTexts.h"
#include "support/gui/DialogControls.h"
#include "support/gui/QtCp932.h"
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kNameLimit = 256;

QListWidget* makeList(QWidget* parent, int id, const char* name) {
    auto* list = withId(new QListWidget(parent), id, name);
    list->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    return list;
}

QLineEdit* makeEdit(QWidget* parent, int id, const char* name, const QString& accessibleName) {
    auto* edit = withId(new QLineEdit(parent), id, name);
    edit->setMaxLength(kNameLimit);
    edit->setAccessibleName(accessibleName);
    return edit;
}

QPushButton* makeButton(QWidget* parent, int id, const char* name, const QString& text,
                        const QString& accessibleName) {
    auto* button = withId(new QPushButton(text, parent), id, name);
    button->setAutoDefault(false);
    button->setAccessibleName(accessibleName);
    return button;
}

} // namespace

CCustEdit::CCustEdit(MeasurementStore store, Prompt& prompt, QWidget* parent)
    : QDialog(parent), m_editor(std::move(store)), m_prompt(prompt) {
    withId(this, res::IDD_CUST_EDIT, "custEditDialog");
    setWindowTitle(QStringLiteral("需要家情報"));

    m_customers = makeList(this, res::IDC_CUST_LIST, "customerList");
    m_circuits = makeList(this, res::IDC_CIRCUIT_LIST, "circuitList");
    m_customerName =
        makeEdit(this, res::IDC_CUST_NAME, "customerName", QStringLiteral("需要家名称の入力"));
    m_circuitName = makeEdit(this, res::IDC_CIRCUIT_NAME_EDIT, "circuitName",
                             QStringLiteral("測定回路名称の入力"));
    QPushButton* buttons[6] = {
        makeButton(this, res::IDC_CUST_ADD, "customerAdd", QStringLiteral("▲ 追加"),
                   QStringLiteral("需要家の追加")),
        makeButton(this, res::IDC_CUST_REMOVE, "customerRemove", QStringLiteral("▼ 削除"),
                   QStringLiteral("需要家の削除")),
        makeButton(this, res::IDC_CUST_RENAME, "customerRename", QStringLiteral("◇ 変更"),
                   QStringLiteral("需要家の変更")),
        makeButton(this, res::IDC_CIRCUIT_ADD, "circuitAdd", QStringLiteral("▲ 追加"),
                   QStringLiteral("測定回路の追加")),
        makeButton(this, res::IDC_CIRCUIT_REMOVE, "circuitRemove", QStringLiteral("▼ 削除"),
                   QStringLiteral("測定回路の削除")),
        makeButton(this, res::IDC_CIRCUIT_RENAME, "circuitRename", QStringLiteral("◇ 変更"),
                   QStringLiteral("測定回路の変更")),
    };
    auto* ok = withId(new QPushButton(QStringLiteral("OK"), this), res::IDOK, "okButton");
    auto* cancel =
        withId(new QPushButton(QStringLiteral("キャンセル"), this), res::IDCANCEL, "cancelButton");
    ok->setDefault(true);
    cancel->setAutoDefault(false);
    m_customerAdd = buttons[0];
    m_circuitAdd = buttons[3];
    m_customerName->installEventFilter(this);
    m_circuitName->installEventFilter(this);

    auto* grid = new QGridLayout;
    grid->addWidget(buddyLabel(QStringLiteral("需要家名称："), m_customers, this), 0, 0);
    grid->addWidget(buddyLabel(QStringLiteral("測定回路名称："), m_circuits, this), 0, 1);
    grid->addWidget(m_customers, 1, 0);
    grid->addWidget(m_circuits, 1, 1);
    grid->addWidget(m_customerName, 2, 0);
    grid->addWidget(m_circuitName, 2, 1);
    for (int side = 0; side < 2; ++side) {
        auto* row = new QHBoxLayout;
        for (int i = 0; i < 3; ++i)
            row->addWidget(buttons[side * 3 + i]);
        grid->addLayout(row, 3, side);
    }
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(ok);
    bottom->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(bottom);
    resize(520, 380);

    // Keyboard order: each side's list, name and buttons, then OK and Cancel.
    QWidget* order[] = {m_customers, m_customerName, buttons[0], buttons[1], buttons[2],
                        m_circuits,  m_circuitName,  buttons[3], buttons[4], buttons[5],
                        ok,          cancel};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    connect(m_customers, &QListWidget::currentRowChanged, this, &CCustEdit::onCustomerSelected);
    connect(m_circuits, &QListWidget::currentRowChanged, this, &CCustEdit::onCircuitSelected);
    connect(buttons[0], &QPushButton::clicked, this, [this] {
        if (auto name = enteredCustomer())
            afterCustomerChange(m_editor.addCustomer(*name, m_prompt));
    });
    connect(buttons[1], &QPushButton::clicked, this,
            [this] { afterCustomerChange(m_editor.removeCustomer(m_prompt)); });
    connect(buttons[2], &QPushButton::clicked, this, [this] {
        if (auto name = enteredCustomer())
            afterCustomerChange(m_editor.renameCustomer(*name, m_prompt));
    });
    connect(buttons[3], &QPushButton::clicked, this, [this] {
        if (auto name = enteredCircuit())
            afterCircuitChange(m_editor.addCircuit(*name, m_prompt), true);
    });
    connect(buttons[4], &QPushButton::clicked, this,
            [this] { afterCircuitChange(m_editor.removeCircuit(m_prompt), false); });
    connect(buttons[5], &QPushButton::clicked, this, [this] {
        if (auto name = enteredCircuit())
            afterCircuitChange(m_editor.renameCircuit(*name, m_prompt), false);
    });
    connect(ok, &QPushButton::clicked, this, &CCustEdit::accept);
    connect(cancel, &QPushButton::clicked, this, &CCustEdit::reject);

    // Opening selects customer 0 and circuit 0; the edit boxes start empty.
    fillCustomers();
    fillCircuits();
    m_initialising = false;
}

std::optional<std::string> CCustEdit::enteredName(const QLineEdit* edit) const {
    // A name typed on Linux may use the JIS twins of CP932's characters ("〜" for "～").
    std::optional<std::string> name = cp932FromQt(edit->text(), sjis::Spelling::JisTwins);
    if (!name)
        m_prompt.tell(txt::support::kUnspellableName, PromptIcon::Stop);
    return name;
}

std::optional<std::string> CCustEdit::enteredCustomer() const {
    return enteredName(m_customerName);
}

std::optional<std::string> CCustEdit::enteredCircuit() const {
    return enteredName(m_circuitName);
}

void CCustEdit::fillCustomers() {
    QStringList names;
    for (const Customer& customer : m_editor.store())
        names << qtFromCp932(customer.name);
    refillList(m_customers, names, {m_editor.customer()});
}

void CCustEdit::fillCircuits() {
    QStringList names;
    if (const Customer* customer = m_editor.currentCustomer())
        for (const MeasurementCircuit& circuit : customer->circuits)
            names << qtFromCp932(circuit.name);
    refillList(m_circuits, names, {m_editor.circuit()});
}

void CCustEdit::onCustomerSelected(int row) {
    m_editor.selectCustomer(row);
    if (!m_initialising) {
        const Customer* customer = m_editor.currentCustomer();
        m_customerName->setText(customer ? qtFromCp932(customer->name) : QString());
    }
    fillCircuits();
    onCircuitSelected(m_editor.circuit());
}

void CCustEdit::onCircuitSelected(int row) {
    m_editor.selectCircuit(row);
    m_circuitName->clear();
    const Customer* customer = m_editor.currentCustomer();
    if (!m_initialising && customer && m_editor.circuit() >= 0)
        m_circuitName->setText(qtFromCp932(customer->circuits.at(m_editor.circuit()).name));
}

void CCustEdit::afterCustomerChange(CustomerEditor::Outcome outcome) {
    if (outcome != CustomerEditor::Outcome::Done)
        return;
    fillCustomers();
    onCustomerSelected(m_editor.customer());
}

void CCustEdit::afterCircuitChange(CustomerEditor::Outcome outcome, bool added) {
    if (outcome != CustomerEditor::Outcome::Done)
        return;
    fillCircuits();
    if (added)
        onCircuitSelected(m_editor.circuit());
}

bool CCustEdit::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (watched == m_customerName)
                m_customerAdd->click();
            else if (watched == m_circuitName)
                m_circuitAdd->click();
            else
                return QDialog::eventFilter(watched, event);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void CCustEdit::accept() {
    m_resultCustomer = m_editor.customer();
    m_resultCircuit = m_editor.circuit();
    QDialog::accept();
}
