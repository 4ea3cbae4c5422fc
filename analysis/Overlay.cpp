#include "analysis/Overlay.h"

#include "analysis/AnalysisTexts.h"
#include "analysis/MonthNumber.h"
#include "store/Aggregation.h"
#include "support/Format.h"

#include <cmath>
#include <set>

int defaultOverlayDay(const MeasurementCircuit& circuit, const DateTime& shownDate) {
    return circuit.findDay(shownDate.dateOnly().addDays(-7));
}

int overlayDayIndex(const MeasurementCircuit& circuit, const DateTime& shownDate,
                    const OverlayChoice& choice) {
    if (!choice.shown)
        return -1;
    return choice.day.isValid() ? circuit.findDay(choice.day)
                                : defaultOverlayDay(circuit, shownDate);
}

void overlayMonth(const OverlayChoice& choice, int year, int month, int& overlayYear,
                  int& overlayMonth) {
    int number = monthNumber(year, month) - 1; // the month before
    if (choice.year > 0 && choice.month >= 1 && choice.month <= 12)
        number = monthNumber(choice.year, choice.month);
    overlayYear = yearOfMonthNumber(number);
    overlayMonth = monthOfMonthNumber(number);
}

std::vector<int> storedReportMonths(const MeasurementCircuit& circuit, int startDay) {
    std::set<int> months;
    const int32_t channel = circuit.dayChannel();
    for (int i = 0; i < circuit.days.count(); ++i) {
        const MeasurementDay& day = circuit.days.at(i);
        const MonthWindow w = reportMonthOf(day.date, startDay);
        if (day.channel == channel && w.start.isValid())
            months.insert(monthNumber(w.start.year(), w.start.month()));
    }
    return {months.begin(), months.end()};
}

std::vector<OverlayOption> overlayOptions(const MeasurementCircuit& circuit, bool monthly,
                                          int startDay) {
    std::vector<OverlayOption> options;
    if (monthly) {
        options.push_back({txt::analysis::kPreviousMonth, {}});
        for (int m : storedReportMonths(circuit, startDay)) {
            OverlayOption o;
            o.choice.year = yearOfMonthNumber(m);
            o.choice.month = monthOfMonthNumber(m);
            o.label = formatText("%04d/%02d", o.choice.year, o.choice.month);
            options.push_back(std::move(o));
        }
        return options;
    }
    options.push_back({txt::analysis::kWeekEarlier, {}});
    const int32_t channel = circuit.dayChannel();
    for (int i = 0; i < circuit.days.count(); ++i) {
        const MeasurementDay& day = circuit.days.at(i);
        if (day.channel != channel)
            continue;
        OverlayOption o;
        o.choice.day = day.date;
        o.label = day.date.format("%Y/%m/%d (%a)");
        options.push_back(std::move(o));
    }
    return options;
}

std::size_t chosenOverlayOption(const std::vector<OverlayOption>& options,
                                const OverlayChoice& chosen, bool monthly) {
    for (std::size_t i = 1; i < options.size(); ++i) {
        const OverlayChoice& c = options[i].choice;
        if (monthly ? c.year == chosen.year && c.month == chosen.month
                    : chosen.day.isValid() && c.day == chosen.day)
            return i;
    }
    return 0;
}

std::vector<ChartPoint> dayPowerCurve(const DayData& day, const DateTime& date) {
    std::vector<ChartPoint> points;
    const std::vector<PointMark> marks = pointMarks(day, date);
    points.reserve(marks.size());
    for (int i = 0; i < day.intervals.count(); ++i) {
        const IntervalSample& s = day.intervals.at(i);
        points.push_back({static_cast<double>(minutesIntoDay(s.time, date)), s.power,
                          marks[static_cast<std::size_t>(i)]});
    }
    return points;
}

std::vector<ChartPoint> monthDailyTotals(const MeasurementCircuit& circuit,
                                         const MonthWindow& window) {
    std::vector<ChartPoint> points;
    const double start = window.start.dateOnly().value();
    int previousDay = -2;
    for (int index : daysInWindow(circuit, window)) {
        const MeasurementDay& day = circuit.days.at(index);
        const int offset = static_cast<int>(std::lround(day.date.dateOnly().value() - start));
        const PointMark mark = offset == previousDay + 1 ? PointMark::Continue : PointMark::Start;
        points.push_back({offset * double(kMinutesPerDay), day.data.summary.energy, mark});
        previousDay = offset;
    }
    return points;
}
