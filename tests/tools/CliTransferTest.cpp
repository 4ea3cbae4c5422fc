#include "common/StoreBuilders.h"
#include "support/InstanceLock.h"
#include "tests/tools/CliFixture.h"

// ---- export and import

TEST_F(CliTest, ExportWritesTheCustomerRecordAndImportReadsItBack) {
    MeasurementStore store = builders::sampleStore();
    writeFile(dataFile(), builders::dataFileBytes(store));
    auto r = cli({"export", "--customer", "需要家a", "--out", "out/A.VLK"});
    EXPECT_EQ(r.status, 1); // the folder "out" does not exist
    std::filesystem::create_directories(dir() / "out");
    r = cli({"export", "--customer", "需要家A", "--out", "out/A.VLK"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("正常に保存しました。"), std::string::npos);
    const Customer& a = store.at(store.find(sjis::fromUtf8("需要家A")));
    EXPECT_EQ(readFile(dir() / "out" / "A.VLK"), builders::exportFileBytes(a));

    // Into another program folder: the same customer, circuits, days, samples and summaries.
    auto imported = cli({"import", "out/A.VLK", "--yes", "--home", "other"});
    ASSERT_EQ(imported.status, 0) << imported.err;
    EXPECT_EQ(imported.out, "需要家A\n");
    // --yes asks nothing.
    EXPECT_EQ(imported.err.find("次の需要家データを取り込みます"), std::string::npos)
        << imported.err;
    MeasurementStore other = builders::readStore(readFile(dir() / "other" / "DATA" / "Orvo.DAT"));
    ASSERT_EQ(other.count(), 1);
    EXPECT_TRUE(other.at(0) == a);
}

TEST_F(CliTest, ImportGivesAUniqueName) {
    Customer a = builders::makeCustomer("A", {{"c", {builders::makeDay(1, 2024, 5, 1)}}});
    writeFile(dir() / "A.VLK", builders::exportFileBytes(a));
    writeFile(dataFile(),
              builders::dataFileBytes(builders::makeStore(
                  {builders::makeCustomer("a", {}), builders::makeCustomer("A_1", {})})));
    auto r = cli({"import", "A.VLK", "--yes"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "A_2\n");
    EXPECT_NE(r.err.find("取り込もうとしている需要家名は既に登録されています\n次の名前に変更して取"
                         "り込みます\nA_2"),
              std::string::npos)
        << r.err;
    MeasurementStore store = builders::readStore(readFile(dataFile()));
    EXPECT_EQ(store.count(), 3);
    EXPECT_EQ(store.at(store.find("A_2")).circuits.at(0).days.count(), 1);
}

TEST_F(CliTest, ImportAsksOnStdin) {
    Customer a = builders::makeCustomer("A", {});
    writeFile(dir() / "A.VLK", builders::exportFileBytes(a));
    std::string before = builders::dataFileBytes(builders::makeStore({}));
    writeFile(dataFile(), before);
    for (const char* answer : {"n\n", "", "what\nno\n"}) {
        auto r = cli({"import", "A.VLK"}, answer);
        EXPECT_EQ(r.status, 1) << answer;
        EXPECT_NE(r.err.find("[y/n]"), std::string::npos);
        EXPECT_NE(r.err.find("取り込みを中止しました"), std::string::npos);
        EXPECT_EQ(readFile(dataFile()), before);
    }
    auto yes = cli({"import", "A.VLK"}, "y\n");
    EXPECT_EQ(yes.status, 0) << yes.err;
    EXPECT_EQ(builders::readStore(readFile(dataFile())).count(), 1);
}

TEST_F(CliTest, ImportFailures) {
    std::string before = builders::dataFileBytes(builders::sampleStore());
    writeFile(dataFile(), before);
    // Missing file.
    auto missing = cli({"import", "none.VLK", "--yes"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("ファイルが存在しません:"), std::string::npos);
    // Damaged file: the message names the import file; nothing changes.
    std::string bytes = builders::exportFileBytes(builders::makeCustomer("A", {}));
    writeFile(dir() / "bad.VLK", bytes.substr(0, bytes.size() - 3));
    auto bad = cli({"import", "bad.VLK", "--yes"});
    EXPECT_EQ(bad.status, 1);
    EXPECT_NE(bad.err.find("ｱｰｶｲﾌﾞ異常"), std::string::npos) << bad.err;
    EXPECT_EQ(readFile(dataFile()), before);
    // Locked folder.
    writeFile(dir() / "good.VLK", bytes);
    InstanceLock gui;
    ASSERT_TRUE(gui.tryAcquire(home().string()));
    auto locked = cli({"import", "good.VLK", "--yes"});
    EXPECT_EQ(locked.status, 1);
    EXPECT_NE(locked.err.find("使用中"), std::string::npos);
    EXPECT_EQ(readFile(dataFile()), before);
}

TEST_F(CliTest, ExportOfAnUnknownCustomer) {
    writeFile(dataFile(), builders::dataFileBytes(builders::sampleStore()));
    auto r = cli({"export", "--customer", "誰", "--out", "x.VLK"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("指定の需要家は登録されていません\n誰"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir() / "x.VLK"));
}

// Names from a data file reach a terminal with their control bytes escaped.
TEST_F(CliTest, ListEscapesControlBytesOfStoredNames) {
    MeasurementStore store;
    store.insert("Evil\x1b]0;pwned\x07");
    writeFile(dataFile(), builders::dataFileBytes(store));
    auto r = cli({"list"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.find('\x1b'), std::string::npos);
    EXPECT_NE(r.out.find("Evil\\x1B]0;pwned\\x07"), std::string::npos) << r.out;
}
