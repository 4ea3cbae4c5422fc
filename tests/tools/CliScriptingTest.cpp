// orvoview-cli in scripts: every value kept in the JSON, global options anywhere, one document
// shape checked against the JSON Schema, the options the program has, one message form.
#include "common/StoreBuilders.h"
#include "tests/tools/CliFixture.h"
#include "tests/tools/ReportFixtures.h"
#include "tools/cli/CliArgs.h"

#include <cmath>

namespace {

// A sample whose power (309 digits) is too large for a double: the parser makes it infinite.
std::string infiniteReport() {
    return fixtures::captured("ＣＨ１ 単相 PT:1.0 CT:40.0 2024/03/01\n時刻\n0:30 " +
                              std::string(309, '9') + " 1 1 1 1 1\n\n");
}

std::string grammarErrorReport() {
    return fixtures::captured(fixtures::dayReport(1, "2024/05/01") +
                              "ＣＨ３ 3相3線 PT:1.0 CT:40.0 2024/05/02\n");
}

std::string joined(const Args& args) {
    std::string line;
    for (const std::string& a : args)
        line += (line.empty() ? "" : " ") + a;
    return line;
}

} // namespace

// ---- every value reads back

TEST_F(CliTest, AnInfiniteValueReadsBackFromEveryCommand) {
    writeFile(dir() / "inf.txt", infiniteReport());
    ASSERT_EQ(cli({"import-report", "inf.txt", "--customer", "A", "--circuit", "c"}).status, 0);
    ASSERT_EQ(cli({"export", "--customer", "A", "--out", "A.VLK"}).status, 0);
    // The CSV has always kept it.
    ASSERT_EQ(cli({"csv", "--customer", "A", "--circuit", "c", "--day", "2024-03-01"}).status, 0);
    EXPECT_NE(readFile(dir() / "日報_A_c_20240301_1.CSV").find("inf"), std::string::npos);

    struct Row {
        Args args;
        std::vector<std::string> daysPath; // members leading to the "days" array
    } rows[] = {
        {{"dump-report", "inf.txt"}, {}},
        {{"receive", "--file", "inf.txt"}, {}},
        {{"dump-data", dataFile().string()}, {"customers", "0", "circuits", "0"}},
        {{"dump-data", "A.VLK"}, {"circuits", "0"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(joined(row.args));
        auto r = cli(row.args);
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(schemaProblems(r.out), "");
        auto v = json(r);
        const minijson::Value* at = &v;
        for (const std::string& step : row.daysPath)
            at = std::isdigit(static_cast<unsigned char>(step[0])) ? &(*at)[std::stoul(step)]
                                                                   : &(*at)[step];
        const minijson::Value& sample = (*at)["days"][0]["samples"][0];
        EXPECT_EQ(sample["power"].s, "Infinity") << r.out.substr(0, 600);
        EXPECT_EQ(sample["power"].real(), HUGE_VAL);
        EXPECT_EQ(sample["voltage"][0].real(), 1.0);
    }
}

// ---- global options

TEST_F(CliTest, GlobalOptionsGoBeforeOrAfterTheCommand) {
    writeFile(dir() / "other" / "DATA" / "Orvo.DAT",
              builders::dataFileBytes(builders::sampleStore()));
    writeFile(dir() / "r.txt", fixtures::captured(fixtures::dayReport(1, "2024/07/01")));
    const std::string version = std::string("orvoview-cli ") + ORVO_VERSION + "\n";
    const std::string otherInUse =
        "Program folder in use: " + (dir() / "other").string() + " (from --home)\n";
    struct Row {
        Args args;
        std::string out; // what stdout starts with or holds
        bool whole;      // out is all of stdout
    } rows[] = {
        {{"--home", "other", "list"}, "B社\n", false},
        {{"list", "--home", "other"}, "B社\n", false},
        {{"--home=other", "list", "--json"}, "{\n  \"kind\": \"list\"", false},
        {{"--version"}, version, true},
        {{"list", "--version"}, version, true},
        {{"dump-report", "--version"}, version, true}, // no FILE needed
        {{"--home", "other", "--version"}, version, true},
        {{"--home", "other", "--help"}, otherInUse, false},
        {{"--help", "--home", "other"}, otherInUse, false},
        {{"--home", "other", "csv", "--help"}, "usage: orvoview-cli csv", false},
        {{"--home", "other", "import-report", "r.txt", "--customer", "B社", "--circuit", "本館"},
         "",
         true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(joined(row.args));
        auto r = cli(row.args);
        EXPECT_EQ(r.status, 0) << r.err;
        if (row.whole) {
            EXPECT_EQ(r.out, row.out);
        } else {
            EXPECT_NE(r.out.find(row.out), std::string::npos) << r.out.substr(0, 300);
        }
    }
    // The import went into the folder --home named before the command.
    auto list = cli({"list", "--home", "other"});
    EXPECT_NE(list.out.find("2024/07/01"), std::string::npos) << list.out;
    EXPECT_FALSE(std::filesystem::exists(dataFile()));

    const Args wrong[] = {
        {"--home"},                             // no value
        {"--home", "other"},                    // no command
        {"--bogus", "list"},                    // no such option
        {"--home", "a", "list", "--home", "b"}, // twice
        {"--version=1"},                        // a flag
    };
    for (const Args& args : wrong) {
        auto r = cli(args);
        EXPECT_EQ(r.status, 2) << joined(args);
        EXPECT_TRUE(r.out.empty());
    }
}

TEST(CliArgs, GlobalOptionsParseInAnyPlace) {
    const struct {
        Args args;
        const char* command;
        const char* home;
        bool version;
    } rows[] = {
        {{"--home", "D", "list"}, "list", "D", false},
        {{"--home=D", "list"}, "list", "D", false},
        {{"list", "--home", "D"}, "list", "D", false},
        {{"--version"}, "", nullptr, true},
        {{"--home", "D", "dump-report", "f"}, "dump-report", "D", false},
        {{"csv", "--version"}, "csv", nullptr, true},
    };
    for (const auto& row : rows) {
        CliArgs a = parseCliArgs(row.args);
        EXPECT_EQ(a.command, row.command) << joined(row.args);
        EXPECT_EQ(a.get("home"), row.home ? std::optional<std::string>(row.home) : std::nullopt);
        EXPECT_EQ(a.has("version"), row.version);
    }
}

// ---- one JSON shape

TEST_F(CliTest, EveryJsonDocumentHasItsKindAndErrorAndFollowsTheSchema) {
    writeFile(dataFile(), builders::dataFileBytes(builders::sampleStore()));
    writeFile(dir() / "A.VLK", builders::exportFileBytes(builders::makeCustomer(
                                   "需要家A", {{"回路1", {builders::makeDay(2, 2024, 5, 1)}}})));
    writeFile(dir() / "good.txt", fixtures::captured(fixtures::dayReport(1, "2024/05/01")));
    writeFile(dir() / "bad.txt", grammarErrorReport());
    writeFile(dir() / "inf.txt", infiniteReport());
    const std::string grammar =
        "チャンネル指定の解析が出来ません<ＣＨ３ 3相3線 PT:1.0 CT:40.0 2024/05/02>";
    const std::string missing = "ファイルが存在しません:" + (dir() / "none.txt").string();
    struct Row {
        Args args;
        const char* kind;
        std::string error; // empty: null
        int status;
    } rows[] = {
        {{"dump-report", "good.txt"}, "report", "", 0},
        {{"dump-report", "inf.txt"}, "report", "", 0},
        {{"dump-report", "bad.txt"}, "report", grammar, 1},
        {{"dump-report", "none.txt"}, "report", missing, 1},
        {{"receive", "--file", "good.txt"}, "report", "", 0},
        {{"receive", "--file", "bad.txt"}, "report", grammar, 1},
        {{"receive", "--file", "none.txt"}, "report", missing, 1},
        {{"dump-data", dataFile().string()}, "dataFile", "", 0},
        {{"dump-data", "A.VLK"}, "customerFile", "", 0},
        {{"list", "--json"}, "list", "", 0},
        {{"analyse", "--customer", "需要家A", "--circuit", "回路1", "--day", "2024-05-01"},
         "analysis",
         "",
         0},
        {{"analyse", "--customer", "需要家A", "--circuit", "回路1", "--month", "2024-05"},
         "analysis",
         "",
         0},
        {{"analyse", "--customer", "需要家A", "--circuit", "回路1", "--year", "2024"},
         "yearAnalysis",
         "",
         0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(joined(row.args));
        auto r = cli(row.args);
        EXPECT_EQ(r.status, row.status) << r.err;
        EXPECT_EQ(schemaProblems(r.out), "");
        auto v = json(r);
        ASSERT_GE(v.keys().size(), 2u);
        EXPECT_EQ(v.keys()[0], "kind");
        EXPECT_EQ(v.keys()[1], "error");
        EXPECT_EQ(v["kind"].s, row.kind);
        if (row.error.empty()) {
            EXPECT_TRUE(v["error"].isNull()) << v["error"].s;
        } else {
            EXPECT_EQ(v["error"].s, row.error);
        }
    }
    // receive --file prints what dump-report prints, also after a failure.
    for (const char* file : {"good.txt", "bad.txt", "inf.txt", "none.txt"}) {
        auto dump = cli({"dump-report", file});
        auto receive = cli({"receive", "--file", file});
        EXPECT_EQ(receive.out, dump.out) << file;
        EXPECT_EQ(receive.status, dump.status) << file;
    }
}

// The schema is strict where the records are: a document that drops or adds a member fails.
TEST_F(CliTest, TheSchemaRefusesWhatTheToolDoesNotPrint) {
    writeFile(dir() / "good.txt", fixtures::captured(fixtures::dayReport(1, "2024/05/01")));
    const std::string good = cli({"dump-report", "good.txt"}).out;
    ASSERT_EQ(schemaProblems(good), "");
    auto replaced = [&](const std::string& from, const std::string& to) {
        std::string doc = good;
        const std::size_t at = doc.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        return at == std::string::npos ? doc : doc.replace(at, from.size(), to);
    };
    const std::string broken[] = {
        replaced("\"error\": null,\n", ""),                             // no error member
        replaced("\"kind\": \"report\"", "\"kind\": \"days\""),         // unknown kind
        replaced("\"power\": 1200.5", "\"power\": null"),               // a lost value
        replaced("\"power\": 1200.5", "\"power\": \"inf\""),            // an undocumented name
        replaced("\"power\": 1200.5", "\"power\": Infinity"),           // no JSON
        replaced("\"date\": \"2024-05-01\"", "\"date\": \"1.5.2024\""), // another date form
        replaced("\"channel\": 1,", "\"channel\": 1, \"extra\": 0,"),   // an unknown member
    };
    for (const std::string& doc : broken)
        EXPECT_NE(schemaProblems(doc), "") << doc.substr(0, 400);
}

// ---- the options the program has

TEST_F(CliTest, CsvAndAnalyseTakeTheChannelAndStartDayTheProgramUses) {
    writeFile(dataFile(), builders::dataFileBytes(builders::sampleStore()));
    const Args day = {"csv", "--customer", "需要家A", "--circuit", "回路1", "--day", "2024-05-02"};
    const Args month = {"csv", "--customer", "需要家A", "--circuit", "回路1", "--month"};
    auto with = [](Args args, std::initializer_list<std::string> more) {
        args.insert(args.end(), more);
        return args;
    };
    struct Row {
        const char* name;
        Args args;
        const char* ini; // the INI file's contents (null: none)
        int status;
        const char* file; // written file, or its first bytes' channel line
        const char* channelLine;
    } rows[] = {
        {"default channel", day, nullptr, 0, "日報_需要家A_回路1_20240502_1.CSV", "測定ＣＨ, 1"},
        {"channel 2", with(day, {"--channel", "2"}), nullptr, 0,
         "日報_需要家A_回路1_20240502_2.CSV", "測定ＣＨ, 2"},
        {"channel 1", with(day, {"--channel=1"}), nullptr, 0, "日報_需要家A_回路1_20240502_1.CSV",
         "測定ＣＨ, 1"},
        // Days of May 1 and 2: month 2024-04 when months start on the 16th.
        {"start day given", with(month, {"2024-04", "--start-day", "16"}), nullptr, 0,
         "月報_需要家A_回路1_2024_04_1.CSV", "測定ＣＨ, 1"},
        {"start day from the INI", with(month, {"2024-04"}), "[Param]\r\nMonStartDay=16\r\n", 0,
         "月報_需要家A_回路1_2024_04_1.CSV", "測定ＣＨ, 1"},
        {"start day given over the INI", with(month, {"2024-05", "--start-day", "1"}),
         "[Param]\r\nMonStartDay=16\r\n", 0, "月報_需要家A_回路1_2024_05_1.CSV", "測定ＣＨ, 1"},
        {"default start day", with(month, {"2024-04"}), nullptr, 1, nullptr, nullptr},
        {"month report of channel 2", with(month, {"2024-05", "--channel", "2"}), nullptr, 0,
         "月報_需要家A_回路1_2024_05_2.CSV", "測定ＣＨ, 2"},
        {"channel 3", with(day, {"--channel", "3"}), nullptr, 2, nullptr, nullptr},
        {"start day 0", with(month, {"2024-04", "--start-day", "0"}), nullptr, 2, nullptr, nullptr},
        {"start day 32", with(month, {"2024-04", "--start-day", "32"}), nullptr, 2, nullptr,
         nullptr},
        {"start day x", with(month, {"2024-04", "--start-day", "1x"}), nullptr, 2, nullptr,
         nullptr},
        {"start day +5", with(month, {"2024-04", "--start-day", "+5"}), nullptr, 2, nullptr,
         nullptr},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::filesystem::remove(home() / "orvoview.INI");
        if (row.ini)
            writeFile(home() / "orvoview.INI", row.ini);
        auto r = cli(row.args);
        EXPECT_EQ(r.status, row.status) << r.err;
        if (!row.file)
            continue;
        const std::string text = readFile(dir() / row.file);
        EXPECT_NE(text.find(sjis::fromUtf8(row.channelLine) + "\r\n"), std::string::npos)
            << sjis::toUtf8(text.substr(0, 120));
        std::filesystem::remove(dir() / row.file);
    }

    // analyse: the report month and the start day it was computed with.
    std::filesystem::remove(home() / "orvoview.INI");
    const Args analyse = {"analyse", "--customer", "需要家A", "--circuit",
                          "回路1",   "--month",    "2024-04"};
    EXPECT_EQ(cli(analyse).status, 1); // no day in April when months start on the 1st
    auto given = cli(with(analyse, {"--start-day", "16"}));
    ASSERT_EQ(given.status, 0) << given.err;
    EXPECT_EQ(json(given)["monthStartDay"].n, 16);
    EXPECT_EQ(json(given)["from"].s, "2024-04-16");
    EXPECT_EQ(cli(with(analyse, {"--start-day", "40"})).status, 2);
}

// ---- one message form

TEST_F(CliTest, EveryMessageHasTheToolsFormAndTheProgramsText) {
    const std::string damaged = "56a5s440s";
    writeFile(dir() / "bad.DAT", damaged);
    writeFile(dir() / "bad.txt", grammarErrorReport());
    writeFile(dir() / "good.txt", fixtures::captured(fixtures::dayReport(1, "2024/05/01")));
    writeFile(dataFile(), builders::dataFileBytes(builders::sampleStore()));
    const std::string badDat = (dir() / "bad.DAT").string();
    struct Row {
        Args args;
        std::string err; // all of stderr
        int status;
    } rows[] = {
        {{"dump-data", "bad.DAT"},
         "orvoview-cli: データファイルが壊れている可能性があります\n" + badDat + "\n",
         1},
        {{"dump-data", "none.DAT"},
         "orvoview-cli: ファイルが存在しません:" + (dir() / "none.DAT").string() + "\n",
         1},
        {{"dump-report", "bad.txt"},
         "orvoview-cli: チャンネル指定の解析が出来ません<ＣＨ３ 3相3線 PT:1.0 CT:40.0 "
         "2024/05/02>\n",
         1},
        {{"csv", "--customer", "X", "--circuit", "回路1", "--day", "2024-05-01"},
         "orvoview-cli: 指定の需要家は登録されていません\nX\n",
         1},
        {{"export", "--customer", "需要家A", "--out", "nowhere/A.VLK"},
         "orvoview-cli: ファイルを開くことが出来ません\n" + (dir() / "nowhere" / "A.VLK").string() +
             "\nフォルダが存在しません。\nフォルダ：" + (dir() / "nowhere").string() + "\n",
         1},
        {{"import-report", "good.txt", "--customer", "需要家A", "--circuit", "回路9"},
         "orvoview-cli: 1日分を追加しました\n",
         0},
        {{"nothing"}, "orvoview-cli: unknown command 'nothing'\nTry 'orvoview-cli --help'.\n", 2},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(joined(row.args));
        auto r = cli(row.args);
        EXPECT_EQ(r.status, row.status);
        EXPECT_EQ(r.err, row.err);
    }
    // dump-data --help names the messages it prints.
    const std::string help = cli({"dump-data", "--help"}).out;
    for (const char* text :
         {"データファイルが壊れている可能性があります", "データファイルのバージョンが違いますます",
          "データファイルを読み込むことが出来ません"})
        EXPECT_NE(help.find(text), std::string::npos) << text;
}

TEST_F(CliTest, ImportWithYesAsksNothing) {
    writeFile(dir() / "A.VLK", builders::exportFileBytes(builders::makeCustomer("A", {})));
    writeFile(dataFile(),
              builders::dataFileBytes(builders::makeStore({builders::makeCustomer("A", {})})));
    struct Row {
        Args args;
        std::string input;
        std::string err;
        int status;
    } rows[] = {
        // Only the rename is told.
        {{"import", "A.VLK", "--yes"},
         "",
         "orvoview-cli: 取り込もうとしている需要家名は既に登録されています\n次の名前に変更して取り"
         "込みます\nA_1\n",
         0},
        // Asked: the question in the message form, then the choices.
        {{"import", "A.VLK"},
         "n\n",
         "orvoview-cli: 次の需要家データを取り込みます\nA\nよろしいですか\n[y/n] "
         "orvoview-cli: 取り込みを中止しました\n",
         1},
    };
    for (const Row& row : rows) {
        auto r = cli(row.args, row.input);
        EXPECT_EQ(r.status, row.status) << r.err;
        EXPECT_EQ(r.err, row.err);
    }
}
