// analyse: demand, limits, gaps and statistics of a daily or monthly report as JSON.
#include "analysis/ReportAnalysis.h"
#include "store/Aggregation.h"
#include "support/Format.h"
#include "support/Sjis.h"
#include "tools/cli/AnalysedCircuit.h"
#include "tools/cli/CliCommands.h"
#include "tools/cli/CliSupport.h"
#include "tools/cli/CliTexts.h"
#include "tools/cli/RecordJson.h"
#include <ostream>

namespace {

void valueStatisticsJson(JsonWriter& json, const ValueStatistics& v) {
    json.beginObject();
    json.member("count", v.count);
    // Without a reading there is no minimum, average or maximum.
    auto figure = [&](const char* name, double value) {
        json.key(name);
        if (v.count > 0)
            json.value(value);
        else
            json.null();
    };
    figure("minimum", v.minimum);
    timeMember(json, "minimumTime", v.minimumTime);
    figure("average", v.average);
    figure("maximum", v.maximum);
    timeMember(json, "maximumTime", v.maximumTime);
    json.endObject();
}

void phaseArray(JsonWriter& json, const char* name, const std::array<int, 3>& counts, int phases) {
    json.key(name);
    json.beginArray(true);
    for (int k = 0; k < phases; ++k)
        json.value(counts[static_cast<std::size_t>(k)]);
    json.endArray();
}

void limitsJson(JsonWriter& json, const ReportAnalysis& a) {
    json.key("limits");
    json.beginObject();
    json.member("contractDemand", a.limits.contractDemand);
    json.key("voltageBand");
    if (a.counts.band.valid) {
        json.beginArray(true);
        json.value(a.counts.band.low);
        json.value(a.counts.band.high);
        json.endArray();
    } else {
        json.null();
    }
    json.member("powerFactorThreshold", a.limits.powerFactorThreshold);
    json.endObject();

    const int phases = a.statistics.phases;
    json.key("counts");
    json.beginObject();
    phaseArray(json, "voltageBelow", a.counts.voltageBelow, phases);
    phaseArray(json, "voltageAbove", a.counts.voltageAbove, phases);
    json.member("powerFactorBelow", a.counts.powerFactorBelow);
    json.member("hoursBelowPowerFactor", a.counts.hoursBelowPowerFactor());
    json.member("demandAboveContract", a.counts.demandAbove);
    json.endObject();
}

void demandJson(JsonWriter& json, const ReportAnalysis& a) {
    json.key("maximumDemand");
    if (const HalfHourDemand* m = a.maximumDemand())
        halfHourJson(json, *m);
    else
        json.null();
    json.key("largest");
    json.beginArray();
    for (const HalfHourDemand& h : a.largest)
        halfHourJson(json, h);
    json.endArray();
    json.key("twelveMonths");
    json.beginArray();
    for (const MonthMaximum& m : a.twelveMonths) {
        json.beginObject();
        json.member("month", monthText(m.year, m.month));
        json.key("maximum");
        if (m.found)
            halfHourJson(json, m.peak);
        else
            json.null();
        json.endObject();
    }
    json.endArray();
    json.key("twelveMonthMaximum");
    if (a.twelveMonthMaximum.found) {
        json.beginObject();
        json.member("month", monthText(a.twelveMonthMaximum.year, a.twelveMonthMaximum.month));
        json.key("maximum");
        halfHourJson(json, a.twelveMonthMaximum.peak);
        json.endObject();
    } else {
        json.null();
    }
    json.key("halfHours");
    json.beginArray();
    for (const HalfHourDemand& h : a.halfHours)
        halfHourJson(json, h);
    json.endArray();
}

void statisticsJson(JsonWriter& json, const ReportAnalysis& a) {
    const ReportStatistics& s = a.statistics;
    json.key("statistics");
    json.beginObject();
    json.key("power");
    valueStatisticsJson(json, s.power);
    json.key("voltage");
    json.beginArray();
    for (int k = 0; k < s.phases; ++k)
        valueStatisticsJson(json, s.voltage[static_cast<std::size_t>(k)]);
    json.endArray();
    json.key("current");
    json.beginArray();
    for (int k = 0; k < s.phases; ++k)
        valueStatisticsJson(json, s.current[static_cast<std::size_t>(k)]);
    json.endArray();
    json.key("powerFactor");
    valueStatisticsJson(json, s.powerFactor);
    json.key("loadFactor");
    if (a.loadFactor)
        json.value(*a.loadFactor);
    else
        json.null();
    json.key("tariffEffect");
    if (s.powerFactor.count > 0)
        json.value(a.tariffEffect);
    else
        json.null();
    json.endObject();
}

void analysisJson(JsonWriter& json, const ReportAnalysis& a, const std::string& customer,
                  const std::string& circuit, int startDay) {
    beginDocument(json, jsonkind::kAnalysis);
    json.member("customer", customer);
    json.member("circuit", circuit);
    json.member("report", a.monthly ? "month" : "day");
    if (a.monthly)
        json.member("month", monthText(a.year, a.month));
    else
        json.member("date", jsonDate(a.date));
    json.key("reportMonth");
    if (a.inReportMonth)
        json.value(monthText(a.year, a.month));
    else
        json.null();
    json.member("monthStartDay", startDay);
    json.member("from", jsonDate(a.window.start));
    json.member("to", jsonDate(a.window.end));
    json.key("days");
    json.beginArray();
    for (const DayCoverageEntry& d : a.days) {
        json.beginObject();
        json.member("date", jsonDate(d.date));
        json.member("intervalMinutes", d.coverage.intervalMinutes);
        json.member("expectedIntervals", d.coverage.expectedIntervals);
        json.member("missingIntervals", d.coverage.missingIntervals());
        json.member("outageIntervals", d.coverage.outageIntervals);
        json.member("incomplete", d.coverage.incomplete());
        json.endObject();
    }
    json.endArray();
    limitsJson(json, a);
    statisticsJson(json, a);
    demandJson(json, a);
    json.endObject();
    json.finish();
}

} // namespace

int cmdAnalyse(const CliArgs& args, CliIo io) {
    if (args.has("day") + args.has("month") + args.has("year") != 1)
        throw UsageError("give one of --day, --month or --year", args.command);
    if (args.has("year"))
        return cmdAnalyseYear(args, io);
    DateTime day;
    int year = -1, month = -1;
    if (args.has("day"))
        day = cli::dateArg(args, "day");
    else
        cli::monthArg(args, "month", year, month);

    cli::AnalysedCircuit a;
    if (!cli::loadAnalysedCircuit(io, args, a))
        return ExitFailure;
    const MeasurementCircuit& circuit = a.circuit();
    const int startDay = a.startDay;
    const CircuitLimits& limits = a.limits;

    ReportAnalysis analysis;
    if (args.has("day")) {
        const int index = circuit.findDay(day);
        if (index < 0) {
            cli::message(io,
                         cli::formatMessage(txt::cli::kNoStoredDay, args.require("day").c_str()));
            return ExitFailure;
        }
        analysis = analyseDay(circuit, index, limits, startDay);
    } else {
        if (daysInWindow(circuit, monthWindow(year, month, startDay)).empty()) {
            cli::message(
                io, cli::formatMessage(txt::cli::kNoStoredMonth, args.require("month").c_str()));
            return ExitFailure;
        }
        analysis = analyseMonth(circuit, year, month, limits, startDay);
    }
    JsonWriter json(io.out);
    analysisJson(json, analysis, sjis::toUtf8(a.customerName()), sjis::toUtf8(circuit.name),
                 startDay);
    return ExitOk;
}
