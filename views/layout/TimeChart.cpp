#include "views/layout/TimeChart.h"
#include "views/layout/ChartRules.h"
#include "views/layout/LayoutTexts.h"
#include <algorithm>
#include <stdexcept>

namespace {

constexpr ColorRef Black = rgb(0, 0, 0);
constexpr ColorRef White = rgb(255, 255, 255);
constexpr ColorRef GridGrey = rgb(200, 200, 200);

} // namespace

TimeChart::TimeChart() = default;
TimeChart::~TimeChart() = default;

std::unique_ptr<LayoutElement> TimeChart::clone() const {
    return std::unique_ptr<LayoutElement>(new TimeChart(*this));
}

void TimeChart::setAxis(const TimeAxis& axis) {
    m_series.clear();
    m_levels.clear();
    m_axis = axis;
    resetScrollPositions();
}

ChartSeries& TimeChart::addSeries() {
    return m_series.emplace_back();
}

ChartSeries& TimeChart::series(std::size_t index) {
    if (index >= m_series.size())
        throw std::out_of_range("chart series index out of range");
    return m_series[index];
}

const ChartSeries& TimeChart::series(std::size_t index) const {
    if (index >= m_series.size())
        throw std::out_of_range("chart series index out of range");
    return m_series[index];
}

Point TimeChart::positionToTrack(const DeviceContext& dc, Point position) const {
    return {position.x, dc.logicalY(position.y)};
}

Point TimeChart::trackToPosition(const DeviceContext& dc, Point track) const {
    return {track.x, dc.logicalY(track.y)};
}

Rect TimeChart::scrolledContentRect(const DeviceContext&, const Rect& contentRect,
                                    bool& scrolled) const {
    scrolled = false;
    return contentRect;
}

bool TimeChart::place(LayoutHost* host, DeviceContext& dc, const Rect& rect,
                      const Rect& contentRect, const std::optional<Rect>& explicitClip,
                      const std::optional<Rect>& contentClip,
                      const std::optional<Rect>& outerClip) {
    if (!ScrollPane::place(host, dc, rect, contentRect, explicitClip, contentClip, outerClip))
        return false;
    int32_t axisWidths = 0;
    for (const ChartSeries& s : m_series)
        axisWidths += s.axisWidth;
    m_margins = {axisWidths + MarginLeftExtra, MarginTop, MarginRight, MarginBottom};
    m_plot = dc.deflateDevice(m_rect, 0, 0, 1, 1);
    m_plot =
        dc.deflateLogical(m_plot, m_margins.left, m_margins.top, m_margins.right, m_margins.bottom);
    // An empty range has no scale; everything then sits on the start edge.
    const double span = m_axis.maximum - m_axis.minimum;
    m_axis.origin = m_plot.left;
    m_axis.scale = span != 0 ? (m_plot.right - m_plot.left) / span : 0.0;
    for (ChartSeries& s : m_series) {
        const double range = s.effectiveMaximum() - s.minimum;
        s.origin = m_plot.top;
        s.scale = range != 0 ? (m_plot.bottom - m_plot.top) / range : 0.0;
    }
    return true;
}

int32_t TimeChart::xOf(double minutes) const {
    return static_cast<int32_t>(m_axis.pixel(minutes));
}

int32_t TimeChart::yOf(const ChartSeries& s, double v) const {
    if (s.isPowerFactorAxis() && v < 0)
        v += 200.0; // lead values sit above 100
    return static_cast<int32_t>(m_plot.bottom -
                                ((v - s.minimum) * s.scale + s.origin - m_plot.top));
}

bool TimeChart::drawSelf(LayoutHost*, DeviceContext& dc) {
    drawTimeAxis(dc);
    int32_t left = m_plot.left;
    for (std::size_t i = 0; i < m_series.size(); ++i) {
        const ChartSeries& s = m_series[i];
        left -= s.axisWidth + s.axisGap;
        const Rect strip{left, m_plot.top, left + s.axisWidth, m_plot.bottom};
        drawValueAxis(dc, s, strip, i == 0);
    }
    const FontSpec unitFont = FontSpec::make(dc, txt::layout::kFacePGothic, 100);
    const chart_rules::TickRule rule =
        chart_rules::tickRuleForSpan(m_axis.maximum - m_axis.minimum);
    dc.drawTextWithFont(
        rule.unitText,
        Rect{m_plot.right + 10, m_plot.bottom - dc.logicalY(30), m_rect.right, m_rect.bottom},
        Black, White, &unitFont, DT_SINGLELINE);
    dc.drawEdges(m_plot, 15, Black, 1, PS_SOLID);

    Rect inside = m_plot;
    inside.left += 1;
    dc.setClipLogical(inside);
    for (const ChartSeries& s : m_series)
        drawSeries(dc, s);
    for (const ChartLevel& level : m_levels)
        drawLevel(dc, level);
    drawLevelLabels(dc);
    return true;
}

void TimeChart::drawTimeAxis(DeviceContext& dc) {
    const double span = m_axis.maximum - m_axis.minimum;
    const chart_rules::TickRule rule = chart_rules::tickRuleForSpan(span);
    FontSpec labelFont = FontSpec::make(dc, txt::layout::kFaceGothic, 90);
    labelFont.escapement = rule.escapement;
    const int32_t labelY = m_plot.bottom + dc.logicalY(rule.labelOffsetY);
    auto label = [&](int32_t x, const DateTime& t) {
        const std::string text = t.format(rule.labelFormat);
        dc.textOutWithFont(x + rule.labelOffsetX, labelY, text, Black, White, &labelFont);
    };
    const DateTime& start = m_axis.startDate;
    if (start.isValid())
        label(m_plot.left, start);
    if (m_axis.endDate.isValid() && start.isValid())
        label(xOf(chart_rules::wholeMinutesBetween(start, m_axis.endDate)), m_axis.endDate);
    std::vector<chart_rules::Tick> ticks;
    if (m_axis.marks.empty())
        ticks = chart_rules::tickTimes(start, span, rule.intervalMinutes);
    else
        for (const DateTime& mark : m_axis.marks)
            ticks.push_back({mark, chart_rules::wholeMinutesBetween(start, mark)});
    for (const chart_rules::Tick& tick : ticks) {
        const int32_t x = xOf(tick.minutes);
        dc.drawEdges(Rect{x, m_plot.top, x, m_plot.bottom}, 1, GridGrey, 1, PS_DOT);
        label(x, tick.time);
    }
}

void TimeChart::drawValueAxis(DeviceContext& dc, const ChartSeries& s, const Rect& strip,
                              bool gridLines) {
    const FontSpec labelFont = FontSpec::make(dc, txt::layout::kFaceGothic, 90);
    FontSpec nameFont = FontSpec::make(dc, txt::layout::kFacePGothic, 100);
    nameFont.escapement = 2700;
    const FontSpec unitFont = FontSpec::make(dc, txt::layout::kFacePGothic, 100);
    if (s.ownAxis) {
        dc.drawEdges(strip, 2, s.lineColour, 1, PS_SOLID);
        const std::vector<chart_rules::AxisLabel> labels = chart_rules::valueAxisLabels(
            s.minimum, s.maximum, strip.top, strip.bottom, dc.logicalY(1));
        for (std::size_t w = 0; w < labels.size(); ++w) {
            const chart_rules::AxisLabel& l = labels[w];
            const bool inner = w > 0 && w + 1 < labels.size();
            if (gridLines && inner)
                dc.drawEdges(Rect{m_plot.left, l.y, m_plot.right, l.y}, 4, GridGrey, 1, PS_DOT);
            dc.drawEdges(Rect{strip.right - 5, l.y, strip.right + 2, l.y}, 4, s.lineColour, 1,
                         PS_SOLID);
            dc.drawTextWithFont(
                l.text,
                Rect{strip.left, l.y - dc.logicalY(50), strip.right - 2, l.y - dc.logicalY(3)},
                s.lineColour, White, &labelFont, DT_RIGHT | DT_BOTTOM | DT_SINGLELINE);
        }
    }
    dc.textOutWithFont(strip.left, strip.bottom - dc.logicalY(30) - dc.logicalY(s.nameOffset),
                       s.name, s.lineColour, White, &nameFont);
    dc.drawTextWithFont(s.unit,
                        Rect{strip.left, strip.top - dc.logicalY(85), strip.right, strip.top},
                        s.lineColour, White, &unitFont, DT_RIGHT | DT_SINGLELINE);
}

void TimeChart::drawSeries(DeviceContext& dc, const ChartSeries& s) {
    dc.selectPen(s.lineColour, s.penWidth, s.penStyle);
    dc.selectBrush(White);
    if (s.style == ChartSeries::Line) {
        bool broken = true;
        for (const ChartSeries::Point& p : s.points) {
            if (p.hidden) {
                broken = true;
                continue;
            }
            const int32_t x = xOf(p.minutes);
            const int32_t y = yOf(s, p.value.toDouble());
            if (broken || p.breakBefore)
                dc.moveTo(x, y);
            else
                dc.lineTo(x, y);
            broken = false;
        }
        dc.flush();
        return;
    }
    std::vector<int32_t> xs;
    xs.reserve(s.points.size());
    for (const ChartSeries::Point& p : s.points)
        xs.push_back(xOf(p.minutes));
    const std::vector<chart_rules::BarShape> bars = chart_rules::barShapes(xs, s.barPlacement);
    for (std::size_t i = 0; i < bars.size(); ++i) {
        if (s.points[i].hidden)
            continue;
        const int32_t y = yOf(s, s.points[i].value.toDouble());
        dc.fillRect(Rect{bars[i].left, y, bars[i].left + bars[i].width, m_plot.bottom},
                    s.fillColour);
    }
}

void TimeChart::drawLevel(DeviceContext& dc, const ChartLevel& level) {
    if (level.series >= m_series.size())
        return;
    const int32_t y = yOf(m_series[level.series], level.value);
    dc.drawEdges(Rect{m_plot.left, y, m_plot.right, y}, 4, level.colour, 2, PS_DASH);
}

void TimeChart::drawLevelLabels(DeviceContext& dc) {
    // Over the curves on an opaque ground, so a bar cannot hide them, and apart from each
    // other at the right end of their lines.
    const FontSpec font = FontSpec::make(dc, txt::layout::kFacePGothic, 90);
    std::vector<const ChartLevel*> labelled;
    std::vector<int32_t> lines; // downwards from the plot's top
    int32_t height = 0;
    for (const ChartLevel& level : m_levels) {
        if (level.series >= m_series.size() || level.label.empty())
            continue;
        labelled.push_back(&level);
        lines.push_back(dc.logicalY(yOf(m_series[level.series], level.value) - m_plot.top));
        height = std::max(height, dc.textExtent(level.label, &font).cy + 6);
    }
    const int32_t plotHeight = dc.logicalY(m_plot.bottom - m_plot.top);
    const std::vector<int32_t> tops = chart_rules::levelLabelTops(lines, height, plotHeight);
    for (std::size_t i = 0; i < labelled.size(); ++i) {
        const int32_t top = m_plot.top + dc.logicalY(tops[i]);
        const Rect box{m_plot.left, top, m_plot.right - 5, top + dc.logicalY(height)};
        const int32_t width = dc.textExtent(labelled[i]->label, &font).cx;
        dc.fillRect(Rect{box.right - width - 6, box.top, box.right + 3, box.bottom}, White);
        dc.drawTextWithFont(labelled[i]->label, box, labelled[i]->colour, White, &font,
                            DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
    }
}
