#pragma once
// What the analysis adds to the time charts of a report: breaks where data is missing, and a
// comparison curve over the power curve.
#include "analysis/CircuitLimits.h"
#include "analysis/DayCoverage.h"
#include "analysis/Overlay.h"
#include "store/DAT_DisplaySelection.h"
#include "store/DAT_Records.h"
#include "views/layout/TimeChart.h"
#include <string>
#include <vector>

// The chart's points of a day's samples (x = whole minutes from axisStart to the sample) get
// the day's marks: a point after a gap starts the line anew, an outage point is hidden.
void markDayGaps(TimeChart& chart, const DayData& day, const DateTime& date,
                 const DateTime& axisStart);

// Points of a monthly chart (one per stored day): a line does not join days with a missing
// day between them.
void markMonthGaps(TimeChart& chart);

// A comparison line on the axis of the chart's first series (same range, no axis of its own):
// x = the point's minutes less `shift`, y = value × factor; points off the axis are left out.
ChartSeries& addComparisonCurve(TimeChart& chart, const std::vector<ChartPoint>& points,
                                double shift, double factor, const std::string& name,
                                ColorRef colour);

// Which chart of the graph page is being filled, and from what.
enum class ChartRole { Power, Voltage, Current };
struct ChartFill {
    const DisplaySelection* selection = nullptr;
    DateTime start; // minute 0 of the time axis
    bool kilowatts = false;
    bool kilovolts = false;
    bool printing = false;
};

// Everything the analysis adds to one chart: the breaks of missing data (screen and paper),
// and on screen only the limit lines (contract demand, power-factor threshold, voltage band)
// and the comparison curve of another day or report month.
void addAnalysisMarks(ChartRole role, TimeChart& chart, const ChartFill& fill,
                      const CircuitLimits& limits, const OverlayChoice& overlay, int startDay);
