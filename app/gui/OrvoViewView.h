#pragma once
#include "app/gui/View.h"
#include "store/DAT_DisplaySelection.h"
#include <QString>
#include <functional>
#include <vector>

class AppSettings;
class CInputPrtDateSpan;
class CMainFrame;
class CViewAnalysis;
class CViewGraph;
class CViewSheet;
class Prompt;
class QPagedPaintDevice;
class QPrinter;

// The view named in the document template: blank on screen, host of the print command.
// The newest one is the program's printing view. A print job is the table pages of the table
// view and the graph page of the graph view, on the default printer or, without a printer,
// in PDF files.
class COrvoViewView : public CView {
    Q_OBJECT
public:
    explicit COrvoViewView(COrvoViewDoc* document, QWidget* parent = nullptr);
    ~COrvoViewView() override;

    static COrvoViewView* printingView();
    // The printer of the program: one object for the session, set up by プリンタの設定.
    static QPrinter& sessionPrinter();

    // The frame whose selector bar and scales the print command uses.
    void attachFrame(CMainFrame* frame, AppSettings* settings);
    // 印刷: the daily period (one job per stored day) or the monthly or year report, then the
    // screen selection restored.
    void onFilePrint();
    // 印刷プレビュー: the current job's pages in a preview that can print them.
    void onFilePrintPreview();
    // PDFに出力: the current job's pages into a PDF file the user names.
    void onFilePdf();
    // プリンタの設定: printer and page setup of the session printer.
    void onPrintSetup();

    // The pages of the selection to print (hint 102) on a printer or PDF writer; false when
    // there is nothing to print or the device cannot be painted on.
    bool printJob(QPagedPaintDevice& device);

    // One report into a PDF file, drawn as PDFに出力 draws it but with the graph at the default
    // scales of that report (as each day of a printed period): for outputs of many reports.
    // The caller ends with finishJobs. False when it could not be made or written.
    bool writeReportPdf(const DisplaySelection& job, const QString& path);
    // The views back to the shown selection after writeReportPdf.
    void finishJobs(const SelectionTuple& shown, int channel) { restore(shown, channel); }

    // Where the user's answers come from; tests replace them.
    std::function<bool(CInputPrtDateSpan&)> askPeriod;
    std::function<QString(const QString& start)> askFolder; // "" = cancelled
    std::function<QString(const QString& suggested)> askPdfFile;
    std::function<bool()> hasPrinter;
    // Messages and questions go here (the frame's prompt unless set).
    void setPrompt(Prompt* prompt) { m_prompt = prompt; }

private:
    CViewSheet* sheetView() const;
    CViewGraph* graphView() const;
    CViewAnalysis* analysisView() const;
    // Runs the jobs on the printer, or in PDF files after asking; false when nothing ran.
    void runJobs(const std::vector<DisplaySelection>& jobs, bool ownScales);
    bool printToPdf(const DisplaySelection& job, const QString& path);
    void presetOwnScales(const DisplaySelection& job);
    void restore(const SelectionTuple& kept, int channel);
    QString pdfFolder() const;
    void rememberPdfFolder(const QString& folder);

    static COrvoViewView* s_printingView;
    Prompt& prompt() const;

    CMainFrame* m_frame = nullptr;
    Prompt* m_prompt = nullptr;
    AppSettings* m_settings = nullptr;
};
