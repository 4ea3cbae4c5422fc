#include "AppTestSupport.h"
#include "ViewFixture.h"
#include "app/AppTexts.h"
#include "app/gui/D_InputPrtDateSpan.h"
#include "app/gui/OrvoViewView.h"
#include "common/PathNames.h"
#include "res/ResourceIds.h"
#include "support/ScriptedPrompt.h"
#include "support/Termination.h"
#include <QAction>
#include <QDateEdit>
#include <QFile>
#include <QLabel>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>

using namespace viewtest;

namespace {

int pageCount(const QString& pdf) {
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(runTool("pdfinfo", {pdf}));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

QString pageText(const QString& pdf, int page) {
    return runTool("pdftotext",
                   {"-layout", "-f", QString::number(page), "-l", QString::number(page), pdf, "-"});
}

ReportGenOptions days(int count, int interval = 30) {
    ReportGenOptions o;
    o.firstDay = DateTime::make(2024, 5, 1);
    o.days = count;
    o.intervalMinutes = interval;
    return o;
}

class PrintTest : public ViewTest {
protected:
    void SetUp() override {
        ViewTest::SetUp();
        ASSERT_TRUE(m_out.isValid());
        printView().setPrompt(&m_prompt);
        printView().hasPrinter = [] { return false; };
        printView().askFolder = [this](const QString&) { return m_out.path(); };
        printView().askPeriod = [this](CInputPrtDateSpan& dialog) {
            ++m_periodAsked;
            m_presetStart = dialog.startEdit()->date();
            if (m_period.first.isValid())
                dialog.setDates(m_period.first, m_period.second);
            return m_acceptPeriod;
        };
    }
    void TearDown() override {
        printView().setPrompt(nullptr);
        ViewTest::TearDown();
    }
    COrvoViewView& printView() { return *view<COrvoViewView>(CMainFrame::ViewBlank); }
    QString outFile(const char* utf8Name) { return m_out.filePath(QString::fromUtf8(utf8Name)); }
    QStringList outFiles() { return QDir(m_out.path()).entryList(QDir::Files, QDir::Name); }

    QTemporaryDir m_out;
    ScriptedPrompt m_prompt;
    std::pair<DateTime, DateTime> m_period;
    bool m_acceptPeriod = true;
    int m_periodAsked = 0;
    QDate m_presetStart;
};

TEST_F(PrintTest, DayOfFortyEightSamplesPrintsThreePagesWithoutPrinter) {
    load(generatedDays(days(1)));
    selectDaily(0);
    ASSERT_TRUE(m_frame->action(res::ID_FILE_PRINT)->isEnabled());
    m_frame->action(res::ID_FILE_PRINT)->trigger();
    EXPECT_EQ(m_presetStart, QDate(2024, 5, 1)); // the period starts at the shown day
    ASSERT_EQ(m_prompt.asked().size(), 2u);
    EXPECT_EQ(m_prompt.asked()[0].text, txt::app::kNoPrinter);
    EXPECT_NE(sjis::toUtf8(m_prompt.asked()[1].text).find(m_out.path().toStdString()),
              std::string::npos);
    const QString pdf = outFile("日報_東京第一工場_受電 No.1_20240501.pdf");
    ASSERT_EQ(outFiles(), QStringList{QFileInfo(pdf).fileName()});
    ASSERT_EQ(pageCount(pdf), 3);
    QFile::remove(shotDir() + "/print_day.pdf");
    QFile::copy(pdf, shotDir() + "/print_day.pdf"); // for looking at its pages
    const QString p1 = pageText(pdf, 1), p2 = pageText(pdf, 2), p3 = pageText(pdf, 3);
    for (const char* text : {"需要家名称", "東京第一工場", "受電 No.1", "2024年 5月 1日", "測定値",
                             "00:30", "23:30", "1/3"})
        EXPECT_TRUE(p1.contains(QString::fromUtf8(text))) << text << "\n" << p1.toStdString();
    for (const char* text : {"集計", "総電力量[kWh]", "瞬間最大電流3[A]（時刻）", "2/3"})
        EXPECT_TRUE(p2.contains(QString::fromUtf8(text))) << text << "\n" << p2.toStdString();
    for (const char* text : {"相線式", "電力", "力率", "電圧１", "電流３", "3/3"})
        EXPECT_TRUE(p3.contains(QString::fromUtf8(text))) << text << "\n" << p3.toStdString();
    EXPECT_EQ(m_settings.pdfOutDir, m_out.path().toStdString());
    EXPECT_EQ(apptest::iniValue(m_settings.iniPath(), "Filepath", "PdfOutDir"),
              m_out.path().toStdString());
}

TEST_F(PrintTest, HundredTwentySamplesPrintFivePages) {
    load(generatedDays(days(1, 12)));
    selectDaily(0);
    printView().onFilePrint();
    const QString pdf = outFile("日報_東京第一工場_受電 No.1_20240501.pdf");
    ASSERT_EQ(pageCount(pdf), 5);
    QFile::remove(shotDir() + "/print_120.pdf");
    QFile::copy(pdf, shotDir() + "/print_120.pdf");
    struct Page {
        int page;
        const char* number;
        const char* first;
        const char* last;
    };
    const Page pages[] = {
        {1, "1/5", "00:12", "10:00"}, {2, "2/5", "10:12", "20:00"}, {3, "3/5", "20:12", "23:48"}};
    for (const Page& p : pages) {
        const QString text = pageText(pdf, p.page);
        EXPECT_TRUE(text.contains(QString::fromUtf8(p.number))) << p.page;
        EXPECT_TRUE(text.contains(QString::fromUtf8(p.first))) << p.page;
        EXPECT_TRUE(text.contains(QString::fromUtf8(p.last))) << p.page << text.toStdString();
    }
    EXPECT_FALSE(pageText(pdf, 3).contains("10:00"));
    EXPECT_TRUE(pageText(pdf, 4).contains(QStringLiteral("4/5")));
    EXPECT_TRUE(pageText(pdf, 4).contains(QStringLiteral("集計")));
    EXPECT_TRUE(pageText(pdf, 5).contains(QStringLiteral("5/5")));
}

TEST_F(PrintTest, PeriodSkipsTheDateWithoutData) {
    std::vector<MeasurementDay> all = generatedDays(days(3));
    all.erase(all.begin() + 1);
    load(all);
    selectDaily(0);
    m_period = {DateTime::make(2024, 5, 1), DateTime::make(2024, 5, 3)};
    printView().onFilePrint();
    EXPECT_EQ(outFiles(),
              (QStringList{QString::fromUtf8("日報_東京第一工場_受電 No.1_20240501.pdf"),
                           QString::fromUtf8("日報_東京第一工場_受電 No.1_20240503.pdf")}));
    for (const QString& f : outFiles())
        EXPECT_EQ(pageCount(m_out.filePath(f)), 3) << f.toStdString();
    EXPECT_TRUE(
        pageText(m_out.filePath(outFiles()[1]), 1).contains(QStringLiteral("2024年 5月 3日")));
}

TEST_F(PrintTest, MonthlyReportPrintsWithoutAskingForAPeriod) {
    load(generatedDays(days(10)));
    selectMonthly(0, 2024, 5);
    printView().onFilePrint();
    EXPECT_EQ(m_periodAsked, 0);
    const QString pdf = outFile("月報_東京第一工場_受電 No.1_2024_05.pdf");
    ASSERT_EQ(pageCount(pdf), 3);
    QFile::remove(shotDir() + "/print_month.pdf");
    QFile::copy(pdf, shotDir() + "/print_month.pdf");
    EXPECT_TRUE(pageText(pdf, 1).contains(QStringLiteral("測定値（平均値）")));
    EXPECT_TRUE(pageText(pdf, 1).contains(QStringLiteral("5/31")));
    EXPECT_TRUE(pageText(pdf, 1).contains(QStringLiteral("1/3")));
    EXPECT_TRUE(pageText(pdf, 2).contains(QStringLiteral("2/3")));
}

TEST_F(PrintTest, MonthlyPageMarksIncompleteDays) {
    load(incompleteMonth());
    selectMonthly(0, 2024, 5);
    printView().onFilePrint();
    const QString pdf = outFile("月報_東京第一工場_受電 No.1_2024_05.pdf");
    ASSERT_EQ(pageCount(pdf), 3);
    QFile::remove(shotDir() + "/print_month_incomplete.pdf");
    QFile::copy(pdf, shotDir() + "/print_month_incomplete.pdf");
    const QString page = pageText(pdf, 1);
    for (const char* text : {"測定値（平均値）", "▲n：欠測 n 区間（停電を含む）", "5/2(木) ▲2",
                             "5/3(金) ▲3", "5/31(金) ▲40"})
        EXPECT_TRUE(page.contains(QString::fromUtf8(text))) << text;
    EXPECT_FALSE(pageText(pdf, 2).contains(QStringLiteral("▲")));
}

TEST_F(PrintTest, ScaleBoxesAreBackAtTheKeptSelectionsDefaultsAfterwards) {
    std::vector<MeasurementDay> all = generatedDays(days(2));
    scaleDay(all[1], 20.0, 1.0); // the second day needs a larger power scale
    load(all);
    selectDaily(0);
    QComboBox* power = m_frame->selectorBar()->power();
    const QString defaults = power->currentText();
    power->setCurrentIndex(0);
    m_period = {DateTime::make(2024, 5, 1), DateTime::make(2024, 5, 2)};
    printView().onFilePrint();
    EXPECT_EQ(outFiles().size(), 2);
    EXPECT_EQ(power->currentText(), defaults);
    EXPECT_EQ(m_doc.currentSelection().day.date, DateTime::make(2024, 5, 1));
}

TEST_F(PrintTest, FourWireDayWithReverseInKilowattsPrints) {
    load(fourWireKilowattDay());
    selectDaily(0);
    printView().onFilePrint();
    const QString pdf = outFile("日報_東京第一工場_受電 No.1_20240501.pdf");
    ASSERT_EQ(pageCount(pdf), 3);
    QFile::remove(shotDir() + "/print_four_wire.pdf");
    QFile::copy(pdf, shotDir() + "/print_four_wire.pdf");
    EXPECT_TRUE(pageText(pdf, 1).contains(QStringLiteral("電力[kW]-")));
    EXPECT_TRUE(pageText(pdf, 2).contains(QStringLiteral("最大電力[kW]（時刻） (逆)")));
    EXPECT_TRUE(pageText(pdf, 3).contains(QStringLiteral("電力(逆)")));
}

TEST_F(PrintTest, CancelledPeriodPrintsNothing) {
    load(generatedDays(days(1)));
    selectDaily(0);
    m_acceptPeriod = false;
    printView().onFilePrint();
    EXPECT_TRUE(outFiles().isEmpty());
    EXPECT_TRUE(m_prompt.asked().empty());
    EXPECT_TRUE(m_doc.isSelectionValid());
}

TEST_F(PrintTest, RefusingPdfPrintsNothing) {
    load(generatedDays(days(1)));
    selectDaily(0);
    m_prompt.answer(PromptAnswer::No);
    printView().onFilePrint();
    EXPECT_TRUE(outFiles().isEmpty());
    EXPECT_EQ(m_prompt.asked().size(), 1u);
}

TEST_F(PrintTest, PrinterPathPrintsThroughTheSessionPrinter) {
    load(generatedDays(days(1)));
    selectDaily(0);
    QPrinter& printer = COrvoViewView::sessionPrinter();
    EXPECT_EQ(&printer, &COrvoViewView::sessionPrinter());
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(outFile("printer.pdf"));
    printView().hasPrinter = [] { return true; };
    printView().onFilePrint();
    printer.setOutputFileName(QString());
    printer.setOutputFormat(QPrinter::NativeFormat);
    EXPECT_TRUE(m_prompt.asked().empty());
    ASSERT_EQ(pageCount(outFile("printer.pdf")), 3);
    EXPECT_TRUE(pageText(outFile("printer.pdf"), 2).contains(QStringLiteral("2/3")));
}

// The area of a page that holds ink, in a grey rendering of `dpi` dots per inch.
QImage inkOf(const QString& pdf, int page, int dpi) {
    const QString base = QFileInfo(pdf).absolutePath() + "/ink" + QString::number(page);
    runTool("pdftoppm", {"-r", QString::number(dpi), "-gray", "-png", "-singlefile", "-f",
                         QString::number(page), "-l", QString::number(page), pdf, base});
    const QImage image(base + ".png");
    int left = image.width(), top = image.height(), right = -1, bottom = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 200) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    return right < 0 ? QImage() : image.copy(left, top, right - left + 1, bottom - top + 1);
}

TEST_F(PrintTest, CupsQueuePrintsThePagesOfThePdfPath) {
    QProcess queue;
    queue.start("bash", {QStringLiteral(ORVO_SOURCE_DIR "/scripts/cups-pdf-queue.sh")});
    queue.waitForFinished(60000);
    const QString said = QString::fromUtf8(queue.readAllStandardOutput()).trimmed();
    if (queue.exitStatus() != QProcess::NormalExit || queue.exitCode() != 0)
        GTEST_SKIP() << "CUPS cannot be started here: " << said.toStdString();
    const QRegularExpressionMatch started =
        QRegularExpression(QStringLiteral("started (\\d+)")).match(said);
    struct StopScheduler {
        QString pid;
        ~StopScheduler() {
            if (!pid.isEmpty())
                QProcess::execute("kill", {pid});
        }
    } stop{started.hasMatch() ? started.captured(1) : QString()};

    load(generatedDays(days(1)));
    selectDaily(0);
    // Through the ordinary path: the session printer on the queue, no dialog.
    const QDir spool(QDir::homePath() + "/PDF");
    const QStringList before = spool.entryList({"*.pdf"}, QDir::Files);
    QPrinter& printer = COrvoViewView::sessionPrinter();
    const QString previous = printer.printerName();
    printer.setPrinterName(QStringLiteral("OrvoPDF"));
    printView().hasPrinter = [] { return true; };
    printView().onFilePrint();
    printer.setPrinterName(previous);
    EXPECT_TRUE(m_prompt.asked().empty());
    printView().askPdfFile = [&](const QString&) { return outFile("direct.pdf"); };
    printView().onFilePdf();

    QString queued;
    for (int i = 0; i < 600 && queued.isEmpty(); ++i) {
        QTest::qWait(100);
        for (const QString& f : spool.entryList({"*.pdf"}, QDir::Files))
            if (!before.contains(f) && pageCount(spool.filePath(f)) > 0)
                queued = spool.filePath(f);
    }
    ASSERT_FALSE(queued.isEmpty()) << "the queue wrote no PDF into " << spool.path().toStdString();
    ASSERT_EQ(pageCount(queued), 3);
    for (int page = 1; page <= 3; ++page) {
        // The same content up to where the printer's printable area puts it on the sheet.
        const QImage a = inkOf(queued, page, 40);
        const QImage b = inkOf(outFile("direct.pdf"), page, 40);
        ASSERT_FALSE(a.isNull() || b.isNull()) << page;
        EXPECT_NEAR(a.width(), b.width(), 3) << page;
        EXPECT_NEAR(a.height(), b.height(), 3) << page;
    }
    QFile::remove(queued);
}

TEST_F(PrintTest, PdfCommandWritesTheShownJob) {
    load(generatedDays(days(1)));
    selectDaily(0);
    QString suggested;
    printView().askPdfFile = [&](const QString& s) {
        suggested = s;
        return outFile("export.pdf");
    };
    m_frame->action(res::ID_FILE_PDF)->trigger();
    EXPECT_TRUE(suggested.endsWith(QString::fromUtf8("日報_東京第一工場_受電 No.1_20240501.pdf")));
    EXPECT_EQ(pageCount(outFile("export.pdf")), 3);
    // The success names the file written.
    ASSERT_EQ(m_prompt.asked().size(), 1u);
    EXPECT_EQ(sjis::toUtf8(m_prompt.asked()[0].text),
              "PDFファイルを出力しました。\n" + outFile("export.pdf").toStdString());
}

// OK with the end before the start: a message, the dialog stays; a period put right is taken.
TEST_F(PrintTest, PeriodEndingBeforeItsStartIsToldAndTheDialogStays) {
    CInputPrtDateSpan dialog(m_prompt, m_frame.get());
    dialog.setDates(DateTime::make(2024, 5, 3), DateTime::make(2024, 5, 1));
    dialog.show();
    auto* ok = dialog.findChild<QPushButton*>("okButton");
    ASSERT_NE(ok, nullptr);
    ok->click();
    ASSERT_EQ(m_prompt.asked().size(), 1u);
    EXPECT_EQ(sjis::toUtf8(m_prompt.asked()[0].text),
              "終了日が開始日より前です。\n終了日には開始日以降の日付を選んでください。");
    EXPECT_EQ(m_prompt.asked()[0].icon, PromptIcon::Stop);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), 0);
    dialog.endEdit()->setDate(QDate(2024, 5, 3));
    ok->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(m_prompt.asked().size(), 1u);
}

// The PDF folder is used as chosen and kept by the INI file's rule for paths; the next print
// offers it again. A folder kept the Windows way, or one that is gone, is not offered.
TEST_F(PrintTest, PdfFolderOfAnyNameIsUsedAndKept) {
    load(generatedDays(days(1)));
    selectDaily(0);
    QStringList offered;
    QString chosen;
    printView().askFolder = [&](const QString& start) {
        offered << start;
        return chosen;
    };
    const std::string ini = m_settings.iniPath().native();
    for (const PathName& n : kPathNames) {
        SCOPED_TRACE(n.what);
        chosen = m_out.filePath(QString::fromStdString(n.name));
        ASSERT_TRUE(QDir().mkpath(chosen));
        m_frame->action(res::ID_FILE_PRINT)->trigger();
        EXPECT_EQ(QDir(chosen).entryList(QDir::Files),
                  QStringList{QString::fromUtf8("日報_東京第一工場_受電 No.1_20240501.pdf")});
        const std::filesystem::path folder = chosen.toStdString();
        EXPECT_EQ(m_settings.pdfOutDir, folder);
        if (n.spelledByCp932)
            EXPECT_EQ(apptest::iniValue(ini, "Filepath", "PdfOutDir"),
                      sjis::fromUtf8(folder.native()));
        else
            EXPECT_EQ(apptest::iniValue(ini, "Filepath", "PdfOutDir_UTF8"), folder.native());
        chosen.clear(); // the next print offers the folder kept, and is cancelled
        m_frame->action(res::ID_FILE_PRINT)->trigger();
        EXPECT_EQ(offered.back(), QString::fromStdString(folder.native()));
    }
    const QString home = QDir::homePath();
    for (const char* kept : {"C:\\", "D:\\pdf", "/nowhere/gone"}) {
        m_settings.pdfOutDir = kept;
        m_frame->action(res::ID_FILE_PRINT)->trigger();
        EXPECT_EQ(offered.back(), home) << kept;
    }
}

TEST_F(PrintTest, PreviewShowsTheJobsPagesAndSetupKeepsTheSessionPrinter) {
    load(generatedDays(days(1, 12)));
    selectDaily(0);
    int previewPages = -1;
    QTimer::singleShot(0, [&] {
        auto* preview = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(preview, nullptr);
        QApplication::processEvents();
        if (auto* widget = preview->findChild<QPrintPreviewWidget*>()) {
            widget->updatePreview();
            previewPages = widget->pageCount();
        }
        preview->resize(900, 700);
        preview->grab().save(shotDir() + "/print_preview.png");
        preview->reject();
    });
    m_frame->action(res::ID_FILE_PRINT_PREVIEW)->trigger();
    EXPECT_EQ(previewPages, 5);
    EXPECT_TRUE(m_doc.isSelectionValid());

    QPrinter* before = &COrvoViewView::sessionPrinter();
    bool dialogShown = false;
    QTimer::singleShot(0, [&] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            dialogShown = true;
            dialog->reject();
        }
    });
    m_frame->action(res::ID_FILE_PRINT_SETUP)->trigger();
    EXPECT_TRUE(dialogShown);
    EXPECT_EQ(&COrvoViewView::sessionPrinter(), before);
}

TEST_F(PrintTest, PeriodDialogShowsBothDatesInItsFormat) {
    CInputPrtDateSpan dialog(m_prompt, m_frame.get());
    dialog.setDates(DateTime::make(2024, 5, 1), DateTime::make(2024, 5, 3));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("印刷期間の入力"));
    EXPECT_EQ(dialog.startEdit()->property("controlId").toInt(), res::IDC_PRT_START);
    EXPECT_EQ(dialog.endEdit()->property("controlId").toInt(), res::IDC_PRT_END);
    EXPECT_EQ(dialog.startEdit()->text(), QStringLiteral("2024年 05月 01日"));
    EXPECT_EQ(dialog.endDate(), DateTime::make(2024, 5, 3));
    QStringList labels;
    for (QLabel* l : dialog.findChildren<QLabel*>())
        labels << l->text();
    EXPECT_EQ(labels, (QStringList{"開始：", "～", "終了："}));
    EXPECT_FALSE(dialog.startEdit()->accessibleName().isEmpty());
    dialog.show();
    QApplication::processEvents();
    dialog.grab().save(shotDir() + "/print_period.png");
}

} // namespace

// "Print to file" with a period of several days: one file per day, named like PDF output, in
// the chosen file's folder (one file written three times kept only the last day).
TEST_F(PrintTest, PeriodToAFilePrinterWritesOneFilePerDay) {
    load(generatedDays(days(3)));
    selectDaily(0);
    QPrinter& printer = COrvoViewView::sessionPrinter();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(outFile("print.pdf"));
    printView().hasPrinter = [] { return true; };
    m_period = {DateTime::make(2024, 5, 1), DateTime::make(2024, 5, 3)};
    printView().onFilePrint();
    printer.setOutputFileName(QString());
    printer.setOutputFormat(QPrinter::NativeFormat);
    EXPECT_EQ(outFiles(),
              (QStringList{QString::fromUtf8("日報_東京第一工場_受電 No.1_20240501.pdf"),
                           QString::fromUtf8("日報_東京第一工場_受電 No.1_20240502.pdf"),
                           QString::fromUtf8("日報_東京第一工場_受電 No.1_20240503.pdf")}));
    for (const QString& name : outFiles())
        EXPECT_EQ(pageCount(m_out.filePath(name)), 3) << name.toStdString();
    EXPECT_TRUE(pageText(m_out.filePath(outFiles()[2]), 1).contains(QString::fromUtf8("5月 3日")));
    ASSERT_EQ(m_prompt.asked().size(), 1u) << "one report of where the files went";
}

// A link planted at the predictable name is replaced by the PDF, never written through.
TEST_F(PrintTest, PdfNeverWritesThroughALinkAtItsName) {
    load(generatedDays(days(1)));
    selectDaily(0);
    const QString victim = outFile("victim.txt");
    {
        QFile f(victim);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("keep me");
    }
    const QString pdf = outFile("日報_東京第一工場_受電 No.1_20240501.pdf");
    ASSERT_TRUE(QFile::link(victim, pdf));
    m_frame->action(res::ID_FILE_PRINT)->trigger(); // no printer: PDF into m_out
    QFile f(victim);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("keep me"));
    EXPECT_FALSE(QFileInfo(pdf).isSymLink());
    EXPECT_EQ(pageCount(pdf), 3);
}

// The preview's print button goes through the program's print flow: without a printer, the
// PDF question and the output folder, as 印刷 has it.
TEST_F(PrintTest, ThePreviewsPrintButtonPrintsThroughTheProgramsFlow) {
    load(generatedDays(days(1)));
    selectDaily(0);
    bool pressed = false;
    QTimer::singleShot(0, [&] {
        QWidget* widget = QApplication::activeModalWidget();
        ASSERT_NE(widget, nullptr);
        const QString printText = QCoreApplication::translate("QPrintPreviewDialog", "Print");
        for (QAction* action : widget->findChildren<QAction*>())
            if (action->text() == printText && !pressed) {
                pressed = true;
                action->trigger();
            }
        if (!pressed)
            qobject_cast<QDialog*>(widget)->reject();
    });
    m_frame->action(res::ID_FILE_PRINT_PREVIEW)->trigger();
    ASSERT_TRUE(pressed);
    ASSERT_FALSE(m_prompt.asked().empty());
    EXPECT_EQ(m_prompt.asked()[0].text, txt::app::kNoPrinter);
    EXPECT_EQ(outFiles(),
              QStringList{QString::fromUtf8("日報_東京第一工場_受電 No.1_20240501.pdf")});
    EXPECT_TRUE(m_doc.isSelectionValid());
}

// A request to end the program during a print run stops it between jobs.
TEST_F(PrintTest, ATerminationRequestStopsAPrintRunBetweenJobs) {
    load(generatedDays(days(3)));
    selectDaily(0);
    m_period = {DateTime::make(2024, 5, 1), DateTime::make(2024, 5, 3)};
    int asked = 0;
    printView().askFolder = [&](const QString&) {
        ++asked;
        noteTerminationRequest(); // arrives while the first job is made
        return m_out.path();
    };
    printView().onFilePrint();
    clearTerminationRequest();
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(outFiles(),
              QStringList{QString::fromUtf8("日報_東京第一工場_受電 No.1_20240501.pdf")})
        << "the job under way ends, no further one starts";
}
