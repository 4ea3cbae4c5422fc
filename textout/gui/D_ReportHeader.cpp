#include "textout/gui/D_ReportHeader.h"
#include "res/ResourceIds.h"
#include "support/FilePath.h"
#include "support/Format.h"
#include "support/Prompt.h"
#include "support/SupportTexts.h"
#include "support/gui/DialogParts.h"
#include "support/gui/QtCp932.h"
#include "textout/TextoutTexts.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

QLineEdit* line(QWidget* parent, int id, const char* name, int maxLength) {
    auto* edit = dialog::tag(new QLineEdit(parent), id, name);
    edit->setMaxLength(maxLength);
    return edit;
}

} // namespace

CReportHeader::CReportHeader(std::filesystem::path path, std::string customer, std::string circuit,
                             Prompt& prompt, QWidget* parent)
    : QDialog(parent), m_path(std::move(path)), m_customer(std::move(customer)),
      m_circuit(std::move(circuit)), m_prompt(prompt),
      m_settings(ReportHeaderSettings::load(m_path)) {
    setObjectName("reportHeaderDialog");
    setProperty("controlId", res::IDD_REPORT_HEADER);
    setWindowTitle(QStringLiteral("報告書ヘッダーの設定"));

    m_shown = dialog::tag(
        new QCheckBox(QStringLiteral("印刷・PDF・Excelに報告書ヘッダーを付ける(&S)"), this),
        res::IDC_RH_SHOWN, "headerShown");
    dialog::nameAfterText(m_shown);
    auto* shownFor = new QLabel(QStringLiteral("需要家：%1　　測定回路：%2")
                                    .arg(qtFromCp932(m_customer), qtFromCp932(m_circuit)),
                                this);
    shownFor->setObjectName("reportOfLabel");

    m_inspector = line(this, res::IDC_RH_INSPECTOR, "inspector", 40);
    m_company = line(this, res::IDC_RH_COMPANY, "company", 60);
    m_address = line(this, res::IDC_RH_ADDRESS, "address", 80);
    m_remarks = line(this, res::IDC_RH_REMARKS, "remarks", 120);
    m_customerOwn = dialog::tag(
        new QCheckBox(QStringLiteral("測定者・測定会社・押印欄をこの需要家だけの設定にする(&U)"),
                      this),
        res::IDC_RH_CUSTOMER_OWN, "customerOwn");
    dialog::nameAfterText(m_customerOwn);
    m_stampCount = dialog::tag(new QSpinBox(this), res::IDC_RH_STAMP_COUNT, "stampCount");
    m_stampCount->setRange(0, kMaxStampBoxes);

    auto* texts = new QGroupBox(QStringLiteral("記載事項"), this);
    auto* form = new QFormLayout(texts);
    form->addRow(dialog::labelFor(QStringLiteral("測定者(&I)："), m_inspector, this), m_inspector);
    form->addRow(dialog::labelFor(QStringLiteral("測定会社(&O)："), m_company, this), m_company);
    form->addRow(dialog::labelFor(QStringLiteral("需要家住所(&A)："), m_address, this), m_address);
    form->addRow(dialog::labelFor(QStringLiteral("備考(&R)："), m_remarks, this), m_remarks);

    auto* stamps = new QGroupBox(QStringLiteral("押印欄"), this);
    auto* stampForm = new QFormLayout(stamps);
    stampForm->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    stampForm->addRow(dialog::labelFor(QStringLiteral("押印欄の数(&N)："), m_stampCount, this),
                      m_stampCount);
    auto* captionRow = new QHBoxLayout;
    for (int i = 0; i < kMaxStampBoxes; ++i) {
        QLineEdit* caption =
            line(this, res::IDC_RH_STAMP_FIRST + i,
                 QStringLiteral("stampCaption%1").arg(i + 1).toLatin1().constData(), 8);
        m_captions[static_cast<std::size_t>(i)] = caption;
        captionRow->addWidget(
            dialog::labelFor(QStringLiteral("欄%1(&%1)：").arg(i + 1), caption, this));
        captionRow->addWidget(caption, 1);
    }
    stampForm->addRow(captionRow);

    auto* note = new QLabel(
        QStringLiteral("需要家住所は需要家ごと、備考は測定回路ごとに保存されます。"), this);
    note->setObjectName("keptNote");
    note->setWordWrap(true);
    QDialogButtonBox* buttons = dialog::okCancelButtons(this, true);
    connect(buttons, &QDialogButtonBox::accepted, this, &CReportHeader::onOk);
    connect(m_stampCount, &QSpinBox::valueChanged, this, &CReportHeader::updateCaptions);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_shown);
    layout->addWidget(shownFor);
    layout->addWidget(texts);
    layout->addWidget(m_customerOwn);
    layout->addWidget(stamps);
    layout->addWidget(note);
    layout->addStretch(1);
    layout->addWidget(buttons);

    m_shown->setChecked(m_settings.shown());
    m_customerOwn->setChecked(m_settings.customerHasOwn(m_customer));
    showHeader(m_settings.headerFor(m_customer, m_circuit));
    resize(560, 0);
}

void CReportHeader::showHeader(const ReportHeader& h) {
    m_inspector->setText(qtFromCp932(h.inspector));
    m_company->setText(qtFromCp932(h.company));
    m_address->setText(qtFromCp932(h.address));
    m_remarks->setText(qtFromCp932(h.remarks));
    m_stampCount->setValue(h.stampCount);
    for (int i = 0; i < kMaxStampBoxes; ++i)
        m_captions[static_cast<std::size_t>(i)]->setText(
            qtFromCp932(h.stampCaptions[static_cast<std::size_t>(i)]));
    updateCaptions();
}

void CReportHeader::updateCaptions() {
    for (int i = 0; i < kMaxStampBoxes; ++i)
        m_captions[static_cast<std::size_t>(i)]->setEnabled(i < m_stampCount->value());
}

std::optional<ReportHeader> CReportHeader::headerFromControls() const {
    // Typed on Linux, "〜" and "−" are kept as Windows' own; a character Shift-JIS lacks is
    // refused, never dropped.
    auto field = [](const QLineEdit* edit) {
        return cp932FromQt(edit->text(), sjis::Spelling::JisTwins);
    };
    ReportHeader h;
    for (auto [edit, text] : {std::pair{m_inspector, &h.inspector},
                              {m_company, &h.company},
                              {m_address, &h.address},
                              {m_remarks, &h.remarks}}) {
        std::optional<std::string> bytes = field(edit);
        if (!bytes)
            return std::nullopt;
        *text = std::move(*bytes);
    }
    h.stampCount = m_stampCount->value();
    for (int i = 0; i < kMaxStampBoxes; ++i) {
        std::optional<std::string> caption = field(m_captions[static_cast<std::size_t>(i)]);
        if (!caption)
            return std::nullopt;
        h.stampCaptions[static_cast<std::size_t>(i)] = std::move(*caption);
    }
    return h;
}

void CReportHeader::onOk() {
    const std::optional<ReportHeader> header = headerFromControls();
    if (!header) {
        m_prompt.tell(txt::support::kUnspellableName, PromptIcon::Stop);
        return;
    }
    ReportHeaderSettings settings = m_settings;
    settings.setShown(m_shown->isChecked());
    settings.setHeader(m_customer, m_circuit, *header, m_customerOwn->isChecked());
    std::error_code error;
    if (!settings.save(m_path, error)) {
        m_prompt.tell(formatText(txt::textout::kHeaderSaveFailed, displayPath(m_path).c_str()),
                      PromptIcon::Stop);
        return;
    }
    m_settings = settings;
    accept();
}
