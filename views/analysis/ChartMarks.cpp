#include "views/analysis/ChartMarks.h"

#include "analysis/AnalysisTexts.h"
#include "store/MonthWindow.h"
#include "support/Format.h"
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

namespace {

namespace text = txt::analysis;

constexpr ColorRef kLimitColour = rgb(230, 120, 0);
constexpr ColorRef kComparisonColour = rgb(120, 120, 120);

std::size_t powerFactorSeries(const TimeChart& chart) {
    for (std::size_t i = 0; i < chart.seriesCount(); ++i)
        if (chart.series(i).isPowerFactorAxis())
            return i;
    return chart.seriesCount();
}

void addComparison(TimeChart& chart, const ChartFill& fill, const OverlayChoice& overlay,
                   int startDay) {
    const DisplaySelection& s = *fill.selection;
    const MeasurementCircuit& circuit = *s.circuit;
    const double factor = fill.kilowatts ? 0.001 : 1.0;
    if (s.isMonthly()) {
        int year = 0, month = 0;
        overlayMonth(overlay, s.year, s.month, year, month);
        if (year == s.year && month == s.month)
            return;
        // The chart shows each day's average power: a day's total over its 24 hours.
        const std::vector<ChartPoint> points =
            monthDailyTotals(circuit, monthWindow(year, month, startDay));
        if (!points.empty())
            addComparisonCurve(
                chart, points, 0.0, factor / 24.0,
                formatText(text::kComparison, formatText("%04d/%02d", year, month).c_str()),
                kComparisonColour);
        return;
    }
    const int index = overlayDayIndex(circuit, s.day.date, overlay);
    if (index < 0 || circuit.days.at(index).date == s.day.date)
        return;
    const MeasurementDay& other = circuit.days.at(index);
    const double shift = chart_rules::wholeMinutesBetween(s.day.date.dateOnly(), fill.start);
    addComparisonCurve(chart, dayPowerCurve(other.data, other.date), shift, factor,
                       formatText(text::kComparison, other.date.format("%m/%d").c_str()),
                       kComparisonColour);
}

} // namespace

void addAnalysisMarks(ChartRole role, TimeChart& chart, const ChartFill& fill,
                      const CircuitLimits& limits, const OverlayChoice& overlay, int startDay) {
    if (!fill.selection || !fill.selection->isValid() || !fill.selection->circuit)
        return;
    const DisplaySelection& s = *fill.selection;
    if (s.isMonthly())
        markMonthGaps(chart);
    else
        markDayGaps(chart, s.day.data, s.day.date, fill.start);
    // The printed graph page stays as it is; limits and comparison are for the screen.
    if (fill.printing || chart.seriesCount() == 0)
        return;
    const double power = fill.kilowatts ? 0.001 : 1.0;
    const double volts = fill.kilovolts ? 0.001 : 1.0;
    if (role == ChartRole::Power) {
        if (limits.contractDemand > 0.0) {
            const std::string value =
                (fill.kilowatts ? formatText("%.1f kW", limits.contractDemand * power)
                                : formatText("%.0f W", limits.contractDemand * power))
                    .str();
            chart.addLevel({0, limits.contractDemand * power, rgb(220, 0, 0),
                            formatText(text::kContractLine, value.c_str())});
        }
        const std::size_t pf = powerFactorSeries(chart);
        if (pf < chart.seriesCount())
            chart.addLevel({pf, limits.powerFactorThreshold, rgb(0, 0, 200),
                            formatText(text::kPfLine, limits.powerFactorThreshold)});
        if (overlay.shown)
            addComparison(chart, fill, overlay, startDay);
    } else if (role == ChartRole::Voltage) {
        const DaySummary& summary =
            s.isMonthly() && s.monthSummary ? *s.monthSummary : s.day.data.summary;
        const VoltageBand band = voltageBandOf(limits, summary.averageVoltage[0]);
        if (band.valid) {
            const sjis::Text unit = fill.kilovolts ? sjis::Text("%.3f kV") : sjis::Text("%.1f V");
            chart.addLevel(
                {0, band.low * volts, kLimitColour,
                 formatText(text::kBandLowLine, formatText(unit, band.low * volts).c_str())});
            chart.addLevel(
                {0, band.high * volts, kLimitColour,
                 formatText(text::kBandHighLine, formatText(unit, band.high * volts).c_str())});
        }
    }
}
