#pragma once
// The report selections behind the golden CSV files in tests/data/textout.
#include "common/Cp932.h"
#include "store/Aggregation.h"
#include "store/DAT_DisplaySelection.h"
#include "support/Sjis.h"
#include "tests/common/RecordBuilders.h"

#include <array>
#include <memory>

namespace csvfix {

inline DateTime at(int y, int mo, int d, int h = 0, int mi = 0) {
    return DateTime::make(y, mo, d, h, mi);
}

inline PeakRecord peak(double v, DateTime from, DateTime to = DateTime()) {
    return {v, from, to};
}

using builders::sample;

// Owns what a selection refers to.
struct Report {
    MeasurementCircuit circuit;
    DaySummary month;
    DisplaySelection sel;
};

inline void selectDay(Report& r, const char* customer, const char* circuit, int index,
                      int displayChannel) {
    r.sel.customerIndex = 0;
    r.sel.circuitIndex = 0;
    r.sel.dayIndex = index;
    r.sel.customerName = sj(customer);
    r.sel.circuitName = sj(circuit);
    r.sel.circuit = &r.circuit;
    r.sel.day = r.circuit.days.at(index);
    r.sel.displayChannel = displayChannel;
}

// 3相3線 without reverse: W and kV.
inline std::unique_ptr<Report> daily3p3w() {
    auto r = std::make_unique<Report>();
    MeasurementDay day;
    day.channel = 1;
    day.date = at(2007, 1, 5);
    DayData& d = day.data;
    d.setHeader(CircuitThreePhase3Wire, 66, 20);
    d.addOrReplaceSample(
        sample(at(2007, 1, 5, 1, 30), 3999.6, 0, 94.96, {6590.4, 6420.7, 0}, {9.994, 10.007, 0}));
    d.addOrReplaceSample(
        sample(at(2007, 1, 5, 0, 30), 4200, 0, 95.5, {6600, 6453, 0}, {10.5, 11.25, 0}));
    d.addOrReplaceSample(
        sample(at(2007, 1, 5, 1, 0), 4350.4, 0, 96.04, {6712.3, 6380, 0}, {10.126, 11, 0}));
    DaySummary& s = d.summary;
    s.energy = 101234;
    s.leadReactiveEnergy = 1560;
    s.lagReactiveEnergy = 20049;
    s.averagePower = 4183.3;
    s.averagePowerFactor = 95.47;
    s.maxDemand = peak(8500, at(2007, 1, 5, 10, 0), at(2007, 1, 5, 10, 30));
    s.peakPower = peak(9800, at(2007, 1, 5, 10, 12));
    s.peakPowerFactor = 97.1;
    s.averageVoltage = {6601.2, 6452.3, 0};
    s.averageCurrent = {10.21, 10.83, 0};
    s.peakVoltage = {peak(6652, at(2007, 1, 5, 3, 10)), peak(6620, at(2007, 1, 5, 4, 20)), {}};
    s.minVoltage = {peak(6480, at(2007, 1, 5, 5, 5)), peak(6371, at(2007, 1, 5, 6, 6)), {}};
    s.maxCurrent = {peak(12.34, at(2007, 1, 5, 11, 0), at(2007, 1, 5, 11, 30)),
                    peak(13.36, at(2007, 1, 5, 23, 30), at(2007, 1, 6, 0, 0)),
                    {}};
    s.peakCurrent = {peak(15.02, at(2007, 1, 5, 11, 11)), peak(16.77, at(2007, 1, 5, 12, 12)), {}};
    r->circuit.addOrReplaceDay(day);
    selectDay(*r, "テスト需要家", "第1回路", 0, 1);
    return r;
}

// 3相3線 with reverse power: kW because of the reverse demand, V.
inline std::unique_ptr<Report> dailyReverse() {
    auto r = std::make_unique<Report>();
    MeasurementDay day;
    day.date = at(2007, 2, 28);
    DayData& d = day.data;
    d.setHeader(CircuitThreePhase3Wire, 1, 40);
    d.hasReverse = 1;
    d.addOrReplaceSample(
        sample(at(2007, 2, 28, 10, 0), 8000, 0, 99.0, {202.3, 201.7, 0}, {30.12, 29.87, 0}));
    d.addOrReplaceSample(
        sample(at(2007, 2, 28, 10, 30), 0, -12346, 87.6, {203.14, 200.96, 0}, {35.5, 34.25, 0}));
    DaySummary& s = d.summary;
    s.energy = 54321;
    s.reverseEnergy = -6789;
    s.lagReactiveEnergy = 3456;
    s.averagePower = 2222.2;
    s.reverseAveragePower = -3456.7;
    s.averagePowerFactor = 90.12;
    s.maxDemand = peak(9000, at(2007, 2, 28, 10, 0), at(2007, 2, 28, 10, 30));
    s.reverseMaxDemand = peak(-12000, at(2007, 2, 28, 10, 30), at(2007, 2, 28, 11, 0));
    s.peakPower = peak(9500, at(2007, 2, 28, 10, 5));
    s.peakPowerFactor = 98.8;
    s.reversePeakPower = peak(-13579, at(2007, 2, 28, 10, 44));
    s.reversePeakPowerFactor = 85.2;
    s.averageVoltage = {202.44, 201.33, 0};
    s.averageCurrent = {31.12, 30.67, 0};
    s.peakVoltage = {peak(205.2, at(2007, 2, 28, 2, 2)), peak(204.1, at(2007, 2, 28, 3, 3)), {}};
    s.minVoltage = {peak(198.7, at(2007, 2, 28, 4, 4)), peak(197.6, at(2007, 2, 28, 5, 5)), {}};
    s.maxCurrent = {peak(36.2, at(2007, 2, 28, 10, 30), at(2007, 2, 28, 11, 0)),
                    peak(35.1, at(2007, 2, 28, 10, 30), at(2007, 2, 28, 11, 0)),
                    {}};
    s.peakCurrent = {peak(40.3, at(2007, 2, 28, 10, 44)), peak(39.2, at(2007, 2, 28, 10, 45)), {}};
    r->circuit.addOrReplaceDay(day);
    selectDay(*r, "太陽光発電所", "連系点", 0, 1);
    return r;
}

// 3相4線, channel 2: kW and V, all three phases.
inline std::unique_ptr<Report> daily3p4w() {
    auto r = std::make_unique<Report>();
    MeasurementDay day;
    day.channel = 2;
    day.date = at(2007, 1, 6);
    DayData& d = day.data;
    d.setHeader(CircuitThreePhase4Wire, 1, 100);
    d.addOrReplaceSample(sample(at(2007, 1, 6, 0, 30), 123456, 0, 98.4, {230.1, 231.2, 229.3},
                                {180.25, 181.5, 179.75}));
    d.addOrReplaceSample(sample(at(2007, 1, 6, 1, 0), 130000.4, 0, 97.66, {228.94, 230.06, 231.01},
                                {190.004, 191.996, 0.5}));
    DaySummary& s = d.summary;
    s.energy = 2963000;
    s.leadReactiveEnergy = 12346;
    s.lagReactiveEnergy = 54321;
    s.averagePower = 123456.7;
    s.averagePowerFactor = 98.12;
    s.maxDemand = peak(250000, at(2007, 1, 6, 12, 0), at(2007, 1, 6, 12, 30));
    s.peakPower = peak(260123, at(2007, 1, 6, 12, 10));
    s.peakPowerFactor = 99.2;
    s.averageVoltage = {230.04, 230.96, 229.51};
    s.averageCurrent = {180.12, 181.23, 179.34};
    s.peakVoltage = {peak(242.0, at(2007, 1, 6, 1, 1)), peak(243.1, at(2007, 1, 6, 2, 2)),
                     peak(241.9, at(2007, 1, 6, 3, 3))};
    s.minVoltage = {peak(220.2, at(2007, 1, 6, 4, 4)), peak(221.3, at(2007, 1, 6, 5, 5)),
                    peak(219.8, at(2007, 1, 6, 6, 6))};
    s.maxCurrent = {peak(200.1, at(2007, 1, 6, 12, 0), at(2007, 1, 6, 12, 30)),
                    peak(201.2, at(2007, 1, 6, 12, 30), at(2007, 1, 6, 13, 0)),
                    peak(199.9, at(2007, 1, 6, 23, 30), at(2007, 1, 7, 0, 0))};
    s.peakCurrent = {peak(210.4, at(2007, 1, 6, 12, 10)), peak(211.6, at(2007, 1, 6, 12, 11)),
                     peak(209.7, at(2007, 1, 6, 12, 12))};
    r->circuit.addOrReplaceDay(day);
    selectDay(*r, "ABC工業", "受電盤", 0, 2);
    return r;
}

// Report month 2006-12 with start day 21: four stored days inside, one on each side outside.
inline std::unique_ptr<Report> monthlyStart21(bool withMonthSummary = true) {
    auto r = std::make_unique<Report>();
    struct DayValues {
        DateTime date;
        double energy, lead, avgPower, avgPf;
        PeakRecord maxDemand, peakPower;
        double peakPf;
        std::array<double, 2> avgV, avgI;
        std::array<PeakRecord, 2> peakV, minV, maxI, peakI;
    };
    auto t = [](int y, int mo, int d, int h, int mi) { return at(y, mo, d, h, mi); };
    const DayValues days[] = {
        {at(2006, 12, 21),
         24000,
         100,
         1000,
         90,
         peak(9000, t(2006, 12, 21, 10, 0), t(2006, 12, 21, 10, 30)),
         peak(9500, t(2006, 12, 21, 10, 10)),
         95,
         {6600, 6500},
         {10, 20},
         {peak(6700, t(2006, 12, 21, 1, 0)), peak(6601, t(2006, 12, 21, 3, 0))},
         {peak(6400, t(2006, 12, 21, 4, 0)), peak(6200, t(2006, 12, 21, 5, 0))},
         {peak(20, t(2006, 12, 21, 10, 0), t(2006, 12, 21, 10, 30)),
          peak(21, t(2006, 12, 21, 6, 0), t(2006, 12, 21, 6, 30))},
         {peak(40, t(2006, 12, 21, 7, 0)), peak(41, t(2006, 12, 21, 8, 0))}},
        {at(2006, 12, 25),
         48000,
         200,
         2000,
         92,
         peak(12000, t(2006, 12, 25, 14, 0), t(2006, 12, 25, 14, 30)),
         peak(12500, t(2006, 12, 25, 14, 10)),
         96,
         {6604, 6400},
         {12, 22},
         {peak(6720, t(2006, 12, 25, 2, 0)), peak(6500, t(2006, 12, 25, 3, 0))},
         {peak(6390, t(2006, 12, 25, 4, 0)), peak(6250, t(2006, 12, 25, 5, 0))},
         {peak(25, t(2006, 12, 25, 10, 0), t(2006, 12, 25, 10, 30)),
          peak(22, t(2006, 12, 25, 6, 0), t(2006, 12, 25, 6, 30))},
         {peak(35, t(2006, 12, 25, 7, 0)), peak(42, t(2006, 12, 25, 8, 0))}},
        {at(2007, 1, 1),
         72000,
         300,
         3000,
         94,
         peak(11000, t(2007, 1, 1, 10, 0), t(2007, 1, 1, 10, 30)),
         peak(11500, t(2007, 1, 1, 10, 10)),
         99,
         {6608, 6300},
         {14, 24},
         {peak(6710, t(2007, 1, 1, 2, 0)), peak(6400, t(2007, 1, 1, 3, 0))},
         {peak(6450, t(2007, 1, 1, 4, 0)), peak(6149, t(2007, 1, 1, 5, 0))},
         {peak(30, t(2007, 1, 1, 23, 30), t(2007, 1, 2, 0, 0)),
          peak(23, t(2007, 1, 1, 6, 0), t(2007, 1, 1, 6, 30))},
         {peak(30, t(2007, 1, 1, 7, 0)), peak(40, t(2007, 1, 1, 8, 0))}},
        {at(2007, 1, 20),
         144000,
         400,
         6000,
         96,
         peak(8000, t(2007, 1, 20, 10, 0), t(2007, 1, 20, 10, 30)),
         peak(8500, t(2007, 1, 20, 10, 10)),
         97,
         {6612, 6204},
         {16, 26},
         {peak(6761, t(2007, 1, 20, 2, 0)), peak(6300, t(2007, 1, 20, 3, 0))},
         {peak(6420, t(2007, 1, 20, 4, 0)), peak(6300, t(2007, 1, 20, 5, 0))},
         {peak(15, t(2007, 1, 20, 10, 0), t(2007, 1, 20, 10, 30)),
          peak(31, t(2007, 1, 20, 6, 0), t(2007, 1, 20, 6, 30))},
         {peak(25, t(2007, 1, 20, 7, 0)), peak(39, t(2007, 1, 20, 8, 0))}},
    };
    for (const DayValues& v : days) {
        MeasurementDay day;
        day.date = v.date;
        day.data.setHeader(CircuitThreePhase3Wire, 66, 10);
        DaySummary& s = day.data.summary;
        s.energy = v.energy;
        s.leadReactiveEnergy = v.lead;
        s.lagReactiveEnergy = 1000;
        s.averagePower = v.avgPower;
        s.averagePowerFactor = v.avgPf;
        s.maxDemand = v.maxDemand;
        s.peakPower = v.peakPower;
        s.peakPowerFactor = v.peakPf;
        for (std::size_t i = 0; i < 2; ++i) {
            s.averageVoltage[i] = v.avgV[i];
            s.averageCurrent[i] = v.avgI[i];
            s.peakVoltage[i] = v.peakV[i];
            s.minVoltage[i] = v.minV[i];
            s.maxCurrent[i] = v.maxI[i];
            s.peakCurrent[i] = v.peakI[i];
        }
        r->circuit.addOrReplaceDay(day);
    }
    // Neighbours outside the window with values that would show if they were counted.
    for (DateTime date : {at(2006, 12, 20), at(2007, 1, 21)}) {
        MeasurementDay day;
        day.date = date;
        day.data.setHeader(CircuitThreePhase4Wire, 1, 1);
        day.data.summary.energy = 9e9;
        day.data.summary.averagePower = 99999;
        day.data.summary.maxDemand = peak(99999, at(2007, 1, 21, 1, 0), at(2007, 1, 21, 1, 30));
        r->circuit.addOrReplaceDay(day);
    }
    const int first = r->circuit.lowerBoundDay(at(2006, 12, 21));
    selectDay(*r, "テスト需要家", "高圧受電", first, 1);
    r->sel.year = 2006;
    r->sel.month = 12;
    if (withMonthSummary) {
        computeMonthSummary(r->month, r->circuit, 2006, 12, 21);
        r->sel.monthSummary = &r->month;
    }
    return r;
}

} // namespace csvfix
