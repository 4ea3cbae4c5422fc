#include "views/table/gui/D_BatchOut.h"
#include "res/ResourceIds.h"
#include "support/FilePath.h"
#include "support/Prompt.h"
#include "support/gui/DialogParts.h"
#include "support/gui/QtCp932.h"
#include "support/gui/QtPath.h"
#include "textout/TxtOutRules.h"
#include "views/table/TableTexts.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressDialog>
#include <QPushButton>
#include <QVBoxLayout>

using dialog::tag;

namespace {

constexpr int kCustomerRole = Qt::UserRole;
constexpr int kCircuitRole = Qt::UserRole + 1;
constexpr int kMaxText = 256;

QDate toQDate(const DateTime& d) {
    return d.isValid() ? QDate(d.year(), d.month(), d.day()) : QDate::currentDate();
}

DateTime fromQDate(const QDate& d) {
    return DateTime::make(d.year(), d.month(), d.day());
}

QDateEdit* dateEdit(QWidget* parent, int id, const char* name, const QDate& date) {
    auto* edit = tag(new QDateEdit(date, parent), id, name);
    edit->setDisplayFormat(QStringLiteral("yyyy年 MM月 dd日"));
    edit->setCalendarPopup(true);
    return edit;
}

bool isChecked(const BatchRequest& request, int customer, int circuit) {
    for (const BatchCircuit& c : request.circuits)
        if (c.customerIndex == customer && c.circuitIndex == circuit)
            return true;
    return false;
}

} // namespace

CBatchOut::CBatchOut(const MeasurementStore& store, const BatchRequest& start,
                     const std::filesystem::path& folder, BatchPdfWriter pdf, Prompt& prompt,
                     QWidget* parent)
    : QDialog(parent), m_store(store), m_pdfWriter(std::move(pdf)), m_prompt(prompt) {
    setObjectName("batchOutDialog");
    setProperty("controlId", res::IDD_BATCH_OUT);
    setWindowTitle(QStringLiteral("一括出力"));
    m_circuits = tag(new QListWidget(this), res::IDC_BATCH_CIRCUITS, "circuitList");
    for (int c = 0; c < store.count(); ++c) {
        const Customer& customer = store.at(c);
        for (int k = 0; k < customer.circuits.count(); ++k) {
            auto* item = new QListWidgetItem(qtFromCp932(customer.name) + QStringLiteral(" / ") +
                                                 qtFromCp932(customer.circuits.at(k).name),
                                             m_circuits);
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
            item->setCheckState(isChecked(start, c, k) ? Qt::Checked : Qt::Unchecked);
            item->setData(kCustomerRole, c);
            item->setData(kCircuitRole, k);
        }
    }
    if (m_circuits->count() > 0)
        m_circuits->setCurrentRow(0);
    m_from = dateEdit(this, res::IDC_BATCH_FROM, "fromDate", toQDate(start.from));
    m_to = dateEdit(this, res::IDC_BATCH_TO, "toDate", toQDate(start.to));
    m_csv = tag(new QCheckBox(QStringLiteral("CSV形式(&C)"), this), res::IDC_BATCH_CSV, "csvCheck");
    m_pdf = tag(new QCheckBox(QStringLiteral("PDF(&P)"), this), res::IDC_BATCH_PDF, "pdfCheck");
    dialog::nameAfterText(m_csv);
    dialog::nameAfterText(m_pdf);
    m_csv->setChecked(start.csv);
    m_pdf->setChecked(start.pdf);
    m_folder = tag(new QLineEdit(qtFromPath(folder), this), res::IDC_BATCH_FOLDER, "folderEdit");
    m_folder->setMaxLength(kMaxText);
    m_browseFolder = tag(new QPushButton(QStringLiteral("参照..."), this),
                         res::IDC_BATCH_BROWSE_FOLDER, "browseFolderButton");
    m_browseFolder->setAutoDefault(false);
    m_browseFolder->setAccessibleName(QStringLiteral("出力先の参照"));

    auto* period = new QHBoxLayout;
    period->addWidget(dialog::labelFor(QStringLiteral("開始："), m_from, this));
    period->addWidget(m_from);
    period->addWidget(new QLabel(QStringLiteral("～"), this));
    period->addWidget(dialog::labelFor(QStringLiteral("終了："), m_to, this));
    period->addWidget(m_to);
    period->addStretch(1);
    auto* formats = new QHBoxLayout;
    formats->addWidget(m_csv);
    formats->addWidget(m_pdf);
    formats->addStretch(1);

    auto* grid = new QGridLayout;
    grid->addWidget(dialog::labelFor(QStringLiteral("測定回路："), m_circuits, this), 0, 0,
                    Qt::AlignTop);
    grid->addWidget(m_circuits, 0, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("期間："), this), 1, 0);
    grid->addLayout(period, 1, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("出力形式："), this), 2, 0);
    grid->addLayout(formats, 2, 1, 1, 2);
    grid->addWidget(dialog::labelFor(QStringLiteral("出力先："), m_folder, this), 3, 0);
    grid->addWidget(m_folder, 3, 1);
    grid->addWidget(m_browseFolder, 3, 2);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(0, 1);
    QDialogButtonBox* buttons = dialog::okCancelButtons(this, true);
    m_ok = buttons->findChild<QPushButton*>(QStringLiteral("okButton"));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid, 1);
    layout->addWidget(buttons);
    setTabOrder(m_circuits, m_from);
    setTabOrder(m_from, m_to);
    setTabOrder(m_to, m_csv);
    setTabOrder(m_csv, m_pdf);
    setTabOrder(m_pdf, m_folder);
    setTabOrder(m_folder, m_browseFolder);
    resize(560, 420);

    connect(buttons, &QDialogButtonBox::accepted, this, &CBatchOut::onOk);
    connect(m_browseFolder, &QPushButton::clicked, this, &CBatchOut::onBrowseFolder);
    connect(m_circuits, &QListWidget::itemChanged, this, &CBatchOut::updateOk);
    connect(m_csv, &QCheckBox::toggled, this, &CBatchOut::updateOk);
    connect(m_pdf, &QCheckBox::toggled, this, &CBatchOut::updateOk);
    updateOk();
}

BatchRequest CBatchOut::request() const {
    BatchRequest request;
    for (int row = 0; row < m_circuits->count(); ++row) {
        const QListWidgetItem* item = m_circuits->item(row);
        if (item->checkState() == Qt::Checked)
            request.circuits.push_back(
                {item->data(kCustomerRole).toInt(), item->data(kCircuitRole).toInt()});
    }
    request.from = fromQDate(m_from->date());
    request.to = fromQDate(m_to->date());
    request.csv = m_csv->isChecked();
    request.pdf = m_pdf->isChecked();
    return request;
}

void CBatchOut::updateOk() {
    const BatchRequest r = request();
    m_ok->setEnabled(!r.circuits.empty() && (r.csv || r.pdf));
}

void CBatchOut::onBrowseFolder() {
    const QString chosen = QFileDialog::getExistingDirectory(
        this, QStringLiteral("フォルダ選択をしてください"),
        qtFromPath(startFolder(pathFromQt(m_folder->text()), homeFolder())));
    if (!chosen.isEmpty())
        m_folder->setText(chosen);
}

BatchResult CBatchOut::run(const std::vector<BatchItem>& plan) {
    // Shown only when the run lasts: a few CSV files are written before it would appear.
    QProgressDialog progress(QStringLiteral("出力しています..."), QStringLiteral("中止"), 0,
                             static_cast<int>(plan.size()), this);
    progress.setObjectName("batchProgress");
    progress.setWindowTitle(windowTitle());
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    progress.setAutoReset(false);
    BatchResult result = runBatch(m_store, plan, m_folderText, m_pdfWriter, [&](int done, int) {
        progress.setValue(done);
        return !progress.wasCanceled();
    });
    progress.setValue(static_cast<int>(plan.size()));
    return result;
}

void CBatchOut::onOk() {
    const std::vector<BatchItem> plan = planBatch(m_store, request());
    if (plan.empty()) {
        m_prompt.tell(txt::table::kBatchNothing, PromptIcon::Information);
        return;
    }
    m_folderText = pathFromQt(m_folder->text());
    const bool folderOk = acceptOutputFolder(m_folderText, m_prompt);
    m_folder->setText(qtFromPath(m_folderText));
    if (!folderOk)
        return;
    m_result = run(plan);
    m_prompt.tell(sjis::Text(batchSummary(m_result)),
                  m_result.failed.empty() ? PromptIcon::Information : PromptIcon::Warning);
    accept();
}
