// dump-data and list: reading a data file or an export file.
#include "store/DAT_Archive.h"
#include "support/Sjis.h"
#include "textout/ValueFormat.h"
#include "tools/cli/CliCommands.h"
#include "tools/cli/CliSupport.h"
#include "tools/cli/DataFolder.h"
#include "tools/cli/RecordJson.h"
#include <ostream>

int cmdDumpData(const CliArgs& args, CliIo io) {
    cli::ArchiveFile file;
    if (!cli::readArchiveFile(io, args.positional.at(0), file))
        return ExitFailure;
    JsonWriter json(io.out);
    if (file.kind == cli::ArchiveKind::DataFile)
        writeDataFileJson(json, archive::kVersion, file.data.serial, file.data.store);
    else
        writeCustomerFileJson(json, file.customer);
    return ExitOk;
}

namespace {

void listJson(JsonWriter& json, const MeasurementStore& store) {
    beginDocument(json, jsonkind::kList);
    json.key("customers");
    json.beginArray();
    for (int c = 0; c < store.count(); ++c) {
        const Customer& customer = store.at(c);
        json.beginObject();
        json.member("name", sjis::toUtf8(customer.name));
        json.key("circuits");
        json.beginArray();
        for (int k = 0; k < customer.circuits.count(); ++k) {
            const MeasurementCircuit& circuit = customer.circuits.at(k);
            json.beginObject();
            json.member("name", sjis::toUtf8(circuit.name));
            json.key("days");
            json.beginArray();
            for (int d = 0; d < circuit.days.count(); ++d) {
                const MeasurementDay& day = circuit.days.at(d);
                json.beginObject();
                json.member("channel", static_cast<int>(day.channel));
                json.key("date");
                if (day.date.isValid())
                    json.value(jsonDate(day.date));
                else
                    json.null();
                json.member("label", sjis::toUtf8(DayDataLabel(day.data)));
                json.endObject();
            }
            json.endArray();
            json.endObject();
        }
        json.endArray();
        json.endObject();
    }
    json.endArray();
    json.endObject();
    json.finish();
}

} // namespace

int cmdList(const CliArgs& args, CliIo io) {
    cli::DataFolder folder = cli::resolveDataFolder(args);
    cli::DataFileContents contents;
    if (cli::loadDataFile(io, folder, contents) == cli::LoadStatus::Failed)
        return ExitFailure;
    const MeasurementStore& store = contents.store;
    if (args.has("json")) {
        JsonWriter json(io.out);
        listJson(json, store);
        return ExitOk;
    }
    // The customer, then its circuits indented, then the days as the transfer dialog lists
    // them ("%Y/%m/%d" and the circuit label).
    for (int c = 0; c < store.count(); ++c) {
        const Customer& customer = store.at(c);
        io.out << cli::terminalText(sjis::toUtf8(customer.name)) << '\n';
        for (int k = 0; k < customer.circuits.count(); ++k) {
            const MeasurementCircuit& circuit = customer.circuits.at(k);
            io.out << "  " << cli::terminalText(sjis::toUtf8(circuit.name)) << '\n';
            for (int d = 0; d < circuit.days.count(); ++d)
                io.out << "    " << sjis::toUtf8(DayListLabel(circuit.days.at(d))) << '\n';
        }
    }
    io.out.flush();
    return ExitOk;
}
