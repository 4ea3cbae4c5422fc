#include "app/gui/DataCommands.h"
#include "analysis/AnalysisSettings.h"
#include "analysis/ReportAnalysis.h"
#include "analysis/YearReportCsv.h"
#include "analysis/YearReportSheet.h"
#include "app/AppSettings.h"
#include "app/AppTexts.h"
#include "app/gui/MainFrame.h"
#include "app/gui/OrvoViewDoc.h"
#include "app/gui/OrvoViewView.h"
#include "res/ResourceIds.h"
#include "store/DAT_CUSTOMER.h"
#include "store/gui/D_DataSave.h"
#include "store/gui/D_InputMonStartDay.h"
#include "support/FilePath.h"
#include "support/Format.h"
#include "support/Prompt.h"
#include "support/gui/PaneSplitter.h"
#include "support/gui/QtPath.h"
#include "textout/ReportWorkbook.h"
#include "textout/gui/D_ReportHeader.h"
#include "textout/gui/D_TxtOut.h"
#include "transfer/SelectDataRules.h"
#include "transfer/gui/D_SelectData.h"
#include "views/analysis/AnalysisTables.h"
#include "views/table/SheetFlags.h"
#include "views/table/gui/D_BatchOut.h"

#include <QFileDialog>

bool runReportHeaderDialog(COrvoViewDoc& document, Prompt& prompt, QWidget* parent) {
    const DisplaySelection& shown = document.currentSelection();
    if (!shown.isValid())
        return false;
    CReportHeader dialog(reportHeaderPath(document.dataFolder()), shown.customerName,
                         shown.circuitName, prompt, parent);
    return dialog.exec() == QDialog::Accepted;
}

DataCommands::DataCommands(CMainFrame* frame, AppSettings* settings)
    : QObject(frame), m_frame(frame), m_settings(settings) {
    frame->setCommandHandler(res::ID_SELECT_DATA, [this] { selectData(); });
    frame->setCommandHandler(res::ID_PREV_DATA, [this] { stepData(-1); });
    frame->setCommandHandler(res::ID_NEXT_DATA, [this] { stepData(+1); });
    frame->setCommandHandler(res::ID_CUST_EXPORT, [this] { exportCustomer(); });
    frame->setCommandHandler(res::ID_CUST_IMPORT, [this] { importCustomer(); });
    frame->setCommandHandler(res::ID_MON_START_DAY, [this] { changeMonthStartDay(); });
    frame->setCommandHandler(res::ID_TXT_OUT, [this] { writeCsv(); });
    frame->setCommandHandler(res::ID_XLSX_OUT, [this] { writeWorkbook(); });
    frame->setCommandHandler(res::ID_BATCH_OUT, [this] { writeBatch(); });
    frame->setCommandHandler(res::ID_REPORT_HEADER, [this] { editReportHeader(); });
}

Prompt& DataCommands::prompt() {
    return m_testPrompt ? *m_testPrompt : m_frame->prompt();
}

int DataCommands::monthStartDay() const {
    return m_frame->document()->monthStartDay();
}

void DataCommands::selectData() {
    COrvoViewDoc* doc = m_frame->document();
    CSelectData dialog(doc->store(), doc->currentSelection().tuple(), prompt(), m_frame);
    if (dialog.exec() == QDialog::Accepted)
        m_frame->applySelectDataResult(dialog.selection());
}

void DataCommands::stepData(int step) {
    COrvoViewDoc* doc = m_frame->document();
    const DisplaySelection& shown = doc->currentSelection();
    if (!shown.isValid())
        return;
    const SelectionTuple next =
        steppedSelection(doc->store(), shown.tuple(), step, monthStartDay());
    if (next != shown.tuple())
        doc->select(next, shown.displayChannel);
}

void DataCommands::exportCustomer() {
    COrvoViewDoc* doc = m_frame->document();
    const DisplaySelection& shown = doc->currentSelection();
    const int preset = shown.isValid() ? shown.customerIndex : 0;
    std::filesystem::path dir = m_settings ? m_settings->saveDir : std::filesystem::path();
    std::filesystem::path file = m_settings ? m_settings->saveFile : std::filesystem::path();
    CDataSave dialog(doc->store(), preset, dir, file, prompt(), m_frame);
    dialog.exec();
    if (dialog.exported() && m_settings) {
        m_settings->saveDir = dialog.saveDir();
        m_settings->saveFile = dialog.saveFile();
    }
}

void DataCommands::importCustomer() {
    const QString chosen =
        m_chooseImportFile
            ? m_chooseImportFile()
            : QFileDialog::getOpenFileName(
                  m_frame, QStringLiteral("需要家データを取り込む"),
                  qtFromPath(startFolder(m_settings ? m_settings->saveDir : std::filesystem::path(),
                                         homeFolder())),
                  QStringLiteral("需要家データ (*)"));
    if (chosen.isEmpty())
        return;
    COrvoViewDoc* doc = m_frame->document();
    // Into a copy: a failed import leaves the document's store as it was.
    MeasurementStore copy = doc->store();
    const std::filesystem::path path = pathFromQt(chosen);
    const int index = ::importCustomer(copy, path, prompt());
    if (index < 0)
        return;
    const std::string name = copy.at(index).name;
    doc->replaceStore(std::move(copy));
    doc->saveChanges(prompt());
    prompt().tell(sjis::Text(importDoneMessage(name, path)), PromptIcon::Information);
    // Indices may have shifted: show the same day again and refresh the bar and the views.
    const DisplaySelection& shown = doc->currentSelection();
    if (shown.isValid())
        doc->select(shown.tuple(), shown.displayChannel);
    else
        m_frame->fillDateLists(false);
    m_frame->updateCommandUi();
}

void DataCommands::changeMonthStartDay() {
    CInputMonStartDay dialog(monthStartDay(), prompt(), m_frame);
    if (dialog.exec() != QDialog::Accepted || !m_settings)
        return;
    m_settings->monthStartDay = dialog.day();
    // Written at once, like every confirmed change.
    m_settings->profile().putInt("Param", "MonStartDay", m_settings->monthStartDay);
    // The shown month's window moved with the start day: show the report month now holding
    // the shown day.
    COrvoViewDoc* doc = m_frame->document();
    const DisplaySelection& shown = doc->currentSelection();
    if (shown.isValid() && (shown.isMonthly() || shown.isYearly()))
        m_frame->applySelectDataResult(shown.tuple());
}

TxtOutFields DataCommands::outputFields() const {
    if (!m_settings)
        return {};
    return {m_settings->txtOutDir, {}, m_settings->txtOutApp, m_settings->txtOutAppRun != 0};
}

void DataCommands::keepOutputFields(const TxtOutFields& fields) {
    if (!m_settings)
        return;
    m_settings->txtOutDir = fields.folder;
    m_settings->txtOutApp = fields.program;
    m_settings->txtOutAppRun = fields.openAfter ? 1 : 0;
}

void DataCommands::writeCsv() {
    COrvoViewDoc* doc = m_frame->document();
    CsvOutputEnv env;
    env.monthStartDay = monthStartDay();
    env.log = m_log;
    env.yearLines = [doc](ReportLineWriter& out, const DisplaySelection& selection) {
        writeYearReportLines(out, selection, doc->yearReport(selection));
    };
    CTxtOut dialog(doc->currentSelection(), outputFields(), env, prompt(), m_frame);
    if (dialog.exec() == QDialog::Accepted)
        keepOutputFields(dialog.fields());
}

void DataCommands::writeWorkbook() {
    COrvoViewDoc* doc = m_frame->document();
    const DisplaySelection& shown = doc->currentSelection();
    WorkbookOutputEnv env;
    env.monthStartDay = monthStartDay();
    env.log = m_log;
    if (shown.isYearly()) {
        env.yearSheet = yearSheetName(shown.year);
        env.year.push_back(yearWorkbookTable(shown, doc->yearReport(shown)));
    }
    env.header = ReportHeaderSettings::load(reportHeaderPath(doc->dataFolder()));
    // The 分析 sheet goes with the report when the analysis page is printed with it.
    const AnalysisSettings analysis =
        AnalysisSettings::load(analysisSettingsPath(doc->dataFolder()));
    if (!shown.isYearly() && hasReportDay(shown) && analysis.printAnalysisPage()) {
        const ReportAnalysis figures = analyseSelection(
            shown, analysis.limitsFor(shown.customerName, shown.circuitName), env.monthStartDay);
        for (AnalysisTable& table :
             analysisTables(figures, sheetFlags(shown).kilowatts, sheetFlags(shown).kilovolts))
            env.analysis.push_back(
                {std::move(table.title), std::move(table.header), std::move(table.rows)});
    }
    CTxtOut dialog(workbookOutput(shown, env), QStringLiteral("Excelに出力"), outputFields(),
                   prompt(), m_frame);
    dialog.setObjectName("xlsxOutDialog");
    if (dialog.exec() == QDialog::Accepted)
        keepOutputFields(dialog.fields());
}

void DataCommands::writeBatch() {
    COrvoViewDoc* doc = m_frame->document();
    auto* printView =
        static_cast<COrvoViewView*>(m_frame->splitter()->view(0, CMainFrame::ViewBlank));
    const DisplaySelection shown = doc->currentSelection();
    bool drawn = false;
    // The PDFs come from the views as PDFに出力 makes them.
    const BatchPdfWriter pdf = [printView, &drawn](const DisplaySelection& job,
                                                   const std::filesystem::path& path,
                                                   std::string& reason) {
        drawn = true;
        if (printView->writeReportPdf(job, qtFromPath(path)))
            return true;
        reason = formatText(txt::app::kPdfFailed, displayPath(path).c_str());
        return false;
    };
    // The CSV folder kept, when it is a folder of this system; else the home folder.
    const std::filesystem::path folder =
        startFolder(m_settings ? m_settings->txtOutDir : std::filesystem::path(), homeFolder());
    CBatchOut dialog(doc->store(), defaultBatchRequest(doc->store(), shown, monthStartDay()),
                     folder, pdf, prompt(), m_frame);
    const bool ran = dialog.exec() == QDialog::Accepted;
    if (drawn)
        printView->finishJobs(shown.tuple(), shown.displayChannel);
    if (ran && m_settings)
        m_settings->txtOutDir = dialog.folder();
}

void DataCommands::editReportHeader() {
    runReportHeaderDialog(*m_frame->document(), prompt(), m_frame);
}
