#pragma once
#include "store/DAT_DisplaySelection.h"
#include "textout/CsvReport.h"
#include "textout/TxtOutRules.h"
#include <QDialog>

class Prompt;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QWidget;

// テキスト出力（ＣＳＶ形式）: writes the shown report as a CSV file and can then open it. The
// same dialog titled "Excelに出力" writes the workbook.
class CTxtOut : public QDialog {
    Q_OBJECT
public:
    // fields: folder ("TxtOutDir"), program ("TxtOutApp") and open-after ("TxtOutAppRun");
    // the file name is preset from the selection.
    CTxtOut(const DisplaySelection& selection, TxtOutFields fields, CsvOutputEnv env,
            Prompt& prompt, QWidget* parent = nullptr);
    // Writes `output` (preset file name, writer) under the window title `title`.
    CTxtOut(ReportOutput output, const QString& title, TxtOutFields fields, Prompt& prompt,
            QWidget* parent = nullptr);

    // After OK: the three settings to keep (folder, program, open-after) and the file name.
    const TxtOutFields& fields() const { return m_fields; }

    QLineEdit* folder() const { return m_folder; }
    QLineEdit* fileName() const { return m_fileName; }
    QCheckBox* openAfter() const { return m_openAfter; }
    QLineEdit* program() const { return m_program; }
    QWidget* programGroup() const { return m_programGroup; }

private:
    void readControls();
    void onBrowseFolder();
    void onBrowseProgram();
    void onOk();

    ReportOutput m_output;
    TxtOutFields m_fields;
    Prompt& m_prompt;
    QLineEdit* m_folder;
    QLineEdit* m_fileName;
    QCheckBox* m_openAfter;
    QWidget* m_programGroup;
    QLineEdit* m_program;
    QPushButton* m_browseFolder;
    QPushButton* m_browseProgram;
};
