#pragma once
#include "views/layout/ChartValue.h"
#include "views/layout/DrawTypes.h"
#include <string>
#include <vector>

// One curve or bar row of a time chart with its value axis.
struct ChartSeries {
    struct Point {
        ChartValue value;     // y
        double minutes = 0.0; // x
        // Missing data: the line does not join this point to the previous one (a gap lies
        // between), and a hidden point (an outage) has neither line nor bar.
        bool breakBefore = false;
        bool hidden = false;
    };
    enum Style : int32_t { Bars = 0, Line = 2 };
    enum Placement : int32_t { WholeSlot = 0, LeftHalf = 1, RightHalf = 2 };
    // A maximum of this value marks the power-factor axis (0..200, lead above 100).
    static constexpr double PowerFactorMaximum = -999.0;

    std::vector<Point> points;
    double minimum = 0.0;
    double maximum = 0.0;
    double origin = 0.0; // computed by place
    double scale = 0.0;  // computed by place
    int32_t axisGap = 5;
    int32_t axisWidth = 100;
    int32_t nameOffset = 0;
    std::string name = "item";
    std::string unit = "unit"; // the axis label's unit, on the first series of an axis only
    // How one value reads in the hover readout and the copied columns: its unit ("kW") and the
    // decimals of the table that lists the same figure.
    std::string valueUnit;
    int decimals = 2;
    ColorRef lineColour = 0;
    ColorRef fillColour = 0;
    int32_t ownAxis = 1;
    int32_t style = Line;
    int32_t barPlacement = WholeSlot;
    int32_t penWidth = 3;
    int32_t penStyle = PS_SOLID;

    bool isPowerFactorAxis() const { return maximum == PowerFactorMaximum; }
    // The top of the axis: 200 for a power-factor axis.
    double effectiveMaximum() const { return isPowerFactorAxis() ? 200.0 : maximum; }
    void addPoint(double minutes, double value) {
        points.push_back(Point{ChartValue::fromDouble(value), minutes});
    }
};
