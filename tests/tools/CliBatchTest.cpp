// csv --from --to over the circuits of a customer: the files of the single-day command, the
// summary of 一括出力 on stderr, status 1 when a file failed.
#include "common/StoreBuilders.h"
#include "tests/tools/CliFixture.h"
#include <filesystem>

namespace {

namespace fs = std::filesystem;
using builders::makeCustomer;
using builders::makeDay;

std::vector<MeasurementDay> may(std::initializer_list<int> dates, double base) {
    std::vector<MeasurementDay> out;
    for (int d : dates)
        out.push_back(makeDay(1, 2024, 5, d, base + d));
    return out;
}

// 工場: 受電 (5/1-5/5), 動力 (5/2-5/4), 照明 (none); 倉庫: 本館 (5/3).
MeasurementStore store() {
    return builders::makeStore({makeCustomer("工場", {{"受電", may({1, 2, 3, 4, 5}, 10)},
                                                      {"動力", may({2, 3, 4}, 40)},
                                                      {"照明", {}}}),
                                makeCustomer("倉庫", {{"本館", may({3}, 70)}})});
}

class CliBatchTest : public CliTest {
protected:
    void SetUp() override {
        CliTest::SetUp();
        writeFile(dataFile(), builders::dataFileBytes(store()));
    }
    static std::vector<std::string> names(const fs::path& folder) {
        std::vector<std::string> out;
        for (const auto& entry : fs::directory_iterator(folder))
            out.push_back(entry.path().filename().string());
        std::sort(out.begin(), out.end());
        return out;
    }
};

TEST_F(CliBatchTest, EveryCircuitOfTheCustomerWritesTheSingleDaysFiles) {
    auto r = cli({"csv", "--customer", "工場", "--from", "2024-05-02", "--to", "2024-05-04",
                  "--out", "batch"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "orvoview-cli: 6 件出力しました\n");
    const std::vector<std::string> written = {
        "日報_工場_動力_20240502_1.CSV", "日報_工場_動力_20240503_1.CSV",
        "日報_工場_動力_20240504_1.CSV", "日報_工場_受電_20240502_1.CSV",
        "日報_工場_受電_20240503_1.CSV", "日報_工場_受電_20240504_1.CSV"};
    ASSERT_EQ(names(dir() / "batch"), written);
    // In the store's order (受電 before 動力), one path a line.
    EXPECT_EQ(r.out.substr(0, r.out.find('\n')),
              (dir() / "batch" / "日報_工場_受電_20240502_1.CSV").string());
    for (const char* circuit : {"受電", "動力"}) {
        for (const char* day : {"02", "03", "04"}) {
            const std::string name =
                std::string("日報_工場_") + circuit + "_202405" + day + "_1.CSV";
            SCOPED_TRACE(name);
            auto single = cli({"csv", "--customer", "工場", "--circuit", circuit, "--day",
                               std::string("2024-05-") + day, "--out", "single"});
            ASSERT_EQ(single.status, 0) << single.err;
            EXPECT_TRUE(readFile(dir() / "batch" / name) == readFile(dir() / "single" / name));
        }
    }
    // One circuit named: only its days.
    auto one = cli({"csv", "--customer", "工場", "--circuit", "動力", "--from", "2024-05-01",
                    "--to", "2024-05-31", "--out", "one"});
    ASSERT_EQ(one.status, 0) << one.err;
    EXPECT_EQ(names(dir() / "one").size(), 3u);
}

TEST_F(CliBatchTest, AFileThatFailsIsListedWithItsReasonAndTheStatusIsOne) {
    // A folder stands where the CSV of 5/3 of 受電 would go.
    fs::create_directories(dir() / "out" / "日報_工場_受電_20240503_1.CSV");
    auto r = cli({"csv", "--customer", "工場", "--from", "2024-05-03", "--to", "2024-05-03",
                  "--out", "out"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err.rfind("orvoview-cli: 1 件出力しました\n出力できなかったもの:\n"
                          "日報_工場_受電_20240503_1.CSV: ",
                          0),
              0u)
        << r.err;
    EXPECT_TRUE(fs::is_regular_file(dir() / "out" / "日報_工場_動力_20240503_1.CSV"));
}

TEST_F(CliBatchTest, WrongNamesAndEmptyPeriodsAndUsage) {
    const struct {
        Args args;
        int status;
        const char* err;
    } cases[] = {
        {{"csv", "--customer", "X", "--from", "2024-05-01", "--to", "2024-05-31"},
         1,
         "指定の需要家は登録されていません\nX"},
        {{"csv", "--customer", "工場", "--circuit", "X", "--from", "2024-05-01", "--to",
          "2024-05-31"},
         1,
         "指定の測定回路は登録されていません\nX"},
        {{"csv", "--customer", "工場", "--from", "2024-06-01", "--to", "2024-06-30"},
         1,
         "指定の期間の測定データは登録されていません\n2024-06-01～2024-06-30"},
        {{"csv", "--customer", "工場", "--from", "2024-05-01", "--to", "2024-05-31", "--channel",
          "2"},
         2,
         "--channel goes with --day or --month"},
        {{"csv", "--customer", "工場", "--day", "2024-05-01"}, 2, "--circuit"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.back());
        auto r = cli(c.args);
        EXPECT_EQ(r.status, c.status);
        EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
    }
}

} // namespace
