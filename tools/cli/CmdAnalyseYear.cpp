// analyse --year: the twelve report months of a year, as the monthly reports give them.
#include "analysis/YearReport.h"
#include "support/Sjis.h"
#include "tools/cli/AnalysedCircuit.h"
#include "tools/cli/CliCommands.h"
#include "tools/cli/CliSupport.h"
#include "tools/cli/RecordJson.h"
#include <string>

namespace {

void monthRowJson(JsonWriter& json, const YearMonthRow& row) {
    json.beginObject();
    json.member("month", monthText(row.year, row.month));
    json.member("from", jsonDate(row.window.start));
    json.member("to", jsonDate(row.window.end));
    json.member("daysStored", row.daysStored);
    json.member("daysInMonth", row.daysInMonth);
    json.member("incompleteDays", row.incompleteDays);
    json.member("energy", row.energy);
    json.member("reverseEnergy", row.reverseEnergy);
    json.member("leadReactiveEnergy", row.leadReactiveEnergy);
    json.member("lagReactiveEnergy", row.lagReactiveEnergy);
    json.key("averagePowerFactor");
    if (row.daysStored > 0)
        json.value(row.averagePowerFactor);
    else
        json.null();
    json.key("maximumDemand");
    if (row.hasDemand)
        halfHourJson(json, row.maximumDemand);
    else
        json.null();
    json.key("loadFactor");
    if (row.hasLoadFactor)
        json.value(row.loadFactor);
    else
        json.null();
    json.endObject();
}

int yearArg(const CliArgs& args) {
    const std::string text = args.require("year");
    if (text.size() != 4 || text.find_first_not_of("0123456789") != std::string::npos ||
        text < "1900")
        throw UsageError("--year wants YYYY, 1900 or later", args.command);
    return std::stoi(text);
}

} // namespace

int cmdAnalyseYear(const CliArgs& args, CliIo io) {
    const int year = yearArg(args);
    cli::AnalysedCircuit a;
    if (!cli::loadAnalysedCircuit(io, args, a))
        return ExitFailure;
    const MeasurementCircuit& circuit = a.circuit();
    const std::string& customer = a.customerName();
    const int startDay = a.startDay;
    const YearReport report = analyseYear(circuit, year, a.limits, startDay);

    JsonWriter json(io.out);
    beginDocument(json, jsonkind::kYearAnalysis);
    json.member("customer", sjis::toUtf8(customer));
    json.member("circuit", sjis::toUtf8(circuit.name));
    json.member("report", "year");
    json.member("year", year);
    json.member("monthStartDay", startDay);
    json.key("contractDemand");
    if (report.contractDemand > 0.0)
        json.value(report.contractDemand);
    else
        json.null();
    json.member("daysStored", report.daysStored());
    json.key("months");
    json.beginArray();
    for (const YearMonthRow& row : report.months)
        monthRowJson(json, row);
    json.endArray();
    json.key("maximumDemand");
    if (const YearMonthRow* top = report.maximumMonth()) {
        json.beginObject();
        json.member("month", monthText(top->year, top->month));
        json.key("peak");
        halfHourJson(json, top->maximumDemand);
        json.endObject();
    } else {
        json.null();
    }
    json.endObject();
    json.finish();
    return ExitOk;
}
