#include "app/gui/D_InputPrtDateSpan.h"
#include "app/PrintPeriod.h"
#include "res/ResourceIds.h"
#include "support/DateTime.h"
#include "support/Prompt.h"
#include "support/gui/DialogParts.h"
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QDate toQDate(const DateTime& d) {
    return d.isValid() ? QDate(d.year(), d.month(), d.day()) : QDate::currentDate();
}

DateTime fromQDate(const QDate& d) {
    return DateTime::make(d.year(), d.month(), d.day());
}

QDateEdit* dateEdit(QWidget* parent, int id, const char* name, const QString& label,
                    QHBoxLayout* row) {
    auto* edit = new QDateEdit(QDate::currentDate(), parent);
    edit->setObjectName(name);
    edit->setProperty("controlId", id);
    edit->setDisplayFormat(QStringLiteral("yyyy年 MM月 dd日"));
    edit->setCalendarPopup(true);
    auto* caption = new QLabel(label, parent);
    caption->setBuddy(edit);
    dialog::nameAfter(caption, edit);
    row->addWidget(caption);
    row->addWidget(edit);
    return edit;
}

} // namespace

CInputPrtDateSpan::CInputPrtDateSpan(Prompt& prompt, QWidget* parent)
    : QDialog(parent), m_prompt(prompt) {
    setObjectName("CInputPrtDateSpan");
    setProperty("controlId", res::IDD_INPUT_PRT_DATE_SPAN);
    setWindowTitle(QStringLiteral("印刷期間の入力"));
    auto* row = new QHBoxLayout;
    m_start = dateEdit(this, res::IDC_PRT_START, "startDate", QStringLiteral("開始："), row);
    row->addWidget(new QLabel(QStringLiteral("～"), this));
    m_end = dateEdit(this, res::IDC_PRT_END, "endDate", QStringLiteral("終了："), row);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Ok)->setObjectName("okButton");
    buttons->button(QDialogButtonBox::Ok)->setProperty("controlId", res::IDOK);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName("cancelButton");
    buttons->button(QDialogButtonBox::Cancel)->setProperty("controlId", res::IDCANCEL);
    connect(buttons, &QDialogButtonBox::accepted, this, &CInputPrtDateSpan::onOk);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
    setTabOrder(m_start, m_end);
}

void CInputPrtDateSpan::setDates(const DateTime& start, const DateTime& end) {
    m_start->setDate(toQDate(start));
    m_end->setDate(toQDate(end));
}

DateTime CInputPrtDateSpan::startDate() const {
    return fromQDate(m_start->date());
}

DateTime CInputPrtDateSpan::endDate() const {
    return fromQDate(m_end->date());
}

void CInputPrtDateSpan::onOk() {
    if (const char* message = checkPrintPeriod(startDate(), endDate())) {
        m_prompt.tell(sjis::Text(std::string_view(message)), PromptIcon::Stop);
        m_end->setFocus();
        return;
    }
    accept();
}
