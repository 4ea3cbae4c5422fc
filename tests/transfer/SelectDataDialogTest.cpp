#include "DialogTestSupport.h"
#include "common/Cp932.h"
#include "res/ResourceIds.h"
#include "support/ScriptedPrompt.h"
#include "support/Sjis.h"
#include "transfer/gui/D_SelectData.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

using namespace dlgtest;

namespace {

MeasurementDay dayOf(int y, int m, int d) {
    MeasurementDay day;
    day.date = DateTime::make(y, m, d);
    day.data.setHeader(2, 66.0, 100.0);
    return day;
}

// 東京工場: 受電 (three days), 空回路 (none); 大阪支店: 本線 (one day).
MeasurementStore sampleStore() {
    MeasurementStore store;
    // Inserting keeps the store sorted: look the indices up once all are in.
    store.insert(sj("東京工場"));
    store.insert(sj("大阪支店"));
    Customer& t = store.at(store.find(sj("東京工場")));
    t.circuits.insert(sj("空回路"));
    t.circuits.insert(sj("受電"));
    MeasurementCircuit& power = t.circuits.at(t.circuits.find(sj("受電")));
    for (int d : {5, 6, 7})
        power.addOrReplaceDay(dayOf(2007, 1, d));
    Customer& o = store.at(store.find(sj("大阪支店")));
    o.circuits.insert(sj("本線"));
    o.circuits.at(0).addOrReplaceDay(dayOf(2008, 2, 29));
    return store;
}

struct Positions {
    int customer, circuit, day;
};

class SelectDataDialog : public ::testing::Test {
protected:
    std::unique_ptr<CSelectData> open(const SelectionTuple& current) {
        auto d = std::make_unique<CSelectData>(m_store, current, m_prompt);
        d->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(d.get()));
        return d;
    }
    static Positions shown(const CSelectData& d) {
        return {d.customers()->currentIndex(), d.circuits()->currentIndex(),
                d.days()->currentRow()};
    }
    int findCustomer(const char* utf8) const { return m_store.find(sj(utf8)); }

    MeasurementStore m_store = sampleStore();
    ScriptedPrompt m_prompt;
};

TEST_F(SelectDataDialog, OpensOnTheGivenDayOrFallsBackToTheFirstOfEverything) {
    const int tokyo = findCustomer("東京工場");
    const int power = m_store.at(tokyo).circuits.find(sj("受電"));
    struct Case {
        const char* name;
        SelectionTuple given;
        Positions want;
    };
    const Case cases[] = {
        {"existing day", {tokyo, power, 2, -1, -1}, {tokyo, power, 2}},
        {"deleted day", {tokyo, power, 3, -1, -1}, {0, 0, 0}},
        {"nothing selected", {-1, -1, -1, -1, -1}, {0, 0, 0}},
    };
    for (const Case& c : cases) {
        auto d = open(c.given);
        const Positions p = shown(*d);
        EXPECT_EQ(p.customer, c.want.customer) << c.name;
        EXPECT_EQ(p.circuit, c.want.circuit) << c.name;
        // Customer 0 is 大阪支店 (store order), whose one circuit has one day.
        EXPECT_EQ(p.day, c.want.day) << c.name;
    }
}

TEST_F(SelectDataDialog, DayListShowsDateAndLabelInTheFixedFont) {
    const int tokyo = findCustomer("東京工場");
    const int power = m_store.at(tokyo).circuits.find(sj("受電"));
    auto d = open({tokyo, power, 0, -1, -1});
    ASSERT_EQ(d->days()->count(), 3);
    EXPECT_EQ(d->days()->item(0)->text(), QString::fromUtf8("2007/01/05 3相3線:PT:66.0,CT:100.0"));
    EXPECT_EQ(d->days()->font().family(), QStringLiteral("ＭＳ ゴシック"));
    EXPECT_EQ(d->days()->font().pointSize(), 9);
    EXPECT_EQ(d->days()->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(d->days()->selectionMode(), QAbstractItemView::SingleSelection);
}

TEST_F(SelectDataDialog, CircuitWithoutDaysRefusesOk) {
    const int tokyo = findCustomer("東京工場");
    auto d = open({-1, -1, -1, -1, -1});
    d->customers()->setCurrentIndex(tokyo);
    emit d->customers()->activated(tokyo);
    const int empty = m_store.at(tokyo).circuits.find(sj("空回路"));
    d->circuits()->setCurrentIndex(empty);
    emit d->circuits()->activated(empty);
    EXPECT_EQ(d->days()->count(), 0);
    press(d.get(), res::IDOK);
    ASSERT_EQ(m_prompt.asked().size(), 1u);
    EXPECT_EQ(sjis::toUtf8(m_prompt.asked()[0].text), "測定データを選んでください");
    EXPECT_EQ(m_prompt.asked()[0].icon, PromptIcon::Stop);
    EXPECT_TRUE(d->isVisible()); // stays open
    EXPECT_EQ(d->result(), QDialog::Rejected);
}

TEST_F(SelectDataDialog, EmptyStoreShowsNothingAndRefusesOk) {
    m_store = MeasurementStore();
    auto d = open({0, 0, 0, -1, -1});
    EXPECT_EQ(d->customers()->count(), 0);
    EXPECT_EQ(d->circuits()->count(), 0);
    EXPECT_EQ(d->days()->count(), 0);
    press(d.get(), res::IDOK);
    ASSERT_EQ(m_prompt.asked().size(), 1u);
    EXPECT_EQ(sjis::toUtf8(m_prompt.asked()[0].text), "測定データを選んでください");
    EXPECT_TRUE(d->isVisible());
}

TEST_F(SelectDataDialog, CustomerChangeRefillsAndOkHandsTheChoiceOver) {
    const int tokyo = findCustomer("東京工場");
    const int osaka = findCustomer("大阪支店");
    const int power = m_store.at(tokyo).circuits.find(sj("受電"));
    auto d = open({tokyo, power, 2, -1, -1});
    d->customers()->setCurrentIndex(osaka);
    emit d->customers()->activated(osaka);
    EXPECT_EQ(d->circuits()->count(), 1);
    EXPECT_EQ(d->circuits()->currentIndex(), 0);
    EXPECT_EQ(d->days()->currentRow(), 0);
    d->customers()->setCurrentIndex(tokyo);
    emit d->customers()->activated(tokyo);
    d->circuits()->setCurrentIndex(power);
    emit d->circuits()->activated(power);
    d->days()->setCurrentRow(1);
    press(d.get(), res::IDOK);
    EXPECT_EQ(d->result(), QDialog::Accepted);
    EXPECT_EQ(d->selection(), (SelectionTuple{tokyo, power, 1, -1, -1}));
    EXPECT_TRUE(m_prompt.asked().empty());
}

TEST_F(SelectDataDialog, CancelHandsNothingOver) {
    auto d = open({0, 0, 0, -1, -1});
    press(d.get(), res::IDCANCEL);
    EXPECT_EQ(d->result(), QDialog::Rejected);
    EXPECT_EQ(d->selection(), SelectionTuple{});
}

TEST_F(SelectDataDialog, ControlsIdsNamesTabOrderAndDefaultButton) {
    auto d = open({0, 0, 0, -1, -1});
    EXPECT_EQ(d->windowTitle(), QStringLiteral("表示データの選択"));
    EXPECT_EQ(byId<QComboBox>(d.get(), res::IDC_CUSTOMER_NAME), d->customers());
    EXPECT_EQ(byId<QComboBox>(d.get(), res::IDC_CIRCUIT_NAME), d->circuits());
    EXPECT_EQ(byId<QListWidget>(d.get(), res::IDC_DAY_LIST), d->days());
    EXPECT_EQ(d->customers()->accessibleName(), QStringLiteral("需要家名称"));
    EXPECT_EQ(d->circuits()->accessibleName(), QStringLiteral("測定回路名称"));
    EXPECT_EQ(d->days()->accessibleName(), QStringLiteral("測定データ一覧"));
    ASSERT_NE(defaultButton(d.get()), nullptr);
    EXPECT_EQ(defaultButton(d.get())->text(), QStringLiteral("OK"));
    EXPECT_EQ(tabChain(d.get()), (QStringList{"customerCombo", "circuitCombo", "dayList",
                                              "okButton", "cancelButton"}));
    shot(d.get(), "select_data.png");
}

} // namespace

// A screen reader selects an entry without moving the current row; OK takes the selection.
TEST_F(SelectDataDialog, OkTakesTheSelectedDayNotTheCurrentRow) {
    const int tokyo = findCustomer("東京工場");
    const int power = m_store.at(tokyo).circuits.find(sj("受電"));
    auto d = open({tokyo, power, 0, -1, -1});
    ASSERT_GE(d->days()->count(), 3);
    ASSERT_EQ(d->days()->currentRow(), 0);
    d->days()->selectionModel()->select(d->days()->model()->index(2, 0),
                                        QItemSelectionModel::ClearAndSelect);
    ASSERT_EQ(d->days()->currentRow(), 0);
    press(d.get(), res::IDOK);
    EXPECT_EQ(d->result(), QDialog::Accepted);
    EXPECT_EQ(d->selection(), (SelectionTuple{tokyo, power, 2, -1, -1}));
}

TEST_F(SelectDataDialog, DoubleClickOnADayOpensIt) {
    const int tokyo = findCustomer("東京工場");
    const int power = m_store.at(tokyo).circuits.find(sj("受電"));
    auto d = open({tokyo, power, 0, -1, -1});
    ASSERT_GE(d->days()->count(), 2);
    d->days()->setCurrentRow(1);
    emit d->days()->itemDoubleClicked(d->days()->item(1));
    EXPECT_EQ(d->result(), QDialog::Accepted);
    EXPECT_EQ(d->selection(), (SelectionTuple{tokyo, power, 1, -1, -1}));
}

// Names of 256 characters are cut in both combo boxes, which stay as wide as usual: the dialog
// fits a 1024x768 screen with OK on it, and the whole name is in the tool tip.
TEST_F(SelectDataDialog, VeryLongNamesDoNotWidenTheDialog) {
    QString longName;
    for (int i = 0; i < 256; ++i)
        longName += QChar(i % 2 ? u'工' : u'東');
    const std::string cp932 = sj(longName.toStdString());
    m_store.insert(cp932);
    Customer& c = m_store.at(m_store.find(cp932));
    c.circuits.insert(cp932);
    c.circuits.at(0).addOrReplaceDay(dayOf(2024, 5, 1));
    auto d = open({m_store.find(cp932), 0, 0, -1, -1});
    d->adjustSize();
    EXPECT_LE(d->width(), 1024 / 2);
    EXPECT_EQ(d->customers()->currentText(), longName);
    EXPECT_EQ(d->circuits()->toolTip(), longName);
    QWidget* ok = byId<QWidget>(d.get(), res::IDOK);
    ASSERT_NE(ok, nullptr);
    EXPECT_LE(ok->mapTo(d.get(), QPoint(ok->width(), 0)).x(), d->width());
    shot(d.get(), QStringLiteral("select_data_long_names.png"));
}
