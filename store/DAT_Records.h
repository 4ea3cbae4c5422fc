#pragma once
// The records of one measured day: interval lines, the summary block and the day itself.
// Plain values: assignment is a deep copy.
#include "store/SortedSlotArray.h"
#include "support/DateTime.h"
#include <array>
#include <cstdint>

// Circuit type of a report header (DayData::circuitType keeps the raw int32 read from a file).
enum CircuitType : int32_t {
    CircuitNone = 0,            // not set
    CircuitSinglePhase = 1,     // 単相
    CircuitThreePhase3Wire = 2, // 3相3線
    CircuitThreePhase4Wire = 3, // 3相4線
};

// Order of two sample times or day dates as container keys. Same as DateTime::keyCompare;
// values in the ordinary date range that are clearly apart are ordered by their number
// directly (a load inserts millions of samples), everything else goes field by field.
inline int compareTimeKey(const DateTime& a, const DateTime& b) {
    if (a.status() == DateTime::Valid && b.status() == DateTime::Valid) {
        double x = a.value();
        double y = b.value();
        if (x == y)
            return 0;
        constexpr double kLast = 2958466.0;       // 10000-01-01
        constexpr double kMargin = 2.0 / 86400.0; // two seconds
        if (x >= 0.0 && y >= 0.0 && x < kLast && y < kLast) {
            if (x - y > kMargin)
                return 1;
            if (y - x > kMargin)
                return -1;
        }
    }
    return DateTime::keyCompare(a, b);
}

// A peak or demand value with its time (instantaneous: `from` only) or time range.
struct PeakRecord {
    double value = 0.0;
    DateTime from;
    DateTime to;

    bool operator==(const PeakRecord&) const = default;
};

// One interval line of a report.
struct IntervalSample {
    using Key = DateTime;

    DateTime time;
    double power = 0.0;        // W, forward
    double reversePower = 0.0; // W, reverse; 0 without a reverse column
    double powerFactor = 0.0;  // %
    std::array<double, 3> voltage{};
    std::array<double, 3> current{};

    const DateTime& key() const { return time; }
    void setKey(const DateTime& t) { time = t; }
    static int compareKey(const DateTime& a, const DateTime& b) { return compareTimeKey(a, b); }

    bool operator==(const IntervalSample&) const = default;
};

// The summary block of a day (also the month summary). Field order is the storage order of the
// first fourteen fields; the per-phase fields are stored phase by phase.
struct DaySummary {
    double energy = 0.0;              // Wh
    double reverseEnergy = 0.0;       // Wh
    double spareTotal = 0.0;          // stored and summed, never shown
    double leadReactiveEnergy = 0.0;  // varh
    double lagReactiveEnergy = 0.0;   // varh
    double averagePower = 0.0;        // W
    double reverseAveragePower = 0.0; // W
    double averagePowerFactor = 0.0;  // %
    PeakRecord maxDemand;             // time range
    PeakRecord reverseMaxDemand;
    PeakRecord peakPower; // single time
    PeakRecord reversePeakPower;
    double peakPowerFactor = 0.0;
    double reversePeakPowerFactor = 0.0;
    std::array<double, 3> averageVoltage{};
    std::array<double, 3> averageCurrent{};
    std::array<PeakRecord, 3> peakVoltage{};
    std::array<PeakRecord, 3> minVoltage{};
    std::array<PeakRecord, 3> maxCurrent{}; // time range
    std::array<PeakRecord, 3> peakCurrent{};

    void clear() { *this = DaySummary(); }
    bool operator==(const DaySummary&) const = default;
};

// The measurements of one day and channel.
struct DayData {
    SortedSlotArray<IntervalSample> intervals; // by time
    DaySummary summary;
    int32_t hasReverse = 0;  // 1 when the report had a reverse power column
    int32_t circuitType = 0; // CircuitType; other values come only from foreign files
    double ptRatio = 0.0;
    double ctRatio = 0.0;

    void clear() { *this = DayData(); }
    // A sample at a time already present replaces that sample. Returns its index.
    int addOrReplaceSample(const IntervalSample& sample) {
        return intervals.insertOrAssign(sample);
    }
    void setHeader(int32_t type, double pt, double ct) {
        circuitType = type;
        ptRatio = pt;
        ctRatio = ct;
    }
    // Phases shown: 3 for 3相4線, else 2 (phase 3 stays 0).
    int phaseCount() const { return circuitType == CircuitThreePhase4Wire ? 3 : 2; }

    bool operator==(const DayData&) const = default;
};

// Key of a stored day: channel first, then date.
struct DayKey {
    int32_t channel = 1;
    DateTime date;
};

// One stored day.
struct MeasurementDay {
    using Key = DayKey;

    int32_t channel = 1; // "ＣＨ", 1 or 2
    DateTime date;       // time part 00:00:00
    DayData data;

    DayKey key() const { return {channel, date}; }
    void setKey(const DayKey& k) {
        channel = k.channel;
        date = k.date;
    }
    static int compareKey(const DayKey& a, const DayKey& b) {
        if (a.channel != b.channel)
            return a.channel < b.channel ? -1 : 1;
        return compareTimeKey(a.date, b.date);
    }

    bool operator==(const MeasurementDay&) const = default;
};
