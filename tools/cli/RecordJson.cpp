#include "tools/cli/RecordJson.h"
#include "support/Sjis.h"
#include <array>
#include <cstdio>

std::string jsonDate(const DateTime& date) {
    if (!date.isValid())
        return {};
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", date.year(), date.month(), date.day());
    return buffer;
}

std::string jsonDateTime(const DateTime& time) {
    if (!time.isValid())
        return {};
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d:%02d", time.year(), time.month(),
                  time.day(), time.hour(), time.minute(), time.second());
    return buffer;
}

void timeMember(JsonWriter& json, const char* name, const DateTime& time) {
    json.key(name);
    if (time.isValid())
        json.value(jsonDateTime(time));
    else
        json.null();
}

std::string monthText(int year, int month) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d", year, month);
    return buffer;
}

void halfHourJson(JsonWriter& json, const HalfHourDemand& h) {
    json.beginObject();
    timeMember(json, "from", h.from);
    timeMember(json, "to", h.to);
    json.member("demand", h.demand);
    json.member("coverage", h.coverage);
    json.endObject();
}

namespace {

void dateValue(JsonWriter& json, const std::string& text) {
    if (text.empty())
        json.null();
    else
        json.value(text);
}

void triple(JsonWriter& json, const std::array<double, 3>& values) {
    json.beginArray(true);
    for (double v : values)
        json.value(v);
    json.endArray();
}

void peak(JsonWriter& json, const PeakRecord& p) {
    json.beginObject();
    json.member("value", p.value);
    json.key("from");
    dateValue(json, jsonDateTime(p.from));
    json.key("to");
    dateValue(json, jsonDateTime(p.to));
    json.endObject();
}

void peaks(JsonWriter& json, const std::array<PeakRecord, 3>& values) {
    json.beginArray();
    for (const PeakRecord& p : values)
        peak(json, p);
    json.endArray();
}

} // namespace

void writeSummaryJson(JsonWriter& json, const DaySummary& s) {
    json.beginObject();
    json.member("energy", s.energy);
    json.member("reverseEnergy", s.reverseEnergy);
    json.member("spareTotal", s.spareTotal);
    json.member("leadReactiveEnergy", s.leadReactiveEnergy);
    json.member("lagReactiveEnergy", s.lagReactiveEnergy);
    json.member("averagePower", s.averagePower);
    json.member("reverseAveragePower", s.reverseAveragePower);
    json.member("averagePowerFactor", s.averagePowerFactor);
    json.key("maxDemand");
    peak(json, s.maxDemand);
    json.key("reverseMaxDemand");
    peak(json, s.reverseMaxDemand);
    json.key("peakPower");
    peak(json, s.peakPower);
    json.key("reversePeakPower");
    peak(json, s.reversePeakPower);
    json.member("peakPowerFactor", s.peakPowerFactor);
    json.member("reversePeakPowerFactor", s.reversePeakPowerFactor);
    json.key("averageVoltage");
    triple(json, s.averageVoltage);
    json.key("averageCurrent");
    triple(json, s.averageCurrent);
    json.key("peakVoltage");
    peaks(json, s.peakVoltage);
    json.key("minVoltage");
    peaks(json, s.minVoltage);
    json.key("maxCurrent");
    peaks(json, s.maxCurrent);
    json.key("peakCurrent");
    peaks(json, s.peakCurrent);
    json.endObject();
}

void writeDayJson(JsonWriter& json, const MeasurementDay& day) {
    const DayData& d = day.data;
    json.beginObject();
    json.member("channel", static_cast<int>(day.channel));
    json.key("date");
    dateValue(json, jsonDate(day.date));
    json.member("circuitType", static_cast<int>(d.circuitType));
    json.member("ptRatio", d.ptRatio);
    json.member("ctRatio", d.ctRatio);
    json.member("hasReverse", static_cast<int>(d.hasReverse));
    json.key("samples");
    json.beginArray();
    for (int i = 0; i < d.intervals.count(); ++i) {
        const IntervalSample& s = d.intervals.at(i);
        json.beginObject();
        json.key("time");
        dateValue(json, jsonDateTime(s.time));
        json.member("power", s.power);
        json.member("reversePower", s.reversePower);
        json.member("powerFactor", s.powerFactor);
        json.key("voltage");
        triple(json, s.voltage);
        json.key("current");
        triple(json, s.current);
        json.endObject();
    }
    json.endArray();
    json.key("summary");
    writeSummaryJson(json, d.summary);
    json.endObject();
}

void writeDaysMember(JsonWriter& json, const MeasurementCircuit& circuit) {
    json.key("days");
    json.beginArray();
    for (int i = 0; i < circuit.days.count(); ++i)
        writeDayJson(json, circuit.days.at(i));
    json.endArray();
}

void writeCircuitJson(JsonWriter& json, const MeasurementCircuit& circuit) {
    json.beginObject();
    json.member("name", sjis::toUtf8(circuit.name));
    writeDaysMember(json, circuit);
    json.endObject();
}

namespace {

void customerMembers(JsonWriter& json, const Customer& customer) {
    json.member("name", sjis::toUtf8(customer.name));
    json.key("circuits");
    json.beginArray();
    for (int i = 0; i < customer.circuits.count(); ++i)
        writeCircuitJson(json, customer.circuits.at(i));
    json.endArray();
}

} // namespace

void writeCustomerJson(JsonWriter& json, const Customer& customer) {
    json.beginObject();
    customerMembers(json, customer);
    json.endObject();
}

void writeCustomerFileJson(JsonWriter& json, const Customer& customer) {
    beginDocument(json, jsonkind::kCustomerFile);
    customerMembers(json, customer);
    json.endObject();
    json.finish();
}

void beginDocument(JsonWriter& json, const char* kind, const std::string& error) {
    json.beginObject();
    json.member("kind", kind);
    json.key("error");
    if (error.empty())
        json.null();
    else
        json.value(error);
}

void writeReportDocument(JsonWriter& json, const MeasurementCircuit& days, const std::string& error,
                         const std::string& interrupted) {
    beginDocument(json, jsonkind::kReport, error);
    json.key("interrupted");
    if (interrupted.empty())
        json.null();
    else
        json.value(interrupted);
    writeDaysMember(json, days);
    json.endObject();
    json.finish();
}

void writeDataFileJson(JsonWriter& json, int version, const SerialSettings& serial,
                       const MeasurementStore& store) {
    beginDocument(json, jsonkind::kDataFile);
    json.member("version", version);
    json.key("serial");
    json.beginArray(true);
    for (int32_t v : {serial.portNumber, serial.baudRate, serial.byteSize, serial.stopBits,
                      serial.parity, serial.flowControl})
        json.value(static_cast<int>(v));
    json.endArray();
    json.key("customers");
    json.beginArray();
    for (int i = 0; i < store.count(); ++i)
        writeCustomerJson(json, store.at(i));
    json.endArray();
    json.endObject();
    json.finish();
}
