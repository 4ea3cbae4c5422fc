#include "transfer/SelectionRules.h"
#include "store/Aggregation.h"
#include "store/MonthWindow.h"
#include "support/Format.h"

#include <set>

namespace selection {

namespace {

std::vector<std::string> sorted(const std::set<std::string>& entries) {
    return {entries.begin(), entries.end()};
}

} // namespace

std::vector<std::string> yearEntries(const MeasurementCircuit& circuit, ReportKind kind,
                                     int startDay) {
    std::set<std::string> years;
    for (int i = 0; i < circuit.days.count(); ++i) {
        const std::string year = entriesOf(circuit.days.at(i).date, kind, startDay).year;
        if (!year.empty())
            years.insert(year);
    }
    return sorted(years);
}

std::vector<std::string> monthEntries(const MeasurementCircuit& circuit, ReportKind kind,
                                      int startDay, const std::string& year) {
    std::set<std::string> months;
    for (int i = 0; i < circuit.days.count(); ++i) {
        const DateEntries e = entriesOf(circuit.days.at(i).date, kind, startDay);
        if (!e.year.empty() && e.year == year && !e.month.empty())
            months.insert(e.month);
    }
    return sorted(months);
}

std::vector<std::string> dayEntries(const MeasurementCircuit& circuit, const std::string& year,
                                    const std::string& month) {
    std::set<std::string> days;
    for (int i = 0; i < circuit.days.count(); ++i) {
        const DateEntries e = entriesOf(circuit.days.at(i).date, ReportKind::Daily, 1);
        if (!e.year.empty() && e.year == year && e.month == month)
            days.insert(e.day);
    }
    return sorted(days);
}

DateEntries entriesOf(const DateTime& date, ReportKind kind, int startDay) {
    if (!date.isValid())
        return {};
    if (kind == ReportKind::Daily)
        return {date.format("%Y"), date.format("%m"), date.format("%d")};
    const MonthWindow w = reportMonthOf(date, startDay);
    if (!w.start.isValid())
        return {};
    if (kind == ReportKind::Yearly)
        return {formatText("%04d", w.start.year()), {}, {}};
    return {formatText("%04d", w.start.year()), formatText("%02d", w.start.month()), {}};
}

SelectionTuple tupleFor(const MeasurementCircuit& circuit, int customer, int circuitIndex,
                        ReportKind kind, int year, int month, int day, int startDay) {
    SelectionTuple t;
    t.customerIndex = customer;
    t.circuitIndex = circuitIndex;
    if (kind == ReportKind::Yearly) {
        const int first = year < 0 ? -1 : firstDayInYear(circuit, year, startDay);
        if (first >= 0)
            t = {customer, circuitIndex, first, year, kWholeYear};
        return t;
    }
    if (year < 0 || month < 0 || (kind == ReportKind::Daily && day < 0))
        return t;
    if (kind == ReportKind::Daily) {
        t.dayIndex = circuit.findDay(DateTime::make(year, month, day));
        return t;
    }
    const int first = firstDayInWindow(circuit, monthWindow(year, month, startDay));
    if (first >= 0) {
        t.dayIndex = first;
        t.year = year;
        t.month = month;
    }
    return t;
}

SelectionTuple monthlyTupleOfDay(const MeasurementCircuit& circuit, SelectionTuple chosen,
                                 int startDay) {
    const DateTime& date = circuit.days.at(chosen.dayIndex).date;
    const MonthWindow w = reportMonthOf(date, startDay);
    if (!w.start.isValid()) {
        chosen.year = date.year();
        chosen.month = date.month();
        return chosen;
    }
    chosen.year = w.start.year();
    chosen.month = w.start.month();
    if (const int first = firstDayInWindow(circuit, w); first >= 0)
        chosen.dayIndex = first;
    return chosen;
}

const std::vector<int>& powerScales() {
    static const std::vector<int> scales = {10000, 5000, 2000, 1000, 900, 800, 700, 600, 500,
                                            400,   300,  200,  150,  100, 90,  80,  70,  60,
                                            50,    40,   30,   20,   10,  5,   1};
    return scales;
}

const std::vector<int>& voltageScales() {
    static const std::vector<int> scales = {1000, 900, 800, 700, 600, 500, 400, 300, 200, 100, 90,
                                            80,   70,  60,  50,  40,  30,  20,  10,  5,   1};
    return scales;
}

const std::vector<int>& currentScales() {
    static const std::vector<int> scales = {
        10000, 9000, 8000, 7000, 6000, 5000, 4000, 3000, 2000, 1000, 900, 800, 700, 600, 500,
        400,   300,  200,  100,  90,   80,   70,   60,   50,   40,   30,  20,  10,  5,   1};
    return scales;
}

int scalePresetIndex(const std::vector<int>& entries, double maximum) {
    const int count = static_cast<int>(entries.size());
    for (int i = 0; i < count; ++i)
        if (entries[static_cast<std::size_t>(i)] < maximum)
            return i == 0 ? 0 : i - 1;
    return count - 1;
}

} // namespace selection
