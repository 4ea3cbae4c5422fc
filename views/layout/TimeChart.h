#pragma once
#include "views/layout/ChartSeries.h"
#include "views/layout/ScrollPane.h"
#include "views/layout/TimeAxis.h"
#include <deque>
#include <string>
#include <vector>

// A horizontal line at a value of one series' axis (a limit), drawn over the curves.
struct ChartLevel {
    std::size_t series = 0; // the axis the value belongs to
    double value = 0.0;
    ColorRef colour = 0;
    std::string label; // drawn at the right end, above the line (below when crowded)
};

// Curves and bars over a time axis: a plot rectangle with the time axis along its bottom
// and one value axis strip per series to its left.
class TimeChart : public ScrollPane {
public:
    static constexpr int32_t MarginLeftExtra = 40;
    static constexpr int32_t MarginTop = 110;
    static constexpr int32_t MarginRight = 100;
    static constexpr int32_t MarginBottom = 100;

    TimeChart();
    ~TimeChart() override;
    std::unique_ptr<LayoutElement> clone() const override;
    bool drawSelf(LayoutHost* host, DeviceContext& dc) override;
    bool place(LayoutHost* host, DeviceContext& dc, const Rect& rect, const Rect& contentRect,
               const std::optional<Rect>& explicitClip, const std::optional<Rect>& contentClip,
               const std::optional<Rect>& outerClip) override;
    Point positionToTrack(const DeviceContext& dc, Point position) const override;
    Point trackToPosition(const DeviceContext& dc, Point track) const override;
    Rect scrolledContentRect(const DeviceContext& dc, const Rect& contentRect,
                             bool& scrolled) const override;

    // Removes all series and levels, takes the axis and scrolls back to the start.
    void setAxis(const TimeAxis& axis);
    // Appends a series with the defaults; the reference stays valid until setAxis.
    ChartSeries& addSeries();
    void addLevel(const ChartLevel& level) { m_levels.push_back(level); }
    const std::vector<ChartLevel>& levels() const { return m_levels; }
    const TimeAxis& axis() const { return m_axis; }
    TimeAxis& axis() { return m_axis; }
    std::size_t seriesCount() const { return m_series.size(); }
    ChartSeries& series(std::size_t index);
    const ChartSeries& series(std::size_t index) const;
    const Rect& plotRect() const { return m_plot; }
    const Rect& margins() const { return m_margins; }

    // Time-axis pixel of a point's minutes, and value pixel of a series value (truncated).
    int32_t xOf(double minutes) const;
    int32_t yOf(const ChartSeries& series, double value) const;

protected:
    TimeChart(const TimeChart&) = default;

private:
    void drawTimeAxis(DeviceContext& dc);
    void drawValueAxis(DeviceContext& dc, const ChartSeries& series, const Rect& strip,
                       bool gridLines);
    void drawSeries(DeviceContext& dc, const ChartSeries& series);
    // The dashed line of a level, over the curves.
    void drawLevel(DeviceContext& dc, const ChartLevel& level);
    // The labels of the levels, over the curves and lines, none hiding another.
    void drawLevelLabels(DeviceContext& dc);

    Rect m_plot;
    Rect m_margins;
    std::deque<ChartSeries> m_series;
    std::vector<ChartLevel> m_levels;
    TimeAxis m_axis;
};
