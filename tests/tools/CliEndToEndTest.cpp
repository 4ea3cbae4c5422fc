#include "common/Cp932.h"
#include "common/StoreBuilders.h"
#include "support/InstanceLock.h"
#include "tests/tools/CliFixture.h"
#include "tests/tools/ReportFixtures.h"

TEST_F(CliTest, HelpOfTheToolAndOfEveryCommand) {
    auto r = cli({"--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("Commands:"), std::string::npos);
    EXPECT_NE(r.out.find("Program folder in use: " + home().string() + " (from $ORVOVIEW_HOME)\n"),
              std::string::npos)
        << r.out;
    for (const char* c : {"dump-report", "dump-data", "list", "import-report", "csv", "xlsx", "pdf",
                          "export", "import", "receive"}) {
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
    EXPECT_EQ(v.keys(), (std::vector<std::string>{"kind", "error", "interrupted", "days"}));
    EXPECT_EQ(v["kind"].s, "report");
    EXPECT_TRUE(v["error"].isNull());
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
    const std::string message = "ファイルが存在しません:" + (dir() / "nothing.txt").string();
    EXPECT_NE(r.err.find(message), std::string::npos) << r.err;
    // The report document still comes, without days and with the message.
    auto v = json(r);
    EXPECT_EQ(v["error"].s, message);
    EXPECT_EQ(v["days"].size(), 0u);
}

TEST_F(CliTest, DumpReportOfAnEmptyFileHasNoDays) {
    writeFile(dir() / "empty.txt", "");
    auto r = cli({"dump-report", "empty.txt"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(json(r)["days"].size(), 0u);
}

// ---- dump-data and list

TEST_F(CliTest, DumpDataOfADataFile) {
    SerialSettings serial;
    serial.portNumber = 3;
    serial.baudRate = 9600;
    writeFile(dir() / "Orvo.DAT", builders::dataFileBytes(builders::sampleStore(), serial));
    auto r = cli({"dump-data", "Orvo.DAT"});
    ASSERT_EQ(r.status, 0) << r.err;
    auto v = json(r);
    EXPECT_EQ(v.keys(),
              (std::vector<std::string>{"kind", "error", "version", "serial", "customers"}));
    EXPECT_EQ(v["kind"].s, "dataFile");
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
    MeasurementDay expected = builders::makeDay(1, 2024, 5, 2, 10);
    // Exact: the printed numbers read back as the same doubles.
    EXPECT_EQ(day["samples"][1]["power"].n, expected.data.intervals.at(1).power);
    EXPECT_EQ(day["samples"][1]["time"].s, "2024-05-02 01:30:00");
    EXPECT_EQ(day["summary"]["energy"].n, expected.data.summary.energy);
    EXPECT_TRUE(day["summary"]["peakVoltage"][0]["to"].isNull());
    EXPECT_TRUE(day["summary"]["peakVoltage"][1]["from"].isNull());
}

TEST_F(CliTest, DumpDataOfAnExportFileIsOneCustomer) {
    Customer c = builders::makeCustomer("需要家A", {{"回路1", {builders::makeDay(2, 2024, 5, 1)}}});
    writeFile(dir() / "A.VLK", builders::exportFileBytes(c));
    auto r = cli({"dump-data", "A.VLK"});
    ASSERT_EQ(r.status, 0) << r.err;
    auto v = json(r);
    EXPECT_EQ(v.keys(), (std::vector<std::string>{"kind", "error", "name", "circuits"}));
    EXPECT_EQ(v["kind"].s, "customerFile");
    EXPECT_EQ(v["name"].s, "需要家A");
    EXPECT_EQ(v["circuits"][0]["days"][0]["channel"].n, 2);
}

TEST_F(CliTest, DumpDataOfDamagedFiles) {
    std::string good = builders::dataFileBytes(builders::sampleStore());
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
    writeFile(dataFile(), builders::dataFileBytes(builders::sampleStore()));
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

    writeFile(dir() / "other" / "DATA" / "Orvo.DAT",
              builders::dataFileBytes(builders::sampleStore()));
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

// ---- import-report

namespace {

std::string twoDays() {
    return fixtures::dayReport(1, "2024/05/01") + fixtures::dayReport(1, "2024/05/02", 2.0);
}

} // namespace

TEST_F(CliTest, ImportReportCreatesCustomerAndCircuit) {
    writeFile(dir() / "r.txt", fixtures::captured(twoDays()));
    auto r = cli({"import-report", "r.txt", "--customer", "  需要家A ", "--circuit", "回路1"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("2日分を追加しました"), std::string::npos) << r.err;
    MeasurementStore store = builders::readStore(readFile(dataFile()));
    ASSERT_EQ(store.count(), 1);
    EXPECT_EQ(store.at(0).name, sj("需要家A")); // trimmed
    const MeasurementCircuit& circuit = store.at(0).circuits.at(0);
    EXPECT_EQ(circuit.name, sj("回路1"));
    ASSERT_EQ(circuit.days.count(), 2);
    EXPECT_EQ(circuit.days.at(1).date, DateTime::make(2024, 5, 2));
    EXPECT_EQ(circuit.days.at(1).data.summary.energy, 1236.5);
    EXPECT_EQ(circuit.days.at(1).data.intervals.count(), 2);
}

TEST_F(CliTest, ImportReportStoresChannelTwoDaysAsChannelOne) {
    writeFile(dir() / "r.txt", fixtures::captured(fixtures::dayReport(2, "2024/05/01")));
    auto r = cli({"import-report", "r.txt", "--customer", "A", "--circuit", "c"});
    ASSERT_EQ(r.status, 0) << r.err;
    MeasurementStore store = builders::readStore(readFile(dataFile()));
    EXPECT_EQ(store.at(0).circuits.at(0).days.at(0).channel, 1);
}

TEST_F(CliTest, ImportReportWithMixedChannelsNeedsAChoice) {
    writeFile(dir() / "r.txt", fixtures::captured(fixtures::dayReport(1, "2024/05/01") +
                                                  fixtures::dayReport(2, "2024/05/01", 7.0)));
    auto r = cli({"import-report", "r.txt", "--customer", "A", "--circuit", "c"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(
        r.err.find("１ＣＨと２ＣＨを同時に追加することは出来ません\n受信したチャンネル: 1, 2"),
        std::string::npos)
        << r.err;
    EXPECT_FALSE(std::filesystem::exists(dataFile()));

    auto two =
        cli({"import-report", "r.txt", "--customer", "A", "--circuit", "c", "--channel", "2"});
    ASSERT_EQ(two.status, 0) << two.err;
    MeasurementStore store = builders::readStore(readFile(dataFile()));
    ASSERT_EQ(store.at(0).circuits.at(0).days.count(), 1);
    EXPECT_EQ(store.at(0).circuits.at(0).days.at(0).data.summary.energy, 1241.5);
}

TEST_F(CliTest, ImportReportOverwriteRule) {
    // Stored: 2024-05-01 with energy 12345.6; the report brings 05-01 (1234.5) and 05-02.
    auto stored = builders::makeStore(
        {builders::makeCustomer("ABC", {{"Line", {builders::makeDay(1, 2024, 5, 1)}}})});
    writeFile(dir() / "r.txt", fixtures::captured(twoDays()));

    writeFile(dataFile(), builders::dataFileBytes(stored));
    // Names match in any ASCII case.
    auto keep = cli({"import-report", "r.txt", "--customer", "abc", "--circuit", "LINE"});
    ASSERT_EQ(keep.status, 0) << keep.err;
    EXPECT_NE(keep.err.find("1日分を追加しました (1日分は既に存在するため追加しませんでした)"),
              std::string::npos)
        << keep.err;
    MeasurementStore kept = builders::readStore(readFile(dataFile()));
    ASSERT_EQ(kept.count(), 1);
    ASSERT_EQ(kept.at(0).circuits.count(), 1);
    ASSERT_EQ(kept.at(0).circuits.at(0).days.count(), 2);
    EXPECT_EQ(kept.at(0).circuits.at(0).days.at(0).data.summary.energy, 12345.6);

    writeFile(dataFile(), builders::dataFileBytes(stored));
    auto replace = cli(
        {"import-report", "r.txt", "--customer", "ABC", "--circuit", "Line", "--overwrite", "yes"});
    ASSERT_EQ(replace.status, 0) << replace.err;
    MeasurementStore replaced = builders::readStore(readFile(dataFile()));
    EXPECT_EQ(replaced.at(0).circuits.at(0).days.at(0).data.summary.energy, 1234.5);
    EXPECT_EQ(replaced.at(0).circuits.at(0).days.count(), 2);
}

TEST_F(CliTest, ImportReportFilesNamesInTheWindowsOrder) {
    // Letters fold to lower case, so '_' (0x5F) sorts before 'D' ('d' 0x64).
    writeFile(dir() / "r.txt", fixtures::captured(twoDays()));
    for (const char* customer : {"ABCD", "ABC_1"}) {
        auto r = cli({"import-report", "r.txt", "--customer", customer, "--circuit", "c"});
        ASSERT_EQ(r.status, 0) << r.err;
    }
    auto list = cli({"list"});
    ASSERT_EQ(list.status, 0) << list.err;
    EXPECT_EQ(list.out.substr(0, list.out.find('\n')), "ABC_1");
    EXPECT_LT(list.out.find("ABC_1\n"), list.out.find("ABCD\n"));
    const std::string bytes = readFile(dataFile());
    ASSERT_NE(bytes.find("\x05"
                         "ABC_1"),
              std::string::npos);
    EXPECT_LT(bytes.find("\x05"
                         "ABC_1"),
              bytes.find("\x04"
                         "ABCD"));
    MeasurementStore store = builders::readStore(bytes);
    ASSERT_EQ(store.count(), 2);
    EXPECT_EQ(store.at(0).name, "ABC_1");
}

TEST_F(CliTest, ImportReportGrammarErrorFilesNothing) {
    std::string before = builders::dataFileBytes(builders::makeStore(
        {builders::makeCustomer("A", {{"c", {builders::makeDay(1, 2024, 4, 1)}}})}));
    writeFile(dataFile(), before);
    writeFile(dir() / "r.txt", fixtures::captured(fixtures::dayReport(1, "2024/05/01") +
                                                  "ＣＨ１ 単相 PT:1.0 CT:40.0 2024/05/02\n"
                                                  "時刻 電力\n"
                                                  "10:00 1,234 1 1 1 1 1\n"));
    auto r = cli({"import-report", "r.txt", "--customer", "A", "--circuit", "c"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("解析異常，数字以外の文字検出<10:00 1,234 1 1 1 1 1>"), std::string::npos)
        << r.err;
    EXPECT_EQ(readFile(dataFile()), before);
}

TEST_F(CliTest, ImportReportRejectsBadNames) {
    writeFile(dir() / "r.txt", fixtures::captured(twoDays()));
    auto r = cli({"import-report", "r.txt", "--customer", "a.b", "--circuit", "c"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("需要家名称には次の何れかの文字を含めることは出来ません\n:\"*?/\\<>|."),
              std::string::npos)
        << r.err;
    auto empty = cli({"import-report", "r.txt", "--customer", "A", "--circuit", "  "});
    EXPECT_EQ(empty.status, 1);
    EXPECT_NE(empty.err.find("測定回路名称を入力してください"), std::string::npos) << empty.err;
    EXPECT_FALSE(std::filesystem::exists(dataFile()));
    // 表 holds a backslash byte but is a whole character of its own.
    auto hyo = cli({"import-report", "r.txt", "--customer", "表計算", "--circuit", "c"});
    EXPECT_EQ(hyo.status, 0) << hyo.err;
}

TEST_F(CliTest, ImportReportRefusesAFolderTheProgramHasOpen) {
    std::string before = builders::dataFileBytes(builders::makeStore({}));
    writeFile(dataFile(), before);
    writeFile(dir() / "r.txt", fixtures::captured(twoDays()));
    InstanceLock gui;
    ASSERT_TRUE(gui.tryAcquire(home().string()));
    auto r = cli({"import-report", "r.txt", "--customer", "A", "--circuit", "c"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("オルボ・ビューがこのデータフォルダを使用中です"), std::string::npos)
        << r.err;
    EXPECT_EQ(readFile(dataFile()), before);
    gui.release();
    EXPECT_EQ(cli({"import-report", "r.txt", "--customer", "A", "--circuit", "c"}).status, 0);
}

TEST_F(CliTest, ImportReportLeavesADamagedDataFileAlone) {
    std::string damaged = builders::dataFileBytes(builders::makeStore(
        {builders::makeCustomer("A", {{"c", {builders::makeDay(1, 2024, 4, 1)}}})}));
    damaged.resize(damaged.size() - 10);
    writeFile(dataFile(), damaged);
    writeFile(dir() / "r.txt", fixtures::captured(twoDays()));
    auto r = cli({"import-report", "r.txt", "--customer", "A", "--circuit", "c"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("データファイルが壊れている可能性があります"), std::string::npos);
    EXPECT_EQ(readFile(dataFile()), damaged);
}

TEST_F(CliTest, ImportReportWrongUsage) {
    writeFile(dir() / "r.txt", fixtures::captured(twoDays()));
    const Args cases[] = {
        {"import-report", "r.txt", "--customer", "A"},
        {"import-report", "r.txt", "--customer", "A", "--circuit", "c", "--overwrite", "maybe"},
        {"import-report", "r.txt", "--customer", "A", "--circuit", "c", "--channel", "3"},
    };
    for (const Args& args : cases)
        EXPECT_EQ(cli(args).status, 2);
    EXPECT_FALSE(std::filesystem::exists(dataFile()));
}

// ---- csv

TEST_F(CliTest, CsvOfOneDay) {
    writeFile(dataFile(), builders::dataFileBytes(builders::sampleStore()));
    auto r = cli({"csv", "--customer", "需要家A", "--circuit", "回路1", "--day", "2024-05-02",
                  "--out", "csv"});
    ASSERT_EQ(r.status, 0) << r.err;
    auto file = dir() / "csv" / "日報_需要家A_回路1_20240502_1.CSV";
    EXPECT_EQ(r.out, file.string() + "\n");
    std::string text = readFile(file);
    EXPECT_EQ(text.substr(0, 0).size(), 0u);
    std::string head = sj("日報, 2024年 5月 2日\r\n需要家名称, 需要家A\r\n"
                          "測定回路名称, 回路1\r\n測定ＣＨ, 1\r\n相線式, 3相3線\r\n");
    EXPECT_EQ(text.substr(0, head.size()), head);
}

TEST_F(CliTest, CsvOfARangeWritesOneFilePerStoredDay) {
    writeFile(dataFile(), builders::dataFileBytes(builders::sampleStore()));
    auto r = cli({"csv", "--customer", "需要家A", "--circuit", "回路1", "--from", "2024-04-30",
                  "--to", "2024-05-31"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(std::filesystem::exists(dir() / "日報_需要家A_回路1_20240501_1.CSV"));
    EXPECT_TRUE(std::filesystem::exists(dir() / "日報_需要家A_回路1_20240502_1.CSV"));
    auto none = cli({"csv", "--customer", "需要家A", "--circuit", "回路1", "--from", "2024-06-01",
                     "--to", "2024-06-30"});
    EXPECT_EQ(none.status, 1);
    EXPECT_NE(none.err.find("指定の期間の測定データは登録されていません"), std::string::npos);
}

TEST_F(CliTest, CsvOfAMonthUsesTheStartDayOfTheIniFile) {
    writeFile(dataFile(), builders::dataFileBytes(builders::sampleStore()));
    writeFile(home() / "orvoview.INI", "[Param]\r\nMonStartDay=16\r\n");
    auto r = cli({"csv", "--customer", "需要家A", "--circuit", "回路1", "--month", "2024-04"});
    ASSERT_EQ(r.status, 0) << r.err;
    std::string text = readFile(dir() / "月報_需要家A_回路1_2024_04_1.CSV");
    EXPECT_EQ(text.substr(0, 16), sj("月報, 2024年 4月"));
    // Data lines from 4/16 to 5/15: a date without a stored day stands alone.
    EXPECT_NE(text.find("\r\n4/16\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\n5/15\r\n"), std::string::npos);
    EXPECT_EQ(text.find("\r\n5/16"), std::string::npos);
    EXPECT_NE(text.find("\r\n5/1, "), std::string::npos);
    // The INI is only read.
    EXPECT_EQ(readFile(home() / "orvoview.INI"), "[Param]\r\nMonStartDay=16\r\n");

    // With the default start day the days of May make the report month 2024-05.
    std::filesystem::remove(home() / "orvoview.INI");
    EXPECT_EQ(
        cli({"csv", "--customer", "需要家A", "--circuit", "回路1", "--month", "2024-04"}).status,
        1);
    EXPECT_EQ(
        cli({"csv", "--customer", "需要家A", "--circuit", "回路1", "--month", "2024-05"}).status,
        0);
}

TEST_F(CliTest, CsvErrors) {
    writeFile(dataFile(), builders::dataFileBytes(builders::sampleStore()));
    auto customer = cli({"csv", "--customer", "X", "--circuit", "回路1", "--day", "2024-05-01"});
    EXPECT_EQ(customer.status, 1);
    EXPECT_NE(customer.err.find("指定の需要家は登録されていません\nX"), std::string::npos);
    auto circuit = cli({"csv", "--customer", "需要家A", "--circuit", "X", "--day", "2024-05-01"});
    EXPECT_EQ(circuit.status, 1);
    EXPECT_NE(circuit.err.find("指定の測定回路は登録されていません\nX"), std::string::npos);
    auto day = cli({"csv", "--customer", "需要家A", "--circuit", "回路1", "--day", "2024-05-03"});
    EXPECT_EQ(day.status, 1);
    const Args usage[] = {
        {"csv", "--customer", "需要家A", "--circuit", "回路1"},
        {"csv", "--customer", "需要家A", "--circuit", "回路1", "--day", "2024-02-30"},
        {"csv", "--customer", "需要家A", "--circuit", "回路1", "--day", "2024-05-01", "--month",
         "2024-05"},
        {"csv", "--customer", "需要家A", "--circuit", "回路1", "--month", "2024-13"},
        {"csv", "--customer", "需要家A", "--circuit", "回路1", "--from", "2024-05-01"},
        {"csv", "--customer", "需要家A", "--circuit", "回路1", "--from", "2024-05-02", "--to",
         "2024-05-01"},
    };
    for (const Args& args : usage)
        EXPECT_EQ(cli(args).status, 2) << args.back();
}

TEST_F(CliTest, ImportReportWithNothingToTake) {
    writeFile(dir() / "none.txt", fixtures::captured("オルボ 測定レポート\n"));
    auto none = cli({"import-report", "none.txt", "--customer", "A", "--circuit", "c"});
    EXPECT_EQ(none.status, 1);
    EXPECT_NE(none.err.find("取り込む測定データがありません"), std::string::npos) << none.err;

    writeFile(dir() / "one.txt", fixtures::captured(fixtures::dayReport(1, "2024/05/01")));
    auto two =
        cli({"import-report", "one.txt", "--customer", "A", "--circuit", "c", "--channel", "2"});
    EXPECT_EQ(two.status, 1);
    EXPECT_NE(two.err.find("2ＣＨの測定データは受信していません"), std::string::npos) << two.err;

    auto missing = cli({"import-report", "gone.txt", "--customer", "A", "--circuit", "c"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("ファイルが存在しません:" + (dir() / "gone.txt").string()),
              std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dataFile()));
}

TEST_F(CliTest, CsvIntoAPathThatIsNoFolderFails) {
    writeFile(dataFile(), builders::dataFileBytes(builders::sampleStore()));
    writeFile(dir() / "plain", "x");
    auto r = cli({"csv", "--customer", "需要家A", "--circuit", "回路1", "--day", "2024-05-01",
                  "--out", "plain"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("OpenError\n" + (dir() / "plain").string()), std::string::npos) << r.err;
    EXPECT_TRUE(r.out.empty());
}
