#include "DialogTestSupport.h"
#include "StoreTestSupport.h"
#include "common/Cp932.h"
#include "common/FailAfterSink.h"
#include "common/TempFolder.h"
#include "res/ResourceIds.h"
#include "store/gui/D_DataSave.h"
#include "store/gui/D_InputMonStartDay.h"
#include "support/Prompt.h"
#include "support/ScriptedPrompt.h"
#include "support/Sjis.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

using namespace dlgtest;
namespace fs = std::filesystem;

namespace {

MeasurementStore twoCustomers() {
    MeasurementStore store = smallStore(); // "A"
    store.insert(sj("東京工場"));
    return store;
}

class DataSaveDialog : public ::testing::Test {
protected:
    std::unique_ptr<CDataSave> open(int preset) {
        auto d = std::make_unique<CDataSave>(m_store, preset, m_folder.str(), "前回.VLK", m_prompt);
        RetryPolicy noWait;
        noWait.sleep = [](std::chrono::milliseconds) {};
        d->setRetryPolicyForTesting(noWait);
        d->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(d.get()));
        return d;
    }
    std::string asked(std::size_t i) const { return sjis::toUtf8(m_prompt.asked().at(i).text); }

    TempFolder m_folder;
    MeasurementStore m_store = twoCustomers();
    ScriptedPrompt m_prompt;
};

TEST_F(DataSaveDialog, PresetsFromTheSelectedCustomerOrTheSettings) {
    auto withCustomer = open(1);
    EXPECT_EQ(withCustomer->customers()->currentIndex(), 1);
    EXPECT_EQ(withCustomer->folder()->text().toStdString(), m_folder.str());
    EXPECT_EQ(withCustomer->fileName()->text(), QStringLiteral("東京工場.VLK"));
    withCustomer->customers()->setCurrentIndex(0);
    emit withCustomer->customers()->activated(0);
    EXPECT_EQ(withCustomer->fileName()->text(), QStringLiteral("A.VLK"));

    auto none = open(5); // beyond the store: no customer, the file name of the settings
    EXPECT_EQ(none->customers()->currentIndex(), -1);
    EXPECT_EQ(none->fileName()->text(), QStringLiteral("前回.VLK"));
    press(none.get(), res::IDOK);
    ASSERT_EQ(m_prompt.asked().size(), 1u);
    EXPECT_EQ(asked(0), "保存する需要家名を選んでください");
}

TEST_F(DataSaveDialog, NoToOverwriteLeavesTheFileAndTheDialogOpen) {
    const fs::path target = m_folder.path() / "A.VLK";
    TempFolder::write(target, "old");
    auto d = open(0);
    m_prompt.answer(PromptAnswer::No);
    press(d.get(), res::IDOK);
    ASSERT_EQ(m_prompt.asked().size(), 1u);
    EXPECT_EQ(asked(0), "指定のファイルは既に存在しています\n上書きしてもよろしいですか？\n" +
                            target.string());
    EXPECT_EQ(fileBytes(target), "old");
    EXPECT_TRUE(d->isVisible());
    EXPECT_FALSE(d->exported());
}

TEST_F(DataSaveDialog, WriteFailureKeepsTheOldFileAndTellsIt) {
    const fs::path target = m_folder.path() / "A.VLK";
    TempFolder::write(target, "old export");
    auto d = open(0);
    d->setSinkWrapperForTesting(
        [](ByteSink& file) { return std::make_unique<FailAfterSink>(file, 100); });
    press(d.get(), res::IDOK); // Yes to the overwrite question, then the failure
    ASSERT_EQ(m_prompt.asked().size(), 2u);
    EXPECT_EQ(asked(1).rfind("ﾌｧｲﾙｱｸｾｽ異常\n", 0), 0u) << asked(1);
    EXPECT_EQ(fileBytes(target), "old export");
    EXPECT_FALSE(d->exported());
    EXPECT_TRUE(d->isVisible());
}

TEST_F(DataSaveDialog, ExportTellsSuccessStaysOpenAndKeepsTheTrimmedTexts) {
    auto d = open(1);
    d->folder()->setText(QString::fromStdString(" " + m_folder.str() + "/out "));
    d->fileName()->setText(QStringLiteral(" 東京.VLK\t"));
    m_prompt.answer(PromptAnswer::Yes); // create the folder
    press(d.get(), res::IDOK);
    ASSERT_EQ(m_prompt.asked().size(), 2u);
    EXPECT_EQ(asked(1), "正常に保存しました。\n" + m_folder.str() + "/out/東京.VLK");
    EXPECT_EQ(m_prompt.asked()[1].icon, PromptIcon::None);
    EXPECT_TRUE(d->isVisible());
    EXPECT_TRUE(d->exported());
    EXPECT_EQ(d->saveDir(), m_folder.str() + "/out");
    EXPECT_EQ(d->saveFile(), fs::path("東京.VLK"));
    EXPECT_FALSE(fileBytes(m_folder.path() / "out" / "東京.VLK").empty());
    press(d.get(), res::IDCANCEL);
    EXPECT_FALSE(d->isVisible());
}

TEST_F(DataSaveDialog, ControlsIdsNamesTabOrderAndDefaultButton) {
    auto d = open(1);
    EXPECT_EQ(d->windowTitle(), QStringLiteral("需要家データの切出し"));
    EXPECT_EQ(byId<QLineEdit>(d.get(), res::IDC_SAVE_FOLDER), d->folder());
    EXPECT_EQ(byId<QLineEdit>(d.get(), res::IDC_SAVE_FILE), d->fileName());
    EXPECT_EQ(byId<QComboBox>(d.get(), res::IDC_CUSTOMER_NAME), d->customers());
    EXPECT_NE(byId(d.get(), res::IDC_BROWSE), nullptr);
    EXPECT_EQ(d->folder()->maxLength(), 256);
    EXPECT_EQ(d->fileName()->maxLength(), 256);
    EXPECT_EQ(d->folder()->font().family(),
              QFontDatabase::systemFont(QFontDatabase::FixedFont).family());
    EXPECT_EQ(d->folder()->accessibleName(), QStringLiteral("保存先"));
    EXPECT_EQ(d->fileName()->accessibleName(), QStringLiteral("保存ファイル名"));
    EXPECT_EQ(d->customers()->accessibleName(), QStringLiteral("需要家名称"));
    ASSERT_NE(defaultButton(d.get()), nullptr);
    EXPECT_EQ(defaultButton(d.get())->text(), QStringLiteral("OK"));
    EXPECT_EQ(tabChain(d.get()), (QStringList{"customerCombo", "folderEdit", "browseButton",
                                              "fileNameEdit", "okButton", "cancelButton"}));
    shot(d.get(), "data_save.png");
}

// ---- 月報の集計開始日 -------------------------------------------------------------------

struct StartDayCase {
    const char* typed;
    bool accepted;
    int day;
    const char* message;
};

TEST(MonStartDayDialog, OkChecksTheTextAndKeepsTheDialogOpenOnError) {
    const StartDayCase cases[] = {
        {"031", true, 31, nullptr},
        {" 21 ", true, 21, nullptr},
        {"", false, 0, "開始日を入力してください"},
        {"0", false, 0, "開始日には１～３１までの数字を入力してください"},
        {"32", false, 0, "開始日には１～３１までの数字を入力してください"},
        {"1.5", false, 0, "開始日には１～３１までの数字を入力してください"},
        {"-3", false, 0, "開始日には１～３１までの数字を入力してください"},
        {"２１", true, 21, nullptr}, // full-width, as an input method types it
        {"３２", false, 0, "開始日には１～３１までの数字を入力してください"},
    };
    for (const StartDayCase& c : cases) {
        ScriptedPrompt prompt;
        CInputMonStartDay d(5, prompt);
        d.show();
        EXPECT_EQ(d.edit()->text(), QStringLiteral("5"));
        d.edit()->setText(QString::fromUtf8(c.typed));
        press(&d, res::IDOK);
        EXPECT_EQ(d.result() == QDialog::Accepted, c.accepted) << c.typed;
        if (c.accepted) {
            EXPECT_EQ(d.day(), c.day) << c.typed;
            EXPECT_TRUE(prompt.asked().empty()) << c.typed;
        } else {
            EXPECT_TRUE(d.isVisible()) << c.typed;
            ASSERT_EQ(prompt.asked().size(), 1u) << c.typed;
            EXPECT_EQ(sjis::toUtf8(prompt.asked()[0].text), c.message) << c.typed;
            EXPECT_EQ(prompt.asked()[0].icon, PromptIcon::Stop) << c.typed;
            EXPECT_EQ(d.day(), 5) << c.typed;
        }
    }
}

TEST(MonStartDayDialog, ControlsAndScreenshot) {
    ScriptedPrompt prompt;
    CInputMonStartDay d(21, prompt);
    d.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&d));
    EXPECT_EQ(d.windowTitle(), QStringLiteral("月報の集計開始日"));
    EXPECT_EQ(byId<QLineEdit>(&d, res::IDC_START_DAY), d.edit());
    EXPECT_EQ(d.edit()->maxLength(), 256);
    EXPECT_EQ(d.edit()->accessibleName(),
              QStringLiteral("月報の集計を行う集計開始日を入力してください。"));
    ASSERT_NE(defaultButton(&d), nullptr);
    EXPECT_EQ(tabChain(&d), (QStringList{"startDayEdit", "okButton", "cancelButton"}));
    press(&d, res::IDCANCEL);
    EXPECT_EQ(d.result(), QDialog::Rejected);
    EXPECT_EQ(d.day(), 21);
    d.show();
    shot(&d, "mon_start_day.png");
}

// A name of 256 characters (old files hold them) is cut in the combo box, which stays as wide as
// its usual names: the dialog fits a 1024x768 screen with OK on it.
TEST_F(DataSaveDialog, AVeryLongNameDoesNotWidenTheDialog) {
    QString longName;
    for (int i = 0; i < 256; ++i)
        longName += QChar(i % 2 ? u'工' : u'東');
    m_store.insert(sj(longName.toStdString()));
    auto d = open(m_store.find(sj(longName.toStdString())));
    d->adjustSize();
    EXPECT_LE(d->width(), 1024 / 2);
    EXPECT_EQ(d->customers()->currentText(), longName);
    EXPECT_EQ(d->customers()->toolTip(), longName); // the whole name on hovering
    QWidget* ok = byId<QWidget>(d.get(), res::IDOK);
    ASSERT_NE(ok, nullptr);
    EXPECT_LE(ok->mapTo(d.get(), QPoint(ok->width(), 0)).x(), d->width());
    // The file name offered fits a file system's 255 bytes.
    EXPECT_LE(d->fileName()->text().toUtf8().size(), 255);
    EXPECT_TRUE(d->fileName()->text().endsWith(QStringLiteral(".VLK")));
    shot(d.get(), QStringLiteral("data_save_long_name.png"));
}

} // namespace
