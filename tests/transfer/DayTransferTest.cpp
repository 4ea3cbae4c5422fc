#include "transfer/DayTransfer.h"
#include "common/Cp932.h"
#include "common/StoreBuilders.h"
#include "support/ScriptedPrompt.h"
#include "support/Sjis.h"
#include "transfer/TransferTexts.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace builders;

namespace {

// (channel, day of month, pt) of every day, in list order.
struct Entry {
    int channel;
    int d;
    double pt;
    bool operator==(const Entry&) const = default;
};
std::vector<Entry> entries(const MeasurementCircuit& c) {
    std::vector<Entry> list;
    for (const MeasurementDay& x : c.days)
        list.push_back({x.channel, x.date.day(), x.data.ptRatio});
    return list;
}

std::vector<std::string> askedTexts(const ScriptedPrompt& p) {
    std::vector<std::string> t;
    for (const auto& a : p.asked())
        t.push_back(a.text);
    return t;
}

// One move: a circuit and a transfer list, the positions selected (in the list the days leave),
// the answers; then the questions asked, both lists and the selection in the target list.
struct MoveCase {
    const char* name;
    std::vector<MeasurementDay> stored;
    std::vector<MeasurementDay> received;
    std::vector<int> selected;
    std::vector<PromptAnswer> answers;
    std::vector<std::string> asked;
    std::vector<Entry> storedAfter;
    std::vector<Entry> transferAfter;
    std::vector<int> selectInTarget;
};

using MoveOp = DayMove (*)(MeasurementCircuit*, MeasurementCircuit&, const std::vector<int>&,
                           Prompt&);

// Runs the cases; a question is asked with the question icon, a refusal with the stop icon.
void runMoves(MoveOp op, const std::string& question, const std::vector<MoveCase>& cases) {
    for (const MoveCase& c : cases) {
        SCOPED_TRACE(c.name);
        MeasurementCircuit circuit = circuitOf(c.stored);
        MeasurementCircuit transfer = circuitOf(c.received);
        ScriptedPrompt prompt;
        for (PromptAnswer a : c.answers)
            prompt.answer(a);
        const DayMove move = op(&circuit, transfer, c.selected, prompt);
        EXPECT_EQ(askedTexts(prompt), c.asked);
        EXPECT_EQ(entries(circuit), c.storedAfter);
        EXPECT_EQ(entries(transfer), c.transferAfter);
        EXPECT_EQ(move.selectInTarget, c.selectInTarget);
        for (const auto& a : prompt.asked())
            EXPECT_EQ(a.icon, a.text == question ? PromptIcon::Question : PromptIcon::Stop);
    }
}

} // namespace

TEST(TransferTexts, EveryConstantIsItsJapaneseText) {
    const std::pair<const char*, const char*> texts[] = {
        {txt::transfer::kNoTargetCircuit, "追加先の測定回路名を選んでください"},
        {txt::transfer::kNoDayToAdd, "追加する測定データを選んでください"},
        {txt::transfer::kMixedChannels, "１ＣＨと２ＣＨを同時に追加することは出来ません"},
        {txt::transfer::kOverwriteOnAdd,
         "既に同じ測定日データが存在しています\n上書きしますか？\n「いいえ」を選ぶと同じ測定日"
         "データは追加しません"},
        {txt::transfer::kNoDayToReturn, "転送データへ戻すデータを選んでください"},
        {txt::transfer::kOverwriteOnReturn,
         "転送データ側に既に同じ測定日データが存在しています\n上書きで戻しますか？\n「いいえ」"
         "を選ぶと同じ測定日データは戻しません"},
        {txt::transfer::kNoDayToDelete, "削除するデータを選んでください"},
        {txt::transfer::kConfirmDelete, "データを削除してもよろしいですか\n"},
    };
    for (const auto& [cp932, utf8] : texts)
        EXPECT_EQ(sjis::toUtf8(cp932), utf8);
}

// "← 追加".
TEST(AddDays, Table) {
    const std::string overwrite = txt::transfer::kOverwriteOnAdd;
    runMoves(addDays, overwrite,
             {
                 {"CH2 day into an empty circuit is stored as channel 1",
                  {},
                  {dayOfMay2024(2, 3)},
                  {0},
                  {},
                  {},
                  {{1, 3, 1.0}},
                  {},
                  {0}},
                 {"CH1 and CH2 together are refused",
                  {},
                  {dayOfMay2024(1, 3), dayOfMay2024(2, 4)},
                  {0, 1},
                  {},
                  {txt::transfer::kMixedChannels},
                  {},
                  {{1, 3, 1.0}, {2, 4, 1.0}},
                  {}},
                 {"second already stored, No: only the first moves",
                  {dayOfMay2024(1, 4, 9.0)},
                  {dayOfMay2024(2, 3), dayOfMay2024(2, 4)},
                  {0, 1},
                  {PromptAnswer::No},
                  {overwrite},
                  {{1, 3, 1.0}, {1, 4, 9.0}},
                  {{2, 4, 1.0}},
                  {0}},
                 {"second already stored, Yes: both move, the second replaces",
                  {dayOfMay2024(1, 4, 9.0)},
                  {dayOfMay2024(2, 3), dayOfMay2024(2, 4)},
                  {0, 1},
                  {PromptAnswer::Yes},
                  {overwrite},
                  {{1, 3, 1.0}, {1, 4, 1.0}},
                  {},
                  {0, 1}},
                 {"Cancel moves nothing",
                  {dayOfMay2024(1, 4, 9.0)},
                  {dayOfMay2024(1, 3), dayOfMay2024(1, 4)},
                  {0, 1},
                  {PromptAnswer::Cancel},
                  {overwrite},
                  {{1, 4, 9.0}},
                  {{1, 3, 1.0}, {1, 4, 1.0}},
                  {}},
                 {"two conflicts: still one question",
                  {dayOfMay2024(1, 3, 8.0), dayOfMay2024(1, 4, 9.0)},
                  {dayOfMay2024(1, 3), dayOfMay2024(1, 4), dayOfMay2024(1, 5)},
                  {0, 1, 2},
                  {PromptAnswer::No},
                  {overwrite},
                  {{1, 3, 8.0}, {1, 4, 9.0}, {1, 5, 1.0}},
                  {{1, 3, 1.0}, {1, 4, 1.0}},
                  {2}},
                 {"unselected days stay; selection in the stored list at the new positions",
                  {dayOfMay2024(1, 2, 9.0), dayOfMay2024(1, 9, 9.0)},
                  {dayOfMay2024(1, 1), dayOfMay2024(1, 5), dayOfMay2024(1, 7)},
                  {2, 0},
                  {},
                  {},
                  {{1, 1, 1.0}, {1, 2, 9.0}, {1, 7, 1.0}, {1, 9, 9.0}},
                  {{1, 5, 1.0}},
                  {0, 2}},
                 {"nothing selected",
                  {},
                  {dayOfMay2024(1, 3)},
                  {},
                  {},
                  {txt::transfer::kNoDayToAdd},
                  {},
                  {{1, 3, 1.0}},
                  {}},
             });
}

TEST(AddDays, QuestionIsYesNoCancelAndCountsAreReported) {
    MeasurementCircuit circuit = circuitOf({dayOfMay2024(1, 4, 9.0)});
    MeasurementCircuit transfer = circuitOf({dayOfMay2024(2, 3), dayOfMay2024(2, 4)});
    ScriptedPrompt prompt;
    prompt.answer(PromptAnswer::Yes);
    const DayMove move = addDays(&circuit, transfer, {0, 1}, prompt);
    ASSERT_EQ(prompt.asked().size(), 1u);
    EXPECT_EQ(prompt.asked()[0].buttons, PromptButtons::YesNoCancel);
    EXPECT_TRUE(move.done);
    EXPECT_EQ(move.moved, 2);
    EXPECT_EQ(move.replaced, 1);
    EXPECT_EQ(move.kept, 0);
}

TEST(AddDays, WithoutACircuitTheMessageAndNothingMoves) {
    MeasurementCircuit transfer = circuitOf({dayOfMay2024(1, 3)});
    ScriptedPrompt prompt;
    EXPECT_FALSE(addDays(nullptr, transfer, {0}, prompt).done);
    EXPECT_EQ(askedTexts(prompt), std::vector<std::string>{txt::transfer::kNoTargetCircuit});
    EXPECT_EQ(transfer.days.count(), 1);
}

// The whole day goes across, not only its key.
TEST(AddDays, CopiesTheWholeDay) {
    MeasurementDay received = dayOfMay2024(2, 3, 66.0);
    IntervalSample s;
    s.time = DateTime::make(2024, 5, 3, 0, 15);
    s.power = 1234.0;
    received.data.addOrReplaceSample(s);
    received.data.summary.energy = 99.0;
    MeasurementCircuit circuit;
    MeasurementCircuit transfer = circuitOf({received});
    ScriptedPrompt prompt;
    addDays(&circuit, transfer, {0}, prompt);
    ASSERT_EQ(circuit.days.count(), 1);
    MeasurementDay expected = received;
    expected.channel = 1;
    EXPECT_EQ(circuit.days.at(0), expected);
}

// "→ 戻す".
TEST(ReturnDays, Table) {
    const std::string overwrite = txt::transfer::kOverwriteOnReturn;
    runMoves(returnDays, overwrite,
             {
                 {"back into an empty transfer list",
                  {dayOfMay2024(1, 3), dayOfMay2024(1, 4)},
                  {},
                  {1},
                  {},
                  {},
                  {{1, 3, 1.0}},
                  {{1, 4, 1.0}},
                  {0}},
                 {"date already there, No: the stored day stays",
                  {dayOfMay2024(1, 3, 9.0), dayOfMay2024(1, 4, 9.0)},
                  {dayOfMay2024(1, 4)},
                  {0, 1},
                  {PromptAnswer::No},
                  {overwrite},
                  {{1, 4, 9.0}},
                  {{1, 3, 9.0}, {1, 4, 1.0}},
                  {0}},
                 {"date already there, Yes: both go back",
                  {dayOfMay2024(1, 3, 9.0), dayOfMay2024(1, 4, 9.0)},
                  {dayOfMay2024(1, 4)},
                  {0, 1},
                  {PromptAnswer::Yes},
                  {overwrite},
                  {},
                  {{1, 3, 9.0}, {1, 4, 9.0}},
                  {0, 1}},
                 {"Cancel returns nothing",
                  {dayOfMay2024(1, 4, 9.0)},
                  {dayOfMay2024(1, 4)},
                  {0},
                  {PromptAnswer::Cancel},
                  {overwrite},
                  {{1, 4, 9.0}},
                  {{1, 4, 1.0}},
                  {}},
                 {"returned days keep their channel beside CH2 transfer days",
                  {dayOfMay2024(1, 5, 9.0)},
                  {dayOfMay2024(2, 3)},
                  {0},
                  {},
                  {},
                  {},
                  {{1, 5, 9.0}, {2, 3, 1.0}},
                  {0}},
                 {"nothing selected",
                  {dayOfMay2024(1, 4)},
                  {},
                  {},
                  {},
                  {txt::transfer::kNoDayToReturn},
                  {{1, 4, 1.0}},
                  {},
                  {}},
             });
}

TEST(DeleteDays, Table) {
    struct Case {
        const char* name;
        std::vector<int> selected;
        std::vector<PromptAnswer> answers;
        std::vector<std::string> asked;
        std::vector<Entry> after;
        bool removed;
    };
    const std::string confirm = txt::transfer::kConfirmDelete;
    const Case cases[] = {
        {"Yes removes the selected days",
         {0, 2},
         {PromptAnswer::Yes},
         {confirm},
         {{1, 4, 1.0}},
         true},
        {"No removes nothing",
         {0, 2},
         {PromptAnswer::No},
         {confirm},
         {{1, 3, 1.0}, {1, 4, 1.0}, {1, 5, 1.0}},
         false},
        {"nothing selected",
         {},
         {},
         {txt::transfer::kNoDayToDelete},
         {{1, 3, 1.0}, {1, 4, 1.0}, {1, 5, 1.0}},
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MeasurementCircuit circuit =
            circuitOf({dayOfMay2024(1, 3), dayOfMay2024(1, 4), dayOfMay2024(1, 5)});
        ScriptedPrompt prompt;
        for (PromptAnswer a : c.answers)
            prompt.answer(a);
        EXPECT_EQ(deleteDays(&circuit, c.selected, prompt), c.removed);
        EXPECT_EQ(askedTexts(prompt), c.asked);
        EXPECT_EQ(entries(circuit), c.after);
        if (!prompt.asked().empty() && prompt.asked()[0].text == confirm) {
            EXPECT_EQ(prompt.asked()[0].buttons, PromptButtons::YesNo);
        }
    }
}

// Days filed under customers and circuits whose names carry 0x5C as a second byte (ソ, 表)
// reach the right circuit and keep their names.
TEST(AddDays, IntoCircuitsNamedWithBackslashSecondBytes) {
    MeasurementStore store;
    Customer& customer = store.at(store.insert(sj("表示ソフト")));
    const int a = customer.circuits.insert(sj("ソ"));
    customer.circuits.insert(sj("表"));
    MeasurementCircuit transfer = circuitOf({dayOfMay2024(2, 3)});
    ScriptedPrompt prompt;
    addDays(&customer.circuits.at(a), transfer, {0}, prompt);
    const Customer& filed = store.at(store.find(sj("表示ソフト")));
    EXPECT_EQ(filed.circuits.at(filed.circuits.find(sj("ソ"))).days.count(), 1);
    EXPECT_EQ(filed.circuits.at(filed.circuits.find(sj("表"))).days.count(), 0);
    EXPECT_TRUE(prompt.asked().empty());
}

// A day received without samples (a cut or cancelled reception) must not wipe a measured day
// unnoticed: the one question says how many would.
TEST(AddDays, ADayWithoutSamplesOverAMeasuredOneIsNamedInTheQuestion) {
    const MeasurementDay measured = makeDay(1, 2024, 5, 3);
    ASSERT_GT(measured.data.intervals.count(), 0);
    struct Case {
        const char* name;
        std::vector<MeasurementDay> received;
        std::string question;
    };
    const Case cases[] = {
        {"empty over measured",
         {dayOfMay2024(1, 3)},
         std::string(txt::transfer::kOverwriteOnAdd) +
             sj("\n受信データのうち 1 日分には測定値がありません。上書きすると、保存されている測定"
                "値は失われます。")},
        {"measured over measured", {makeDay(1, 2024, 5, 3, 7.0)}, txt::transfer::kOverwriteOnAdd},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MeasurementCircuit circuit = circuitOf({measured});
        MeasurementCircuit transfer = circuitOf(c.received);
        ScriptedPrompt prompt;
        prompt.answer(PromptAnswer::No);
        addDays(&circuit, transfer, {0}, prompt);
        EXPECT_EQ(askedTexts(prompt), std::vector<std::string>{c.question});
        EXPECT_EQ(circuit.days.at(0), measured) << "No keeps the stored day";
    }
}

TEST(UnfiledDays, OkWithDaysLeftAsksAndNoKeepsTheDialog) {
    ScriptedPrompt none;
    EXPECT_TRUE(mayCloseWithUnfiledDays(MeasurementCircuit(), none));
    EXPECT_TRUE(none.asked().empty());

    const MeasurementCircuit left = circuitOf({dayOfMay2024(1, 3), dayOfMay2024(1, 4)});
    for (PromptAnswer answer : {PromptAnswer::No, PromptAnswer::Yes}) {
        ScriptedPrompt prompt;
        prompt.answer(answer);
        EXPECT_EQ(mayCloseWithUnfiledDays(left, prompt), answer == PromptAnswer::Yes);
        ASSERT_EQ(prompt.asked().size(), 1u);
        EXPECT_EQ(prompt.asked()[0].buttons, PromptButtons::YesNoDefaultNo);
        EXPECT_EQ(
            sjis::toUtf8(prompt.asked()[0].text).rfind("転送データに 2 日分が残っています。", 0),
            0u);
        EXPECT_NE(prompt.asked()[0].text.find("RECEIVED"), std::string::npos);
    }
}
