#include "app/gui/OrvoViewView.h"
#include "app/AppSettings.h"
#include "app/AppTexts.h"
#include "app/gui/D_InputPrtDateSpan.h"
#include "app/gui/MainFrame.h"
#include "app/gui/UpdateHints.h"
#include "app/gui/ViewAnalysis.h"
#include "app/gui/ViewGraph.h"
#include "app/gui/ViewSheet.h"
#include "support/AtomicFile.h"
#include "support/FilePath.h"
#include "support/Format.h"
#include "support/Termination.h"
#include "support/gui/PaneSplitter.h"
#include "support/gui/QtCp932.h"
#include "support/gui/QtPath.h"
#include "views/layout/gui/QPainterDeviceContext.h"
#include "views/table/PrintJobs.h"
#include <QAction>
#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPalette>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>

COrvoViewView* COrvoViewView::s_printingView = nullptr;

namespace {

// A path the user chose, as a message shows it.
std::string shownPath(const QString& path) {
    return displayPath(pathFromQt(path));
}

} // namespace

COrvoViewView::COrvoViewView(COrvoViewDoc* document, QWidget* parent) : CView(document, parent) {
    setObjectName("COrvoViewView");
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
    s_printingView = this;
    askPeriod = [](CInputPrtDateSpan& dialog) { return dialog.exec() == QDialog::Accepted; };
    askFolder = [this](const QString& start) {
        return QFileDialog::getExistingDirectory(window(), QString(), start);
    };
    askPdfFile = [this](const QString& suggested) {
        return QFileDialog::getSaveFileName(window(), QString(), suggested,
                                            QStringLiteral("PDF (*.pdf)"));
    };
    hasPrinter = [] {
        const QPrinter& printer = sessionPrinter();
        return !QPrinterInfo::availablePrinterNames().isEmpty() ||
               (printer.outputFormat() == QPrinter::PdfFormat &&
                !printer.outputFileName().isEmpty());
    };
}

COrvoViewView::~COrvoViewView() {
    if (s_printingView == this)
        s_printingView = nullptr;
}

COrvoViewView* COrvoViewView::printingView() {
    return s_printingView;
}

QPrinter& COrvoViewView::sessionPrinter() {
    // The page margins count from the paper's edge, so a page comes out the same on every
    // printer and in a PDF file; 20 and 25 mm lie well inside any printable area.
    static QPrinter printer(QPrinter::HighResolution);
    static const bool fullPage = (printer.setFullPage(true), true);
    (void)fullPage;
    return printer;
}

void COrvoViewView::attachFrame(CMainFrame* frame, AppSettings* settings) {
    m_frame = frame;
    m_settings = settings;
}

Prompt& COrvoViewView::prompt() const {
    return m_prompt ? *m_prompt : m_frame->prompt();
}

CViewSheet* COrvoViewView::sheetView() const {
    return m_frame ? static_cast<CViewSheet*>(m_frame->splitter()->view(0, CMainFrame::ViewSheet))
                   : nullptr;
}

CViewAnalysis* COrvoViewView::analysisView() const {
    return m_frame
               ? static_cast<CViewAnalysis*>(m_frame->splitter()->view(0, CMainFrame::ViewAnalysis))
               : nullptr;
}

CViewGraph* COrvoViewView::graphView() const {
    return m_frame ? static_cast<CViewGraph*>(m_frame->splitter()->view(0, CMainFrame::ViewGraph))
                   : nullptr;
}

bool COrvoViewView::printJob(QPagedPaintDevice& device) {
    CViewSheet* sheet = sheetView();
    CViewGraph* graph = graphView();
    if (!sheet || !graph)
        return false;
    const int tablePages = sheet->TablePageCount();
    if (tablePages == 0)
        return false;
    // The analysis page, when chosen, follows the graph page of a day or month.
    CViewAnalysis* analysis = analysisView();
    const DisplaySelection* job = sheet->printedSelection();
    const bool analysisPage = analysis && !(job && job->isYearly()) && analysis->printPageWanted();
    const int pages = tablePages + 1 + (analysisPage ? 1 : 0);
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    for (int page = 1; page <= pages; ++page) {
        if (page > 1 && !device.newPage())
            return false;
        QPainterDeviceContext dc(painter);
        dc.setPrinting(true);
        const Rect area = dc.deviceBounds();
        if (page <= tablePages) {
            sheet->PreparePrintPage(dc, page, pages, area);
            if (page == 1)
                graph->SetPrintArea(area);
            sheet->drawPrintPage(dc);
        } else if (page == tablePages + 1) {
            graph->PrintGraphPage(dc, page, pages);
            graph->drawPrintPage(dc);
        } else {
            analysis->printAnalysisPage(dc, area, page, pages);
        }
    }
    return painter.end();
}

bool COrvoViewView::printToPdf(const DisplaySelection& job, const QString& path) {
    document()->updateAllViews(this, hint::PrintSelect, &job);
    // Made in memory, then written like every other output: a temporary file at 0600 that
    // takes the name only once it is complete and on disk (a link planted at the name is
    // replaced, never written through; a full disk leaves the old file and is reported).
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&pdf);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer.setResolution(300);
        writer.setTitle(QFileInfo(path).completeBaseName());
        writer.setCreator(QStringLiteral("OrvoView"));
        if (!printJob(writer))
            return false;
    }
    std::error_code error;
    const QByteArray& bytes = pdf.data();
    return writeFileAtomically(pathFromQt(path), std::string_view(bytes.constData(), bytes.size()),
                               error, FileKind::Report);
}

void COrvoViewView::presetOwnScales(const DisplaySelection& job) {
    m_frame->presetScales(job);
    const std::array<double, 3> scales = m_frame->scaleValues();
    for (int box = 0; box < 3; ++box)
        if (scales[static_cast<size_t>(box)] >= 0)
            document()->updateAllViews(this, hint::scale(box), &scales[static_cast<size_t>(box)]);
}

bool COrvoViewView::writeReportPdf(const DisplaySelection& job, const QString& path) {
    if (!m_frame)
        return false;
    presetOwnScales(job);
    return printToPdf(job, path);
}

QString COrvoViewView::pdfFolder() const {
    return qtFromPath(
        startFolder(m_settings ? m_settings->pdfOutDir : std::filesystem::path(), homeFolder()));
}

void COrvoViewView::rememberPdfFolder(const QString& folder) {
    if (!m_settings)
        return;
    m_settings->pdfOutDir = pathFromQt(folder);
    m_settings->profile().putPath("Filepath", "PdfOutDir", m_settings->pdfOutDir);
}

void COrvoViewView::runJobs(const std::vector<DisplaySelection>& jobs, bool ownScales) {
    if (jobs.empty())
        return;
    Prompt& prompt = this->prompt();
    QString folder;
    const bool printer = hasPrinter();
    if (!printer) {
        if (prompt.ask(txt::app::kNoPrinter, PromptButtons::YesNo, PromptIcon::Question) !=
            PromptAnswer::Yes)
            return;
        folder = askFolder(pdfFolder());
        if (folder.isEmpty())
            return;
        rememberPdfFolder(folder);
    }
    // "Print to file": one file per job. A single job takes the file name chosen in the
    // printer settings; several are named like PDF output, in that file's folder (one file
    // written over and over would keep only the last day).
    const QPrinter& session = sessionPrinter();
    const bool toFile = printer && session.outputFormat() == QPrinter::PdfFormat &&
                        !session.outputFileName().isEmpty();
    if (toFile)
        folder = QFileInfo(session.outputFileName()).absolutePath();
    bool written = false;
    for (const DisplaySelection& job : jobs) {
        // Each day's graph uses the default scales of that day.
        if (ownScales)
            presetOwnScales(job);
        const QString name = qtFromCp932(print_jobs::pdfFileName(job));
        if (printer && !toFile) {
            document()->updateAllViews(this, hint::PrintSelect, &job);
            QPrinter& p = sessionPrinter();
            p.setDocName(QFileInfo(name).completeBaseName());
            if (!printJob(p))
                prompt.tell(formatText(txt::app::kPrintFailed, shownPath(name).c_str()),
                            PromptIcon::Stop);
            if (terminationRequested())
                break;
            continue;
        }
        const QString path =
            toFile && jobs.size() == 1 ? session.outputFileName() : QDir(folder).filePath(name);
        if (printToPdf(job, path))
            written = !toFile || jobs.size() > 1;
        else
            prompt.tell(formatText(txt::app::kPdfFailed, shownPath(path).c_str()),
                        PromptIcon::Stop);
        // A request to end the program is served between jobs, not after the whole period.
        if (terminationRequested())
            break;
    }
    if (written)
        prompt.tell(formatText(txt::app::kPdfWritten, shownPath(folder).c_str()));
}

void COrvoViewView::restore(const SelectionTuple& kept, int channel) {
    document()->updateAllViews(this, hint::PrintEnd, nullptr);
    document()->select(kept, channel);
}

void COrvoViewView::onFilePrint() {
    COrvoViewDoc* doc = document();
    if (!doc || !m_frame)
        return;
    const DisplaySelection shown = doc->currentSelection();
    const SelectionTuple kept = shown.tuple();
    const int channel = shown.displayChannel;
    if (!shown.isValid() || !isSelectionUsable(doc->store(), kept) || !shown.circuit)
        return;
    std::vector<DisplaySelection> jobs;
    bool ownScales = false;
    if (shown.isMonthly() || shown.isYearly()) {
        jobs.push_back(shown);
    } else {
        CInputPrtDateSpan dialog(prompt(), window());
        dialog.setDates(shown.day.date, shown.day.date);
        if (askPeriod(dialog)) {
            const DateTime first = dialog.startDate();
            const DateTime last = dialog.endDate();
            ownScales = !(first == last);
            for (int index :
                 print_jobs::daysToPrint(*shown.circuit, shown.day.channel, first, last))
                jobs.push_back(print_jobs::jobSelection(shown, index));
        }
    }
    runJobs(jobs, ownScales);
    restore(kept, channel);
}

void COrvoViewView::onFilePrintPreview() {
    COrvoViewDoc* doc = document();
    if (!doc || !m_frame || !doc->isSelectionValid())
        return;
    const DisplaySelection shown = doc->currentSelection();
    QPrintPreviewDialog preview(&sessionPrinter(), window());
    preview.setObjectName("printPreview");
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this, &shown](QPrinter* p) {
        document()->updateAllViews(this, hint::PrintSelect, &shown);
        printJob(*p);
    });
    // The preview's own print button would print straight to the session printer (a file
    // printer's file written in place, no PDF folder without a printer): it closes the preview
    // and prints through the program's flow instead.
    bool print = false;
    const QString printText = QCoreApplication::translate("QPrintPreviewDialog", "Print");
    for (QAction* action : preview.findChildren<QAction*>()) {
        if (action->text() != printText)
            continue;
        action->disconnect(&preview);
        connect(action, &QAction::triggered, &preview, [&preview, &print] {
            print = true;
            preview.accept();
        });
    }
    preview.exec();
    if (print)
        runJobs({shown}, false);
    restore(shown.tuple(), shown.displayChannel);
}

void COrvoViewView::onFilePdf() {
    COrvoViewDoc* doc = document();
    if (!doc || !m_frame || !doc->isSelectionValid())
        return;
    const DisplaySelection shown = doc->currentSelection();
    const QString suggested =
        QDir(pdfFolder()).filePath(qtFromCp932(print_jobs::pdfFileName(shown)));
    const QString path = askPdfFile(suggested);
    if (!path.isEmpty()) {
        rememberPdfFolder(QFileInfo(path).absolutePath());
        const std::string where = shownPath(path);
        if (printToPdf(shown, path))
            prompt().tell(formatText(txt::app::kPdfFileWritten, where.c_str()));
        else
            prompt().tell(formatText(txt::app::kPdfFailed, where.c_str()), PromptIcon::Stop);
    }
    restore(shown.tuple(), shown.displayChannel);
}

void COrvoViewView::onPrintSetup() {
    QPrinter& printer = sessionPrinter();
    QPrintDialog dialog(&printer, window());
    dialog.setWindowTitle(QStringLiteral("プリンタの設定"));
    if (dialog.exec() != QDialog::Accepted)
        return;
    QPageSetupDialog page(&printer, window());
    page.exec();
}
