#include "transfer/SelectDataRules.h"
#include "store/Aggregation.h"
#include "store/MonthWindow.h"

namespace {

// Report month as one number; -1 for a day that lies in no report month (invalid window).
int monthKey(const DateTime& date, int monthStartDay) {
    const MonthWindow w = reportMonthOf(date, monthStartDay);
    return w.start.isValid() ? w.start.year() * 12 + (w.start.month() - 1) : -1;
}

// The index of the nearest day of the channel past `shown` in the step's direction, by a key
// of its date (-1 for a day that has none); -1 when there is none.
template <typename Key>
int nearestDayPast(const MeasurementCircuit& circuit, int channel, int step, int shown, Key key) {
    const int count = circuit.days.count();
    for (int i = step > 0 ? 0 : count - 1; i >= 0 && i<count; i += step> 0 ? 1 : -1) {
        const MeasurementDay& day = circuit.days.at(i);
        const int k = day.channel == channel ? key(day.date) : -1;
        if (k >= 0 && (step > 0 ? k > shown : k < shown))
            return i;
    }
    return -1;
}

SelectionTuple steppedYear(const MeasurementCircuit& circuit, const SelectionTuple& current,
                           int channel, int step, int monthStartDay) {
    const int found =
        nearestDayPast(circuit, channel, step, current.year, [monthStartDay](const DateTime& d) {
            const int key = monthKey(d, monthStartDay);
            return key < 0 ? -1 : key / 12;
        });
    if (found < 0)
        return current;
    const int year = monthKey(circuit.days.at(found).date, monthStartDay) / 12;
    return {current.customerIndex, current.circuitIndex,
            firstDayInYear(circuit, year, monthStartDay), year, kWholeYear};
}

SelectionTuple steppedMonth(const MeasurementCircuit& circuit, const SelectionTuple& current,
                            int channel, int step, int monthStartDay) {
    const int shown = current.year * 12 + (current.month - 1);
    const int found =
        nearestDayPast(circuit, channel, step, shown,
                       [monthStartDay](const DateTime& d) { return monthKey(d, monthStartDay); });
    if (found < 0)
        return current;
    const MonthWindow w = reportMonthOf(circuit.days.at(found).date, monthStartDay);
    // Days run by date within a channel: walk back to the month's first one.
    int first = found;
    while (first > 0 && circuit.days.at(first - 1).channel == channel &&
           w.contains(circuit.days.at(first - 1).date))
        --first;
    return {current.customerIndex, current.circuitIndex, first, w.start.year(), w.start.month()};
}

} // namespace

SelectionTuple selectDataStart(const MeasurementStore& store, const SelectionTuple& given) {
    if (isSelectionUsable(store, given))
        return {given.customerIndex, given.circuitIndex, given.dayIndex, -1, -1};
    return {0, 0, 0, -1, -1};
}

SelectionTuple steppedSelection(const MeasurementStore& store, const SelectionTuple& current,
                                int step, int monthStartDay) {
    if (step == 0 || !isSelectionUsable(store, current))
        return current;
    const MeasurementCircuit& circuit =
        store.at(current.customerIndex).circuits.at(current.circuitIndex);
    const int channel = circuit.days.at(current.dayIndex).channel;
    if (current.isYearly())
        return steppedYear(circuit, current, channel, step, monthStartDay);
    if (current.month != -1)
        return steppedMonth(circuit, current, channel, step, monthStartDay);
    const int next = current.dayIndex + (step > 0 ? 1 : -1);
    if (next < 0 || next >= circuit.days.count() || circuit.days.at(next).channel != channel)
        return current;
    return {current.customerIndex, current.circuitIndex, next, -1, -1};
}
