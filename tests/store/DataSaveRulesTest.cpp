#include "store/DataSaveRules.h"
#include "StoreTestSupport.h"
#include "common/Cp932.h"
#include "common/FailAfterSink.h"
#include "common/TempFolder.h"
#include "store/DAT_CUSTOMER.h"
#include "support/Prompt.h"
#include "support/ScriptedPrompt.h"
#include "support/Sjis.h"
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

struct Step {
    std::string text; // UTF-8
    PromptButtons buttons;
    PromptIcon icon;
};

// One OK press: the fields as typed, the answers given, what must be asked in order, whether
// the export happened.
struct Case {
    const char* name;
    std::string folder; // relative to the scratch folder unless absolute or blank
    std::string file;
    int customer;
    std::vector<PromptAnswer> answers;
    bool existing; // the target exists before (content "old")
    std::vector<Step> steps;
    bool exported;
};

class DataSaveRules : public ::testing::Test {
protected:
    TempFolder m_folder;
};

TEST_F(DataSaveRules, OkRunsTheChecksInOrder) {
    const std::string root = m_folder.str();
    // Followed by the path written (filled in below).
    const Step saved{"正常に保存しました。\n", PromptButtons::Ok, PromptIcon::None};
    const Case cases[] = {
        {"blank folder first",
         " \t",
         "  ",
         0,
         {},
         false,
         {{"保存先を入力してください", PromptButtons::Ok, PromptIcon::Stop}},
         false},
        {"blank file name",
         root,
         " \t ",
         0,
         {},
         false,
         {{"保存ファイル名を入力してください", PromptButtons::Ok, PromptIcon::Stop}},
         false},
        {"missing folder, No",
         root + "/new/sub",
         "A.VLK",
         0,
         {PromptAnswer::No},
         false,
         {{"指定のフォルダは存在しません\n新たにフォルダを作成しますか？\n" + root + "/new/sub",
           PromptButtons::YesNo, PromptIcon::Question}},
         false},
        {"missing folder, Yes",
         " " + root + "/new/sub ",
         " A.VLK ",
         0,
         {PromptAnswer::Yes},
         false,
         {{"指定のフォルダは存在しません\n新たにフォルダを作成しますか？\n" + root + "/new/sub",
           PromptButtons::YesNo, PromptIcon::Question},
          saved},
         true},
        {"existing file, No",
         root,
         "A.VLK",
         0,
         {PromptAnswer::No},
         true,
         {{"指定のファイルは既に存在しています\n上書きしてもよろしいですか？\n" + root + "/A.VLK",
           PromptButtons::YesNo, PromptIcon::Question}},
         false},
        {"existing file, Yes",
         root + "/",
         "A.VLK",
         0,
         {PromptAnswer::Yes},
         true,
         {{"指定のファイルは既に存在しています\n上書きしてもよろしいですか？\n" + root + "/A.VLK",
           PromptButtons::YesNo, PromptIcon::Question},
          saved},
         true},
        {"no customer",
         root,
         "A.VLK",
         -1,
         {},
         false,
         {{"保存する需要家名を選んでください", PromptButtons::Ok, PromptIcon::Stop}},
         false},
        {"customer beyond the store",
         root,
         "A.VLK",
         1,
         {},
         false,
         {{"保存する需要家名を選んでください", PromptButtons::Ok, PromptIcon::Stop}},
         false},
        {"plain export", root, "A.VLK", 0, {}, false, {saved}, true},
    };
    for (const Case& c : cases) {
        fs::remove_all(m_folder.path());
        fs::create_directories(m_folder.path());
        const fs::path target = (c.folder.find("/new/sub") != std::string::npos)
                                    ? m_folder.path() / "new/sub/A.VLK"
                                    : m_folder.path() / "A.VLK";
        if (c.existing)
            TempFolder::write(target, "old");
        ScriptedPrompt prompt;
        for (PromptAnswer a : c.answers)
            prompt.answer(a);
        DataSaveFields f{sj(c.folder.c_str()), sj(c.file.c_str()), c.customer};
        EXPECT_EQ(acceptDataSave(f, smallStore(), prompt), c.exported) << c.name;
        ASSERT_EQ(prompt.asked().size(), c.steps.size()) << c.name;
        for (std::size_t i = 0; i < c.steps.size(); ++i) {
            const std::string expected =
                c.steps[i].text == saved.text ? saved.text + target.string() : c.steps[i].text;
            EXPECT_EQ(sjis::toUtf8(prompt.asked()[i].text), expected) << c.name;
            EXPECT_EQ(prompt.asked()[i].buttons, c.steps[i].buttons) << c.name;
            EXPECT_EQ(prompt.asked()[i].icon, c.steps[i].icon) << c.name;
        }
        if (c.exported) {
            EXPECT_NE(fileBytes(target), "old") << c.name;
            EXPECT_FALSE(fileBytes(target).empty()) << c.name;
            EXPECT_EQ(f.fileName, "A.VLK") << c.name; // trimmed for the settings
        } else if (c.existing) {
            EXPECT_EQ(fileBytes(target), "old") << c.name;
        } else {
            EXPECT_FALSE(fs::exists(target)) << c.name;
        }
        if (std::string(c.name) == "missing folder, No") {
            EXPECT_FALSE(fs::exists(m_folder.path() / "new")) << c.name;
        }
    }
}

TEST_F(DataSaveRules, FullDiskKeepsTheEarlierExportAndClaimsNoSuccess) {
    const fs::path target = m_folder.path() / "A.VLK";
    TempFolder::write(target, "earlier export");
    ScriptedPrompt prompt;
    DataSaveFields f{m_folder.str(), "A.VLK", 0};
    const datafile::SinkWrapper fullDisk = [](ByteSink& file) {
        return std::make_unique<FailAfterSink>(file, 10);
    };
    EXPECT_FALSE(acceptDataSave(f, smallStore(), prompt, {}, fullDisk));
    EXPECT_EQ(fileBytes(target), "earlier export");
    ASSERT_EQ(prompt.asked().size(), 2u); // overwrite question, then the failure
    EXPECT_EQ(sjis::toUtf8(prompt.asked()[1].text).rfind("ﾌｧｲﾙｱｸｾｽ異常\n", 0), 0u);
    for (const auto& entry : fs::directory_iterator(m_folder.path()))
        EXPECT_EQ(entry.path().filename(), "A.VLK"); // no temporary file left behind
}

TEST(DataSaveFileName, CustomerNameAndVlk) {
    EXPECT_EQ(exportFileNamePreset(sj("東京工場")), sj("東京工場.VLK"));
    EXPECT_EQ(exportFileNamePreset("a b"), "a b.VLK");
}

} // namespace
