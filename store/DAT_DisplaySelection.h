#pragma once
#include "store/DAT_Records.h"
#include "store/DAT_Store.h"
#include <cstdint>
#include <string>

// The month of a year report: the whole year, January to December.
inline constexpr int32_t kWholeYear = 0;

// The five numbers that say what is shown: indices into the store and, for a monthly report,
// its year and month (-1 for a daily report; kWholeYear for a year report).
struct SelectionTuple {
    int32_t customerIndex = -1;
    int32_t circuitIndex = -1;
    int32_t dayIndex = -1; // shown day, or first day of the month (year) shown
    int32_t year = -1;
    int32_t month = -1;

    bool operator==(const SelectionTuple&) const = default;
    bool isYearly() const { return month == kWholeYear; }
};

// What the views show. Held by the document; views keep a reference.
struct DisplaySelection {
    int32_t customerIndex = -1;
    int32_t circuitIndex = -1;
    int32_t dayIndex = -1;
    int32_t year = -1;
    int32_t month = -1;
    std::string customerName; // empty = nothing selected
    std::string circuitName;
    MeasurementDay day; // copy of the selected day
    int32_t displayChannel = 1;
    const MeasurementCircuit* circuit = nullptr; // the selected circuit (not owned)
    const DaySummary* monthSummary = nullptr;    // the document's month summary, monthly only

    bool isValid() const { return !customerName.empty(); }
    bool isMonthly() const { return month > 0; }
    // The twelve report months of `year` at a glance; `day` is the first stored day of them.
    bool isYearly() const { return month == kWholeYear; }
    SelectionTuple tuple() const { return {customerIndex, circuitIndex, dayIndex, year, month}; }
};

// True when the tuple's customer, circuit and day indices are all within range of the store.
inline bool isSelectionUsable(const MeasurementStore& store, const SelectionTuple& t) {
    if (t.customerIndex < 0 || t.customerIndex >= store.count())
        return false;
    const Customer& customer = store.at(t.customerIndex);
    if (t.circuitIndex < 0 || t.circuitIndex >= customer.circuits.count())
        return false;
    const MeasurementCircuit& circuit = customer.circuits.at(t.circuitIndex);
    return t.dayIndex >= 0 && t.dayIndex < circuit.days.count();
}
