// xlsx end to end: the workbook's file name and sheets for a day, a range and a month.
#include "support/Sjis.h"
#include "tests/common/StoreBuilders.h"
#include "tests/textout/WorkbookDump.h"
#include "tests/tools/CliFixture.h"
#include "textout/ReportHeader.h"

#include <gtest/gtest.h>

namespace {

struct XlsxCase {
    std::vector<std::string> period;
    std::string file;
    std::vector<std::string> sheets;
};

TEST_F(CliTest, XlsxWritesOneWorkbookWithASheetPerReport) {
    writeFile(dataFile(), builders::dataFileBytes(builders::sampleStore()));
    const XlsxCase cases[] = {
        {{"--day", "2024-05-02"}, "日報_需要家A_回路1_20240502_1.xlsx", {"日報 2024年5月2日"}},
        {{"--from", "2024-04-30", "--to", "2024-05-31"},
         "日報_需要家A_回路1_20240430-20240531_1.xlsx",
         {"日報 2024年5月1日", "日報 2024年5月2日"}},
        {{"--month", "2024-05"}, "月報_需要家A_回路1_2024_05_1.xlsx", {"月報 2024年5月"}},
    };
    for (const XlsxCase& c : cases) {
        std::vector<std::string> args = {"xlsx",  "--customer", "需要家A", "--circuit",
                                         "回路1", "--out",      "book"};
        args.insert(args.end(), c.period.begin(), c.period.end());
        auto r = cli(args);
        ASSERT_EQ(r.status, 0) << r.err;
        const auto file = dir() / "book" / c.file;
        EXPECT_EQ(r.out, file.string() + "\n");
        EXPECT_EQ(workbook_dump::read(file.string()).sheets, c.sheets) << c.file;
    }
}

TEST_F(CliTest, XlsxOfAPeriodWithoutStoredDaysWritesNothing) {
    writeFile(dataFile(), builders::dataFileBytes(builders::sampleStore()));
    auto r = cli({"xlsx", "--customer", "需要家A", "--circuit", "回路1", "--from", "2024-06-01",
                  "--to", "2024-06-30", "--out", "book"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("指定の期間の測定データは登録されていません"), std::string::npos);
    EXPECT_TRUE(!std::filesystem::exists(dir() / "book") ||
                std::filesystem::is_empty(dir() / "book"));
    EXPECT_EQ(cli({"xlsx", "--customer", "需要家A", "--circuit", "回路1"}).status, 2);
}

// The report header is the data folder's, wherever the tool is started.
TEST_F(CliTest, XlsxTakesTheReportHeaderOfTheDataFolder) {
    writeFile(dataFile(), builders::dataFileBytes(builders::sampleStore()));
    ReportHeaderSettings header;
    header.setShown(true);
    ReportHeader signers;
    signers.company = *sjis::fromUtf8("オルボ電気保安");
    header.setHeader(*sjis::fromUtf8("需要家A"), *sjis::fromUtf8("回路1"), signers, false);
    std::error_code error;
    ASSERT_TRUE(header.save(reportHeaderPath(home() / "DATA"), error));
    auto r = cli({"xlsx", "--customer", "需要家A", "--circuit", "回路1", "--day", "2024-05-02",
                  "--out", "book"});
    ASSERT_EQ(r.status, 0) << r.err;
    bool found = false;
    for (const auto& [where, cell] : workbook_dump::read(r.out.substr(0, r.out.size() - 1)).cells)
        found = found || cell.text.find("オルボ電気保安") != std::string::npos;
    EXPECT_TRUE(found);
}

} // namespace
