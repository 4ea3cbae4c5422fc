#include "analysis/ChartMarks.h"

#include "views/layout/ChartRules.h"

#include <map>

void markDayGaps(TimeChart& chart, const DayData& day, const DateTime& date,
                 const DateTime& axisStart) {
    const std::vector<PointMark> marks = pointMarks(day, date);
    std::map<int32_t, PointMark> byMinute;
    for (int i = 0; i < day.intervals.count(); ++i)
        byMinute[chart_rules::wholeMinutesBetween(axisStart, day.intervals.at(i).time)] =
            marks[static_cast<std::size_t>(i)];
    for (std::size_t k = 0; k < chart.seriesCount(); ++k) {
        for (ChartSeries::Point& p : chart.series(k).points) {
            auto it = byMinute.find(static_cast<int32_t>(p.minutes));
            if (it == byMinute.end())
                continue;
            p.hidden = it->second == PointMark::Skip;
            p.breakBefore = it->second == PointMark::Start;
        }
    }
}

void markMonthGaps(TimeChart& chart) {
    for (std::size_t k = 0; k < chart.seriesCount(); ++k) {
        std::vector<ChartSeries::Point>& points = chart.series(k).points;
        for (std::size_t i = 1; i < points.size(); ++i)
            points[i].breakBefore = points[i].minutes - points[i - 1].minutes > kMinutesPerDay;
    }
}

ChartSeries& addComparisonCurve(TimeChart& chart, const std::vector<ChartPoint>& points,
                                double shift, double factor, const std::string& name,
                                ColorRef colour) {
    const double minimum = chart.seriesCount() ? chart.series(0).minimum : 0.0;
    const double maximum = chart.seriesCount() ? chart.series(0).maximum : 0.0;
    const double span = chart.axis().maximum;
    ChartSeries& s = chart.addSeries();
    s.minimum = minimum;
    s.maximum = maximum;
    s.ownAxis = 0;
    s.axisWidth = 0;
    s.axisGap = 0;
    s.name = name;
    s.unit = "";
    s.lineColour = colour;
    s.fillColour = colour;
    s.style = ChartSeries::Line;
    s.penWidth = 2;
    bool broken = false;
    for (const ChartPoint& p : points) {
        const double x = p.minutes - shift;
        if (x < 0.0 || x > span || p.mark == PointMark::Skip) {
            broken = true;
            continue;
        }
        s.addPoint(x, p.value * factor);
        s.points.back().breakBefore = broken || p.mark == PointMark::Start;
        broken = false;
    }
    return s;
}
