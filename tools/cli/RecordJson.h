#pragma once
#include "analysis/HalfHourDemand.h"
#include "store/DAT_Records.h"
#include "store/DAT_SerialSettings.h"
#include "store/DAT_Store.h"
#include "tools/cli/JsonWriter.h"
#include <string>

// The stable JSON form of the records. Names are converted from CP932 to UTF-8; an invalid
// date is null.

// "YYYY-MM-DD" and "YYYY-MM-DD HH:MM:SS"; empty when the date is not valid.
std::string jsonDate(const DateTime& date);
std::string jsonDateTime(const DateTime& time);

// "name": a time as jsonDateTime, or null.
void timeMember(JsonWriter& json, const char* name, const DateTime& time);
// "YYYY-MM".
std::string monthText(int year, int month);
// {"from", "to", "demand", "coverage"} of a 30-minute demand.
void halfHourJson(JsonWriter& json, const HalfHourDemand& h);
// Every document the tool prints is one object that starts with "kind" (what it holds) and
// "error" (null, or the message of a failure that came after something was read); the schema
// in tools/cli/orvoview-cli.schema.json describes each kind.
namespace jsonkind {
inline constexpr char kReport[] = "report";             // dump-report, receive
inline constexpr char kDataFile[] = "dataFile";         // dump-data of "Orvo.DAT"
inline constexpr char kCustomerFile[] = "customerFile"; // dump-data of an export file
inline constexpr char kList[] = "list";                 // list --json
inline constexpr char kAnalysis[] = "analysis";         // analyse
inline constexpr char kYearAnalysis[] = "yearAnalysis"; // analyse --year
} // namespace jsonkind
// Opens the document's object with its "kind" and "error" (UTF-8; empty: null).
void beginDocument(JsonWriter& json, const char* kind, const std::string& error = {});
// A report document: {"kind": "report", "error": ..., "interrupted": ..., "days": [ ... ]},
// finished. `interrupted` (UTF-8; empty: null) says why a report ended inside a block.
void writeReportDocument(JsonWriter& json, const MeasurementCircuit& days, const std::string& error,
                         const std::string& interrupted = {});

void writeDayJson(JsonWriter& json, const MeasurementDay& day);
void writeSummaryJson(JsonWriter& json, const DaySummary& summary);
// The member "days": [ … ] of an open object, in (channel, date) order.
void writeDaysMember(JsonWriter& json, const MeasurementCircuit& circuit);
void writeCircuitJson(JsonWriter& json, const MeasurementCircuit& circuit);
void writeCustomerJson(JsonWriter& json, const Customer& customer);
// The documents of dump-data, finished: {"kind": "dataFile", "error": null, "version": …,
// "serial": [6 ints], "customers": [ … ]} and {"kind": "customerFile", "error": null,
// "name": …, "circuits": [ … ]}.
void writeDataFileJson(JsonWriter& json, int version, const SerialSettings& serial,
                       const MeasurementStore& store);
void writeCustomerFileJson(JsonWriter& json, const Customer& customer);
