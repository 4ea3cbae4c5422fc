#include "store/CustomerEditor.h"
#include "common/Cp932.h"
#include "store/StoreTexts.h"
#include "support/ScriptedPrompt.h"
#include "support/Sjis.h"
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// Customers A (circuits x, y), B (circuit z), C (none).
MeasurementStore sample() {
    MeasurementStore store;
    for (const char* name : {"A", "B", "C"})
        store.insert(name);
    for (const char* name : {"x", "y"})
        store.at(0).circuits.insert(name);
    store.at(1).circuits.insert("z");
    MeasurementDay day;
    day.date = DateTime::make(2024, 5, 1);
    store.at(0).circuits.at(0).addOrReplaceDay(day);
    return store;
}

// "name: circuit,circuit | ..." of the whole store.
std::string shape(const MeasurementStore& store) {
    std::string s;
    for (const Customer& c : store) {
        s += (s.empty() ? "" : " | ") + c.name + ":";
        for (const MeasurementCircuit& k : c.circuits)
            s += " " + k.name + "(" + std::to_string(k.days.count()) + ")";
    }
    return s;
}

using Op = std::function<CustomerEditor::Outcome(CustomerEditor&, Prompt&)>;

} // namespace

// Each row: start selection, one button, the outcome, the store and the selection afterwards.
TEST(CustomerEditor, Buttons) {
    using O = CustomerEditor::Outcome;
    struct Case {
        const char* name;
        int customer;
        int circuit;
        Op op;
        O outcome;
        std::string shapeAfter;
        int customerAfter;
        int circuitAfter;
        std::string message;
        PromptIcon icon = PromptIcon::Stop;
        PromptButtons buttons = PromptButtons::Ok;
    };
    const PromptIcon W = PromptIcon::Warning;
    const PromptButtons YN = PromptButtons::YesNoDefaultNo;
    const std::string start = "A: x(1) y(0) | B: z(0) | C:";
    const Case cases[] = {
        {"add customer selects it with its circuit 0 (none)", 0, 0,
         [](auto& e, auto& p) { return e.addCustomer("  D ", p); }, O::Done, start + " | D:", 3, -1,
         ""},
        {"adding an existing name in other case selects it", 2, -1,
         [](auto& e, auto& p) { return e.addCustomer("b", p); }, O::Done, start, 1, 0, ""},
        {"empty customer name rejected", 0, 0,
         [](auto& e, auto& p) { return e.addCustomer("  ", p); }, O::Rejected, start, 0, 0,
         txt::store::kCustomerEmpty},
        {"customer name with a period rejected", 0, 1,
         [](auto& e, auto& p) { return e.addCustomer("a.b", p); }, O::Rejected, start, 0, 1,
         sj("需要家名称には次の何れかの文字を含めることは出来ません\n") + ":\"*?/\\<>|."},
        {"remove the last customer: the new last is current", 2, -1,
         [](auto& e, auto& p) { return e.removeCustomer(p); }, O::Done, "A: x(1) y(0) | B: z(0)", 1,
         0, sj("「C」と、その測定回路 0 件・測定データ 0 日分を削除します。よろしいですか？"), W,
         YN},
        {"remove a middle customer: same index", 0, 1,
         [](auto& e, auto& p) { return e.removeCustomer(p); }, O::Done, "B: z(0) | C:", 0, 0,
         sj("「A」と、その測定回路 2 件・測定データ 1 日分を削除します。よろしいですか？"), W, YN},
        {"rename A to existing B: B holds A's circuits", 0, 0,
         [](auto& e, auto& p) { return e.renameCustomer("B", p); }, O::Done, "B: x(1) y(0) | C:", 0,
         0, ""},
        {"add circuit with 表 (second byte 0x5C)", 1, 0,
         [](auto& e, auto& p) { return e.addCircuit(sj("表示"), p); }, O::Done,
         "A: x(1) y(0) | B: z(0) " + sj("表示") + "(0) | C:", 1, 1, ""},
        {"add circuit without customer does nothing", -1, -1,
         [](auto& e, auto& p) { return e.addCircuit("w", p); }, O::Ignored, start, -1, -1, ""},
        {"empty circuit name rejected", 0, 0, [](auto& e, auto& p) { return e.addCircuit("", p); },
         O::Rejected, start, 0, 0, txt::store::kCircuitEmpty},
        {"remove the last circuit: the new last is current", 0, 1,
         [](auto& e, auto& p) { return e.removeCircuit(p); }, O::Done, "A: x(1) | B: z(0) | C:", 0,
         0, sj("「y」と、その測定データ 0 日分を削除します。よろしいですか？"), W, YN},
        {"remove circuit of a customer without circuits does nothing", 2, -1,
         [](auto& e, auto& p) { return e.removeCircuit(p); }, O::Ignored, start, 2, -1, ""},
        {"rename circuit x to ソ keeps its days", 0, 0,
         [](auto& e, auto& p) { return e.renameCircuit(sj("ソ"), p); }, O::Done,
         "A: y(0) " + sj("ソ") + "(1) | B: z(0) | C:", 0, 1, ""},
        {"rename circuit with a slash rejected", 0, 0,
         [](auto& e, auto& p) { return e.renameCircuit("a/b", p); }, O::Rejected, start, 0, 0,
         sj("測定回路名称には次の何れかの文字を含めることは出来ません\n") + ":\"*?/\\<>|."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CustomerEditor editor(sample());
        editor.selectCustomer(c.customer);
        editor.selectCircuit(c.circuit);
        ScriptedPrompt prompt;
        EXPECT_EQ(c.op(editor, prompt), c.outcome);
        EXPECT_EQ(shape(editor.store()), c.shapeAfter);
        EXPECT_EQ(editor.customer(), c.customerAfter);
        EXPECT_EQ(editor.circuit(), c.circuitAfter);
        if (c.message.empty()) {
            EXPECT_TRUE(prompt.asked().empty());
        } else {
            ASSERT_EQ(prompt.asked().size(), 1u);
            EXPECT_EQ(prompt.asked()[0].text, c.message);
            EXPECT_EQ(prompt.asked()[0].icon, c.icon);
            EXPECT_EQ(prompt.asked()[0].buttons, c.buttons);
        }
    }
}

TEST(CustomerEditor, EmptyStoreOnlyAddCustomerHasAnEffect) {
    CustomerEditor editor{MeasurementStore()};
    ScriptedPrompt prompt;
    EXPECT_EQ(editor.customer(), -1);
    EXPECT_EQ(editor.circuit(), -1);
    EXPECT_EQ(editor.removeCustomer(prompt), CustomerEditor::Outcome::Ignored);
    EXPECT_EQ(editor.renameCustomer("X", prompt), CustomerEditor::Outcome::Ignored);
    EXPECT_EQ(editor.addCircuit("X", prompt), CustomerEditor::Outcome::Ignored);
    EXPECT_EQ(editor.removeCircuit(prompt), CustomerEditor::Outcome::Ignored);
    EXPECT_EQ(editor.renameCircuit("X", prompt), CustomerEditor::Outcome::Ignored);
    EXPECT_EQ(editor.store().count(), 0);
    EXPECT_EQ(editor.addCustomer("X", prompt), CustomerEditor::Outcome::Done);
    EXPECT_EQ(shape(editor.store()), "X:");
    EXPECT_TRUE(prompt.asked().empty());
}

TEST(CustomerEditor, OpensOnTheFirstCustomerAndCircuitAndLeavesTheOriginalAlone) {
    const MeasurementStore original = sample();
    CustomerEditor editor(original);
    EXPECT_EQ(editor.customer(), 0);
    EXPECT_EQ(editor.circuit(), 0);
    ScriptedPrompt yes;
    editor.removeCustomer(yes);
    EXPECT_EQ(shape(original), "A: x(1) y(0) | B: z(0) | C:");
}

TEST(CustomerEditor, AnsweringNoToARemovalKeepsEverything) {
    for (bool customerLevel : {true, false}) {
        CustomerEditor editor(sample());
        ScriptedPrompt prompt;
        prompt.answer(PromptAnswer::No);
        const auto outcome =
            customerLevel ? editor.removeCustomer(prompt) : editor.removeCircuit(prompt);
        EXPECT_EQ(outcome, CustomerEditor::Outcome::Declined);
        EXPECT_EQ(shape(editor.store()), "A: x(1) y(0) | B: z(0) | C:");
        EXPECT_EQ(editor.customer(), 0);
        EXPECT_EQ(editor.circuit(), 0);
        ASSERT_EQ(prompt.asked().size(), 1u);
        EXPECT_EQ(prompt.asked()[0].buttons, PromptButtons::YesNoDefaultNo);
    }
}
