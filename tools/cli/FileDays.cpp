// Filing received days into a circuit through the rules of "← 追加".
#include "tools/cli/FileDays.h"
#include "store/DAT_Registry.h"
#include "support/Format.h"
#include "support/ScriptedPrompt.h"
#include "support/Sjis.h"
#include "tools/cli/CliSupport.h"
#include "tools/cli/CliTexts.h"
#include "transfer/TransferTexts.h"
#include <numeric>
#include <set>

namespace cli {

bool chooseChannelDays(CliIo& io, const MeasurementCircuit& received, int channel,
                       std::vector<MeasurementDay>& chosen) {
    std::set<int> channels;
    for (int i = 0; i < received.days.count(); ++i)
        channels.insert(received.days.at(i).channel);
    if (channel == 0) {
        if (channels.empty()) {
            message(io, txt::cli::kNothingReceived);
            return false;
        }
        if (channels.size() > 1) {
            std::string list;
            for (int c : channels)
                list += (list.empty() ? "" : ", ") + std::to_string(c);
            message(io, sjis::toUtf8(txt::transfer::kMixedChannels) + "\n" +
                            formatMessage(txt::cli::kMixedChannelsHint, list.c_str()));
            return false;
        }
        channel = *channels.begin();
    }
    for (int i = 0; i < received.days.count(); ++i)
        if (received.days.at(i).channel == channel)
            chosen.push_back(received.days.at(i));
    if (chosen.empty()) {
        message(io, formatMessage(txt::cli::kNoDaysOfChannel, channel));
        return false;
    }
    return true;
}

MeasurementCircuit* findOrAddCircuit(CliIo& io, MeasurementStore& store,
                                     const std::string& customerUtf8,
                                     const std::string& circuitUtf8) {
    const std::optional<std::string> customer = nameArg(io, customerUtf8);
    const std::optional<std::string> circuit = customer ? nameArg(io, circuitUtf8) : std::nullopt;
    if (!circuit)
        return nullptr;
    NameCheck customerName = checkName(*customer, NameField::Customer);
    if (!customerName.ok) {
        messageCp932(io, sjis::Text(customerName.message));
        return nullptr;
    }
    NameCheck circuitName = checkName(*circuit, NameField::Circuit);
    if (!circuitName.ok) {
        messageCp932(io, sjis::Text(circuitName.message));
        return nullptr;
    }
    Customer& filed = store.at(addCustomer(store, customerName.name));
    return &filed.circuits.at(addCircuit(filed, circuitName.name));
}

void tellFiled(CliIo& io, const DayMove& result) {
    if (result.kept > 0)
        message(io, formatMessage(txt::cli::kFiled, result.moved, result.kept));
    else
        message(io, formatMessage(txt::cli::kFiledAll, result.moved));
}

int fileAndSave(CliIo& io, const CliArgs& args, const DataFolder& folder,
                DataFileContents& contents, const std::vector<MeasurementDay>& days,
                bool overwrite) {
    MeasurementCircuit* target =
        findOrAddCircuit(io, contents.store, args.require("customer"), args.require("circuit"));
    if (!target)
        return ExitFailure;
    MeasurementCircuit transferDays;
    for (const MeasurementDay& day : days)
        transferDays.addOrReplaceDay(day);
    std::vector<int> all(static_cast<std::size_t>(transferDays.days.count()));
    std::iota(all.begin(), all.end(), 0);
    // --overwrite is the answer to the question of "← 追加".
    ScriptedPrompt answers;
    answers.answer(overwrite ? PromptAnswer::Yes : PromptAnswer::No);
    const DayMove result = addDays(target, transferDays, all, answers);
    if (!result.done) {
        for (const ScriptedPrompt::Asked& asked : answers.asked())
            messageCp932(io, sjis::Text(asked.text));
        return ExitFailure;
    }
    if (!saveDataFile(io, folder, contents))
        return ExitFailure;
    tellFiled(io, result);
    return ExitOk;
}

} // namespace cli
