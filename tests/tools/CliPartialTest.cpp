// A report cut inside a block: receive and import-report file the days whose blocks arrived
// whole only with --partial, and end with status 1 either way; dump-report prints them with
// "interrupted".
#include "common/StoreBuilders.h"
#include "link/FiveDayReport.h"
#include "support/Sjis.h"
#include "tests/tools/CliFixture.h"
#include "tools/reportgen/PacedWriter.h"
#include <thread>

namespace {

const char kNotFiled[] = "途中で切れた受信のため登録しませんでした。完全に届いた測定データを登録"
                         "するには --partial を付けてください";

std::string cutNotice(const std::string& file) {
    return "ファイルが測定データの途中で終わっています。 完全に届いた測定データは 2 件です。 "
           "途中で切れた 1ch 2024/03/03 は取り込みません。 ファイル：" +
           file;
}

// Channel 1 of the report's first two days as stored.
std::vector<MeasurementDay> storedTwo(const FiveDayReport& report) {
    std::vector<MeasurementDay> days;
    for (const MeasurementDay& day : report.firstDays(2).days)
        days.push_back(day);
    return days;
}

} // namespace

TEST_F(CliTest, CutReportIsFiledOnlyWithPartialAndAlwaysEndsWithStatusOne) {
    const FiveDayReport report;
    writeFile(dir() / "cut.txt", report.cutInside(3));
    const std::string notice = cutNotice((dir() / "cut.txt").string());
    const std::string before = builders::dataFileBytes(builders::makeStore({}));
    struct Case {
        Args args;
    } cases[] = {
        {{"import-report", "cut.txt", "--customer", "A", "--circuit", "c"}},
        {{"receive", "--file", "cut.txt", "--customer", "A", "--circuit", "c"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args[0]);
        writeFile(dataFile(), before);
        auto refused = cli(c.args);
        EXPECT_EQ(refused.status, 1);
        EXPECT_NE(refused.err.find(notice), std::string::npos) << refused.err;
        EXPECT_NE(refused.err.find(kNotFiled), std::string::npos) << refused.err;
        EXPECT_EQ(readFile(dataFile()), before);

        Args partial = c.args;
        partial.push_back("--partial");
        auto filed = cli(partial);
        EXPECT_EQ(filed.status, 1);
        EXPECT_NE(filed.err.find(notice), std::string::npos) << filed.err;
        EXPECT_NE(filed.err.find("2日分を追加しました"), std::string::npos) << filed.err;
        MeasurementStore store = builders::readStore(readFile(dataFile()));
        ASSERT_EQ(store.count(), 1);
        const MeasurementCircuit& circuit = store.at(0).circuits.at(0);
        ASSERT_EQ(circuit.days.count(), 2);
        const std::vector<MeasurementDay> expected = storedTwo(report);
        for (int i = 0; i < 2; ++i)
            EXPECT_TRUE(circuit.days.at(i) == expected[static_cast<std::size_t>(i)]) << i;
    }
}

TEST_F(CliTest, CutReportIsPrintedWithTheMessage) {
    const FiveDayReport report;
    writeFile(dir() / "cut.txt", report.cutInside(3));
    for (const Args& args :
         {Args{"dump-report", "cut.txt"}, Args{"receive", "--file", "cut.txt"}}) {
        SCOPED_TRACE(args[0]);
        auto r = cli(args);
        EXPECT_EQ(r.status, 1);
        auto v = json(r);
        ASSERT_EQ(v["days"].size(), 2u);
        EXPECT_EQ(v["days"][1]["date"].s, "2024-03-02");
        EXPECT_EQ(v["interrupted"].s, cutNotice((dir() / "cut.txt").string()));
    }
    // A whole report stays as it was.
    std::string all;
    for (const std::string& piece : report.pieces)
        all += piece;
    writeFile(dir() / "whole.txt", all);
    auto whole = cli({"dump-report", "whole.txt"});
    EXPECT_EQ(whole.status, 0) << whole.err;
    EXPECT_EQ(json(whole)["days"].size(), 5u);
}

// Over the line: the recorder falls silent inside the third day.
TEST_F(CliTest, ReceptionCutOnTheLineFilesTheWholeDaysWithPartial) {
    const FiveDayReport report;
    PacedWriter recorder(0);
    writeFile(home() / "orvoview.INI", "[Port]\r\nCOM4=" + recorder.slavePath() + "\r\n");
    SerialSettings serial;
    serial.portNumber = 4;
    writeFile(dataFile(), builders::dataFileBytes(builders::makeStore({}), serial));
    auto child = cliStart({"receive", "--customer", "A", "--circuit", "c", "--partial"});
    for (int i = 0; i < 3000; ++i) {
        if (tooltest::readWhole(child.errPath()).find("機器からのデータ送信待ち") !=
            std::string::npos)
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    recorder.write(report.cutInside(3));
    recorder.drain();
    auto r = tooltest::finish(child);
    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_NE(
        r.err.find("記録計からの送信が測定データの途中で途切れました。 完全に届いた測定データは "
                   "2 件です。 途中で切れた 1ch 2024/03/03 は取り込みません。 受信ファイル："),
        std::string::npos)
        << r.err;
    MeasurementStore store = builders::readStore(readFile(dataFile()));
    ASSERT_EQ(store.count(), 1);
    EXPECT_EQ(store.at(0).circuits.at(0).days.count(), 2);
}

TEST_F(CliTest, PartialNeedsACircuit) {
    auto r = cli({"receive", "--file", "x.txt", "--partial"});
    EXPECT_EQ(r.status, 2);
}
