#pragma once
// Data and export files built from records, for the tool to read.
#include "store/ArchiveStream.h"
#include "store/DAT_Archive.h"
#include "store/DAT_DataFile.h"
#include "store/DAT_Store.h"
#include "support/Sjis.h"
#include <string>

namespace fixtures {

// A 3相3線 day with two samples and a few summary values; `base` makes days differ.
inline MeasurementDay makeDay(int channel, int year, int month, int day, double base = 0.0) {
    MeasurementDay d;
    d.channel = channel;
    d.date = DateTime::make(year, month, day);
    d.data.setHeader(CircuitThreePhase3Wire, 1.0, 40.0);
    for (int i = 0; i < 2; ++i) {
        IntervalSample s;
        s.time = DateTime::make(year, month, day, i, 30);
        s.power = 1000.0 + base + i + 1.0 / 3.0; // needs all 17 digits to read back
        s.powerFactor = 98.5;
        s.voltage = {210.1, 209.9, 0.0};
        s.current = {12.25, 11.75, 0.0};
        d.data.addOrReplaceSample(s);
    }
    d.data.summary.energy = 12345.6 + base;
    d.data.summary.averagePower = 500.25;
    d.data.summary.maxDemand = {800.0 + base, DateTime::make(year, month, day, 10, 0),
                                DateTime::make(year, month, day, 10, 30)};
    d.data.summary.peakVoltage[0] = {215.0, DateTime::make(year, month, day, 12, 0), DateTime()};
    d.data.summary.averageVoltage = {210.0, 209.0, 0.0};
    return d;
}

// Customer and circuit names in UTF-8.
inline Customer
makeCustomer(const std::string& name,
             const std::vector<std::pair<std::string, std::vector<MeasurementDay>>>& circuits) {
    Customer c;
    c.name = sjis::fromUtf8(name);
    for (auto& [circuitName, days] : circuits) {
        int k = c.circuits.insert(sjis::fromUtf8(circuitName));
        for (const MeasurementDay& d : days)
            c.circuits.at(k).addOrReplaceDay(d);
    }
    return c;
}

inline MeasurementStore makeStore(const std::vector<Customer>& customers) {
    MeasurementStore store;
    for (const Customer& c : customers)
        store.insertOrAssign(c);
    return store;
}

inline std::string dataFileBytes(const MeasurementStore& store, SerialSettings serial = {}) {
    return datafile::encode(serial, store);
}

inline std::string exportFileBytes(const Customer& customer) {
    MemorySink sink;
    ArchiveWriter out(sink);
    archive::write(out, customer);
    out.flush();
    return sink.bytes();
}

// The store of a data file's bytes.
inline MeasurementStore readStore(const std::string& bytes, SerialSettings* serial = nullptr) {
    MemorySource source(bytes);
    ArchiveReader in(source);
    SerialSettings s;
    MeasurementStore store;
    datafile::read(in, s, store);
    if (serial)
        *serial = s;
    return store;
}

// Two customers, three circuits (one empty), three days.
inline MeasurementStore sampleStore() {
    return makeStore(
        {makeCustomer("需要家A", {{"回路1", {makeDay(1, 2024, 5, 1), makeDay(1, 2024, 5, 2, 10)}},
                                  {"回路2", {}}}),
         makeCustomer("B社", {{"本館", {makeDay(1, 2024, 6, 30, 5)}}})});
}

} // namespace fixtures
