// 報告書ヘッダーの設定 driven through its controls: what OK keeps, a failed save, keyboard and
// names.
#include "DialogTestSupport.h"
#include "res/ResourceIds.h"
#include "support/ScriptedPrompt.h"
#include "support/Sjis.h"
#include "textout/gui/D_ReportHeader.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace dlgtest;

namespace {

std::string j(const char* utf8) {
    return sjis::fromUtf8(utf8);
}

class ReportHeaderDialog : public ::testing::Test {
protected:
    std::unique_ptr<CReportHeader> open(const std::string& path) {
        auto d = std::make_unique<CReportHeader>(path, j("本社工場"), j("受電"), m_prompt);
        d->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(d.get()));
        return d;
    }
    std::string path() const { return m_dir.path().toStdString() + "/ReportHeader.INI"; }

    QTemporaryDir m_dir;
    ScriptedPrompt m_prompt;
};

TEST_F(ReportHeaderDialog, OkKeepsWhatWasTypedForTheShownCircuit) {
    auto d = open(path());
    EXPECT_FALSE(d->shown()->isChecked()) << "off until chosen";
    EXPECT_EQ(d->stampCount()->value(), 3);
    EXPECT_FALSE(d->stampCaption(3)->isEnabled());
    d->shown()->setChecked(true);
    d->inspector()->setText(QStringLiteral("山田 太郎"));
    d->company()->setText(QStringLiteral("東西電気保安株式会社"));
    d->address()->setText(QStringLiteral("東京都港区芝1-2-3"));
    d->remarks()->setText(QStringLiteral("年次点検後の測定"));
    QTest::keyClick(d->stampCount(), Qt::Key_Up);
    EXPECT_TRUE(d->stampCaption(3)->isEnabled());
    d->stampCaption(3)->setText(QStringLiteral("所長"));
    shot(d.get(), "report_header_dialog.png");
    QTest::keyClick(d.get(), Qt::Key_Return); // the default button
    EXPECT_EQ(d->result(), QDialog::Accepted);
    EXPECT_TRUE(m_prompt.asked().empty());

    const ReportHeaderSettings saved = ReportHeaderSettings::load(path());
    EXPECT_TRUE(saved.shown());
    const ReportHeader h = saved.headerFor(j("本社工場"), j("受電"));
    EXPECT_EQ(h.inspector, j("山田 太郎"));
    EXPECT_EQ(h.address, j("東京都港区芝1-2-3"));
    EXPECT_EQ(h.remarks, j("年次点検後の測定"));
    const std::vector<std::string> stamps = {j("担当"), j("確認"), j("承認"), j("所長")};
    EXPECT_EQ(h.stamps(), stamps);
    EXPECT_FALSE(saved.customerHasOwn(j("本社工場")));

    // Opened again, it shows what was kept.
    auto again = open(path());
    EXPECT_TRUE(again->shown()->isChecked());
    EXPECT_EQ(again->remarks()->text(), QStringLiteral("年次点検後の測定"));
    EXPECT_EQ(again->stampCount()->value(), 4);
}

TEST_F(ReportHeaderDialog, CustomerOwnValuesLeaveTheGeneralPart) {
    auto d = open(path());
    d->inspector()->setText(QStringLiteral("鈴木"));
    d->customerOwn()->setChecked(true);
    d->stampCount()->setValue(0);
    press(d.get(), res::IDOK);
    const ReportHeaderSettings saved = ReportHeaderSettings::load(path());
    EXPECT_TRUE(saved.customerHasOwn(j("本社工場")));
    EXPECT_EQ(saved.headerFor(j("本社工場"), "x").inspector, j("鈴木"));
    EXPECT_EQ(saved.headerFor(j("本社工場"), "x").stamps().size(), 0u);
    EXPECT_EQ(saved.headerFor(j("別の需要家"), "x").inspector, "");
    EXPECT_EQ(saved.headerFor(j("別の需要家"), "x").stamps().size(), 3u);
}

TEST_F(ReportHeaderDialog, FailedSaveIsToldAndTheDialogStaysOpen) {
    auto d = open(m_dir.path().toStdString() + "/no/such/folder/ReportHeader.INI");
    d->inspector()->setText(QStringLiteral("山田"));
    press(d.get(), res::IDOK);
    ASSERT_EQ(m_prompt.asked().size(), 1u);
    EXPECT_NE(sjis::toUtf8(m_prompt.asked()[0].text).find("保存できませんでした"),
              std::string::npos);
    EXPECT_TRUE(d->isVisible());
    EXPECT_EQ(d->inspector()->text(), QStringLiteral("山田"));
}

TEST_F(ReportHeaderDialog, EveryControlIsNamedAndReachedByKeyboard) {
    auto d = open(path());
    const QStringList chain = tabChain(d.get());
    for (const char* name :
         {"headerShown", "inspector", "company", "address", "remarks", "customerOwn", "stampCount",
          "stampCaption1", "okButton", "cancelButton"})
        EXPECT_TRUE(chain.contains(QLatin1String(name))) << name;
    for (QWidget* w :
         {static_cast<QWidget*>(d->inspector()), static_cast<QWidget*>(d->company()),
          static_cast<QWidget*>(d->address()), static_cast<QWidget*>(d->remarks()),
          static_cast<QWidget*>(d->stampCount()), static_cast<QWidget*>(d->stampCaption(0))}) {
        EXPECT_FALSE(w->accessibleName().isEmpty()) << w->objectName().toStdString();
        EXPECT_FALSE(w->accessibleName().contains('&'));
        bool hasBuddy = false;
        for (QLabel* l : d->findChildren<QLabel*>())
            hasBuddy = hasBuddy || l->buddy() == w;
        EXPECT_TRUE(hasBuddy) << w->objectName().toStdString();
    }
    EXPECT_EQ(d->address()->accessibleName(), QStringLiteral("需要家住所"));
    ASSERT_NE(defaultButton(d.get()), nullptr);
    EXPECT_EQ(defaultButton(d.get())->objectName(), QStringLiteral("okButton"));
    // Fits a 1024x768 screen.
    EXPECT_LE(d->sizeHint().width(), 1024);
    EXPECT_LE(d->sizeHint().height(), 700);
    // The label's access key moves the focus to its control.
    QTest::keyClick(d.get(), Qt::Key_A, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), d->address());
}

} // namespace
