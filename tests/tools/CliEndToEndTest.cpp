#include "tests/tools/CliFixture.h"
#include "tests/tools/ReportFixtures.h"

namespace {
using Args = std::vector<std::string>;
}

TEST_F(CliTest, HelpOfTheToolAndOfEveryCommand) {
    auto r = cli({"--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("Commands:"), std::string::npos);
    for (const char* c : {"dump-report", "dump-data", "list", "import-report", "csv", "export",
                          "import", "receive"}) {
        auto h = cli({c, "--help"});
        EXPECT_EQ(h.status, 0) << c;
        EXPECT_NE(h.out.find(std::string("usage: orvoview-cli ") + c), std::string::npos) << c;
    }
}

TEST_F(CliTest, WrongUsageExitsWithTwo) {
    const Args cases[] = {{}, {"nothing"}, {"dump-report"}, {"csv", "--bogus"}};
    for (const Args& args : cases) {
        auto r = cli(args);
        EXPECT_EQ(r.status, 2);
        EXPECT_NE(r.err.find("--help"), std::string::npos) << r.err;
        EXPECT_TRUE(r.out.empty());
    }
}

// ---- dump-report

TEST_F(CliTest, DumpReportPrintsTheDaysInKeyOrder) {
    std::string text = "オルボ 測定レポート\n" + fixtures::dayReport(2, "2024/05/02", 1.0) +
                       fixtures::dayReport(1, "2024/05/02") + fixtures::dayReport(1, "2024/05/01");
    writeFile(dir() / "report.txt", fixtures::captured(text) + "\x1a" + "ＣＨ１ garbage\r\n");
    auto r = cli({"dump-report", "report.txt"});
    ASSERT_EQ(r.status, 0) << r.err;
    auto v = json(r);
    EXPECT_EQ(v.keys(), std::vector<std::string>{"days"});
    ASSERT_EQ(v["days"].size(), 3u);
    EXPECT_EQ(v["days"][0]["channel"].n, 1);
    EXPECT_EQ(v["days"][0]["date"].s, "2024-05-01");
    EXPECT_EQ(v["days"][1]["date"].s, "2024-05-02");
    EXPECT_EQ(v["days"][2]["channel"].n, 2);

    const auto& day = v["days"][0];
    EXPECT_EQ(day.keys(),
              (std::vector<std::string>{"channel", "date", "circuitType", "ptRatio", "ctRatio",
                                        "hasReverse", "samples", "summary"}));
    EXPECT_EQ(day["circuitType"].n, 2);
    EXPECT_EQ(day["ctRatio"].n, 40.0);
    EXPECT_EQ(day["hasReverse"].n, 0);
    ASSERT_EQ(day["samples"].size(), 2u);
    const auto& s = day["samples"][0];
    EXPECT_EQ(s["time"].s, "2024-05-01 00:30:00");
    EXPECT_EQ(s["power"].n, 1200.5);
    EXPECT_EQ(s["powerFactor"].n, 98.2);
    EXPECT_EQ(s["voltage"][1].n, 209.8);
    EXPECT_EQ(s["current"][2].n, 0.0);

    const auto& sum = day["summary"];
    EXPECT_EQ(sum["energy"].n, 1234.5);
    EXPECT_EQ(sum["averagePower"].n, 500.25);
    EXPECT_EQ(sum["maxDemand"]["value"].n, 800.0);
    EXPECT_EQ(sum["maxDemand"]["from"].s, "2024-05-01 10:00:00");
    EXPECT_EQ(sum["maxDemand"]["to"].s, "2024-05-01 10:30:00");
    EXPECT_TRUE(sum["peakPower"]["to"].isNull());
    EXPECT_EQ(sum["peakPowerFactor"].n, 97.0);
    EXPECT_EQ(sum["averageVoltage"][1].n, 209.0);
    // 23:30-24:00 ends on the next day.
    EXPECT_EQ(sum["maxCurrent"][1]["to"].s, "2024-05-02 00:00:00");
    EXPECT_EQ(sum["peakCurrent"].size(), 3u);
    EXPECT_EQ(sum.keys().back(), "peakCurrent");
}

TEST_F(CliTest, DumpReportGrammarErrorKeepsWhatCameBefore) {
    std::string text = fixtures::dayReport(1, "2024/05/01") +
                       "ＣＨ３ 3相3線 PT:1.0 CT:40.0 2024/05/02\n" +
                       fixtures::dayReport(1, "2024/05/03");
    writeFile(dir() / "bad.txt", fixtures::captured(text));
    auto r = cli({"dump-report", "bad.txt"});
    EXPECT_EQ(r.status, 1);
    const std::string expected = "チャンネル指定の解析が出来ません<ＣＨ３ 3相3線 PT:1.0 CT:40.0 "
                                 "2024/05/02>";
    EXPECT_NE(r.err.find(expected), std::string::npos) << r.err;
    auto v = json(r);
    ASSERT_EQ(v["days"].size(), 1u);
    EXPECT_EQ(v["days"][0]["date"].s, "2024-05-01");
    EXPECT_EQ(v["error"].s, expected);
}

TEST_F(CliTest, DumpReportOfAMissingFile) {
    auto r = cli({"dump-report", "nothing.txt"});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.out.empty());
    EXPECT_NE(r.err.find("ファイルが存在しません:" + (dir() / "nothing.txt").string()),
              std::string::npos)
        << r.err;
}

TEST_F(CliTest, DumpReportOfAnEmptyFileHasNoDays) {
    writeFile(dir() / "empty.txt", "");
    auto r = cli({"dump-report", "empty.txt"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(json(r)["days"].size(), 0u);
}
