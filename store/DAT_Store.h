#pragma once
// The filing levels: measurement circuit, customer and the whole store.
// Plain values: assignment is a deep copy (editing dialogs work on a copy of the store).
#include "store/DAT_Records.h"
#include "store/SortedSlotArray.h"
#include "support/Sjis.h"
#include <string>

// Names compare bytewise with ASCII letters folded; 'ABC' and 'abc' are one key.
struct NameKeyed {
    using Key = std::string;
    static int compareKey(const std::string& a, const std::string& b) {
        return sjis::compareNoCase(a, b);
    }
};

// 測定回路: the days of one circuit, keyed by (channel, date).
struct MeasurementCircuit : NameKeyed {
    SortedSlotArray<MeasurementDay> days;
    std::string name; // CP932

    const std::string& key() const { return name; }
    void setKey(const std::string& k) { name = k; }

    // Channel used when a day is looked up or added by date alone: that of the first day, or 1.
    int32_t dayChannel() const { return days.empty() ? 1 : days.at(0).channel; }
    // Index of the day with this date (channel as above), or -1.
    int findDay(const DateTime& date) const { return days.find({dayChannel(), date}); }
    // First day whose date is not before the given one (channel as above); count when none.
    int lowerBoundDay(const DateTime& date) const { return days.lowerBound({dayChannel(), date}); }
    // A day with the same (channel, date) gets the new content. Returns its index.
    int addOrReplaceDay(const MeasurementDay& day) { return days.insertOrAssign(day); }
    int addOrReplaceDay(MeasurementDay&& day) { return days.insertOrAssign(std::move(day)); }

    bool operator==(const MeasurementCircuit& o) const { return name == o.name && days == o.days; }
};

// 需要家.
struct Customer : NameKeyed {
    SortedSlotArray<MeasurementCircuit> circuits; // by name
    std::string name;                             // CP932, unique in the store

    const std::string& key() const { return name; }
    void setKey(const std::string& k) { name = k; }

    bool operator==(const Customer& o) const { return name == o.name && circuits == o.circuits; }
};

// All customers, by name. count(), at(i), find(name), insert(name), removeAt(i), clear() come
// from the container; at(i).name is the name at an index.
class MeasurementStore : public SortedSlotArray<Customer> {
public:
    const std::string& nameAt(int index) const { return at(index).name; }
};
