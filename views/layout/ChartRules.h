#pragma once
#include "support/DateTime.h"
#include <cstdint>
#include <string>
#include <vector>

// The numbers and texts of a time chart as pure functions, so they can be checked without
// drawing anything.
namespace chart_rules {

struct TickRule {
    int32_t intervalMinutes;
    const char* labelFormat; // for DateTime::format
    const char* unitText;    // CP932
    int32_t labelOffsetX;
    int32_t labelOffsetY;
    int32_t escapement; // tenths of a degree
};
// Tick interval and label style for a time axis spanning that many minutes.
TickRule tickRuleForSpan(double spanMinutes);

// Whole minutes from `from` to `to`, half a second rounded away from zero.
int32_t wholeMinutesBetween(const DateTime& from, const DateTime& to);

struct Tick {
    DateTime time;
    int32_t minutes; // from the start
};
// Ticks after `start` (on whole hours plus multiples of the interval) and before
// start + span.
std::vector<Tick> tickTimes(const DateTime& start, double spanMinutes, int32_t intervalMinutes);

// The top of a value axis for values up to `maximum`: the smallest 1, 2 or 5 times a power of
// ten not below it; 1 for a maximum that is not positive.
double roundAxisMaximum(double maximum);

// Number of divisions of a value axis spanning `range`; 0 when the range is not positive.
int axisDivisions(double range);
// printf format of value axis labels.
const char* axisLabelFormat(double range);
// Label of a power-factor axis for the value v (0..200); `bottom` for the last label.
std::string powerFactorLabel(double v, bool bottom);

struct AxisLabel {
    int32_t y;
    double value;
    std::string text;
};
// Labels of a value axis from the top (strip top) to the bottom (strip bottom), with their
// y positions; a maximum of -999 makes a power-factor axis. logicalOne is LogicalY(1).
std::vector<AxisLabel> valueAxisLabels(double minimum, double maximum, int32_t stripTop,
                                       int32_t stripBottom, int32_t logicalOne);

struct BarShape {
    int32_t left;
    int32_t width;
};
// Horizontal extent of each bar for points at the pixel positions xs.
std::vector<BarShape> barShapes(const std::vector<int32_t>& xs, int32_t placement);

// Tops of the labels of level lines, all measured downwards from the plot's top: a label
// (`height` high) sits just above its line, or just below it when the plot's top or a label
// above leaves no room there; none overlaps another and all stay within the plot's height
// as long as they fit in it. The result is in the order of `lines`.
std::vector<int32_t> levelLabelTops(const std::vector<int32_t>& lines, int32_t height,
                                    int32_t plotHeight);

} // namespace chart_rules
