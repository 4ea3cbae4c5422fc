#include "common/Cp932.h"
#include "common/DialogDriver.h"
#include "res/ResourceIds.h"
#include "store/StoreTexts.h"
#include "store/gui/D_CustEdit.h"
#include "support/Prompt.h"
#include "support/ScriptedPrompt.h"
#include "support/Sjis.h"
#include <QDir>
#include <QFontDatabase>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

using namespace dialogtest;

namespace {

// 東京工場 (受電, 変電), 表示ソフト (ソ), 予備 (no circuit), in this order (CP932 bytes).
MeasurementStore sample() {
    MeasurementStore store;
    Customer& tokyo = store.at(store.insert(sj("東京工場")));
    tokyo.circuits.insert(sj("受電"));
    tokyo.circuits.insert(sj("変電"));
    store.at(store.insert(sj("表示ソフト"))).circuits.insert(sj("ソ"));
    store.insert(sj("予備"));
    return store;
}

class CustEditTest : public ::testing::Test {
protected:
    void open(MeasurementStore store) {
        m_dialog = std::make_unique<CCustEdit>(std::move(store), m_prompt);
    }
    QLineEdit* customerName() { return m_dialog->customerName(); }
    QLineEdit* circuitName() { return m_dialog->circuitName(); }

    ScriptedPrompt m_prompt;
    std::unique_ptr<CCustEdit> m_dialog;
};

} // namespace

TEST_F(CustEditTest, OpensOnTheFirstCustomerAndCircuitWithEmptyEditBoxes) {
    open(sample());
    EXPECT_EQ(m_dialog->windowTitle(), QStringLiteral("需要家情報"));
    EXPECT_EQ(texts(m_dialog->customerList()),
              (QStringList{QStringLiteral("東京工場"), QStringLiteral("表示ソフト"),
                           QStringLiteral("予備")}));
    EXPECT_EQ(texts(m_dialog->circuitList()),
              (QStringList{QStringLiteral("受電"), QStringLiteral("変電")}));
    EXPECT_EQ(m_dialog->customerList()->currentRow(), 0);
    EXPECT_EQ(m_dialog->circuitList()->currentRow(), 0);
    EXPECT_TRUE(customerName()->text().isEmpty());
    EXPECT_TRUE(circuitName()->text().isEmpty());
    EXPECT_EQ(customerName()->maxLength(), 256);
    EXPECT_EQ(circuitName()->maxLength(), 256);
    for (QListWidget* list : {m_dialog->customerList(), m_dialog->circuitList()})
        EXPECT_EQ(list->font(), QFontDatabase::systemFont(QFontDatabase::FixedFont));
}

TEST_F(CustEditTest, SelectionsCopyTheNamesIntoTheEditBoxes) {
    open(sample());
    m_dialog->customerList()->setCurrentRow(1);
    EXPECT_EQ(customerName()->text(), QStringLiteral("表示ソフト"));
    EXPECT_EQ(texts(m_dialog->circuitList()), QStringList{QStringLiteral("ソ")});
    EXPECT_EQ(circuitName()->text(), QStringLiteral("ソ"));
    m_dialog->customerList()->setCurrentRow(2);
    EXPECT_EQ(m_dialog->circuitList()->count(), 0);
    EXPECT_TRUE(circuitName()->text().isEmpty());
}

TEST_F(CustEditTest, ButtonsChangeTheCopyAndRefillTheLists) {
    open(sample());
    customerName()->setText(QStringLiteral("  新工場  "));
    click(m_dialog.get(), res::IDC_CUST_ADD);
    EXPECT_EQ(m_dialog->customerList()->currentItem()->text(), QStringLiteral("新工場"));
    EXPECT_EQ(customerName()->text(), QStringLiteral("新工場"));
    EXPECT_EQ(m_dialog->circuitList()->count(), 0);

    circuitName()->setText(QStringLiteral("表示盤"));
    click(m_dialog.get(), res::IDC_CIRCUIT_ADD);
    EXPECT_EQ(texts(m_dialog->circuitList()), QStringList{QStringLiteral("表示盤")});
    EXPECT_EQ(m_dialog->circuitList()->currentRow(), 0);

    circuitName()->setText(QStringLiteral("高圧"));
    click(m_dialog.get(), res::IDC_CIRCUIT_RENAME);
    EXPECT_EQ(texts(m_dialog->circuitList()), QStringList{QStringLiteral("高圧")});
    click(m_dialog.get(), res::IDC_CIRCUIT_REMOVE);
    EXPECT_EQ(m_dialog->circuitList()->count(), 0);

    customerName()->setText(QStringLiteral("A工場"));
    click(m_dialog.get(), res::IDC_CUST_RENAME);
    EXPECT_EQ(m_dialog->customerList()->item(0)->text(), QStringLiteral("A工場"));
    EXPECT_EQ(m_dialog->customerList()->currentRow(), 0);
    click(m_dialog.get(), res::IDC_CUST_REMOVE);
    EXPECT_EQ(m_dialog->customerList()->count(), 3);
    // Only the two removals asked (answered Yes by the script); nothing was refused.
    ASSERT_EQ(m_prompt.asked().size(), 2u);
    for (const auto& asked : m_prompt.asked())
        EXPECT_EQ(asked.buttons, PromptButtons::YesNoDefaultNo);

    m_dialog->customerList()->setCurrentRow(1);
    click(m_dialog.get(), res::IDOK);
    EXPECT_EQ(m_dialog->result(), QDialog::Accepted);
    EXPECT_EQ(m_dialog->resultCustomer(), 1);
    EXPECT_EQ(m_dialog->resultCircuit(), 0);
    const MeasurementStore edited = m_dialog->takeStore();
    EXPECT_EQ(edited.count(), 3);
    EXPECT_EQ(edited.find(sj("新工場")), -1);
}

TEST_F(CustEditTest, RejectedNamesAreToldAndChangeNothing) {
    open(sample());
    customerName()->setText(QStringLiteral("a.b"));
    click(m_dialog.get(), res::IDC_CUST_ADD);
    circuitName()->setText(QStringLiteral("   "));
    click(m_dialog.get(), res::IDC_CIRCUIT_RENAME);
    ASSERT_EQ(m_prompt.asked().size(), 2u);
    EXPECT_EQ(sjis::toUtf8(m_prompt.asked()[0].text),
              "需要家名称には次の何れかの文字を含めることは出来ません\n:\"*?/\\<>|.");
    EXPECT_EQ(m_prompt.asked()[1].text, txt::store::kCircuitEmpty);
    EXPECT_EQ(m_prompt.asked()[0].icon, PromptIcon::Stop);
    EXPECT_EQ(m_dialog->customerList()->count(), 3);
    EXPECT_EQ(texts(m_dialog->circuitList()),
              (QStringList{QStringLiteral("受電"), QStringLiteral("変電")}));
}

TEST_F(CustEditTest, EmptyStoreShowsEmptyListsAndOnlyAddActs) {
    open(MeasurementStore());
    EXPECT_EQ(m_dialog->customerList()->count(), 0);
    EXPECT_EQ(m_dialog->circuitList()->count(), 0);
    for (int id : {res::IDC_CUST_REMOVE, res::IDC_CUST_RENAME, res::IDC_CIRCUIT_ADD,
                   res::IDC_CIRCUIT_REMOVE, res::IDC_CIRCUIT_RENAME})
        click(m_dialog.get(), id);
    EXPECT_EQ(m_dialog->customerList()->count(), 0);
    EXPECT_TRUE(m_prompt.asked().empty());
    customerName()->setText(QStringLiteral("X"));
    click(m_dialog.get(), res::IDC_CUST_ADD);
    EXPECT_EQ(texts(m_dialog->customerList()), QStringList{QStringLiteral("X")});
}

TEST_F(CustEditTest, RefillKeepsTheScrollPosition) {
    MeasurementStore many;
    for (int i = 0; i < 80; ++i)
        many.insert(sj(QStringLiteral("需要家%1").arg(i, 2, 10, QChar('0')).toUtf8().constData()));
    open(std::move(many));
    m_dialog->show();
    QScrollBar* bar = m_dialog->customerList()->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 20);
    bar->setValue(20);
    m_dialog->customerList()->setCurrentRow(bar->value() + 2); // a visible entry
    const int top = bar->value();
    customerName()->setText(m_dialog->customerList()->currentItem()->text() + "X");
    click(m_dialog.get(), res::IDC_CUST_RENAME);
    EXPECT_EQ(bar->value(), top);
    circuitName()->setText(QStringLiteral("c"));
    click(m_dialog.get(), res::IDC_CIRCUIT_ADD);
    EXPECT_EQ(bar->value(), top);
}

TEST_F(CustEditTest, ControlsAreNamedReachableAndOkIsTheDefault) {
    open(sample());
    m_dialog->show();
    const std::pair<int, const char*> named[] = {
        {res::IDC_CUST_LIST, "需要家名称"},
        {res::IDC_CIRCUIT_LIST, "測定回路名称"},
        {res::IDC_CUST_NAME, "需要家名称の入力"},
        {res::IDC_CIRCUIT_NAME_EDIT, "測定回路名称の入力"},
        {res::IDC_CUST_ADD, "需要家の追加"},
        {res::IDC_CUST_REMOVE, "需要家の削除"},
        {res::IDC_CUST_RENAME, "需要家の変更"},
        {res::IDC_CIRCUIT_ADD, "測定回路の追加"},
        {res::IDC_CIRCUIT_REMOVE, "測定回路の削除"},
        {res::IDC_CIRCUIT_RENAME, "測定回路の変更"},
        {res::IDOK, "OK"},
        {res::IDCANCEL, "キャンセル"},
    };
    for (const auto& [id, name] : named) {
        QWidget* w = byId<QWidget>(m_dialog.get(), id);
        ASSERT_NE(w, nullptr) << id;
        EXPECT_EQ(accessibleLabel(w), QString::fromUtf8(name)) << id;
    }
    const std::vector<int> order = {res::IDC_CUST_LIST,
                                    res::IDC_CUST_NAME,
                                    res::IDC_CUST_ADD,
                                    res::IDC_CUST_REMOVE,
                                    res::IDC_CUST_RENAME,
                                    res::IDC_CIRCUIT_LIST,
                                    res::IDC_CIRCUIT_NAME_EDIT,
                                    res::IDC_CIRCUIT_ADD,
                                    res::IDC_CIRCUIT_REMOVE,
                                    res::IDC_CIRCUIT_RENAME,
                                    res::IDOK,
                                    res::IDCANCEL,
                                    res::IDC_CUST_LIST};
    EXPECT_EQ(tabOrder(m_dialog.get(), order[0], order.size()), order);
    EXPECT_TRUE(byId<QPushButton>(m_dialog.get(), res::IDOK)->isDefault());
}

TEST_F(CustEditTest, Screenshot) {
    open(sample());
    m_dialog->customerList()->setCurrentRow(1);
    m_dialog->show();
    QDir().mkpath(QStringLiteral(ORVO_SHOT_DIR));
    EXPECT_TRUE(m_dialog->grab().save(QStringLiteral(ORVO_SHOT_DIR "/cust_edit.png")));
    EXPECT_LE(m_dialog->minimumSizeHint().width(), 1024);
    EXPECT_LE(m_dialog->minimumSizeHint().height(), 768);
    m_dialog->resize(m_dialog->minimumSizeHint());
    EXPECT_TRUE(m_dialog->grab().save(QStringLiteral(ORVO_SHOT_DIR "/cust_edit_min.png")));
}

TEST_F(CustEditTest, EnterInANameBoxAddsTheNameAndKeepsTheDialogOpen) {
    open(sample());
    m_dialog->show();
    customerName()->setFocus();
    customerName()->setText(QStringLiteral("新工場"));
    QTest::keyClick(customerName(), Qt::Key_Return);
    EXPECT_TRUE(m_dialog->isVisible());
    EXPECT_EQ(m_dialog->result(), 0);
    EXPECT_TRUE(texts(m_dialog->customerList()).contains(QStringLiteral("新工場")));
    circuitName()->setText(QStringLiteral("受電"));
    QTest::keyClick(circuitName(), Qt::Key_Enter);
    EXPECT_TRUE(m_dialog->isVisible());
    EXPECT_EQ(texts(m_dialog->circuitList()), QStringList{QStringLiteral("受電")});
    // Enter elsewhere still presses OK, the default button.
    QTest::keyClick(m_dialog->customerList(), Qt::Key_Return);
    EXPECT_FALSE(m_dialog->isVisible());
    EXPECT_EQ(m_dialog->result(), QDialog::Accepted);
}

TEST_F(CustEditTest, RemovingAsksFirstAndNoKeepsEverything) {
    open(sample());
    m_prompt.answer(PromptAnswer::No);
    click(m_dialog.get(), res::IDC_CUST_REMOVE);
    EXPECT_EQ(texts(m_dialog->customerList()).size(), 3);
    ASSERT_EQ(m_prompt.asked().size(), 1u);
    EXPECT_EQ(
        m_prompt.asked()[0].text,
        sj("「東京工場」と、その測定回路 2 件・測定データ 0 日分を削除します。よろしいですか？"));
    EXPECT_EQ(m_prompt.asked()[0].buttons, PromptButtons::YesNoDefaultNo);
    m_prompt.answer(PromptAnswer::No);
    click(m_dialog.get(), res::IDC_CIRCUIT_REMOVE);
    EXPECT_EQ(texts(m_dialog->circuitList()).size(), 2);
    click(m_dialog.get(), res::IDC_CUST_REMOVE); // the script's default: Yes
    EXPECT_EQ(texts(m_dialog->customerList()).size(), 2);
}
