// pdf end to end: the built tool writes the PDF of PDFに出力 for a day and a month, the daily
// PDFs of a period over several circuits as the single command writes them, and its failures
// in the tool's message form with nothing left half-written.
#include "analysis/AnalysisSettings.h"
#include "app/ViewFixture.h"
#include "app/gui/OrvoViewApp.h"
#include "app/gui/OrvoViewView.h"
#include "common/FileBytes.h"
#include "common/PdfBytes.h"
#include "common/StoreBuilders.h"
#include "res/ResourceIds.h"
#include "support/FilePath.h"
#include "support/ScriptedPrompt.h"
#include "support/gui/QtCp932.h"
#include "support/gui/QtPath.h"
#include "tests/tools/ToolRunner.h"
#include "textout/ReportHeader.h"
#include "views/table/PrintJobs.h"
#include <QAction>
#include <algorithm>

namespace {

namespace fs = std::filesystem;
using namespace viewtest;
using Args = std::vector<std::string>;

const char* const kCircuits[] = {"受電 No.1", "動力", "照明"};

class CliPdfTest : public ViewTest {
protected:
    void SetUp() override {
        ViewTest::SetUp();
        // As the program's application object does.
        COrvoViewApp::fixHashSeed();
        printView().setPrompt(&m_prompt);
        // 東京第一工場 with three circuits of five days from 2024-05-01, their figures apart.
        MeasurementStore store;
        const int customer = store.insert(sj("東京第一工場"));
        for (int k = 0; k < 3; ++k) {
            ReportGenOptions o;
            o.seed = static_cast<uint64_t>(k + 1);
            o.firstDay = DateTime::make(2024, 5, 1);
            o.days = 5;
            const int circuit = store.at(customer).circuits.insert(sj(kCircuits[k]));
            for (MeasurementDay& d : generatedDays(o)) {
                scaleDay(d, 1.0 + k, 1.0);
                store.at(customer).circuits.at(circuit).addOrReplaceDay(d);
            }
        }
        fs::create_directories(home() / "DATA");
        std::ofstream(home() / "DATA" / "Orvo.DAT", std::ios::binary)
            << builders::dataFileBytes(store);
        m_doc.replaceStore(std::move(store));
    }
    void TearDown() override {
        printView().setPrompt(nullptr);
        ViewTest::TearDown();
    }
    COrvoViewView& printView() { return *view<COrvoViewView>(CMainFrame::ViewBlank); }
    fs::path home() const { return m_dir.path().toStdString(); }

    // The tool in the window's program folder, with no display: it draws offscreen itself,
    // unless told a platform.
    tooltest::RunResult cli(Args args, const std::string& platform = "",
                            const std::string& display = "") {
        tooltest::RunOptions options;
        options.cwd = home();
        options.env = {{"ORVOVIEW_HOME", home().string()},
                       {"DISPLAY", display},
                       {"WAYLAND_DISPLAY", ""},
                       {"QT_QPA_PLATFORM", platform}};
        args.insert(args.begin(), "pdf");
        return tooltest::run(ORVOVIEW_CLI, args, options);
    }

    // PDFに出力 of the tuple as the selector shows it, into the folder; the file written.
    fs::path windowPdf(const SelectionTuple& tuple, const fs::path& folder) {
        m_frame->selectorBar()->kind()->setCurrentIndex(tuple.year > 0 ? 1 : 0);
        m_doc.select(tuple, 1);
        fs::create_directories(folder);
        const fs::path path =
            folder / pathFromCp932(print_jobs::pdfFileName(m_doc.currentSelection()));
        printView().askPdfFile = [&path](const QString&) { return qtFromPath(path); };
        m_frame->action(res::ID_FILE_PDF)->trigger();
        return path;
    }

    static std::vector<std::string> names(const fs::path& folder) {
        std::vector<std::string> out;
        for (const auto& entry : fs::directory_iterator(folder))
            out.push_back(entry.path().filename().string());
        std::sort(out.begin(), out.end());
        return out;
    }

    ScriptedPrompt m_prompt;
};

// The same pages and document information; only Qt's creation stamps differ.
void expectSamePdf(const fs::path& a, const fs::path& b) {
    const std::string first = fileBytes(a);
    const std::string second = fileBytes(b);
    ASSERT_EQ(first.rfind("%PDF", 0), 0u) << a;
    EXPECT_NE(withoutPdfStamps(first), first); // the stamps are there, and blanked
    EXPECT_TRUE(withoutPdfStamps(first) == withoutPdfStamps(second)) << a << " " << b;
}

TEST_F(CliPdfTest, ADayAndAMonthAreTheWindowsPdf) {
    const struct {
        const char* name;
        Args period;
        SelectionTuple tuple;
        // Read from the data folder: 分析's "print the analysis page" and 報告書ヘッダー.
        bool analysisPage;
        bool header;
    } cases[] = {
        {"day", {"--day", "2024-05-03"}, {0, 1, 2, -1, -1}, false, false},
        {"month", {"--month", "2024-05"}, {0, 1, 0, 2024, 5}, false, false},
        {"day with analysis page", {"--day", "2024-05-05"}, {0, 2, 4, -1, -1}, true, false},
        {"month with report header", {"--month", "2024-05"}, {0, 0, 0, 2024, 5}, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        AnalysisSettings analysis;
        analysis.setPrintAnalysisPage(c.analysisPage);
        std::error_code error;
        ASSERT_TRUE(analysis.save(analysisSettingsPath(home() / "DATA"), error));
        ReportHeaderSettings header;
        header.setShown(c.header);
        ReportHeader signers;
        signers.inspector = sj("検査 太郎");
        signers.company = sj("オルボ電気保安");
        signers.stampCount = 2;
        header.setHeader(sj("東京第一工場"), "", signers, false);
        ASSERT_TRUE(header.save(reportHeaderPath(home() / "DATA"), error));
        const fs::path window = windowPdf(c.tuple, home() / "window");
        ASSERT_TRUE(fs::is_regular_file(window));

        const std::string circuit = sjis::toUtf8(m_doc.currentSelection().circuitName);
        Args args = {"--customer", "東京第一工場", "--circuit", circuit, "--out", "cli"};
        args.insert(args.end(), c.period.begin(), c.period.end());
        const tooltest::RunResult r = cli(args);
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.err, "");
        const fs::path written = home() / "cli" / window.filename();
        EXPECT_EQ(r.out, written.string() + "\n");
        expectSamePdf(written, window);
        EXPECT_EQ(runTool("pdftotext", {qtFromPath(written), "-"}).contains("オルボ電気保安"),
                  c.header);
    }
}

TEST_F(CliPdfTest, APeriodOfThreeCircuitsIsTheSingleCommandsPdfs) {
    const tooltest::RunResult batch = cli({"--customer", "東京第一工場", "--from", "2024-05-01",
                                           "--to", "2024-05-05", "--out", "batch"});
    ASSERT_EQ(batch.status, 0) << batch.err;
    EXPECT_EQ(batch.err, "orvoview-cli: 15 件出力しました\n");
    ASSERT_EQ(names(home() / "batch").size(), 15u);
    EXPECT_EQ(std::count(batch.out.begin(), batch.out.end(), '\n'), 15);
    for (const char* circuit : kCircuits) {
        for (int day = 1; day <= 5; ++day) {
            const std::string date = "2024-05-0" + std::to_string(day);
            SCOPED_TRACE(std::string(circuit) + " " + date);
            const tooltest::RunResult single = cli({"--customer", "東京第一工場", "--circuit",
                                                    circuit, "--day", date, "--out", "single"});
            ASSERT_EQ(single.status, 0) << single.err;
            const fs::path path = single.out.substr(0, single.out.size() - 1);
            EXPECT_NE(batch.out.find(home() / "batch" / path.filename()), std::string::npos);
            expectSamePdf(home() / "batch" / path.filename(), path);
        }
    }
    EXPECT_EQ(names(home() / "single"), names(home() / "batch"));
}

TEST_F(CliPdfTest, FailuresAreToldInTheToolsFormAndLeaveNothingHalfWritten) {
    // A file where the folder would be made, and a folder where a PDF would go.
    std::ofstream(home() / "a file") << "x";
    const std::string taken = "日報_東京第一工場_動力_20240502.pdf";
    fs::create_directories(home() / "taken" / taken);
    const std::string cannotWrite = "orvoview-cli: PDFファイルを作成できません。\n";
    const std::string noFolder = "出力先のフォルダがありません:" + (home() / "a file/out").string();
    const struct {
        const char* name;
        Args args;
        std::string err;
        const char* folder; // holds nothing more afterwards
        std::vector<std::string> left;
    } cases[] = {
        {"unknown circuit",
         {"--customer", "東京第一工場", "--circuit", "X", "--day", "2024-05-01", "--out", "new"},
         "orvoview-cli: 指定の測定回路は登録されていません\nX\n",
         nullptr,
         {}},
        {"unknown customer",
         {"--customer", "X", "--from", "2024-05-01", "--to", "2024-05-02", "--out", "new"},
         "orvoview-cli: 指定の需要家は登録されていません\nX\n",
         nullptr,
         {}},
        {"out folder cannot be made",
         {"--customer", "東京第一工場", "--circuit", "動力", "--day", "2024-05-01", "--out",
          "a file/out"},
         cannotWrite + (home() / "a file/out/日報_東京第一工場_動力_20240501.pdf").string() + "\n",
         nullptr,
         {}},
        {"the name is a folder",
         {"--customer", "東京第一工場", "--circuit", "動力", "--day", "2024-05-02", "--out",
          "taken"},
         cannotWrite + (home() / "taken" / taken).string() + "\n",
         "taken",
         {taken}},
        {"period into a folder that cannot be made",
         {"--customer", "東京第一工場", "--circuit", "照明", "--from", "2024-05-01", "--to",
          "2024-05-02", "--out", "a file/out"},
         "orvoview-cli: 0 件出力しました\n出力できなかったもの:\n"
         "日報_東京第一工場_照明_20240501.pdf: " +
             noFolder + "\n日報_東京第一工場_照明_20240502.pdf: " + noFolder + "\n",
         nullptr,
         {}},
        {"period with a name that is a folder",
         {"--customer", "東京第一工場", "--circuit", "動力", "--from", "2024-05-02", "--to",
          "2024-05-03", "--out", "taken"},
         "orvoview-cli: 1 件出力しました\n出力できなかったもの:\n" + taken +
             ": PDFファイルを作成できません。 " + (home() / "taken" / taken).string() + "\n",
         "taken",
         {taken, "日報_東京第一工場_動力_20240503.pdf"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const tooltest::RunResult r = cli(c.args);
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.err, c.err);
        if (c.folder) {
            EXPECT_EQ(names(home() / c.folder), c.left);
        }
    }
    EXPECT_FALSE(fs::exists(home() / "new"));
    EXPECT_TRUE(fs::is_regular_file(home() / "a file"));
}

// An X display that does not answer: drawn offscreen all the same.
TEST_F(CliPdfTest, AStaleDisplayDrawsOffscreen) {
    const Args day = {"--customer", "東京第一工場", "--circuit", "動力", "--day", "2024-05-04"};
    Args args = day;
    args.insert(args.end(), {"--out", "stale"});
    const tooltest::RunResult stale = cli(args, "", ":87");
    ASSERT_EQ(stale.status, 0) << stale.err;
    EXPECT_EQ(stale.err, "");
    args = day;
    args.insert(args.end(), {"--out", "none"});
    const tooltest::RunResult none = cli(args);
    ASSERT_EQ(none.status, 0) << none.err;
    const std::string name = "日報_東京第一工場_動力_20240504.pdf";
    expectSamePdf(home() / "stale" / name, home() / "none" / name);
}

// On the X11 platform without a display an application object would end the tool: help,
// version and wrong usage make none.
TEST_F(CliPdfTest, HelpVersionAndUsageMakeNoApplicationObject) {
    const tooltest::RunResult help = cli({"--help"}, "xcb");
    EXPECT_EQ(help.status, 0) << help.err;
    EXPECT_EQ(help.out.rfind("usage: orvoview-cli pdf ", 0), 0u) << help.out;
    const tooltest::RunResult version = cli({"--version"}, "xcb");
    EXPECT_EQ(version.status, 0) << version.err;
    EXPECT_EQ(version.out.rfind("orvoview-cli ", 0), 0u);
    const tooltest::RunResult usage =
        cli({"--customer", "東京第一工場", "--day", "2024-05-01"}, "xcb");
    EXPECT_EQ(usage.status, 2);
    EXPECT_NE(usage.err.find("Try 'orvoview-cli pdf --help'."), std::string::npos) << usage.err;
}

} // namespace
