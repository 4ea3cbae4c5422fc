#include "transfer/SelectDataRules.h"
#include "store/MonthWindow.h"

namespace {

// Report month as one number; -1 for a day that lies in no report month (invalid window).
int monthKey(const DateTime& date, int monthStartDay) {
    const MonthWindow w = reportMonthOf(date, monthStartDay);
    return w.start.isValid() ? w.start.year() * 12 + (w.start.month() - 1) : -1;
}

SelectionTuple steppedMonth(const MeasurementCircuit& circuit, const SelectionTuple& current,
                            int channel, int step, int monthStartDay) {
    const int shown = current.year * 12 + (current.month - 1);
    const int count = circuit.days.count();
    int found = -1;
    for (int i = step > 0 ? 0 : count - 1; i >= 0 && i<count; i += step> 0 ? 1 : -1) {
        const MeasurementDay& day = circuit.days.at(i);
        const int key = day.channel == channel ? monthKey(day.date, monthStartDay) : -1;
        if (key >= 0 && (step > 0 ? key > shown : key < shown)) {
            found = i;
            break;
        }
    }
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
    if (current.month != -1)
        return steppedMonth(circuit, current, channel, step, monthStartDay);
    const int next = current.dayIndex + (step > 0 ? 1 : -1);
    if (next < 0 || next >= circuit.days.count() || circuit.days.at(next).channel != channel)
        return current;
    return {current.customerIndex, current.circuitIndex, next, -1, -1};
}
