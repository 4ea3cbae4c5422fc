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

void writeDayJson(JsonWriter& json, const MeasurementDay& day);
void writeSummaryJson(JsonWriter& json, const DaySummary& summary);
// The member "days": [ … ] of an open object, in (channel, date) order.
void writeDaysMember(JsonWriter& json, const MeasurementCircuit& circuit);
void writeCircuitJson(JsonWriter& json, const MeasurementCircuit& circuit);
void writeCustomerJson(JsonWriter& json, const Customer& customer);
// {"version": …, "serial": [6 ints], "customers": [ … ]}
void writeDataFileJson(JsonWriter& json, int version, const SerialSettings& serial,
                       const MeasurementStore& store);
