#include "tests/tools/CliFixture.h"
#include "tests/tools/ReportFixtures.h"
#include "tests/tools/StoreFixtures.h"

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

// ---- dump-data and list

namespace {

MeasurementStore sampleStore() {
    using fixtures::makeCustomer;
    using fixtures::makeDay;
    return fixtures::makeStore(
        {makeCustomer("需要家A", {{"回路1", {makeDay(1, 2024, 5, 1), makeDay(1, 2024, 5, 2, 10)}},
                                  {"回路2", {}}}),
         makeCustomer("B社", {{"本館", {makeDay(1, 2024, 6, 30, 5)}}})});
}

} // namespace

TEST_F(CliTest, DumpDataOfADataFile) {
    SerialSettings serial;
    serial.portNumber = 3;
    serial.baudRate = 9600;
    writeFile(dir() / "Orvo.DAT", fixtures::dataFileBytes(sampleStore(), serial));
    auto r = cli({"dump-data", "Orvo.DAT"});
    ASSERT_EQ(r.status, 0) << r.err;
    auto v = json(r);
    EXPECT_EQ(v.keys(), (std::vector<std::string>{"version", "serial", "customers"}));
    EXPECT_EQ(v["version"].n, 3);
    ASSERT_EQ(v["serial"].size(), 6u);
    const double expectedSerial[] = {3, 9600, 8, 0, 0, 1};
    for (std::size_t i = 0; i < 6; ++i)
        EXPECT_EQ(v["serial"][i].n, expectedSerial[i]);
    ASSERT_EQ(v["customers"].size(), 2u);
    // Store order: "B社" sorts before "需要家A" by its bytes.
    EXPECT_EQ(v["customers"][0]["name"].s, "B社");
    const auto& a = v["customers"][1];
    EXPECT_EQ(a["name"].s, "需要家A");
    ASSERT_EQ(a["circuits"].size(), 2u);
    EXPECT_EQ(a["circuits"][0]["name"].s, "回路1");
    EXPECT_EQ(a["circuits"][1]["days"].size(), 0u);
    const auto& day = a["circuits"][0]["days"][1];
    EXPECT_EQ(day["date"].s, "2024-05-02");
    MeasurementDay expected = fixtures::makeDay(1, 2024, 5, 2, 10);
    // Exact: the printed numbers read back as the same doubles.
    EXPECT_EQ(day["samples"][1]["power"].n, expected.data.intervals.at(1).power);
    EXPECT_EQ(day["samples"][1]["time"].s, "2024-05-02 01:30:00");
    EXPECT_EQ(day["summary"]["energy"].n, expected.data.summary.energy);
    EXPECT_TRUE(day["summary"]["peakVoltage"][0]["to"].isNull());
    EXPECT_TRUE(day["summary"]["peakVoltage"][1]["from"].isNull());
}

TEST_F(CliTest, DumpDataOfAnExportFileIsOneCustomer) {
    Customer c = fixtures::makeCustomer("需要家A", {{"回路1", {fixtures::makeDay(2, 2024, 5, 1)}}});
    writeFile(dir() / "A.VLK", fixtures::exportFileBytes(c));
    auto r = cli({"dump-data", "A.VLK"});
    ASSERT_EQ(r.status, 0) << r.err;
    auto v = json(r);
    EXPECT_EQ(v.keys(), (std::vector<std::string>{"name", "circuits"}));
    EXPECT_EQ(v["name"].s, "需要家A");
    EXPECT_EQ(v["circuits"][0]["days"][0]["channel"].n, 2);
}

TEST_F(CliTest, DumpDataOfDamagedFiles) {
    std::string good = fixtures::dataFileBytes(sampleStore());
    std::string wrongVersion = good;
    wrongVersion[30] = 4; // the int32 after the 30-byte signature string
    std::string wrongCustomerSignature = good;
    auto pos = wrongCustomerSignature.find("cust-2006");
    wrongCustomerSignature[pos] = 'C';
    struct Case {
        std::string bytes;
        const char* message;
    } cases[] = {
        {good.substr(0, good.size() / 2), "データファイルが壊れている可能性があります"},
        {wrongVersion, "データファイルのバージョンが違いますます"},
        {wrongCustomerSignature, "データファイルが壊れている可能性があります"},
        {"garbage", "データファイルが壊れている可能性があります"},
        {std::string("\xff\xff\xff\xff\xff\xff", 6), "データファイルが壊れている可能性があります"},
    };
    for (const Case& c : cases) {
        writeFile(dir() / "bad.DAT", c.bytes);
        auto r = cli({"dump-data", "bad.DAT"});
        EXPECT_EQ(r.status, 1);
        EXPECT_TRUE(r.out.empty());
        EXPECT_NE(r.err.find(std::string(c.message) + "\n" + (dir() / "bad.DAT").string()),
                  std::string::npos)
            << r.err;
    }
}

TEST_F(CliTest, ListShowsCustomersCircuitsAndDays) {
    writeFile(dataFile(), fixtures::dataFileBytes(sampleStore()));
    auto r = cli({"list"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "B社\n"
                     "  本館\n"
                     "    2024/06/30 3相3線:PT:1.0,CT:40.0\n"
                     "需要家A\n"
                     "  回路1\n"
                     "    2024/05/01 3相3線:PT:1.0,CT:40.0\n"
                     "    2024/05/02 3相3線:PT:1.0,CT:40.0\n"
                     "  回路2\n");
    auto j = cli({"list", "--json"});
    ASSERT_EQ(j.status, 0);
    auto v = json(j);
    EXPECT_EQ(v["customers"][1]["circuits"][0]["days"][1]["date"].s, "2024-05-02");
    EXPECT_EQ(v["customers"][1]["circuits"][0]["days"][1]["label"].s, "3相3線:PT:1.0,CT:40.0");
}

TEST_F(CliTest, ListWithHomeOptionAndWithoutDataFile) {
    auto empty = cli({"list"});
    EXPECT_EQ(empty.status, 0);
    EXPECT_EQ(empty.out, "");
    EXPECT_FALSE(std::filesystem::exists(dataFile())); // listing writes nothing

    writeFile(dir() / "other" / "DATA" / "Orvo.DAT", fixtures::dataFileBytes(sampleStore()));
    auto r = cli({"list", "--home", "other"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.substr(0, 4), "B社");
}

TEST_F(CliTest, ListOfADamagedDataFileFails) {
    writeFile(dataFile(), "56a5s440s");
    auto r = cli({"list"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("データファイルが壊れている可能性があります\n" + dataFile().string()),
              std::string::npos)
        << r.err;
}
