// A customer's name on every printed page and on screen: never clipped, its start always shown.
#include "ViewFixture.h"
#include "analysis/AnalysisSettings.h"
#include "app/gui/D_InputPrtDateSpan.h"
#include "app/gui/OrvoViewView.h"
#include "app/gui/ViewSheet.h"
#include "res/ResourceIds.h"
#include "support/ScriptedPrompt.h"
#include "views/layout/gui/QPainterDeviceContext.h"
#include <QAction>
#include <QHelpEvent>
#include <QRegularExpression>
#include <QToolTip>

using namespace viewtest;

namespace {

const QString kFifteen = QStringLiteral("東京精密工業株式会社 本社工場");
// No character of the circuit's name or the labels, so that its words are told apart.
const QString kVeryLong =
    QStringLiteral("東京精密工業株式会社 本社工場 第二製造部 品質保証課 計量管理係 "
                   "変圧設備 高圧盤 第一系統 北側 屋外キュービクル 保守契約先 株式会社関東保安");

struct Word {
    QString text;
    double xMin, yMin, xMax, yMax;
};

std::vector<Word> pageWords(const QString& pdf, int page) {
    const QString html = runTool(
        "pdftotext", {"-bbox", "-f", QString::number(page), "-l", QString::number(page), pdf, "-"});
    static const QRegularExpression word(QStringLiteral(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    std::vector<Word> words;
    for (const QRegularExpressionMatch& m : word.globalMatch(html))
        words.push_back({m.captured(5), m.captured(1).toDouble(), m.captured(2).toDouble(),
                         m.captured(3).toDouble(), m.captured(4).toDouble()});
    return words;
}

const Word* find(const std::vector<Word>& words, const QString& text) {
    for (const Word& w : words)
        if (w.text == text)
            return &w;
    return nullptr;
}

// The words of the customer's name cell: between the labels "需要家名称" and "測定回路", in
// reading order. Every word must lie inside the cell.
QString nameCellText(const QString& pdf, int page, const QString& name) {
    const std::vector<Word> words = pageWords(pdf, page);
    const Word* label = find(words, QStringLiteral("需要家名称"));
    const Word* next = find(words, QStringLiteral("測定回路"));
    EXPECT_TRUE(label && next) << "page " << page;
    if (!label || !next)
        return {};
    const double h = label->yMax - label->yMin;
    std::vector<Word> cell;
    for (const Word& w : words) {
        const bool ofTheName = std::all_of(w.text.begin(), w.text.end(), [&](QChar c) {
            return name.contains(c) || c == QChar(0x2026);
        });
        if (!ofTheName || w.yMin < label->yMin - h || w.yMax > label->yMax + h)
            continue;
        EXPECT_GE(w.xMin, label->xMax) << "page " << page << ": " << w.text.toStdString();
        EXPECT_LE(w.xMax, next->xMin) << "page " << page << ": " << w.text.toStdString();
        cell.push_back(w);
    }
    std::sort(cell.begin(), cell.end(), [](const Word& a, const Word& b) {
        return a.yMin + 1 < b.yMin || (std::abs(a.yMin - b.yMin) <= 1 && a.xMin < b.xMin);
    });
    QString text;
    for (const Word& w : cell)
        text += w.text;
    return text;
}

QString withoutSpaces(QString s) {
    return s.remove(QLatin1Char(' '));
}

class CustomerNameTest : public ViewTest {
protected:
    void loadNamed(const QString& name) {
        ReportGenOptions o;
        o.seed = 5;
        o.firstDay = DateTime::make(2024, 5, 1);
        o.days = 3;
        load(generatedDays(o), sj(name.toStdString()));
        QDir().mkpath(m_dir.path() + "/DATA");
        AnalysisSettings analysis;
        analysis.setPrintAnalysisPage(true);
        std::error_code ec;
        ASSERT_TRUE(analysis.save(analysisSettingsPath(m_doc.dataFolder()), ec));
    }
    // Prints what is shown to a PDF; its path.
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
    int pages(const QString& pdf) {
        return runTool("pdfinfo", {pdf}).section("Pages:", 1).section('\n', 0, 0).toInt();
    }
    void keep(const QString& pdf, const QString& name) {
        QFile::remove(shotDir() + "/" + name + ".pdf");
        QFile::copy(pdf, shotDir() + "/" + name + ".pdf");
        runTool("pdftoppm", {"-png", "-r", "60", pdf, shotDir() + "/" + name});
    }
    ScriptedPrompt m_prompt;
};

TEST_F(CustomerNameTest, AFifteenCharacterNamePrintsWholeInsideItsCellOnEveryPage) {
    loadNamed(kFifteen);
    for (bool monthly : {false, true}) {
        if (monthly)
            selectMonthly(0, 2024, 5);
        else
            selectDaily(0);
        QTemporaryDir out;
        const QString pdf = printPdf(out);
        const int n = pages(pdf);
        ASSERT_GE(n, 3) << monthly;
        for (int page = 1; page <= n; ++page)
            EXPECT_EQ(nameCellText(pdf, page, kFifteen), withoutSpaces(kFifteen))
                << "page " << page << (monthly ? " monthly" : " daily");
        keep(pdf, monthly ? QStringLiteral("name15_monthly") : QStringLiteral("name15_daily"));
    }
}

TEST_F(CustomerNameTest, AVeryLongNameKeepsItsStartAndEndsInAnEllipsisInsideItsCell) {
    loadNamed(kVeryLong);
    selectDaily(0);
    QTemporaryDir out;
    const QString pdf = printPdf(out);
    const int n = pages(pdf);
    ASSERT_GE(n, 3);
    for (int page = 1; page <= n; ++page) {
        const QString shown = nameCellText(pdf, page, kVeryLong);
        EXPECT_TRUE(shown.startsWith(QStringLiteral("東京精密工業株式会社本社工場")))
            << page << ": " << shown.toStdString();
        EXPECT_TRUE(shown.endsWith(QChar(0x2026))) << page << ": " << shown.toStdString();
        EXPECT_TRUE(withoutSpaces(kVeryLong).startsWith(shown.chopped(1)))
            << page << ": " << shown.toStdString();
    }
    keep(pdf, QStringLiteral("name_long_daily"));
}

TEST_F(CustomerNameTest, OnScreenTheNameKeepsItsStartAndItsToolTipShowsItWhole) {
    loadNamed(kVeryLong);
    selectDaily(0);
    m_frame->showView(CMainFrame::ViewSheet);
    m_frame->resize(1024, 768);
    QApplication::processEvents();
    CViewSheet& sheet = *view<CViewSheet>(CMainFrame::ViewSheet);
    const TextBox& box = sheet.sheet().titleTable().cellBox(1, 0);
    ASSERT_FALSE(box.fittedName().lines.empty());
    EXPECT_TRUE(box.fittedName().elided);
    EXPECT_EQ(sjis::toUtf8(box.fittedName().lines[0]).rfind("東京精密工業株式会社", 0), 0u);
    // The tool tip over the cell holds the whole name.
    QPainterDeviceContext dc(sheet);
    dc.setMapMode(MM_LOMETRIC);
    const Rect cell = dc.toDevice(box.rect()).normalised();
    const QPoint at((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2);
    QHelpEvent help(QEvent::ToolTip, at, sheet.mapToGlobal(at));
    QApplication::sendEvent(&sheet, &help);
    EXPECT_EQ(QToolTip::text(), kVeryLong);
    QToolTip::hideText();
    shots(QStringLiteral("name_long_table"));
    m_frame->showView(CMainFrame::ViewGraph);
    shots(QStringLiteral("name_long_graph"));
    loadNamed(kFifteen);
    selectDaily(0);
    m_frame->showView(CMainFrame::ViewSheet);
    shots(QStringLiteral("name15_table"));
}

} // namespace
