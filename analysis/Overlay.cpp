#include "analysis/Overlay.h"

#include "store/Aggregation.h"

#include <cmath>

int defaultOverlayDay(const MeasurementCircuit& circuit, const DateTime& shownDate) {
    return circuit.findDay(shownDate.dateOnly().addDays(-7));
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
