#include "CsvFixtures.h"
#include "DialogTestSupport.h"
#include "common/Cp932.h"
#include "res/ResourceIds.h"
#include "support/ScriptedPrompt.h"
#include "support/Sjis.h"
#include "textout/gui/D_TxtOut.h"

#include <QCheckBox>
#include <QDesktopServices>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <sys/stat.h>

using namespace dlgtest;
namespace fs = std::filesystem;

namespace {

std::string readText(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Waits (generously, against hangs only) until a detached child has written its file.
bool waitForFile(const fs::path& p) {
    for (int i = 0; i < 400 && !fs::exists(p); ++i)
        QTest::qWait(25);
    QTest::qWait(50); // the child may still be writing its last line
    return fs::exists(p);
}

// Takes the URLs the desktop would open.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl& url) { urls << url; }
};

class TxtOutDialog : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_env.retry.sleep = [](std::chrono::milliseconds) {};
    }
    std::unique_ptr<CTxtOut> open(const DisplaySelection& sel, TxtOutFields fields) {
        auto d = std::make_unique<CTxtOut>(sel, std::move(fields), m_env, m_prompt);
        d->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(d.get()));
        return d;
    }
    std::string dir() const { return m_dir.path().toStdString(); }
    std::string asked(std::size_t i) const { return sjis::toUtf8(m_prompt.asked().at(i).text); }

    QTemporaryDir m_dir;
    CsvOutputEnv m_env;
    ScriptedPrompt m_prompt;
};

TEST_F(TxtOutDialog, FileNamePresetForDailyAndMonthlyReports) {
    auto daily = csvfix::daily3p3w();
    auto d = open(daily->sel, {dir(), "", "", false});
    EXPECT_TRUE(d->fileName()->text().startsWith(QStringLiteral("日報_")));
    EXPECT_TRUE(d->fileName()->text().endsWith(QStringLiteral("_1.CSV")));
    auto monthly = csvfix::monthlyStart21();
    auto m = open(monthly->sel, {dir(), "", "", false});
    EXPECT_TRUE(m->fileName()->text().startsWith(QStringLiteral("月報_")));
    auto none = open(DisplaySelection{}, {dir(), "", "", false});
    EXPECT_TRUE(none->fileName()->text().isEmpty());
}

TEST_F(TxtOutDialog, CheckBoxEnablesTheProgramGroup) {
    auto report = csvfix::daily3p3w();
    auto d = open(report->sel, {dir(), "", "/usr/bin/ed", false});
    EXPECT_FALSE(d->programGroup()->isEnabled());
    EXPECT_FALSE(d->program()->isEnabled());
    d->openAfter()->click();
    EXPECT_TRUE(d->program()->isEnabled());
    EXPECT_TRUE(byId(d.get(), res::IDC_BROWSE)->isEnabled());
    d->openAfter()->click();
    EXPECT_FALSE(d->program()->isEnabled());
}

TEST_F(TxtOutDialog, BlankNameAndNoAnswersWriteNothingAndStayOpen) {
    auto report = csvfix::daily3p3w();
    auto d = open(report->sel, {dir(), "", "", false});
    d->folder()->setText(QString::fromStdString(dir() + "/missing"));
    d->fileName()->setText(QStringLiteral("  \t"));
    press(d.get(), res::IDOK);
    EXPECT_EQ(asked(0), "出力ファイル名を指定してください"); // before the folder is looked at
    d->fileName()->setText(QStringLiteral("r.CSV"));
    m_prompt.answer(PromptAnswer::No);
    press(d.get(), res::IDOK);
    EXPECT_EQ(asked(1).rfind("指定のフォルダは存在していません\n作成しますか？\n", 0), 0u);
    EXPECT_FALSE(fs::exists(dir() + "/missing"));
    std::ofstream(dir() + "/r.CSV") << "old";
    d->folder()->setText(m_dir.path());
    m_prompt.answer(PromptAnswer::No);
    press(d.get(), res::IDOK);
    EXPECT_EQ(asked(2),
              "指定のファイルは既に存在しています\n上書きしますか？\n" + dir() + "/r.CSV");
    EXPECT_EQ(readText(dir() + "/r.CSV"), "old");
    EXPECT_TRUE(d->isVisible());
    EXPECT_EQ(d->result(), QDialog::Rejected);
}

// A customer name from an imported file can hold anything a file name can: blanks, quotes, ';'
// and $(...). The program gets the path as one argument and no shell ever reads it.
TEST_F(TxtOutDialog, ProgramGetsTheFullPathAsOneArgumentWithoutAShell) {
    auto report = csvfix::daily3p3w();
    report->sel.customerName = sj("A B \"q\" 'r' ;touch pwned1; $(touch pwned2) `x`");
    const fs::path script = fs::path(dir()) / "record args.sh";
    const fs::path record = fs::path(dir()) / "args.txt";
    {
        std::ofstream s(script);
        s << "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"" << record.string()
          << ".tmp\"\nmv \"" << record.string() << ".tmp\" \"" << record.string() << "\"\n";
    }
    ::chmod(script.c_str(), 0755);
    const fs::path outFolder = fs::path(dir()) / "out dir";
    fs::create_directories(outFolder);
    auto d = open(report->sel, {outFolder.string(), "", script.string(), true});
    const std::string fileName = d->fileName()->text().toStdString();
    EXPECT_NE(fileName.find("$(touch pwned2)"), std::string::npos);
    press(d.get(), res::IDOK);
    EXPECT_EQ(d->result(), QDialog::Accepted);
    ASSERT_TRUE(waitForFile(record));
    const fs::path written = outFolder / fileName;
    EXPECT_TRUE(fs::exists(written));
    EXPECT_EQ(readText(record), written.string() + "\n"); // one argument, exactly the path
    EXPECT_FALSE(fs::exists(fs::path(dir()) / "pwned1"));
    EXPECT_FALSE(fs::exists(fs::path(dir()) / "pwned2"));
    EXPECT_FALSE(fs::exists("pwned1"));
    EXPECT_FALSE(fs::exists("pwned2"));
    EXPECT_EQ(asked(0), "テキストファイルへ正常に出力しました\n" + written.string());
    ASSERT_EQ(m_prompt.asked().size(), 1u);
    EXPECT_EQ(d->fields().program, script.string()); // copied back to the settings by the frame
    EXPECT_TRUE(d->fields().openAfter);
}

TEST_F(TxtOutDialog, WithoutProgramTheDesktopOpensTheFile) {
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &catcher, "open");
    auto report = csvfix::daily3p3w();
    auto d = open(report->sel, {dir(), "", "  ", true});
    press(d.get(), res::IDOK);
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    ASSERT_EQ(catcher.urls.size(), 1);
    EXPECT_EQ(catcher.urls[0].toLocalFile(), m_dir.path() + "/" + d->fileName()->text());
    EXPECT_EQ(d->result(), QDialog::Accepted);
}

TEST_F(TxtOutDialog, ProgramThatCannotStartIsReported) {
    auto report = csvfix::daily3p3w();
    const std::string missing = dir() + "/no such program";
    auto d = open(report->sel, {dir(), "", missing, true});
    press(d.get(), res::IDOK);
    ASSERT_EQ(m_prompt.asked().size(), 2u); // written, then the failed start
    EXPECT_EQ(asked(1), "プログラムを起動することが出来ません\n" + missing);
    EXPECT_EQ(m_prompt.asked()[1].icon, PromptIcon::Stop);
    EXPECT_EQ(d->result(), QDialog::Accepted); // the file is written all the same
}

TEST_F(TxtOutDialog, ControlsIdsNamesTabOrderAndDefaultButton) {
    auto report = csvfix::daily3p3w();
    auto d = open(report->sel, {dir(), "", "", true});
    EXPECT_EQ(d->windowTitle(), QStringLiteral("テキスト出力（ＣＳＶ形式）"));
    EXPECT_EQ(byId<QLineEdit>(d.get(), res::IDC_OUT_FOLDER), d->folder());
    EXPECT_EQ(byId<QLineEdit>(d.get(), res::IDC_OUT_FILE), d->fileName());
    EXPECT_EQ(byId<QCheckBox>(d.get(), res::IDC_OPEN_AFTER), d->openAfter());
    EXPECT_EQ(byId<QLineEdit>(d.get(), res::IDC_PROGRAM), d->program());
    EXPECT_EQ(byId(d.get(), res::IDC_PROGRAM_GROUP), d->programGroup());
    EXPECT_NE(byId(d.get(), res::IDC_BROWSE_OUT_FOLDER), nullptr);
    for (QLineEdit* e : {d->folder(), d->fileName(), d->program()}) {
        EXPECT_EQ(e->maxLength(), 256);
        EXPECT_FALSE(e->accessibleName().isEmpty()) << e->objectName().toStdString();
    }
    EXPECT_EQ(d->folder()->accessibleName(), QStringLiteral("出力先"));
    EXPECT_EQ(d->fileName()->accessibleName(), QStringLiteral("出力ファイル名"));
    ASSERT_NE(defaultButton(d.get()), nullptr);
    EXPECT_EQ(defaultButton(d.get())->text(), QStringLiteral("OK"));
    EXPECT_EQ(tabChain(d.get()),
              (QStringList{"folderEdit", "browseFolderButton", "fileNameEdit", "openAfterCheck",
                           "programEdit", "browseProgramButton", "okButton", "cancelButton"}));
    shot(d.get(), "txt_out.png");
}

} // namespace

#include "TxtOutDialogTest.moc"
