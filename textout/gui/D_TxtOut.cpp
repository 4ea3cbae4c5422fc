#include "textout/gui/D_TxtOut.h"
#include "res/ResourceIds.h"
#include "support/gui/DialogParts.h"
#include "support/gui/QtCp932.h"
#include "textout/gui/ProgramLaunch.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using dialog::tag;

namespace {
constexpr int kMaxText = 256;
}

CTxtOut::CTxtOut(const DisplaySelection& selection, TxtOutFields fields, CsvOutputEnv env,
                 Prompt& prompt, QWidget* parent)
    : CTxtOut(csvOutput(selection, env), QStringLiteral("テキスト出力（ＣＳＶ形式）"),
              std::move(fields), prompt, parent) {}

CTxtOut::CTxtOut(ReportOutput output, const QString& title, TxtOutFields fields, Prompt& prompt,
                 QWidget* parent)
    : QDialog(parent), m_output(std::move(output)), m_fields(std::move(fields)), m_prompt(prompt) {
    setObjectName("txtOutDialog");
    setWindowTitle(title);
    m_folder = tag(new QLineEdit(this), res::IDC_OUT_FOLDER, "folderEdit");
    m_fileName = tag(new QLineEdit(this), res::IDC_OUT_FILE, "fileNameEdit");
    m_browseFolder = tag(new QPushButton(QStringLiteral("参照..."), this),
                         res::IDC_BROWSE_OUT_FOLDER, "browseFolderButton");
    m_openAfter = tag(new QCheckBox(QStringLiteral("出力後，次のプログラムでファイルを開く"), this),
                      res::IDC_OPEN_AFTER, "openAfterCheck");
    m_programGroup = tag(new QWidget(this), res::IDC_PROGRAM_GROUP, "programGroup");
    m_program = tag(new QLineEdit(m_programGroup), res::IDC_PROGRAM, "programEdit");
    m_browseProgram = tag(new QPushButton(QStringLiteral("参照..."), m_programGroup),
                          res::IDC_BROWSE, "browseProgramButton");
    for (QLineEdit* edit : {m_folder, m_fileName, m_program})
        edit->setMaxLength(kMaxText);
    for (QPushButton* button : {m_browseFolder, m_browseProgram})
        button->setAutoDefault(false);
    m_browseFolder->setAccessibleName(QStringLiteral("出力先の参照"));
    m_browseProgram->setAccessibleName(QStringLiteral("起動プログラムの参照"));
    m_program->setAccessibleName(QStringLiteral("起動プログラム"));
    auto* note = new QLabel(QStringLiteral("指定しない（空白）にすると出力ファイルに関連付けされて"
                                           "いるプログラムが起動されます。"),
                            m_programGroup);
    note->setObjectName("programNote");
    note->setWordWrap(true);

    auto* group = new QGridLayout(m_programGroup);
    group->setContentsMargins(20, 0, 0, 0);
    group->addWidget(m_program, 0, 0);
    group->addWidget(m_browseProgram, 0, 1);
    group->addWidget(note, 1, 0, 1, 2);
    group->setColumnStretch(0, 1);

    auto* grid = new QGridLayout;
    grid->addWidget(dialog::labelFor(QStringLiteral("出力先："), m_folder, this), 0, 0);
    grid->addWidget(m_folder, 0, 1);
    grid->addWidget(m_browseFolder, 0, 2);
    grid->addWidget(dialog::labelFor(QStringLiteral("出力ファイル名："), m_fileName, this), 1, 0);
    grid->addWidget(m_fileName, 1, 1, 1, 2);
    grid->setColumnStretch(1, 1);
    QDialogButtonBox* buttons = dialog::okCancelButtons(this, true);
    connect(buttons, &QDialogButtonBox::accepted, this, &CTxtOut::onOk);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(m_openAfter);
    layout->addWidget(m_programGroup);
    layout->addStretch(1);
    layout->addWidget(buttons);
    setTabOrder(m_folder, m_browseFolder);
    setTabOrder(m_browseFolder, m_fileName);
    setTabOrder(m_fileName, m_openAfter);
    setTabOrder(m_openAfter, m_program);
    setTabOrder(m_program, m_browseProgram);
    resize(560, 250);

    if (!m_output.fileNamePreset.empty())
        m_fields.fileName = m_output.fileNamePreset;
    m_folder->setText(qtFromCp932(m_fields.folder));
    m_fileName->setText(qtFromCp932(m_fields.fileName));
    m_program->setText(qtFromCp932(m_fields.program));
    m_openAfter->setChecked(m_fields.openAfter);
    m_programGroup->setEnabled(m_fields.openAfter);
    connect(m_openAfter, &QCheckBox::toggled, m_programGroup, &QWidget::setEnabled);
    connect(m_browseFolder, &QPushButton::clicked, this, &CTxtOut::onBrowseFolder);
    connect(m_browseProgram, &QPushButton::clicked, this, &CTxtOut::onBrowseProgram);
}

void CTxtOut::readControls() {
    m_fields.folder = cp932FromQt(m_folder->text());
    m_fields.fileName = cp932FromQt(m_fileName->text());
    m_fields.program = cp932FromQt(m_program->text());
    m_fields.openAfter = m_openAfter->isChecked();
}

void CTxtOut::onBrowseFolder() {
    const QString chosen = QFileDialog::getExistingDirectory(
        this, QStringLiteral("フォルダ選択をしてください"), m_folder->text());
    if (!chosen.isEmpty())
        m_folder->setText(chosen);
}

void CTxtOut::onBrowseProgram() {
    // Programs carry no extension here: every file is offered.
    const QString chosen =
        QFileDialog::getOpenFileName(this, QStringLiteral("起動プログラム"), m_program->text(),
                                     QStringLiteral("プログラム (*)"));
    if (!chosen.isEmpty())
        m_program->setText(chosen);
}

void CTxtOut::onOk() {
    readControls();
    if (!acceptReportOutput(m_fields, m_output, m_prompt))
        return;
    if (m_fields.openAfter)
        startProgramOnFile(txtOutLaunch(m_fields), m_prompt);
    accept();
}
