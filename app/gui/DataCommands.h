#pragma once
#include "textout/TxtOutRules.h"
#include <QObject>
#include <QString>
#include <functional>

class AppSettings;
class CMainFrame;
class COrvoViewDoc;
class QWidget;
class LogFile;
class Prompt;

// Runs 報告書ヘッダーの設定 for the circuit shown by the document (nothing without one); true when
// a new header was saved.
bool runReportHeaderDialog(COrvoViewDoc& document, Prompt& prompt, QWidget* parent);

// The frame's data commands: display-data selection, previous/next stored day, customer export
// and import, monthly start day, CSV and workbook output and 一括出力. Each runs its dialog and
// applies the result to the document, the selector bar and the settings.
class DataCommands : public QObject {
    Q_OBJECT
public:
    DataCommands(CMainFrame* frame, AppSettings* settings);

    // The program log, for the failures of the CSV output.
    void setLog(LogFile* log) { m_log = log; }
    // Tests: answers the message boxes; replaces the open-file dialog of the import.
    void setPromptForTesting(Prompt* prompt) { m_testPrompt = prompt; }
    void setImportFileChooserForTesting(std::function<QString()> choose) {
        m_chooseImportFile = std::move(choose);
    }

    void selectData();
    // -1 the previous, +1 the next stored day (monthly: report month, 年報: year with days);
    // stays at either end.
    void stepData(int step);
    void exportCustomer();
    void importCustomer();
    void changeMonthStartDay();
    void writeCsv();
    // The shown report as an Excel workbook (the same folder, program and open-after as CSV).
    void writeWorkbook();
    // 一括出力: CSV files and PDFs of a period for several circuits into the CSV folder.
    void writeBatch();
    // 報告書ヘッダーの設定 for the shown report's circuit.
    void editReportHeader();

private:
    TxtOutFields outputFields() const;
    void keepOutputFields(const TxtOutFields& fields);
    Prompt& prompt();
    int monthStartDay() const;

    CMainFrame* m_frame;
    AppSettings* m_settings;
    LogFile* m_log = nullptr;
    Prompt* m_testPrompt = nullptr;
    std::function<QString()> m_chooseImportFile;
};
