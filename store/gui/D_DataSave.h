#pragma once
#include "store/DAT_DataFile.h"
#include "store/DAT_Store.h"
#include "support/RetryOpen.h"
#include <QDialog>
#include <filesystem>

class Prompt;
class QComboBox;
class QLineEdit;
class QPushButton;

// 需要家データの切出し: one customer to a file of its own. OK exports and keeps the dialog
// open; キャンセル closes it.
class CDataSave : public QDialog {
    Q_OBJECT
public:
    // customerIndex: the preset customer (-1 = none); saveDir/saveFile: "SaveDir"/"SaveFile".
    // The folder field starts in saveDir when it is a folder of this system, else in the home
    // folder.
    CDataSave(const MeasurementStore& store, int customerIndex,
              const std::filesystem::path& saveDir, const std::filesystem::path& saveFile,
              Prompt& prompt, QWidget* parent = nullptr);

    // True once an export succeeded; saveDir()/saveFile() are then the values to keep.
    bool exported() const { return m_exported; }
    const std::filesystem::path& saveDir() const { return m_saveDir; }
    const std::filesystem::path& saveFile() const { return m_saveFile; }

    // Tests: a sink between the archive and the file (a full disk), and a retry that does
    // not really wait.
    void setSinkWrapperForTesting(datafile::SinkWrapper wrap) { m_wrap = std::move(wrap); }
    void setRetryPolicyForTesting(RetryPolicy policy) { m_policy = std::move(policy); }

    QComboBox* customers() const { return m_customers; }
    QLineEdit* folder() const { return m_folder; }
    QLineEdit* fileName() const { return m_fileName; }

private:
    void onBrowse();
    void onOk();

    const MeasurementStore& m_store;
    Prompt& m_prompt;
    std::filesystem::path m_saveDir;
    std::filesystem::path m_saveFile;
    bool m_exported = false;
    datafile::SinkWrapper m_wrap;
    RetryPolicy m_policy;
    QComboBox* m_customers;
    QLineEdit* m_folder;
    QLineEdit* m_fileName;
    QPushButton* m_browse;
};
