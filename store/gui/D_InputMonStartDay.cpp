#include "store/gui/D_InputMonStartDay.h"
#include "res/ResourceIds.h"
#include "store/MonthStartDay.h"
#include "support/Prompt.h"
#include "support/gui/DialogParts.h"
#include "support/gui/QtCp932.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

CInputMonStartDay::CInputMonStartDay(int currentDay, Prompt& prompt, QWidget* parent)
    : QDialog(parent), m_prompt(prompt), m_day(currentDay) {
    setObjectName("monStartDayDialog");
    setProperty("controlId", res::IDD_MON_START_DAY);
    setWindowTitle(QStringLiteral("月報の集計開始日"));
    m_edit = dialog::tag(new QLineEdit(QString::number(currentDay), this), res::IDC_START_DAY,
                         "startDayEdit");
    m_edit->setMaxLength(256);
    m_edit->selectAll();
    QLabel* promptLabel = dialog::labelFor(
        QStringLiteral("月報の集計を行う集計開始日を入力してください。"), m_edit, this);
    promptLabel->setObjectName("promptLabel");
    promptLabel->setWordWrap(true);
    auto* unit = new QLabel(QStringLiteral("日"), this);
    unit->setObjectName("unitLabel");
    QDialogButtonBox* buttons = dialog::okCancelButtons(this, true);
    connect(buttons, &QDialogButtonBox::accepted, this, &CInputMonStartDay::onOk);

    auto* row = new QHBoxLayout;
    row->addWidget(m_edit, 1);
    row->addWidget(unit);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(promptLabel);
    layout->addLayout(row);
    layout->addWidget(buttons);
    resize(360, 130);
}

void CInputMonStartDay::onOk() {
    // A character CP932 lacks is no digit either: shown as '?', it fails the check as such.
    const MonthStartDayCheck check =
        checkMonthStartDayText(sjis::fromUtf8Shown(m_edit->text().toStdString()));
    if (check.message.size() != 0) {
        m_prompt.tell(check.message, PromptIcon::Stop);
        return;
    }
    m_day = check.day;
    accept();
}
