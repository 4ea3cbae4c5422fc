// The report header on paper: above the title block of the table and analysis pages of the
// PDF when shown, nowhere when kept but off.
#include "AppTestSupport.h"
#include "ViewFixture.h"
#include "analysis/AnalysisSettings.h"
#include "app/gui/D_InputPrtDateSpan.h"
#include "app/gui/OrvoViewView.h"
#include "res/ResourceIds.h"
#include "support/ScriptedPrompt.h"
#include "textout/ReportHeader.h"
#include <QAction>

using namespace viewtest;

namespace {

class ReportHeaderPrintTest : public ViewTest {
protected:
    void saveHeader(bool shown) {
        QDir().mkpath(m_dir.path() + "/DATA");
        ReportHeaderSettings settings;
        ReportHeader h;
        h.inspector = sjis::fromUtf8("山田 太郎");
        h.company = sjis::fromUtf8("東西電気保安株式会社");
        h.address = sjis::fromUtf8("東京都港区芝一丁目2番3号");
        h.remarks = sjis::fromUtf8("年次点検後の確認測定");
        h.stampCount = 4;
        h.stampCaptions[3] = sjis::fromUtf8("所長");
        settings.setShown(shown);
        settings.setHeader(m_doc.store().at(0).name, m_doc.store().at(0).circuits.at(0).name, h,
                           false);
        std::error_code ec;
        ASSERT_TRUE(settings.save(reportHeaderPath(m_doc.dataFolder()), ec));
        AnalysisSettings analysis;
        analysis.setPrintAnalysisPage(true);
        ASSERT_TRUE(analysis.save(analysisSettingsPath(m_doc.dataFolder()), ec));
    }
    // Prints the shown day to a PDF and returns its path (in `out`).
    QString printPdf(const QTemporaryDir& out) {
        COrvoViewView& printing = *view<COrvoViewView>(CMainFrame::ViewBlank);
        printing.setPrompt(&m_prompt);
        printing.hasPrinter = [] { return false; };
        printing.askFolder = [&](const QString&) { return out.path(); };
        printing.askPeriod = [](CInputPrtDateSpan&) { return true; };
        m_frame->action(res::ID_FILE_PRINT)->trigger();
        printing.setPrompt(nullptr);
        return QDir(out.path()).filePath(QDir(out.path()).entryList(QDir::Files).value(0));
    }
    ScriptedPrompt m_prompt;
};

std::vector<MeasurementDay> oneDay() {
    ReportGenOptions o;
    o.seed = 5;
    o.firstDay = DateTime::make(2024, 5, 1);
    o.days = 1;
    return generatedDays(o);
}

const char* const kHeaderTexts[] = {"測定者",     "山田 太郎",
                                    "測定会社",   "東西電気保安株式会社",
                                    "需要家住所", "東京都港区芝一丁目2番3号",
                                    "備考",       "年次点検後の確認測定",
                                    "担当",       "確認",
                                    "承認",       "所長"};

} // namespace

TEST_F(ReportHeaderPrintTest, ShownAboveTheTitleOfTheTableAndAnalysisPages) {
    load(oneDay());
    saveHeader(true);
    selectDaily(0);
    QTemporaryDir out;
    const QString pdf = printPdf(out);
    // Table pages, the summary page, the graph page and the analysis page.
    const int pages = runTool("pdfinfo", {pdf}).section("Pages:", 1).section('\n', 0, 0).toInt();
    ASSERT_GE(pages, 4);
    for (int page : {1, pages - 2, pages}) {
        const QString text = runTool(
            "pdftotext", {"-f", QString::number(page), "-l", QString::number(page), pdf, "-"});
        for (const char* expected : kHeaderTexts)
            EXPECT_TRUE(text.contains(QString::fromUtf8(expected)))
                << "page " << page << ": " << expected << "\n"
                << text.toStdString();
        // The header comes before the title block.
        EXPECT_LT(text.indexOf(QStringLiteral("山田 太郎")),
                  text.indexOf(QStringLiteral("需要家名称")))
            << page;
    }
    QFile::remove(shotDir() + "/print_report_header.pdf");
    QFile::copy(pdf, shotDir() + "/print_report_header.pdf");
    runTool("pdftoppm", {"-png", "-r", "60", "-f", "1", "-l", "1", pdf,
                         shotDir() + "/print_report_header_table"});
    runTool("pdftoppm", {"-png", "-r", "60", "-f", QString::number(pages), "-l",
                         QString::number(pages), pdf, shotDir() + "/print_report_header_analysis"});
}

TEST_F(ReportHeaderPrintTest, KeptButOffLeavesThePagesAsTheyWere) {
    load(oneDay());
    saveHeader(false);
    selectDaily(0);
    QTemporaryDir out;
    const QString pdf = printPdf(out);
    const QString text = runTool("pdftotext", {pdf, "-"});
    EXPECT_TRUE(text.contains(QStringLiteral("需要家名称")));
    for (const char* unexpected : {"測定者", "山田 太郎", "年次点検後の確認測定", "所長"})
        EXPECT_FALSE(text.contains(QString::fromUtf8(unexpected))) << unexpected;
}
