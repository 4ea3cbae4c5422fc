#pragma once
#include "views/table/BatchOutput.h"
#include <QDialog>
#include <string>

class Prompt;
class QCheckBox;
class QDateEdit;
class QLineEdit;
class QListWidget;
class QPushButton;

// 一括出力: the daily CSV files and PDFs of a period for the checked circuits, written into one
// folder, then one summary. The planning and writing are BatchOutput's; this only reads the
// controls and shows the outcome.
class CBatchOut : public QDialog {
    Q_OBJECT
public:
    // start: the circuits checked, the period and the formats shown first; folder: 出力先 (CP932).
    CBatchOut(const MeasurementStore& store, const BatchRequest& start, const std::string& folder,
              BatchPdfWriter pdf, Prompt& prompt, QWidget* parent = nullptr);

    // The request the controls make.
    BatchRequest request() const;
    // After OK: the folder written into (CP932, trimmed) and what the run did.
    const std::string& folder() const { return m_folderText; }
    const BatchResult& result() const { return m_result; }

    QListWidget* circuits() const { return m_circuits; }
    QDateEdit* fromEdit() const { return m_from; }
    QDateEdit* toEdit() const { return m_to; }
    QCheckBox* csvBox() const { return m_csv; }
    QCheckBox* pdfBox() const { return m_pdf; }
    QLineEdit* folderEdit() const { return m_folder; }
    QPushButton* okButton() const { return m_ok; }

private:
    void updateOk();
    void onBrowseFolder();
    void onOk();
    BatchResult run(const std::vector<BatchItem>& plan);

    const MeasurementStore& m_store;
    BatchPdfWriter m_pdfWriter;
    Prompt& m_prompt;
    std::string m_folderText;
    BatchResult m_result;
    QListWidget* m_circuits;
    QDateEdit* m_from;
    QDateEdit* m_to;
    QCheckBox* m_csv;
    QCheckBox* m_pdf;
    QLineEdit* m_folder;
    QPushButton* m_browseFolder;
    QPushButton* m_ok = nullptr;
};
