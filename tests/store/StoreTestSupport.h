#pragma once
// Small helpers of the store tests: an independent little-endian byte builder for
// hand-written fixtures and the small store those fixtures encode.
#include "common/StoreBuilders.h"
#include "common/TempFolder.h"
#include "store/DAT_Store.h"
#include "support/DateTime.h"
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>
#include <unistd.h>

// Appends values byte by byte (least significant first); no code of the store involved.
class Bytes {
public:
    Bytes& u8(unsigned v) {
        m_b.push_back(static_cast<char>(v & 0xFF));
        return *this;
    }
    Bytes& u16(unsigned v) { return u8(v).u8(v >> 8); }
    Bytes& u32(uint32_t v) { return u16(v & 0xFFFF).u16(v >> 16); }
    Bytes& i32(int32_t v) { return u32(static_cast<uint32_t>(v)); }
    Bytes& f64(double d) {
        uint64_t bits;
        std::memcpy(&bits, &d, 8);
        for (int i = 0; i < 8; ++i)
            u8(static_cast<unsigned>(bits >> (8 * i)));
        return *this;
    }
    Bytes& raw(const std::string& s) {
        m_b += s;
        return *this;
    }
    // A short string: length byte, bytes.
    Bytes& str(const std::string& s) { return u8(static_cast<unsigned>(s.size())).raw(s); }
    // DateTime: status, value.
    Bytes& date(int32_t status, double value) { return i32(status).f64(value); }
    Bytes& invalidDate() { return date(1, 0.0); }
    Bytes& peak(double value, int32_t fromStatus, double from, int32_t toStatus, double to) {
        return f64(value).date(fromStatus, from).date(toStatus, to);
    }
    Bytes& emptyPeak() { return peak(0.0, 1, 0.0, 1, 0.0); }
    const std::string& str() const { return m_b; }

private:
    std::string m_b;
};

using builders::validDate;

inline const std::string kDataSig = "56a5s440s-20061215-ds56sd40v1";
inline const std::string kCustSig = "cust-20061215-ds56sd40v1";

// The six default serial settings.
inline Bytes& defaultSerial(Bytes& b) {
    return b.i32(1).i32(38400).i32(8).i32(0).i32(0).i32(1);
}

// One customer "A", one circuit "C1", one day (channel 1, 2024-01-15 = 45306) with two samples
// and a few summary values; a two-phase circuit (type 2), no reverse column.
inline MeasurementStore smallStore() {
    MeasurementStore store;
    Customer& cu = store.at(store.insert("A"));
    MeasurementCircuit& ci = cu.circuits.at(cu.circuits.insert("C1"));
    MeasurementDay day;
    day.channel = 1;
    day.date = validDate(45306.0);
    day.data.setHeader(2, 1.0, 100.0);
    IntervalSample s;
    s.time = validDate(45306.0 + 1.0 / 24); // 01:00, given first
    s.power = 250.5;
    s.powerFactor = 98.0;
    s.voltage = {101.0, 102.0, 0.0};
    s.current = {3.5, 4.5, 0.0};
    day.data.addOrReplaceSample(s);
    s.time = validDate(45306.0 + 1.0 / 48); // 00:30
    s.power = 240.0;
    s.powerFactor = 97.5;
    s.voltage = {100.0, 100.5, 0.0};
    s.current = {3.0, 4.0, 0.0};
    day.data.addOrReplaceSample(s);
    DaySummary& sum = day.data.summary;
    sum.energy = 1234.5;
    sum.averagePowerFactor = 97.0;
    sum.maxDemand = {500.0, validDate(45306.5), validDate(45306.5 + 1.0 / 48)};
    sum.peakPower = {600.0, validDate(45306.25), DateTime()};
    sum.peakPowerFactor = 95.0;
    sum.averageVoltage = {100.0, 101.0, 0.0};
    sum.peakCurrent[1] = {7.5, validDate(45306.75), DateTime()};
    ci.addOrReplaceDay(day);
    return store;
}

// The same store written by hand from the encoding rules.
inline std::string smallStoreBytes() {
    Bytes b;
    b.u16(1);                  // customers
    b.u16(1);                  // circuits of "A"
    b.u16(1);                  // days of "C1"
    b.i32(1).date(0, 45306.0); // channel, date
    b.u16(2);                  // samples, in time order
    b.date(0, 45306.0 + 1.0 / 48).f64(240.0).f64(0.0).f64(97.5);
    b.f64(100.0).f64(3.0).f64(100.5).f64(4.0).f64(0.0).f64(0.0);
    b.date(0, 45306.0 + 1.0 / 24).f64(250.5).f64(0.0).f64(98.0);
    b.f64(101.0).f64(3.5).f64(102.0).f64(4.5).f64(0.0).f64(0.0);
    // summary: eight doubles
    b.f64(1234.5).f64(0).f64(0).f64(0).f64(0).f64(0).f64(0).f64(97.0);
    b.peak(500.0, 0, 45306.5, 0, 45306.5 + 1.0 / 48); // maxDemand
    b.emptyPeak();                                    // reverseMaxDemand
    b.peak(600.0, 0, 45306.25, 1, 0.0);               // peakPower
    b.emptyPeak();                                    // reversePeakPower
    b.f64(95.0).f64(0.0);                             // peak power factors
    // phase 1
    b.f64(100.0).f64(0.0).emptyPeak().emptyPeak().emptyPeak().emptyPeak();
    // phase 2
    b.f64(101.0).f64(0.0).emptyPeak().emptyPeak().emptyPeak().peak(7.5, 0, 45306.75, 1, 0.0);
    // phase 3
    b.f64(0.0).f64(0.0).emptyPeak().emptyPeak().emptyPeak().emptyPeak();
    b.i32(0).i32(2).f64(1.0).f64(100.0); // hasReverse, circuitType, pt, ct
    b.str("C1");                         // circuit name
    b.str(kCustSig).i32(3);              // customer signature block
    b.str("A");                          // customer name
    return b.str();
}
