// Every path the tool is given is read and written exactly where it was told, whatever its
// characters. Was: paths went through CP932, so "hé" became "h?" (and the data file of
// ORVOVIEW_HOME=/x/hé went to /x/h?/DATA/Orvo.DAT).
#include "common/PathNames.h"
#include "common/StoreBuilders.h"
#include "tests/tools/CliFixture.h"
#include "tests/tools/ReportFixtures.h"

namespace fs = std::filesystem;

namespace {

std::string oneDay() {
    return fixtures::captured(fixtures::dayReport(1, "2024/05/01"));
}

// Nothing but the named folder was made beside it: no "h?", no other spelling.
std::vector<std::string> namesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().native());
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

TEST_F(CliTest, EveryPathIsUsedExactlyAsGiven) {
    for (const PathName& n : kPathNames) {
        SCOPED_TRACE(n.what);
        const fs::path root = dir() / "paths" / n.name;
        fs::create_directories(root);
        writeFile(root / "cap.txt", oneDay());

        // dump-report reads the file where it is.
        auto dump = cli({"dump-report", (root / "cap.txt").native()});
        EXPECT_EQ(dump.status, 0) << dump.err;
        EXPECT_EQ(json(dump)["days"].size(), 1u);

        // import-report with ORVOVIEW_HOME under the folder keeps the data file there.
        const fs::path home = root / "home";
        tooltest::RunOptions env = runOptions();
        env.env = {{"ORVOVIEW_HOME", home.native()}};
        auto filed = tooltest::run(
            ORVOVIEW_CLI,
            {"import-report", (root / "cap.txt").native(), "--customer", "A", "--circuit", "c"},
            env);
        EXPECT_EQ(filed.status, 0) << filed.err;
        ASSERT_TRUE(fs::exists(home / "DATA" / "Orvo.DAT"));
        EXPECT_EQ(builders::readStore(readFile(home / "DATA" / "Orvo.DAT")).count(), 1);

        // --home names the same folder; csv --out writes into a folder of that name.
        const fs::path out = root / "csv";
        auto csv = cli({"csv", "--home", home.native(), "--customer", "A", "--circuit", "c",
                        "--day", "2024-05-01", "--out", out.native()});
        EXPECT_EQ(csv.status, 0) << csv.err;
        const fs::path csvFile = out / "日報_A_c_20240501_1.CSV";
        EXPECT_TRUE(fs::exists(csvFile));
        EXPECT_EQ(csv.out, csvFile.native() + "\n");

        // export --out writes the file of that name; import reads it back.
        const fs::path exported = root / (n.name + ".VLK");
        auto exp =
            cli({"export", "--home", home.native(), "--customer", "A", "--out", exported.native()});
        EXPECT_EQ(exp.status, 0) << exp.err;
        EXPECT_TRUE(fs::exists(exported));
        auto imp = cli({"import", exported.native(), "--yes", "--home", (root / "other").native()});
        EXPECT_EQ(imp.status, 0) << imp.err;
        EXPECT_TRUE(fs::exists(root / "other" / "DATA" / "Orvo.DAT"));

        std::vector<std::string> made{"cap.txt", "csv", "home", n.name + ".VLK", "other"};
        std::sort(made.begin(), made.end());
        EXPECT_EQ(namesIn(root), made);
        EXPECT_EQ(namesIn(dir() / "paths").size(), static_cast<std::size_t>(&n - kPathNames + 1));
    }
}

TEST_F(CliTest, MessagesNameThePathAsGiven) {
    const fs::path missing = dir() / "hé" / "cap.txt";
    auto r = cli({"dump-report", missing.native()});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "orvoview-cli: ファイルが存在しません:" + missing.native() + "\n");
}

TEST_F(CliTest, NamesShiftJisCannotKeepAreRefused) {
    writeFile(dir() / "r.txt", oneDay());
    auto r = cli({"import-report", "r.txt", "--customer", "José", "--circuit", "c"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err,
              "orvoview-cli: Shift-JISで表せない文字が含まれています。この文字は使えません。\n");
    EXPECT_FALSE(fs::exists(dataFile()));
    // The wave dash typed on Linux is the one Windows keeps as 0x8160.
    auto twin = cli({"import-report", "r.txt", "--customer", "東京〜大阪", "--circuit", "c"});
    EXPECT_EQ(twin.status, 0) << twin.err;
    EXPECT_EQ(builders::readStore(readFile(dataFile())).at(0).name, sj("東京～大阪"));
}
