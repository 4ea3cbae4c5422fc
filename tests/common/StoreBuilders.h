#pragma once
// Stores, customers and days built from records, and the file bytes they make; shared by
// the store, transfer, tool and application tests.
#include "common/Cp932.h"
#include "store/ArchiveReader.h"
#include "store/ArchiveWriter.h"
#include "store/DAT_Archive.h"
#include "store/DAT_DataFile.h"
#include "store/DAT_Store.h"
#include "store/MemorySink.h"
#include "store/MemorySource.h"
#include "support/DateTime.h"
#include "support/Sjis.h"
#include <string>
#include <utility>
#include <vector>

namespace builders {

inline DateTime validDate(double v) {
    return DateTime(v, DateTime::Valid);
}

// A store with several customers, circuits, days of both channels, samples, summaries with
// peaks, a three-phase day, Japanese names, an empty circuit and an empty customer.
inline MeasurementStore richStore() {
    MeasurementStore store;
    const char* customers[] = {"Alpha", "\x95\x5c\x8e\xa6" /* 表示 */, "beta", "Empty"};
    for (int c = 0; c < 4; ++c) {
        Customer& cu = store.at(store.insert(customers[c]));
        if (c == 3)
            continue;
        for (int k = 0; k < 3; ++k) {
            std::string circuitName = "Circuit" + std::to_string(k);
            MeasurementCircuit& ci = cu.circuits.at(cu.circuits.insert(circuitName));
            if (k == 2)
                continue; // an empty circuit
            for (int d = 0; d < 4; ++d) {
                MeasurementDay day;
                day.channel = (d == 3) ? 2 : 1;
                day.date = validDate(45000.0 + d + c * 10);
                day.data.setHeader(k == 0 ? 3 : 2, 66.0 + c, 100.5 + d);
                day.data.hasReverse = d % 2;
                for (int s = 0; s < 48; ++s) {
                    IntervalSample smp;
                    smp.time = validDate(day.date.value() + (s + 1) / 48.0);
                    smp.power = 1000.0 * c + 10.0 * d + s + 0.25;
                    smp.reversePower = d % 2 ? -s * 1.5 : 0.0;
                    smp.powerFactor = 95.5 - s * 0.1;
                    for (int p = 0; p < 3; ++p) {
                        smp.voltage[p] = (k == 0 || p < 2) ? 6600.0 + p + s : 0.0;
                        smp.current[p] = (k == 0 || p < 2) ? 12.5 + p * 0.5 + s : 0.0;
                    }
                    day.data.addOrReplaceSample(smp);
                }
                DaySummary& sum = day.data.summary;
                sum.energy = 12345.5 + d;
                sum.reverseEnergy = -321.0 * d;
                sum.leadReactiveEnergy = 11.0;
                sum.lagReactiveEnergy = 22.0;
                sum.averagePower = 500.0;
                sum.reverseAveragePower = -5.0;
                sum.averagePowerFactor = 97.0;
                sum.maxDemand = {800.0, validDate(day.date.value() + 0.5),
                                 validDate(day.date.value() + 0.5 + 1 / 48.0)};
                sum.peakPower = {900.0, validDate(day.date.value() + 0.25), DateTime()};
                sum.peakPowerFactor = 88.0;
                for (int p = 0; p < 3; ++p) {
                    sum.averageVoltage[p] = 6600.0 + p;
                    sum.averageCurrent[p] = 10.0 + p;
                    sum.peakVoltage[p] = {6700.0 + p, validDate(day.date.value() + 0.1),
                                          DateTime()};
                    sum.minVoltage[p] = {6500.0 - p, validDate(day.date.value() + 0.2), DateTime()};
                    sum.maxCurrent[p] = {20.0 + p, validDate(day.date.value() + 0.3),
                                         validDate(day.date.value() + 0.3 + 1 / 48.0)};
                    sum.peakCurrent[p] = {25.0 + p, validDate(day.date.value() + 0.4), DateTime()};
                }
                ci.addOrReplaceDay(day);
            }
        }
    }
    return store;
}

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
    c.name = sj(name);
    for (auto& [circuitName, days] : circuits) {
        int k = c.circuits.insert(sj(circuitName));
        for (const MeasurementDay& d : days)
            c.circuits.at(k).addOrReplaceDay(d);
    }
    return c;
}

// A 単相 day of May 2024 with the given channel and no samples; `pt` tells copies apart.
inline MeasurementDay dayOfMay2024(int channel, int d, double pt = 1.0, double ct = 1.0) {
    MeasurementDay x;
    x.channel = channel;
    x.date = DateTime::make(2024, 5, d);
    x.data.setHeader(CircuitSinglePhase, pt, ct);
    return x;
}

inline MeasurementCircuit circuitOf(const std::vector<MeasurementDay>& days) {
    MeasurementCircuit c;
    for (const MeasurementDay& d : days)
        c.addOrReplaceDay(d);
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

} // namespace builders
