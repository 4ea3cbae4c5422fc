#include "textout/TxtOutRules.h"
#include "common/Cp932.h"
#include "common/FileBytes.h"
#include "common/TempFolder.h"
#include "textout/TextoutTexts.h"

#include "CsvFixtures.h"
#include "support/CxException.h"
#include "support/Format.h"
#include "support/ScriptedPrompt.h"
#include "support/Sjis.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

class TxtOutRulesTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_report = csvfix::daily3p3w();
        m_env.retry.sleep = [](std::chrono::milliseconds) {};
    }

    std::string asked(std::size_t i) const { return sjis::toUtf8(m_prompt.asked().at(i).text); }

    TempFolder m_folder;
    const fs::path& m_dir = m_folder.path();
    std::unique_ptr<csvfix::Report> m_report;
    ScriptedPrompt m_prompt;
    CsvOutputEnv m_env;
};

TEST_F(TxtOutRulesTest, BlankFileNameIsRejectedBeforeTheFolder) {
    TxtOutFields f{"", " \t ", "", false};
    EXPECT_FALSE(acceptTxtOut(f, m_report->sel, m_prompt, m_env));
    ASSERT_EQ(m_prompt.asked().size(), 1u);
    EXPECT_EQ(asked(0), "出力ファイル名を指定してください");
    EXPECT_EQ(m_prompt.asked()[0].icon, PromptIcon::Stop);
}

TEST_F(TxtOutRulesTest, BlankFolderIsRejected) {
    TxtOutFields f{"  ", "x.CSV", "", false};
    EXPECT_FALSE(acceptTxtOut(f, m_report->sel, m_prompt, m_env));
    ASSERT_EQ(m_prompt.asked().size(), 1u);
    EXPECT_EQ(asked(0), "出力先を指定してください");
}

TEST_F(TxtOutRulesTest, MissingFolderDeclinedWritesNothing) {
    const fs::path folder = m_dir / "a" / "b";
    TxtOutFields f{folder.string(), "x.CSV", "", false};
    m_prompt.answer(PromptAnswer::No);
    EXPECT_FALSE(acceptTxtOut(f, m_report->sel, m_prompt, m_env));
    ASSERT_EQ(m_prompt.asked().size(), 1u);
    EXPECT_EQ(asked(0), "指定のフォルダは存在していません\n作成しますか？\n" + folder.string());
    EXPECT_EQ(m_prompt.asked()[0].buttons, PromptButtons::YesNo);
    EXPECT_EQ(m_prompt.asked()[0].icon, PromptIcon::Question);
    EXPECT_FALSE(fs::exists(m_dir / "a"));
}

TEST_F(TxtOutRulesTest, MissingFolderIsCreatedWithItsParents) {
    const fs::path folder = m_dir / "a" / "b" / "c";
    const std::string name = csvFileNamePreset(m_report->sel);
    TxtOutFields f{" " + folder.string() + "/\t", "  " + sjis::toUtf8(name) + " ", "", false};
    fs::path written;
    EXPECT_TRUE(acceptTxtOut(f, m_report->sel, m_prompt, m_env, &written));
    const fs::path file = folder / sjis::toUtf8(name);
    EXPECT_EQ(written, file);
    EXPECT_EQ(f.fileName, fs::path(sjis::toUtf8(name))); // trimmed
    EXPECT_FALSE(fileBytes(file).empty());
    ASSERT_EQ(m_prompt.asked().size(), 2u);
    EXPECT_EQ(asked(1), "テキストファイルへ正常に出力しました\n" + file.string());
}

TEST_F(TxtOutRulesTest, ExistingFileIsOverwrittenOnlyOnYes) {
    const fs::path file = m_dir / "r.CSV";
    std::ofstream(file) << "old";
    TxtOutFields f{m_dir.string(), "r.CSV", "", false};
    m_prompt.answer(PromptAnswer::No);
    EXPECT_FALSE(acceptTxtOut(f, m_report->sel, m_prompt, m_env));
    EXPECT_EQ(asked(0), "指定のファイルは既に存在しています\n上書きしますか？\n" + file.string());
    EXPECT_EQ(fileBytes(file), "old");

    m_prompt.answer(PromptAnswer::Yes);
    EXPECT_TRUE(acceptTxtOut(f, m_report->sel, m_prompt, m_env));
    EXPECT_EQ(sjis::toUtf8(fileBytes(file)).rfind("日報, 2007年 1月 5日\r\n", 0), 0u);
}

// A link planted at the name (dangling or not) is asked about, and Yes replaces the link itself.
TEST_F(TxtOutRulesTest, LinkAtTheNameIsAskedAboutAndNeverWrittenThrough) {
    for (bool dangling : {true, false}) {
        SCOPED_TRACE(dangling ? "dangling" : "to a file");
        const fs::path victim = m_dir / "victim";
        fs::remove(victim);
        if (!dangling)
            std::ofstream(victim) << "precious";
        const fs::path file = m_dir / "r.CSV";
        fs::remove(file);
        fs::create_symlink(victim, file);
        TxtOutFields f{m_dir.string(), "r.CSV", "", false};
        m_prompt.answer(PromptAnswer::Yes);
        EXPECT_TRUE(acceptTxtOut(f, m_report->sel, m_prompt, m_env));
        EXPECT_EQ(asked(m_prompt.asked().size() - 2),
                  "指定のファイルは既に存在しています\n上書きしますか？\n" + file.string());
        EXPECT_FALSE(fs::is_symlink(file));
        EXPECT_EQ(fs::exists(victim), !dangling);
        if (!dangling) {
            EXPECT_EQ(fileBytes(victim), "precious");
        }
    }
}

TEST_F(TxtOutRulesTest, WriteFailureKeepsTheDialogOpen) {
    TxtOutFields f{m_dir.string(), "x.CSV", "", false};
    m_env.open = [](const std::string& path) -> std::unique_ptr<ReportSink> {
        throw CxException(0, "OpenError\n%s", path.c_str());
    };
    EXPECT_FALSE(acceptTxtOut(f, m_report->sel, m_prompt, m_env));
    ASSERT_EQ(m_prompt.asked().size(), 1u); // the open error, no success message
    EXPECT_EQ(asked(0).rfind("OpenError\n", 0), 0u);
}

TEST(TxtOutLaunchTest, ProgramAndPathAreTwoArgumentsAsTyped) {
    struct Case {
        const char* folder;
        const char* file;
        const char* program;
        const char* wantProgram;
        const char* wantFile;
    };
    const Case cases[] = {
        {"/data/out", "r.CSV", " /opt/my editor/edit ", "/opt/my editor/edit", "/data/out/r.CSV"},
        {"/data/my out/", "a b.CSV", "/usr/bin/gedit", "/usr/bin/gedit", "/data/my out/a b.CSV"},
        // A name from an imported file: quotes, ';' and $(...) stay characters of the path.
        {"/d", "日報_A \"q\" ;rm x $(id)_C_20070105_1.CSV", "ed", "ed",
         "/d/日報_A \"q\" ;rm x $(id)_C_20070105_1.CSV"},
        {"/d", "r.CSV", " \t", "", "/d/r.CSV"}, // no program: the associated one opens it
    };
    for (const Case& c : cases) {
        TxtOutFields f{c.folder, c.file, c.program, true};
        const TxtOutLaunch launch = txtOutLaunch(f);
        EXPECT_EQ(launch.program, fs::path(c.wantProgram)) << c.program;
        EXPECT_EQ(launch.file, fs::path(c.wantFile)) << c.file;
    }
}

TEST(TrimBlanksTest, OnlySingleByteWhiteSpace) {
    EXPECT_EQ(trimBlanks(" \t\r\nabc \n"), "abc");
    EXPECT_EQ(trimBlanks("\x81\x40x\x81\x40"), "\x81\x40x\x81\x40"); // full-width blank stays
    EXPECT_EQ(trimBlanks("   "), "");
    EXPECT_EQ(trimBlanks("\v\fa b\f\v"), "a b");
}

} // namespace

TEST(TxtOutTexts, LaunchFailureEncodedAsItsJapanese) {
    EXPECT_EQ(sjis::toUtf8(txt::textout::kLaunchFailed),
              "プログラムを起動することが出来ません\n%s");
}
