// What the analysis adds to the graph view (gaps, limit lines, comparison) and to printing
// (the analysis page, only when chosen).
#include "AppTestSupport.h"
#include "ViewFixture.h"
#include "analysis/AnalysisSettings.h"
#include "app/gui/D_InputPrtDateSpan.h"
#include "app/gui/OrvoViewView.h"
#include "app/gui/ViewAnalysis.h"
#include "app/gui/ViewGraph.h"
#include "common/DialogTestSupport.h"
#include "res/ResourceIds.h"
#include "support/ScriptedPrompt.h"
#include <QAction>
#include <QProcess>
#include <QRegularExpression>
#include <QTableWidget>

using namespace viewtest;

namespace {

// Ten days of 30-minute data from 2024-05-01 with the generator's outages.
std::vector<MeasurementDay> tenDays() {
    ReportGenOptions o;
    o.seed = 3;
    o.firstDay = DateTime::make(2024, 5, 1);
    o.days = 10;
    return generatedDays(o);
}

class AnalysisGraphTest : public ViewTest {
protected:
    void saveSettings(double contract, bool printPage) {
        QDir().mkpath(m_dir.path() + "/DATA");
        AnalysisSettings settings;
        CircuitLimits limits;
        limits.contractDemand = contract;
        settings.setLimits(m_doc.store().at(0).name, m_doc.store().at(0).circuits.at(0).name,
                           limits);
        settings.setPrintAnalysisPage(printPage);
        std::error_code ec;
        ASSERT_TRUE(settings.save(analysisSettingsPath(m_doc.dataFolder()), ec));
    }
    GraphPage& graph() { return view<CViewGraph>(CMainFrame::ViewGraph)->graph(); }
};

} // namespace

TEST_F(AnalysisGraphTest, LimitLinesAndTheWeekEarlierDayOnTheScreenGraph) {
    load(tenDays());
    saveSettings(2000.0, false);
    selectDaily(8); // 2024-05-09, a week after 05-02
    m_frame->showView(CMainFrame::ViewGraph);
    const TimeChart& power = graph().chart(GraphPage::PowerChart);
    ASSERT_EQ(power.levels().size(), 2u) << "contract demand and power-factor threshold";
    EXPECT_EQ(sjis::toUtf8(power.levels()[0].label), "契約電力 2000 W");
    EXPECT_EQ(sjis::toUtf8(power.series(power.seriesCount() - 1).name), "比較 05/02");
    const TimeChart& voltage = graph().chart(GraphPage::VoltageChart);
    ASSERT_EQ(voltage.levels().size(), 2u) << "the 101 V band of a 単相 circuit";
    shots("analysis_graph");
}

TEST_F(AnalysisGraphTest, OutageBreaksTheCurvesOnScreenAndOnPaper) {
    std::vector<MeasurementDay> days = tenDays();
    MeasurementDay& d = days[0];
    for (int i = 10; i < 14; ++i) {
        IntervalSample& s = d.data.intervals.at(i);
        s.voltage = {0.0, 0.0, 0.0};
        s.current = {0.0, 0.0, 0.0};
        s.power = 0.0;
        s.powerFactor = 0.0;
    }
    load(days);
    selectDaily(0);
    m_frame->showView(CMainFrame::ViewGraph);
    const ChartSeries& v1 = graph().chart(GraphPage::VoltageChart).series(0);
    int hidden = 0;
    for (const ChartSeries::Point& p : v1.points)
        hidden += p.hidden ? 1 : 0;
    EXPECT_EQ(hidden, 4);
    shots("analysis_graph_outage");
}

TEST_F(AnalysisGraphTest, AnalysisPageFollowsTheGraphPageOnlyWhenChosen) {
    QTemporaryDir out;
    ScriptedPrompt prompt;
    COrvoViewView& printing = *view<COrvoViewView>(CMainFrame::ViewBlank);
    printing.setPrompt(&prompt);
    printing.hasPrinter = [] { return false; };
    printing.askFolder = [&](const QString&) { return out.path(); };
    printing.askPeriod = [](CInputPrtDateSpan&) { return true; };
    load(tenDays());
    for (bool chosen : {false, true}) {
        saveSettings(0.0, chosen);
        selectDaily(0);
        m_frame->action(res::ID_FILE_PRINT)->trigger();
        const QString pdf =
            QDir(out.path()).filePath(QDir(out.path()).entryList(QDir::Files).value(0));
        const QString info = runTool("pdfinfo", {pdf});
        const QRegularExpressionMatch m = QRegularExpression("Pages:\\s+(\\d+)").match(info);
        ASSERT_TRUE(m.hasMatch()) << info.toStdString();
        EXPECT_EQ(m.captured(1).toInt(), chosen ? 4 : 3);
        if (chosen) {
            const QString last = runTool("pdftotext", {"-layout", "-f", "4", "-l", "4", pdf, "-"});
            for (const char* text : {"デマンド・制限", "最大電力", "統計", "上位10件", "4/4"})
                EXPECT_TRUE(last.contains(QString::fromUtf8(text))) << text << "\n"
                                                                    << last.toStdString();
            QFile::remove(shotDir() + "/print_analysis.pdf");
            QFile::copy(pdf, shotDir() + "/print_analysis.pdf");
        }
        QFile::remove(pdf);
    }
    printing.setPrompt(nullptr);
}

// Every printed page carries its own number out of the job's pages, the graph page too when the
// analysis page follows it (a day: table, summary, graph; a month: table, summary, graph).
TEST_F(AnalysisGraphTest, EveryPrintedPageCarriesItsOwnNumber) {
    QTemporaryDir out;
    ScriptedPrompt prompt;
    COrvoViewView& printing = *view<COrvoViewView>(CMainFrame::ViewBlank);
    printing.setPrompt(&prompt);
    printing.hasPrinter = [] { return false; };
    printing.askFolder = [&](const QString&) { return out.path(); };
    printing.askPeriod = [](CInputPrtDateSpan&) { return true; };
    load(tenDays());
    for (bool monthly : {false, true}) {
        for (bool analysisPage : {false, true}) {
            SCOPED_TRACE(std::string(monthly ? "month" : "day") +
                         (analysisPage ? ", analysis page" : ""));
            saveSettings(0.0, analysisPage);
            if (monthly)
                selectMonthly(0, 2024, 5);
            else
                selectDaily(0);
            m_frame->action(res::ID_FILE_PRINT)->trigger();
            const QString pdf =
                QDir(out.path()).filePath(QDir(out.path()).entryList(QDir::Files).value(0));
            const QRegularExpressionMatch m =
                QRegularExpression("Pages:\\s+(\\d+)").match(runTool("pdfinfo", {pdf}));
            ASSERT_TRUE(m.hasMatch());
            const int pages = m.captured(1).toInt();
            EXPECT_EQ(pages, analysisPage ? 4 : 3);
            const auto number = [&](int page) {
                return QRegularExpression(QString("(^|\\s)%1/%2(\\s|$)").arg(page).arg(pages));
            };
            for (int page = 1; page <= pages; ++page) {
                const QString text = runTool("pdftotext", {"-layout", "-f", QString::number(page),
                                                           "-l", QString::number(page), pdf, "-"});
                EXPECT_TRUE(text.contains(number(page))) << "page " << page;
                if (page < pages) {
                    EXPECT_FALSE(text.contains(number(pages))) << "page " << page;
                }
            }
            QFile::remove(pdf);
        }
    }
    printing.setPrompt(nullptr);
}

// A month with a day of outage (every voltage 0, the recorder still listing 500 W): the 分析
// view and the printed analysis page give it no demand and no coverage; it is a gap of outage
// intervals only.
TEST_F(AnalysisGraphTest, MonthWithAnOutageDayHasNoDemandWhereNothingWasMeasured) {
    QTemporaryDir out;
    ScriptedPrompt prompt;
    COrvoViewView& printing = *view<COrvoViewView>(CMainFrame::ViewBlank);
    printing.setPrompt(&prompt);
    printing.hasPrinter = [] { return false; };
    printing.askFolder = [&](const QString&) { return out.path(); };
    std::vector<MeasurementDay> days = tenDays();
    MeasurementDay& outage = days[3]; // 2024-05-04
    for (int i = 0; i < outage.data.intervals.count(); ++i) {
        IntervalSample& s = outage.data.intervals.at(i);
        s.voltage = {0.0, 0.0, 0.0};
        s.power = 500.0;
    }
    load(days);
    saveSettings(0.0, true);
    selectMonthly(0, 2024, 5);
    m_frame->showView(CMainFrame::ViewAnalysis);
    auto* analysis = view<CViewAnalysis>(CMainFrame::ViewAnalysis);
    QTableWidget* largest = dlgtest::byId<QTableWidget>(analysis, res::IDC_ANA_LARGEST);
    QTableWidget* gaps = dlgtest::byId<QTableWidget>(analysis, res::IDC_ANA_GAPS);
    ASSERT_EQ(largest->rowCount(), 10);
    for (int r = 0; r < largest->rowCount(); ++r) {
        EXPECT_FALSE(largest->item(r, 2)->text().startsWith("05/04")) << r;
        EXPECT_GT(largest->item(r, 1)->text().toDouble(), 0.0) << r;
    }
    ASSERT_EQ(gaps->rowCount(), 1);
    EXPECT_EQ(gaps->item(0, 0)->text(), "2024/05/04");
    EXPECT_EQ(gaps->item(0, 1)->text(), "48") << "missing: every interval";
    EXPECT_EQ(gaps->item(0, 2)->text(), "48") << "all of them outage";
    shots("analysis_outage_month");

    m_frame->action(res::ID_FILE_PRINT)->trigger();
    const QString pdf = QDir(out.path()).filePath(QDir(out.path()).entryList(QDir::Files).value(0));
    const QString page = runTool("pdftotext", {"-layout", "-f", "4", "-l", "4", pdf, "-"});
    EXPECT_TRUE(page.contains("2024/05/04")) << page.toStdString();
    EXPECT_FALSE(page.contains(QRegularExpression("05/04 \\d\\d:\\d\\d")))
        << "no half-hour of the outage day among the largest\n"
        << page.toStdString();
    QFile::remove(shotDir() + "/print_analysis_outage_month.pdf");
    QFile::copy(pdf, shotDir() + "/print_analysis_outage_month.pdf");
    printing.setPrompt(nullptr);
}
