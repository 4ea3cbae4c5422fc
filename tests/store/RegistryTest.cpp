#include "common/Cp932.h"
#include "store/DAT_Registry.h"
#include "support/Sjis.h"
#include <gtest/gtest.h>
#include <string>

namespace {

MeasurementStore storeWith(std::initializer_list<const char*> names) {
    MeasurementStore s;
    for (const char* n : names)
        s.insert(n);
    return s;
}

} // namespace

TEST(NameRules, Table) {
    const std::string list = ":\"*?/\\<>|.";
    const std::string customerList =
        sj("需要家名称には次の何れかの文字を含めることは出来ません\n") + list;
    const std::string circuitList =
        sj("測定回路名称には次の何れかの文字を含めることは出来ません\n") + list;
    struct Case {
        std::string entered;
        NameField field;
        bool ok;
        std::string result; // accepted name, or the message
    };
    const Case cases[] = {
        {"  Plant A  ", NameField::Customer, true, "Plant A"},
        {"\tX\r\n", NameField::Circuit, true, "X"},
        {"", NameField::Customer, false, sj("需要家を入力してください")},
        {"   ", NameField::Customer, false, sj("需要家を入力してください")},
        {" ", NameField::Circuit, false, sj("測定回路名称を入力してください")},
        {sj("表示盤"), NameField::Customer, true, sj("表示盤")}, // 表 = 0x95 0x5C
        {sj("ソフト"), NameField::Circuit, true, sj("ソフト")},  // ソ = 0x83 0x5C
        {sj("能力|"), NameField::Circuit, false, circuitList},
        {"a.b", NameField::Customer, false, customerList},
        {"a.b", NameField::Circuit, false, circuitList},
        {"a:b", NameField::Customer, false, customerList},
        {"a\"b", NameField::Customer, false, customerList},
        {"a*b", NameField::Customer, false, customerList},
        {"a?b", NameField::Customer, false, customerList},
        {"a/b", NameField::Customer, false, customerList},
        {"a\\b", NameField::Customer, false, customerList},
        {"a<b", NameField::Customer, false, customerList},
        {"a>b", NameField::Customer, false, customerList},
        {"a|b", NameField::Customer, false, customerList},
        {sj("表") + "\\", NameField::Customer, false, customerList}, // a real backslash after 表
        {sj("Ａ．Ｂ"), NameField::Customer, true, sj("Ａ．Ｂ")},     // full-width period is fine
        // A lead byte must be followed by a second byte of a double-byte character.
        {"a\x81\x1b"
         "b",
         NameField::Customer, false, customerList}, // + ESC
        {"a\x81\n"
         "b",
         NameField::Customer, false, customerList},                             // + LF
        {std::string("a\x81\0b", 4), NameField::Customer, false, customerList}, // + NUL
        {"a\x81/b", NameField::Circuit, false, circuitList},                    // + "/"
        {"a\x81", NameField::Customer, false, customerList},                    // lone at the end
        {"a\x1b[2Jb", NameField::Customer, false, customerList},                // control byte
        {std::string(72, 'x'), NameField::Customer, true, std::string(72, 'x')},
        {std::string(73, 'x'), NameField::Customer, false,
         sj("需要家名称が長すぎます\n半角 72 文字（全角 36 文字）までにしてください")},
        {std::string(74, 'y'), NameField::Circuit, false,
         sj("測定回路名称が長すぎます\n半角 72 文字（全角 36 文字）までにしてください")},
    };
    for (const Case& c : cases) {
        NameCheck r = checkName(c.entered, c.field);
        EXPECT_EQ(r.ok, c.ok) << sjis::toUtf8(c.entered);
        EXPECT_EQ(r.field, c.field);
        EXPECT_EQ(c.ok ? r.name : r.message, c.result) << sjis::toUtf8(c.entered);
    }
}

TEST(Registry, AddTrimmedThenSameNameInOtherCaseSelectsStoredOne) {
    MeasurementStore s = storeWith({"M"});
    RegistryResult r = addCustomerChecked(s, "  Plant  ");
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(s.nameAt(r.current), "Plant");
    RegistryResult again = addCustomerChecked(s, "PLANT");
    ASSERT_TRUE(again.ok);
    EXPECT_EQ(again.current, r.current);
    EXPECT_EQ(s.count(), 2);
    EXPECT_EQ(s.nameAt(again.current), "Plant");
}

TEST(Registry, RejectedNameChangesNothing) {
    MeasurementStore s = storeWith({"A"});
    RegistryResult r = addCustomerChecked(s, "x.y");
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.message.empty());
    EXPECT_EQ(s.count(), 1);
    r = renameCustomerChecked(s, 0, "   ");
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(s.nameAt(0), "A");
}

TEST(Registry, RemoveKeepsIndexOrTakesLast) {
    MeasurementStore s = storeWith({"A", "B", "C"});
    s.at(1).circuits.insert("x");
    EXPECT_EQ(removeCustomer(s, 1), 1); // C now at 1
    EXPECT_EQ(s.nameAt(1), "C");
    EXPECT_EQ(removeCustomer(s, 1), 0); // removed the last one: new last
    EXPECT_EQ(removeCustomer(s, 0), -1);
    EXPECT_EQ(s.count(), 0);
    EXPECT_EQ(removeCustomer(s, 0), -1) << "removing from an empty list does nothing";
    EXPECT_EQ(removeCustomer(s, -1), -1);
}

TEST(Registry, RemovedCustomerLeavesNothingBehindInReusedSlot) {
    MeasurementStore s = storeWith({"A"});
    s.at(0).circuits.insert("C");
    removeCustomer(s, 0);
    int i = addCustomer(s, "B");
    EXPECT_EQ(s.at(i).circuits.count(), 0);
}

TEST(Registry, RenameToExistingNameReplacesItsContent) {
    MeasurementStore s = storeWith({"A", "B"});
    s.at(0).circuits.insert("a-circuit");
    s.at(1).circuits.insert("b-circuit1");
    s.at(1).circuits.insert("b-circuit2");
    int cur = renameCustomer(s, 0, "B");
    ASSERT_EQ(s.count(), 1);
    EXPECT_EQ(cur, 0);
    EXPECT_EQ(s.nameAt(0), "B");
    ASSERT_EQ(s.at(0).circuits.count(), 1);
    EXPECT_EQ(s.at(0).circuits.at(0).name, "a-circuit");
}

TEST(Registry, RenameMovesToNewPositionWithContent) {
    MeasurementStore s = storeWith({"A", "M", "Z"});
    s.at(0).circuits.insert("c");
    RegistryResult r = renameCustomerChecked(s, 0, " Q ");
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.current, 1);
    EXPECT_EQ(s.nameAt(0), "M");
    EXPECT_EQ(s.nameAt(1), "Q");
    EXPECT_EQ(s.at(1).circuits.count(), 1);
    // Only the case changes.
    int cur = renameCustomer(s, 1, "q");
    EXPECT_EQ(s.nameAt(cur), "q");
    EXPECT_EQ(s.count(), 3);
}

TEST(Registry, CircuitOperationsFollowTheSameRules) {
    Customer cu;
    RegistryResult r = addCircuitChecked(cu, " Line 1 ");
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(cu.circuits.at(r.current).name, "Line 1");
    r = addCircuitChecked(cu, "a/b");
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.field, NameField::Circuit);
    addCircuit(cu, "Line 2");
    MeasurementDay d;
    d.date = DateTime::make(2024, 5, 1);
    cu.circuits.at(0).addOrReplaceDay(d);
    int cur = renameCircuit(cu, 0, "Line 2");
    EXPECT_EQ(cu.circuits.count(), 1);
    EXPECT_EQ(cu.circuits.at(cur).days.count(), 1);
    EXPECT_EQ(removeCircuit(cu, 0), -1);
}
