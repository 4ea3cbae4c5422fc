#pragma once
// A circuit's year at a glance: the twelve report months of a year (January … December, each
// starting on the month start day) with the figures of their monthly reports.
#include "analysis/CircuitLimits.h"
#include "analysis/HalfHourDemand.h"
#include "store/DAT_Store.h"
#include "store/MonthWindow.h"
#include <array>

struct YearMonthRow {
    int year = 0;
    int month = 0;
    MonthWindow window;
    int daysStored = 0;     // stored days of the circuit in the window
    int daysInMonth = 0;    // calendar days of the window
    int incompleteDays = 0; // stored days that miss intervals
    double energy = 0.0;    // Wh
    double reverseEnergy = 0.0;
    double leadReactiveEnergy = 0.0; // varh
    double lagReactiveEnergy = 0.0;
    double averagePowerFactor = 0.0; // % (the month summary's)
    bool hasDemand = false;          // a measured half-hour exists
    HalfHourDemand maximumDemand;    // the month's largest 30-minute demand
    bool hasLoadFactor = false;
    double loadFactor = 0.0; // %
};

struct YearReport {
    int year = 0;
    int startDay = 1;
    double contractDemand = 0.0; // W; 0 = none entered
    std::array<YearMonthRow, 12> months;

    // The year's largest 30-minute demand (the earlier on a tie); null without any.
    const YearMonthRow* maximumMonth() const;
    int daysStored() const;
};

YearReport analyseYear(const MeasurementCircuit& circuit, int year, const CircuitLimits& limits,
                       int startDay);
