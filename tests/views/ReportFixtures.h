#pragma once
// Days, circuits and selections for the table and graph view tests.
#include "common/Cp932.h"
#include "common/RecordBuilders.h"
#include "store/Aggregation.h"
#include "store/DAT_DisplaySelection.h"
#include "store/DAT_Store.h"
#include "support/Sjis.h"
#include <memory>
#include <string>

namespace report_fixture {

inline std::string u(const char* utf8) {
    return sj(utf8);
}

struct DaySpec {
    int samples = 3;
    int32_t circuitType = CircuitSinglePhase;
    bool reverse = false;
    double maxDemand = 500.0;
    double peakVoltage1 = 100.0;
    int intervalMinutes = 30;
    int channel = 1;
};

// A day of `samples` samples from 00:30 on: sample i has power 1000 + i W, reverse power
// -(10 + i) W, voltages 101, 102, 103 and currents 11, 12, 13 (plus i / 100).
inline MeasurementDay makeDay(DateTime date, const DaySpec& spec = {}) {
    MeasurementDay day;
    day.channel = spec.channel;
    day.date = date;
    for (int i = 0; i < spec.samples; ++i) {
        const double d = i / 100.0;
        day.data.addOrReplaceSample(
            builders::sample(date.addMinutes(spec.intervalMinutes * (i + 1)), 1000 + i,
                             spec.reverse ? -(10.0 + i) : 0.0, 95.5, {101 + d, 102 + d, 103 + d},
                             {11 + d, 12 + d, 13 + d}));
    }
    day.data.setHeader(spec.circuitType, 66.0, 40.0);
    day.data.hasReverse = spec.reverse ? 1 : 0;
    DaySummary& s = day.data.summary;
    s.energy = 12345.0;
    s.reverseEnergy = -2345.0;
    s.leadReactiveEnergy = 1500.0;
    s.lagReactiveEnergy = 2500.0;
    s.averagePower = 1010.0;
    s.reverseAveragePower = -20.0;
    s.averagePowerFactor = 95.5;
    s.maxDemand = {spec.maxDemand, date.addMinutes(13 * 60 + 30), date.addMinutes(14 * 60)};
    s.reverseMaxDemand = {-40.0, date.addMinutes(60), date.addMinutes(90)};
    s.peakPower = {1234.0, date.addMinutes(9 * 60 + 15), {}};
    s.peakPowerFactor = 98.4;
    s.averageVoltage = {101.0, 102.0, 103.0};
    s.averageCurrent = {11.0, 12.0, 13.0};
    for (size_t i = 0; i < 3; ++i) {
        s.peakVoltage[i] = {105.0 + double(i), date.addMinutes(600), {}};
        s.minVoltage[i] = {95.0 + double(i), date.addMinutes(300), {}};
        s.maxCurrent[i] = {20.0 + double(i), date.addMinutes(120), date.addMinutes(150)};
        s.peakCurrent[i] = {30.0 + double(i), date.addMinutes(125), {}};
    }
    s.peakVoltage[0].value = spec.peakVoltage1;
    return day;
}

// May 2024: 5/1 complete, 5/2 without its 01:00 and 01:30 samples, 5/3 with an outage 10:00-11:00
// (three samples without voltage), 5/4 stored without samples, 5/5 complete in 60-minute steps.
inline std::vector<MeasurementDay> incompleteMonthDays() {
    const DateTime may = DateTime::make(2024, 5, 1);
    std::vector<MeasurementDay> days = {
        makeDay(may, {.samples = 48}), makeDay(may.addDays(1), {.samples = 48}),
        makeDay(may.addDays(2), {.samples = 48}), makeDay(may.addDays(3), {.samples = 0}),
        makeDay(may.addDays(4), {.samples = 24, .intervalMinutes = 60})};
    for (int minute : {60, 90})
        days[1].data.intervals.removeAt(
            days[1].data.intervals.find(days[1].date.addMinutes(minute)));
    for (int minute : {600, 630, 660})
        days[2]
            .data.intervals.at(days[2].data.intervals.find(days[2].date.addMinutes(minute)))
            .voltage = {0.0, 0.0, 0.0};
    return days;
}

// One customer "東京工場" with one circuit "受電" that owns the days; selections point into it.
struct Report {
    MeasurementStore store;
    DaySummary monthSummary;

    MeasurementCircuit& circuit() { return store.at(0).circuits.at(0); }

    explicit Report(const std::vector<MeasurementDay>& days) {
        const int c = store.insert(u("東京工場"));
        const int k = store.at(c).circuits.insert(u("受電"));
        for (const MeasurementDay& d : days)
            store.at(c).circuits.at(k).addOrReplaceDay(d);
    }

    DisplaySelection daily(int dayIndex) {
        DisplaySelection sel;
        sel.customerIndex = 0;
        sel.circuitIndex = 0;
        sel.dayIndex = dayIndex;
        sel.customerName = store.at(0).name;
        sel.circuitName = circuit().name;
        sel.day = circuit().days.at(dayIndex);
        sel.circuit = &circuit();
        return sel;
    }

    DisplaySelection monthly(int year, int month, int startDay) {
        const MonthWindow w = monthWindow(year, month, startDay);
        int first = circuit().lowerBoundDay(w.start);
        DisplaySelection sel = daily(first < circuit().days.count() ? first : 0);
        sel.year = year;
        sel.month = month;
        monthSummary = ::monthSummary(circuit(), year, month, startDay);
        sel.monthSummary = &monthSummary;
        return sel;
    }
};

} // namespace report_fixture
