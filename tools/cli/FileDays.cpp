// Filing received days into a circuit: the rules of "← 追加" without the dialog.
#include "tools/cli/FileDays.h"
#include "store/DAT_Registry.h"
#include "support/Format.h"
#include "tools/cli/CliSupport.h"
#include "tools/cli/CliTexts.h"
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
            message(io, formatText(txt::cli::kMixedChannels, list.c_str()));
            return false;
        }
        channel = *channels.begin();
    }
    for (int i = 0; i < received.days.count(); ++i)
        if (received.days.at(i).channel == channel)
            chosen.push_back(received.days.at(i));
    if (chosen.empty()) {
        message(io, formatText(txt::cli::kNoDaysOfChannel, channel));
        return false;
    }
    return true;
}

MeasurementCircuit* findOrAddCircuit(CliIo& io, MeasurementStore& store,
                                     const std::string& customerUtf8,
                                     const std::string& circuitUtf8) {
    NameCheck customerName = checkName(nameArg(customerUtf8), NameField::Customer);
    if (!customerName.ok) {
        messageCp932(io, customerName.message);
        return nullptr;
    }
    NameCheck circuitName = checkName(nameArg(circuitUtf8), NameField::Circuit);
    if (!circuitName.ok) {
        messageCp932(io, circuitName.message);
        return nullptr;
    }
    Customer& customer = store.at(addCustomer(store, customerName.name));
    return &customer.circuits.at(addCircuit(customer, circuitName.name));
}

FileResult fileDays(MeasurementCircuit& circuit, const std::vector<MeasurementDay>& days,
                    bool overwrite) {
    // The question of "← 追加" is asked once, when any date is already stored (looked up under
    // the circuit's channel); without a conflict the answer counts as yes.
    bool anyConflict = false;
    for (const MeasurementDay& day : days)
        anyConflict = anyConflict || circuit.findDay(day.date) >= 0;
    const bool replace = overwrite || !anyConflict;
    FileResult result;
    for (const MeasurementDay& day : days) {
        bool isNew = circuit.days.find({1, day.date}) < 0;
        if (!isNew && !replace) {
            ++result.kept;
            continue;
        }
        MeasurementDay stored = day;
        stored.channel = 1; // stored days take channel 1
        circuit.addOrReplaceDay(std::move(stored));
        ++result.filed;
        if (!isNew)
            ++result.replaced;
    }
    return result;
}

void tellFiled(CliIo& io, const FileResult& result) {
    if (result.kept > 0)
        message(io, formatText(txt::cli::kFiled, result.filed, result.kept));
    else
        message(io, formatText(txt::cli::kFiledAll, result.filed));
}

int fileAndSave(CliIo& io, const CliArgs& args, const DataFolder& folder,
                DataFileContents& contents, const std::vector<MeasurementDay>& days,
                bool overwrite) {
    MeasurementCircuit* target =
        findOrAddCircuit(io, contents.store, args.require("customer"), args.require("circuit"));
    if (!target)
        return ExitFailure;
    FileResult result = fileDays(*target, days, overwrite);
    if (!saveDataFile(io, folder, contents))
        return ExitFailure;
    tellFiled(io, result);
    return ExitOk;
}

} // namespace cli
