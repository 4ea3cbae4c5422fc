#include "views/layout/ChartRules.h"
#include "support/Format.h"
#include "views/layout/ChartSeries.h"
#include "views/layout/LayoutTexts.h"
#include <algorithm>
#include <cmath>
#include <cstdio>

namespace chart_rules {

TickRule tickRuleForSpan(double span) {
    struct Row {
        double upTo;
        int32_t interval;
    };
    static constexpr Row rows[] = {{30, 5},     {60, 10},    {120, 30},   {600, 60},
                                   {1200, 120}, {2400, 240}, {14400, 480}};
    for (const Row& row : rows)
        if (span <= row.upTo)
            return {row.interval, "%H:%M", txt::layout::kUnitHours, -30, 80, -450};
    return {5 * 1440, "%#m/%#d", txt::layout::kUnitDays, -7, 10, 0};
}

int32_t wholeMinutesBetween(const DateTime& from, const DateTime& to) {
    const double minutes = (to.value() - from.value()) * 1440.0;
    const double halfSecond = 0.5 / 60.0;
    return static_cast<int32_t>(minutes < 0 ? minutes - halfSecond : minutes + halfSecond);
}

std::vector<Tick> tickTimes(const DateTime& start, double spanMinutes, int32_t interval) {
    std::vector<Tick> ticks;
    if (!start.isValid() || interval <= 0 || !(spanMinutes > 0))
        return ticks;
    const DateTime base =
        DateTime::make(start.year(), start.month(), start.day(), start.hour(), 0, 0);
    if (!base.isValid())
        return ticks;
    // Far more than any axis can show; keeps an absurd span from running away.
    constexpr int MaxTicks = 20000;
    int step = 0;
    DateTime tick = base;
    while (!(tick > start) && step < MaxTicks)
        tick = base.addMinutes(++step * interval);
    while (static_cast<int>(ticks.size()) < MaxTicks) {
        const double offset = (tick.value() - start.value()) * 1440.0;
        if (!(offset < spanMinutes - 1e-6))
            break;
        ticks.push_back({tick, wholeMinutesBetween(start, tick)});
        tick = base.addMinutes(++step * interval);
    }
    return ticks;
}

double roundAxisMaximum(double maximum) {
    if (!(maximum > 0) || !std::isfinite(maximum))
        return 1.0;
    const double decade = std::pow(10.0, std::floor(std::log10(maximum)));
    for (double step : {1.0, 2.0, 5.0, 10.0})
        if (step * decade >= maximum * (1 - 1e-12))
            return step * decade;
    return 10.0 * decade;
}

int axisDivisions(double range) {
    if (!(range > 0) || !std::isfinite(range))
        return 0;
    double factor;
    if (range <= 0.01)
        factor = 1000;
    else if (range <= 0.1)
        factor = 100;
    else if (range <= 1)
        factor = 10;
    else if (range <= 10)
        factor = 1;
    else if (range <= 100)
        factor = 0.1;
    else if (range <= 1000)
        factor = 0.01;
    else if (range <= 10000)
        factor = 0.001;
    else {
        // Beyond 100000 the same rule goes on by decades: 1 to 10 divisions of a round step.
        double limit = 100000;
        factor = 0.0001;
        while (range > limit) {
            limit *= 10;
            factor /= 10;
        }
    }
    int n = static_cast<int>(range * factor);
    if (n < 1)
        n = 1; // tiny ranges below the finest decade
    if (n == 3)
        n = 6;
    else if (n == 2)
        n = 4;
    else if (n == 1)
        n = 3;
    return n;
}

const char* axisLabelFormat(double range) {
    if (range < 0.1)
        return "%.3f";
    if (range < 0.5)
        return "%.2f";
    if (range < 10)
        return "%.1f";
    return "%.0f";
}

std::string powerFactorLabel(double v, bool bottom) {
    const int f = static_cast<int>(v > 100 ? v - 200 : v);
    if (f == 100)
        return "100";
    if (bottom)
        return formatText("%+d", 0);
    if (f != 0)
        return formatText("%+d", f);
    return "-0";
}

std::vector<AxisLabel> valueAxisLabels(double minimum, double maximum, int32_t stripTop,
                                       int32_t stripBottom, int32_t logicalOne) {
    const bool powerFactor = maximum == ChartSeries::PowerFactorMaximum;
    const double max = powerFactor ? 200.0 : maximum;
    const double range = max - minimum;
    const int n = axisDivisions(range);
    const sjis::Text format{std::string_view(axisLabelFormat(range))};
    std::vector<AxisLabel> labels;
    if (n == 0) {
        // No step to divide by: the bottom label alone.
        labels.push_back(
            {stripBottom, minimum, powerFactor ? powerFactorLabel(minimum, true) : std::string()});
        if (!powerFactor)
            labels.back().text = formatText(format, minimum);
        return labels;
    }
    const double step = range / n;
    const double pixelStep = (stripBottom - stripTop + logicalOne) / static_cast<double>(n);
    for (int w = 0; w <= n; ++w) {
        const bool last = w == n;
        const int32_t y = last ? stripBottom : static_cast<int32_t>(stripTop + w * pixelStep);
        double v = max - w * step;
        if (std::abs(v) < std::abs(step) * 1e-9)
            v = 0.0; // no "-0" from rounding
        std::string text;
        if (powerFactor) {
            text = powerFactorLabel(v, last);
        } else {
            text = formatText(format, last ? minimum : v);
        }
        labels.push_back({y, last ? minimum : v, text});
    }
    return labels;
}

std::vector<BarShape> barShapes(const std::vector<int32_t>& xs, int32_t placement) {
    std::vector<BarShape> bars;
    bars.reserve(xs.size());
    const std::size_t n = xs.size();
    const bool half = placement == ChartSeries::LeftHalf || placement == ChartSeries::RightHalf;
    int32_t w = 20;
    for (std::size_t i = 0; i < n; ++i) {
        int32_t centre = xs[i];
        if (i == 0 && n >= 2)
            w = std::max(4, xs[1] - xs[0] - 3);
        if (half && (i == 0 || i == n - 1)) {
            // The outermost bars stay inside the plot; the halved width stays in force.
            w = std::max(2, w / 2);
            centre += i == 0 ? w / 2 : -(w / 2);
        }
        if (placement == ChartSeries::LeftHalf)
            bars.push_back({centre - w / 2, w / 2});
        else if (placement == ChartSeries::RightHalf)
            bars.push_back({centre, w / 2});
        else
            bars.push_back({centre - w / 2, w});
    }
    return bars;
}

std::vector<int32_t> levelLabelTops(const std::vector<int32_t>& lines, int32_t height,
                                    int32_t plotHeight) {
    std::vector<std::size_t> order(lines.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return lines[a] < lines[b]; });
    std::vector<int32_t> tops(lines.size());
    int32_t free = 0; // first position no label above takes
    for (std::size_t i : order) {
        const int32_t above = lines[i] - height;
        tops[i] = above >= free ? above : std::max(free, lines[i]);
        free = tops[i] + height;
    }
    // Labels pushed past the bottom move up again, each above the one below it.
    int32_t ceiling = plotHeight;
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        tops[*it] = std::min(tops[*it], ceiling - height);
        ceiling = tops[*it];
    }
    return tops;
}

} // namespace chart_rules
