#include "store/gui/D_DataSave.h"
#include "res/ResourceIds.h"
#include "store/DAT_CUSTOMER.h"
#include "store/DataSaveRules.h"
#include "support/FilePath.h"
#include "support/gui/DialogParts.h"
#include "support/gui/QtCp932.h"
#include "support/gui/QtPath.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFontDatabase>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using dialog::tag;

namespace {
constexpr int kMaxText = 256;
}

CDataSave::CDataSave(const MeasurementStore& store, int customerIndex,
                     const std::filesystem::path& saveDir, const std::filesystem::path& saveFile,
                     Prompt& prompt, QWidget* parent)
    : QDialog(parent), m_store(store), m_prompt(prompt), m_saveDir(saveDir), m_saveFile(saveFile) {
    setObjectName("dataSaveDialog");
    setProperty("controlId", res::IDD_DATA_SAVE);
    setWindowTitle(QStringLiteral("需要家データの切出し"));
    m_customers = tag(dialog::nameCombo(this), res::IDC_CUSTOMER_NAME, "customerCombo");
    m_folder = tag(new QLineEdit(this), res::IDC_SAVE_FOLDER, "folderEdit");
    m_fileName = tag(new QLineEdit(this), res::IDC_SAVE_FILE, "fileNameEdit");
    m_browse =
        tag(new QPushButton(QStringLiteral("参照..."), this), res::IDC_BROWSE, "browseButton");
    m_browse->setAutoDefault(false);
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    for (QLineEdit* edit : {m_folder, m_fileName}) {
        edit->setMaxLength(kMaxText);
        edit->setFont(fixed);
    }
    m_browse->setAccessibleName(QStringLiteral("保存先の参照"));

    auto* grid = new QGridLayout;
    grid->addWidget(dialog::labelFor(QStringLiteral("需要家名称："), m_customers, this), 0, 0);
    grid->addWidget(m_customers, 0, 1, 1, 2);
    grid->addWidget(dialog::labelFor(QStringLiteral("保存先："), m_folder, this), 1, 0);
    grid->addWidget(m_folder, 1, 1);
    grid->addWidget(m_browse, 1, 2);
    grid->addWidget(dialog::labelFor(QStringLiteral("保存ファイル名："), m_fileName, this), 2, 0);
    grid->addWidget(m_fileName, 2, 1, 1, 2);
    grid->setColumnStretch(1, 1);
    QDialogButtonBox* buttons = dialog::okCancelButtons(this, true);
    connect(buttons, &QDialogButtonBox::accepted, this, &CDataSave::onOk);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addStretch(1);
    layout->addWidget(buttons);
    setTabOrder(m_customers, m_folder);
    setTabOrder(m_folder, m_browse);
    setTabOrder(m_browse, m_fileName);
    resize(520, 170);

    for (int i = 0; i < store.count(); ++i)
        m_customers->addItem(qtFromCp932(store.at(i).name));
    const bool preset = customerIndex >= 0 && customerIndex < store.count();
    m_customers->setCurrentIndex(preset ? customerIndex : -1);
    m_folder->setText(qtFromPath(startFolder(saveDir, homeFolder())));
    m_fileName->setText(preset ? qtFromCp932(exportFileNamePreset(store.at(customerIndex).name))
                               : qtFromPath(saveFile));
    connect(m_customers, &QComboBox::activated, this, [this](int index) {
        if (index >= 0 && index < m_store.count())
            m_fileName->setText(qtFromCp932(exportFileNamePreset(m_store.at(index).name)));
    });
    connect(m_browse, &QPushButton::clicked, this, &CDataSave::onBrowse);
}

void CDataSave::onBrowse() {
    const QString chosen = QFileDialog::getExistingDirectory(
        this, QStringLiteral("フォルダ選択をしてください"),
        qtFromPath(startFolder(pathFromQt(m_folder->text()), homeFolder())));
    if (!chosen.isEmpty())
        m_folder->setText(chosen);
}

void CDataSave::onOk() {
    DataSaveFields fields{pathFromQt(m_folder->text()), pathFromQt(m_fileName->text()),
                          m_customers->currentIndex()};
    if (!acceptDataSave(fields, m_store, m_prompt, m_policy, m_wrap))
        return;
    m_exported = true;
    m_saveDir = fields.folder;
    m_saveFile = fields.fileName;
}
