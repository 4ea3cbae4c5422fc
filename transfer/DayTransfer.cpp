#include "transfer/DayTransfer.h"
#include "support/Format.h"
#include "transfer/TransferTexts.h"
#include <algorithm>

namespace {

// The selected positions that exist, ascending, each once.
std::vector<int> validPositions(const MeasurementCircuit& list, std::vector<int> selected) {
    std::erase_if(selected, [&](int p) { return p < 0 || p >= list.days.count(); });
    std::sort(selected.begin(), selected.end());
    selected.erase(std::unique(selected.begin(), selected.end()), selected.end());
    return selected;
}

// One question for all the days when any date is already in the target; Yes without one. The
// question says how many of them would replace measured values with none (a day received
// without samples).
PromptAnswer askOnConflict(const MeasurementCircuit& source, const std::vector<int>& positions,
                           const MeasurementCircuit& target, const char* question, Prompt& prompt) {
    int conflicts = 0;
    int emptyOverMeasured = 0;
    for (int p : positions) {
        const int stored = target.findDay(source.days.at(p).date);
        if (stored < 0)
            continue;
        ++conflicts;
        if (source.days.at(p).data.intervals.count() == 0 &&
            target.days.at(stored).data.intervals.count() > 0)
            ++emptyOverMeasured;
    }
    if (conflicts == 0)
        return PromptAnswer::Yes;
    std::string text = question;
    if (emptyOverMeasured > 0)
        text += formatText(txt::transfer::kEmptyDaysOverwrite, emptyOverMeasured);
    return prompt.ask(sjis::Text(text), PromptButtons::YesNoCancel, PromptIcon::Question);
}

// Copies the days at the positions into the target under the channel that `channelOf` gives,
// replacing a day of the same key only when `overwrite`; removes the moved ones from the
// source, highest position first.
template <class ChannelOf>
DayMove moveDays(MeasurementCircuit& source, const std::vector<int>& positions,
                 MeasurementCircuit& target, bool overwrite, ChannelOf channelOf) {
    DayMove result;
    result.done = true;
    std::vector<int> moved;
    std::vector<DayKey> keys;
    for (int p : positions) {
        MeasurementDay day = source.days.at(p);
        day.channel = channelOf(day);
        const bool isNew = target.days.find(day.key()) < 0;
        if (!isNew && !overwrite) {
            ++result.kept;
            continue;
        }
        keys.push_back(day.key());
        target.addOrReplaceDay(std::move(day));
        moved.push_back(p);
        ++result.moved;
        if (!isNew)
            ++result.replaced;
    }
    for (auto it = moved.rbegin(); it != moved.rend(); ++it)
        source.days.removeAt(*it);
    for (const DayKey& key : keys)
        result.selectInTarget.push_back(target.days.find(key));
    std::sort(result.selectInTarget.begin(), result.selectInTarget.end());
    return result;
}

} // namespace

DayMove addDays(MeasurementCircuit* circuit, MeasurementCircuit& transferDays,
                const std::vector<int>& selected, Prompt& prompt) {
    if (!circuit) {
        prompt.tell(txt::transfer::kNoTargetCircuit, PromptIcon::Stop);
        return {};
    }
    const std::vector<int> positions = validPositions(transferDays, selected);
    if (positions.empty()) {
        prompt.tell(txt::transfer::kNoDayToAdd, PromptIcon::Stop);
        return {};
    }
    const int channel = transferDays.days.at(positions.front()).channel;
    for (int p : positions) {
        if (transferDays.days.at(p).channel != channel) {
            prompt.tell(txt::transfer::kMixedChannels, PromptIcon::Stop);
            return {};
        }
    }
    const PromptAnswer answer =
        askOnConflict(transferDays, positions, *circuit, txt::transfer::kOverwriteOnAdd, prompt);
    if (answer == PromptAnswer::Cancel)
        return {};
    // Stored days always carry channel 1, whatever recorder channel they came from.
    return moveDays(transferDays, positions, *circuit, answer == PromptAnswer::Yes,
                    [](const MeasurementDay&) { return 1; });
}

DayMove returnDays(MeasurementCircuit* circuit, MeasurementCircuit& transferDays,
                   const std::vector<int>& selected, Prompt& prompt) {
    const std::vector<int> positions =
        circuit ? validPositions(*circuit, selected) : std::vector<int>{};
    if (positions.empty()) {
        prompt.tell(txt::transfer::kNoDayToReturn, PromptIcon::Stop);
        return {};
    }
    const PromptAnswer answer =
        askOnConflict(*circuit, positions, transferDays, txt::transfer::kOverwriteOnReturn, prompt);
    if (answer == PromptAnswer::Cancel)
        return {};
    // A returned day keeps its own key: filing it under another channel would put it out of
    // the list's order.
    return moveDays(*circuit, positions, transferDays, answer == PromptAnswer::Yes,
                    [](const MeasurementDay& day) { return day.channel; });
}

bool deleteDays(MeasurementCircuit* circuit, const std::vector<int>& selected, Prompt& prompt) {
    const std::vector<int> positions =
        circuit ? validPositions(*circuit, selected) : std::vector<int>{};
    if (positions.empty()) {
        prompt.tell(txt::transfer::kNoDayToDelete, PromptIcon::Stop);
        return false;
    }
    if (prompt.ask(txt::transfer::kConfirmDelete, PromptButtons::YesNo, PromptIcon::Question) !=
        PromptAnswer::Yes)
        return false;
    for (auto it = positions.rbegin(); it != positions.rend(); ++it)
        circuit->days.removeAt(*it);
    return true;
}

bool mayCloseWithUnfiledDays(const MeasurementCircuit& transferDays, Prompt& prompt) {
    if (transferDays.days.count() == 0)
        return true;
    return prompt.ask(formatText(txt::transfer::kUnfiledDaysLeft, transferDays.days.count()),
                      PromptButtons::YesNoDefaultNo, PromptIcon::Question) == PromptAnswer::Yes;
}
