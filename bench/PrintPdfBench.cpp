// What PDFに出力 costs: a monthly report, and a day of 1440 one-minute samples (its table
// pages and the graph page, 31 pages), drawn by the program's printing view into a PDF file,
// as the print command, the batch output and the command-line tool make them. Against the same
// number of A4 pages holding one line of text each, written the same way: the PDF writer and
// the file alone.
#include "app/gui/MainFrame.h"
#include "app/gui/OrvoViewDoc.h"
#include "app/gui/OrvoViewView.h"
#include "app/gui/SelectorBar.h"
#include "bench/BenchFolder.h"
#include "bench/QtBenchMain.h"
#include "support/AtomicFile.h"
#include "support/gui/PaneSplitter.h"
#include "support/gui/QtPath.h"
#include "tools/reportgen/ReportGenerator.h"
#include <QApplication>
#include <QBuffer>
#include <QComboBox>
#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <benchmark/benchmark.h>
#include <filesystem>
#include <memory>

namespace {

// One customer, one four-wire circuit, the 31 days of May 2024 at 1-minute intervals.
MeasurementStore monthOfMinutes() {
    ReportGenOptions o;
    o.firstDay = DateTime::make(2024, 5, 1);
    o.days = 31;
    o.intervalMinutes = 1;
    o.circuitType1 = CircuitThreePhase4Wire;
    o.reverse = true;
    o.outages = false;
    ReportGenerator generator(o);
    generator.generate();
    MeasurementStore store;
    Customer& customer = store.at(store.insert("Bench"));
    MeasurementCircuit& circuit = customer.circuits.at(customer.circuits.insert("Circuit"));
    for (const MeasurementDay& day : generator.expectedDays().days)
        circuit.addOrReplaceDay(day);
    return store;
}

// Page objects in a PDF file ("/Type /Page", not "/Pages").
int pdfPageCount(const std::filesystem::path& path) {
    QFile file(qtFromPath(path));
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?!s)"));
    const QString text = QString::fromLatin1(file.readAll());
    return static_cast<int>(text.count(page));
}

struct Window {
    std::filesystem::path folder = benchFolder() / "print-pdf";
    COrvoViewDoc document;
    std::unique_ptr<CMainFrame> frame;

    Window() {
        std::filesystem::create_directories(folder);
        // An empty folder: no report header or analysis settings of a user's.
        document.setProgramFolder(folder);
        document.setMonthStartDay([] { return 1; });
        document.replaceStore(monthOfMinutes());
        frame = std::make_unique<CMainFrame>(&document, nullptr);
        frame->selectorBar()->fillFixedLists();
    }
    ~Window() {
        frame.reset();
        std::error_code ec;
        std::filesystem::remove_all(folder, ec);
    }
    COrvoViewView* printView() const {
        return static_cast<COrvoViewView*>(frame->splitter()->view(0, CMainFrame::ViewBlank));
    }
    void select(bool monthly) {
        frame->selectorBar()->kind()->setCurrentIndex(monthly ? 1 : 0);
        document.select({0, 0, 0, monthly ? 2024 : -1, monthly ? 5 : -1}, 1);
    }
};

void reportPdf(benchmark::State& state, bool monthly) {
    Window w;
    w.select(monthly);
    const DisplaySelection job = w.document.currentSelection();
    const std::filesystem::path path = w.folder / "report.pdf";
    for (auto _ : state)
        if (!w.printView()->writeReportPdf(job, qtFromPath(path)))
            state.SkipWithError("the PDF was not written");
    state.counters["pages"] = pdfPageCount(path);
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(path));
}

// The same page count and page set-up, one line of text a page, written as the report is.
void plainPdf(benchmark::State& state) {
    const int pages = static_cast<int>(state.range(0));
    const std::filesystem::path path = benchFolder() / "plain.pdf";
    for (auto _ : state) {
        QBuffer pdf;
        pdf.open(QIODevice::WriteOnly);
        {
            QPdfWriter writer(&pdf);
            writer.setPageSize(QPageSize(QPageSize::A4));
            writer.setPageMargins(QMarginsF(0, 0, 0, 0));
            writer.setResolution(300);
            QPainter painter(&writer);
            for (int page = 1; page <= pages; ++page) {
                if (page > 1)
                    writer.newPage();
                painter.drawText(300, 300, QStringLiteral("%1/%2").arg(page).arg(pages));
            }
        }
        std::error_code error;
        const QByteArray& bytes = pdf.data();
        if (!writeFileAtomically(path, std::string_view(bytes.constData(), bytes.size()), error,
                                 FileKind::Report))
            state.SkipWithError("the PDF was not written");
    }
    state.counters["pages"] = pdfPageCount(path);
    std::error_code ec;
    std::filesystem::remove(path, ec);
}

void BM_MonthReportPdf(benchmark::State& s) {
    reportPdf(s, true);
}
void BM_Day1440ReportPdf(benchmark::State& s) {
    reportPdf(s, false);
}

BENCHMARK(BM_MonthReportPdf)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Day1440ReportPdf)->Unit(benchmark::kMillisecond);
BENCHMARK(plainPdf)->Name("BM_PlainPdf")->Arg(3)->Arg(31)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return runQtBenchmarks<QApplication>(argc, argv);
}
