#include "common/Cp932.h"
#include "common/DialogDriver.h"
#include "common/StoreBuilders.h"
#include "res/ResourceIds.h"
#include "support/Prompt.h"
#include "support/ScriptedPrompt.h"
#include "support/Sjis.h"
#include "transfer/TransferTexts.h"
#include "transfer/gui/D_ReadData.h"
#include "views/layout/gui/JapaneseFonts.h"
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

using namespace dialogtest;
using namespace builders;

namespace {

// 東京工場 (受電 with 05/04, 変電 empty), 表示ソフト (ソ).
MeasurementStore documentStore() {
    MeasurementStore store;
    Customer& tokyo = store.at(store.insert(sj("東京工場")));
    tokyo.circuits.at(tokyo.circuits.insert(sj("受電"))).addOrReplaceDay(dayOfMay2024(1, 4, 9.0));
    tokyo.circuits.insert(sj("変電"));
    Customer& soft = store.at(store.insert(sj("表示ソフト")));
    soft.circuits.insert(sj("ソ"));
    return store;
}

class ReadDataTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_document = documentStore();
        m_request.port.portNumber = 3;
        m_request.port.baudRate = 9600;
        m_dialog = std::make_unique<CReadData>(
            m_document, [this](MeasurementStore s) { m_document = std::move(s); }, m_request,
            m_prompt);
        m_dialog->setReceiver([this](const ReceptionRequest& r) {
            m_requests.push_back(r);
            std::optional<MeasurementCircuit> next;
            if (!m_receptions.empty()) {
                next = m_receptions.front();
                m_receptions.erase(m_receptions.begin());
            }
            return next;
        });
    }
    // The next reception hands over these days (nullopt: it ended with Cancel).
    void willReceive(std::optional<MeasurementCircuit> days) { m_receptions.push_back(days); }
    void receiveOnce(std::vector<MeasurementDay> days) {
        willReceive(circuitOf(std::move(days)));
        click(m_dialog.get(), res::IDC_RD_RECEIVE);
    }
    std::vector<std::string> asked() const {
        std::vector<std::string> t;
        for (const auto& a : m_prompt.asked())
            t.push_back(a.text);
        return t;
    }

    MeasurementStore m_document;
    ReceptionRequest m_request;
    ScriptedPrompt m_prompt;
    std::unique_ptr<CReadData> m_dialog;
    std::vector<std::optional<MeasurementCircuit>> m_receptions;
    std::vector<ReceptionRequest> m_requests;
};

} // namespace

TEST_F(ReadDataTest, OpensOnTheInitialCircuitWithTheListTexts) {
    EXPECT_EQ(m_dialog->windowTitle(), QStringLiteral("データ転送と編集"));
    EXPECT_EQ(texts(m_dialog->customerCombo()),
              (QStringList{QStringLiteral("東京工場"), QStringLiteral("表示ソフト")}));
    EXPECT_EQ(texts(m_dialog->circuitCombo()),
              (QStringList{QStringLiteral("受電"), QStringLiteral("変電")}));
    EXPECT_EQ(texts(m_dialog->storedList()),
              QStringList{QStringLiteral("2024/05/04 単相:PT:9.0,CT:1.0")});
    EXPECT_EQ(m_dialog->transferList()->count(), 0);

    m_dialog->setInitialSelection(1, 0);
    EXPECT_EQ(m_dialog->customerCombo()->currentText(), QStringLiteral("表示ソフト"));
    EXPECT_EQ(m_dialog->circuitCombo()->currentText(), QStringLiteral("ソ"));
    m_dialog->setInitialSelection(1, 5); // no such circuit: the first ones
    EXPECT_EQ(m_dialog->customerCombo()->currentIndex(), 0);
    EXPECT_EQ(m_dialog->circuitCombo()->currentIndex(), 0);

    for (QListWidget* list : {m_dialog->storedList(), m_dialog->transferList()}) {
        EXPECT_EQ(list->selectionMode(), QAbstractItemView::ExtendedSelection);
        EXPECT_EQ(list->font().family(), QStringLiteral("ＭＳ ゴシック"));
        EXPECT_EQ(list->font().pointSize(), 9);
    }
    EXPECT_EQ(m_dialog->storedList()->item(0)->sizeHint().width(), 1600);
}

TEST_F(ReadDataTest, ComboChangesRefillTheStoredDays) {
    m_dialog->customerCombo()->setCurrentIndex(1);
    EXPECT_EQ(texts(m_dialog->circuitCombo()), QStringList{QStringLiteral("ソ")});
    EXPECT_EQ(m_dialog->storedList()->count(), 0);
    m_dialog->customerCombo()->setCurrentIndex(0);
    EXPECT_EQ(m_dialog->storedList()->count(), 1);
    m_dialog->circuitCombo()->setCurrentIndex(1);
    EXPECT_EQ(m_dialog->storedList()->count(), 0);
}

TEST_F(ReadDataTest, ReceptionFillsTheTransferListAndASecondOneReplacesIt) {
    receiveOnce({dayOfMay2024(1, 1), dayOfMay2024(2, 1), dayOfMay2024(1, 2)});
    ASSERT_EQ(m_requests.size(), 1u);
    EXPECT_FALSE(m_requests[0].fromFile);
    EXPECT_EQ(m_requests[0].port.portNumber, 3);
    EXPECT_EQ(m_requests[0].port.baudRate, 9600);
    EXPECT_EQ(texts(m_dialog->transferList()),
              (QStringList{QStringLiteral("1ch 2024/05/01 単相:PT:1.0,CT:1.0"),
                           QStringLiteral("1ch 2024/05/02 単相:PT:1.0,CT:1.0"),
                           QStringLiteral("2ch 2024/05/01 単相:PT:1.0,CT:1.0")}));

    receiveOnce({dayOfMay2024(2, 7)});
    EXPECT_EQ(texts(m_dialog->transferList()),
              QStringList{QStringLiteral("2ch 2024/05/07 単相:PT:1.0,CT:1.0")});

    willReceive(std::nullopt); // a reception ended with Cancel changes nothing
    click(m_dialog.get(), res::IDC_RD_RECEIVE);
    EXPECT_EQ(m_dialog->transferList()->count(), 1);
}

TEST_F(ReadDataTest, ImportReadsTheChosenFileAndRemembersItsFolder) {
    QStringList offered;
    m_dialog->setImportFolder(QStringLiteral("/srv/old"));
    m_dialog->setFileChooser([&](const QString& folder) {
        offered << folder;
        return offered.size() == 1 ? QStringLiteral("/srv/capturés/受信〜.txt") : QString();
    });
    willReceive(circuitOf({dayOfMay2024(1, 9)}));
    click(m_dialog.get(), res::IDC_RD_IMPORT_FILE);
    ASSERT_EQ(m_requests.size(), 1u);
    EXPECT_TRUE(m_requests[0].fromFile);
    // The path as chosen, no character through CP932.
    EXPECT_EQ(m_requests[0].filePath, std::filesystem::path("/srv/capturés/受信〜.txt"));
    EXPECT_EQ(m_dialog->importFolder(), QStringLiteral("/srv/capturés"));
    EXPECT_EQ(m_dialog->transferList()->count(), 1);

    click(m_dialog.get(), res::IDC_RD_IMPORT_FILE); // the file dialog cancelled
    EXPECT_EQ(offered, (QStringList{QStringLiteral("/srv/old"), QStringLiteral("/srv/capturés")}));
    EXPECT_EQ(m_requests.size(), 1u);
}

TEST_F(ReadDataTest, AddMovesSelectedDaysWithTheRulesAnswers) {
    receiveOnce({dayOfMay2024(2, 3), dayOfMay2024(2, 4), dayOfMay2024(1, 5)});
    m_dialog->circuitCombo()->setCurrentIndex(1); // 変電, empty

    selectRows(m_dialog->transferList(), {0, 2}); // 1ch and 2ch together
    click(m_dialog.get(), res::IDC_RD_ADD);
    EXPECT_EQ(asked(), std::vector<std::string>{txt::transfer::kMixedChannels});
    EXPECT_EQ(m_dialog->transferList()->count(), 3);

    selectRows(m_dialog->transferList(), {1}); // 2ch 05/03
    click(m_dialog.get(), res::IDC_RD_ADD);
    EXPECT_EQ(texts(m_dialog->storedList()),
              QStringList{QStringLiteral("2024/05/03 単相:PT:1.0,CT:1.0")});
    EXPECT_TRUE(m_dialog->storedList()->item(0)->isSelected());
    EXPECT_EQ(m_dialog->workingStore().at(0).circuits.at(1).days.at(0).channel, 1);
    EXPECT_EQ(m_dialog->transferList()->count(), 2);
    EXPECT_TRUE(m_dialog->transferList()->selectedItems().isEmpty());

    // 受電 holds 05/04: one question; No moves nothing of 05/04.
    m_dialog->circuitCombo()->setCurrentIndex(0);
    selectRows(m_dialog->transferList(), {1}); // 2ch 05/04
    m_prompt.answer(PromptAnswer::No);
    click(m_dialog.get(), res::IDC_RD_ADD);
    EXPECT_EQ(asked().back(), txt::transfer::kOverwriteOnAdd);
    EXPECT_EQ(m_dialog->transferList()->count(), 2);
    selectRows(m_dialog->transferList(), {1});
    m_prompt.answer(PromptAnswer::Yes);
    click(m_dialog.get(), res::IDC_RD_ADD);
    EXPECT_EQ(texts(m_dialog->storedList()),
              QStringList{QStringLiteral("2024/05/04 単相:PT:1.0,CT:1.0")});
    EXPECT_EQ(m_dialog->transferList()->count(), 1);
    // Nothing reached the document.
    EXPECT_EQ(m_document, documentStore());
}

TEST_F(ReadDataTest, ReturnAndDeleteWorkOnTheSelectedStoredDays) {
    click(m_dialog.get(), res::IDC_RD_RETURN);
    EXPECT_EQ(asked().back(), txt::transfer::kNoDayToReturn);
    click(m_dialog.get(), res::IDC_RD_DELETE);
    EXPECT_EQ(asked().back(), txt::transfer::kNoDayToDelete);

    selectRows(m_dialog->storedList(), {0});
    click(m_dialog.get(), res::IDC_RD_RETURN);
    EXPECT_EQ(m_dialog->storedList()->count(), 0);
    EXPECT_EQ(texts(m_dialog->transferList()),
              QStringList{QStringLiteral("1ch 2024/05/04 単相:PT:9.0,CT:1.0")});
    EXPECT_TRUE(m_dialog->transferList()->item(0)->isSelected());

    click(m_dialog.get(), res::IDC_RD_ADD);
    selectRows(m_dialog->storedList(), {0});
    m_prompt.answer(PromptAnswer::No);
    click(m_dialog.get(), res::IDC_RD_DELETE);
    EXPECT_EQ(asked().back(), txt::transfer::kConfirmDelete);
    EXPECT_EQ(m_dialog->storedList()->count(), 1);
    m_prompt.answer(PromptAnswer::Yes);
    click(m_dialog.get(), res::IDC_RD_DELETE);
    EXPECT_EQ(m_dialog->storedList()->count(), 0);
    EXPECT_EQ(m_dialog->workingStore().at(0).circuits.at(0).days.count(), 0);
    EXPECT_EQ(m_document, documentStore());
}

TEST_F(ReadDataTest, AddWithoutACircuitTellsToChooseOne) {
    m_document = MeasurementStore();
    CReadData empty(
        m_document, [](MeasurementStore) {}, m_request, m_prompt);
    empty.setReceiver([](const ReceptionRequest&) { return circuitOf({dayOfMay2024(1, 1)}); });
    click(&empty, res::IDC_RD_RECEIVE);
    selectRows(empty.transferList(), {0});
    click(&empty, res::IDC_RD_ADD);
    EXPECT_EQ(asked().back(), txt::transfer::kNoTargetCircuit);
    EXPECT_EQ(empty.transferList()->count(), 1);
}

// Editing customers starts from the document's store; on OK the document takes the result at
// once and the days moved before are gone from the working copy.
TEST_F(ReadDataTest, EditingCustomersDropsEarlierMoves) {
    receiveOnce({dayOfMay2024(1, 1), dayOfMay2024(1, 2)});
    selectRows(m_dialog->transferList(), {0});
    click(m_dialog.get(), res::IDC_RD_ADD);
    ASSERT_EQ(m_dialog->workingStore().at(0).circuits.at(0).days.count(), 2);

    bool driven = false;
    QTimer::singleShot(0, [&] {
        QWidget* edit = QApplication::activeModalWidget();
        ASSERT_NE(edit, nullptr);
        EXPECT_EQ(edit->windowTitle(), QStringLiteral("需要家情報"));
        byId<QLineEdit>(edit, res::IDC_CUST_NAME)->setText(QStringLiteral("新工場"));
        click(edit, res::IDC_CUST_ADD);
        byId<QLineEdit>(edit, res::IDC_CIRCUIT_NAME_EDIT)->setText(QStringLiteral("高圧"));
        click(edit, res::IDC_CIRCUIT_ADD);
        driven = true;
        click(edit, res::IDOK);
    });
    click(m_dialog.get(), res::IDC_RD_CUST_EDIT);
    ASSERT_TRUE(driven);

    EXPECT_EQ(m_document.count(), 3);
    EXPECT_EQ(m_dialog->workingStore(), m_document);
    EXPECT_EQ(m_dialog->customerCombo()->currentText(), QStringLiteral("新工場"));
    EXPECT_EQ(m_dialog->circuitCombo()->currentText(), QStringLiteral("高圧"));
    EXPECT_EQ(m_dialog->storedList()->count(), 0);
    // 05/01 had moved into 受電 and is gone; the transfer list is untouched.
    const MeasurementStore& working = m_dialog->workingStore();
    EXPECT_EQ(working.at(working.find(sj("東京工場"))).circuits.at(0).days.count(), 1);
    EXPECT_EQ(texts(m_dialog->transferList()),
              QStringList{QStringLiteral("1ch 2024/05/02 単相:PT:1.0,CT:1.0")});
}

TEST_F(ReadDataTest, CustomerEditCancelledChangesNothing) {
    receiveOnce({dayOfMay2024(1, 1)});
    selectRows(m_dialog->transferList(), {0});
    click(m_dialog.get(), res::IDC_RD_ADD);
    QTimer::singleShot(0, [] { click(QApplication::activeModalWidget(), res::IDCANCEL); });
    click(m_dialog.get(), res::IDC_RD_CUST_EDIT);
    EXPECT_EQ(m_document, documentStore());
    EXPECT_EQ(m_dialog->workingStore().at(0).circuits.at(0).days.count(), 2);
}

TEST_F(ReadDataTest, ControlsAreNamedReachableAndOkIsTheDefault) {
    const std::pair<int, const char*> named[] = {
        {res::IDC_RD_CUSTOMER, "需要家名称"},
        {res::IDC_RD_CIRCUIT, "測定回路名称"},
        {res::IDC_RD_STORED, "測定データ一覧"},
        {res::IDC_RD_TRANSFER, "転送データ"},
        {res::IDC_RD_CUST_EDIT, "需要家情報編集..."},
        {res::IDC_RD_RECEIVE, "データ転送開始"},
        {res::IDC_RD_IMPORT_FILE, "受信ファイルから取り込む..."},
        {res::IDC_RD_ADD, "追加"},
        {res::IDC_RD_RETURN, "戻す"},
        {res::IDC_RD_DELETE, "削除"},
        {res::IDOK, "OK"},
        {res::IDCANCEL, "キャンセル"},
    };
    m_dialog->show();
    for (const auto& [id, name] : named) {
        QWidget* w = byId<QWidget>(m_dialog.get(), id);
        ASSERT_NE(w, nullptr) << id;
        EXPECT_EQ(accessibleLabel(w), QString::fromUtf8(name)) << id;
    }
    // Tab order: combos, edit button, stored list, move buttons, transfer list, reception
    // buttons, OK, Cancel.
    const std::vector<int> order = {res::IDC_RD_CUSTOMER,
                                    res::IDC_RD_CIRCUIT,
                                    res::IDC_RD_CUST_EDIT,
                                    res::IDC_RD_STORED,
                                    res::IDC_RD_ADD,
                                    res::IDC_RD_RETURN,
                                    res::IDC_RD_DELETE,
                                    res::IDC_RD_TRANSFER,
                                    res::IDC_RD_RECEIVE,
                                    res::IDC_RD_IMPORT_FILE,
                                    res::IDOK,
                                    res::IDCANCEL,
                                    res::IDC_RD_CUSTOMER};
    EXPECT_EQ(tabOrder(m_dialog.get(), order[0], order.size()), order);
    EXPECT_TRUE(byId<QPushButton>(m_dialog.get(), res::IDOK)->isDefault());
}

TEST_F(ReadDataTest, Screenshot) {
    installJapaneseFontSubstitutes(); // the list font as the program shows it
    receiveOnce({dayOfMay2024(1, 1), dayOfMay2024(1, 2), dayOfMay2024(2, 1)});
    selectRows(m_dialog->transferList(), {0});
    m_dialog->show();
    QDir().mkpath(QStringLiteral(ORVO_SHOT_DIR));
    EXPECT_TRUE(m_dialog->grab().save(QStringLiteral(ORVO_SHOT_DIR "/read_data.png")));
    EXPECT_LE(m_dialog->minimumSizeHint().width(), 1024);
    EXPECT_LE(m_dialog->minimumSizeHint().height(), 768);
    m_dialog->resize(m_dialog->minimumSizeHint());
    EXPECT_TRUE(m_dialog->grab().save(QStringLiteral(ORVO_SHOT_DIR "/read_data_min.png")));
}

TEST_F(ReadDataTest, OkWithDaysLeftInTheTransferListAsksFirst) {
    receiveOnce({dayOfMay2024(1, 3), dayOfMay2024(1, 4)});
    m_dialog->show();
    m_prompt.answer(PromptAnswer::No);
    click(m_dialog.get(), res::IDOK);
    EXPECT_TRUE(m_dialog->isVisible()) << "No: the days can still be filed";
    ASSERT_EQ(m_prompt.asked().size(), 1u);
    EXPECT_EQ(m_prompt.asked()[0].buttons, PromptButtons::YesNoDefaultNo);
    m_prompt.answer(PromptAnswer::Yes);
    click(m_dialog.get(), res::IDOK);
    EXPECT_EQ(m_dialog->result(), QDialog::Accepted);
}
