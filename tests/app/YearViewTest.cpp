// 年報 through the selector bar: the year's table and graph, the steps by a year, its printed
// pages and its PDF.
#include "AppTestSupport.h"
#include "ViewFixture.h"
#include "analysis/AnalysisSettings.h"
#include "app/gui/OrvoViewView.h"
#include "app/gui/ViewGraph.h"
#include "app/gui/ViewSheet.h"
#include "common/Cp932.h"
#include "res/ResourceIds.h"
#include "store/Aggregation.h"
#include "support/ScriptedPrompt.h"
#include "textout/ValueFormat.h"
#include <QAction>
#include <QLabel>
#include <QRegularExpression>

using namespace viewtest;
using apptest::items;

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

class YearView : public ViewTest {
protected:
    void SetUp() override {
        ViewTest::SetUp();
        // Every third day from 2023-10-02 to 2024-12-30: two years, the first with three
        // report months.
        ReportGenOptions o;
        o.firstDay = DateTime::make(2023, 10, 2);
        o.days = 456;
        std::vector<MeasurementDay> all = generatedDays(o);
        std::vector<MeasurementDay> days;
        for (std::size_t i = 0; i < all.size(); i += 3)
            days.push_back(all[i]);
        load(days);
        AnalysisSettings settings;
        CircuitLimits limits;
        limits.contractDemand = 1500.0;
        settings.setLimits(sj("東京第一工場"), sj("受電 No.1"), limits);
        std::error_code error;
        ASSERT_TRUE(settings.save(analysisSettingsPath(m_doc.dataFolder()), error));
        selectDaily(0);
    }
    CSelectorBar* bar() { return m_frame->selectorBar(); }
    QAction* action(int id) { return m_frame->action(id); }
};

TEST_F(YearView, KindByKeyboardThenAYearOnAndBack) {
    // The kind box is named after its label and reached by its access key's buddy.
    QComboBox* kind = bar()->kind();
    EXPECT_EQ(kind->accessibleName(), QStringLiteral("種類"));
    EXPECT_EQ(kind->focusPolicy() & Qt::TabFocus, Qt::TabFocus);
    EXPECT_EQ(items(kind), (QStringList{"日別", "月別", "年報"}));
    kind->setFocus();
    QTest::keyClick(kind, Qt::Key_End); // the last kind, as a user's keys choose it
    ASSERT_TRUE(bar()->isYearly());
    const DisplaySelection& shown = m_doc.currentSelection();
    ASSERT_TRUE(shown.isYearly());
    EXPECT_EQ(shown.year, 2023);
    EXPECT_EQ(items(bar()->year()), (QStringList{"2023", "2024"}));
    EXPECT_EQ(bar()->year()->currentText(), QStringLiteral("2023"));
    EXPECT_TRUE(bar()->month()->isHidden());
    EXPECT_TRUE(bar()->monthLabel()->isHidden());
    EXPECT_TRUE(bar()->day()->isHidden());
    EXPECT_FALSE(action(res::ID_PREV_DATA)->isEnabled());
    ASSERT_TRUE(action(res::ID_NEXT_DATA)->isEnabled());

    action(res::ID_NEXT_DATA)->trigger();
    EXPECT_EQ(m_doc.currentSelection().year, 2024);
    EXPECT_TRUE(m_doc.currentSelection().isYearly());
    EXPECT_EQ(bar()->year()->currentText(), QStringLiteral("2024"));
    EXPECT_TRUE(action(res::ID_PREV_DATA)->isEnabled());
    EXPECT_FALSE(action(res::ID_NEXT_DATA)->isEnabled());

    m_frame->showView(CMainFrame::ViewSheet);
    auto* sheet = view<CViewSheet>(CMainFrame::ViewSheet);
    ASSERT_TRUE(sheet->showsYear());
    const TextTable& table = sheet->yearSheet().table();
    const DaySummary may =
        monthSummary(*m_doc.currentSelection().circuit, 2024, 5, m_doc.monthStartDay());
    EXPECT_EQ(table.text(0, 5), sj("5月"));
    EXPECT_EQ(table.text(2, 5), EnergyText(may));
    shots("year_table");
    m_frame->showView(CMainFrame::ViewGraph);
    auto* graph = view<CViewGraph>(CMainFrame::ViewGraph);
    ASSERT_TRUE(graph->showsYear());
    const TimeChart& chart = graph->yearGraph().chart();
    ASSERT_EQ(chart.seriesCount(), 2u);
    EXPECT_EQ(chart.series(0).points.size(), 12u);
    ASSERT_EQ(chart.levels().size(), 1u);
    EXPECT_DOUBLE_EQ(chart.levels()[0].value, 1.5); // the contract demand in kW
    EXPECT_EQ(chart.series(1).name, sj("最大需要電力  契約電力 1.5 kW"));
    shots("year_graph");

    // Back a year with the tool bar's command, then to the daily report: its own page again.
    action(res::ID_PREV_DATA)->trigger();
    EXPECT_EQ(m_doc.currentSelection().year, 2023);
    kind->setFocus();
    QTest::keyClick(kind, Qt::Key_Home);
    EXPECT_FALSE(m_doc.currentSelection().isYearly());
    EXPECT_FALSE(graph->showsYear());
    EXPECT_FALSE(bar()->day()->isHidden());
}

TEST_F(YearView, PdfHasTheTableAndTheGraphPageNumbered) {
    QTemporaryDir out;
    ASSERT_TRUE(out.isValid());
    bar()->kind()->setCurrentIndex(2);
    m_frame->reselect();
    ASSERT_TRUE(m_doc.currentSelection().isYearly());
    action(res::ID_NEXT_DATA)->trigger();
    ScriptedPrompt prompt;
    auto& print = *view<COrvoViewView>(CMainFrame::ViewBlank);
    print.setPrompt(&prompt);
    QString suggested;
    const QString pdf = out.filePath(QStringLiteral("year.pdf"));
    print.askPdfFile = [&](const QString& s) {
        suggested = s;
        return pdf;
    };
    ASSERT_TRUE(action(res::ID_FILE_PDF)->isEnabled());
    action(res::ID_FILE_PDF)->trigger();
    print.setPrompt(nullptr);
    ASSERT_EQ(prompt.asked().size(), 1u); // the file written, named
    EXPECT_EQ(sjis::toUtf8(prompt.asked()[0].text),
              "PDFファイルを出力しました。\n" + pdf.toStdString());
    EXPECT_EQ(QFileInfo(suggested).fileName(),
              QStringLiteral("年報_東京第一工場_受電 No.1_2024.pdf"));
    ASSERT_EQ(pageCount(pdf), 2);
    const QString table = pageText(pdf, 1);
    EXPECT_TRUE(table.contains(QStringLiteral("2024年"))) << table.toStdString();
    EXPECT_TRUE(table.contains(QStringLiteral("年間")));
    EXPECT_TRUE(table.contains(QStringLiteral("12/1")));
    EXPECT_TRUE(table.contains(QStringLiteral("1/2")));
    const QString graph = pageText(pdf, 2);
    EXPECT_TRUE(graph.contains(QStringLiteral("最大需要電力")));
    EXPECT_TRUE(graph.contains(QStringLiteral("契約電力 1.5 kW")));
    EXPECT_TRUE(graph.contains(QStringLiteral("2/2")));
    // The pages as pictures, for looking at.
    runTool("pdftoppm", {"-r", "60", "-png", pdf, shotDir() + "/year_print"});
    // The screen shows the year again afterwards.
    EXPECT_TRUE(m_doc.currentSelection().isYearly());
}

} // namespace
