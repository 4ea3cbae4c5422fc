#include "views/graph/GraphPage.h"
#include "store/MonthWindow.h"
#include "support/Format.h"
#include "support/Sjis.h"
#include "textout/TextoutTexts.h"
#include "textout/ValueFormat.h"
#include "views/graph/GraphTexts.h"
#include "views/layout/ChartRules.h"
#include "views/layout/LayoutTexts.h"
#include "views/table/SheetFlags.h"
#include "views/table/TableStyle.h"
#include "views/table/TableTexts.h"
#include "views/table/TitleTables.h"
#include <algorithm>
#include <cmath>
#include <map>

using namespace table_style;

namespace {

// One curve: where its values come from, per sample and per day summary.
struct Curve {
    const char* name;
    const char* unit;
    double maximum;
    int32_t gap;
    int32_t width;
    int32_t nameOffset;
    ColorRef line;
    ColorRef fill;
    bool ownAxis;
    int32_t style;
    int32_t placement;
    std::function<double(const IntervalSample&)> sample;
    std::function<double(const DaySummary&)> day;
};

std::vector<Curve> curvesFor(GraphPage::ChartKind kind, const SheetFlags& f,
                             const GraphScales& scales, bool printing) {
    const double kw = f.kilowatts ? 0.001 : 1.0;
    const double kv = f.kilovolts ? 0.001 : 1.0;
    std::vector<Curve> curves;
    if (kind == GraphPage::PowerChart) {
        curves.push_back(
            {f.reverse ? txt::graph::kForwardPowerName.c_str() : txt::graph::kPowerName.c_str(),
             f.kilowatts ? txt::graph::kUnitKW.c_str() : txt::graph::kUnitW.c_str(), scales.power,
             5, printing ? 110 : 150, 0, rgb(200, 0, 0), rgb(255, 150, 150), true,
             ChartSeries::Bars, f.reverse ? ChartSeries::LeftHalf : ChartSeries::WholeSlot,
             [kw](const IntervalSample& s) { return s.power * kw; },
             [kw](const DaySummary& d) { return d.averagePower * kw; }});
        if (f.reverse)
            curves.push_back({txt::graph::kReversePowerName, "", scales.power, 0, 0, 150,
                              rgb(0, 150, 0), rgb(180, 255, 180), false, ChartSeries::Bars,
                              ChartSeries::RightHalf,
                              [kw](const IntervalSample& s) { return -s.reversePower * kw; },
                              [kw](const DaySummary& d) { return -d.reverseAveragePower * kw; }});
        curves.push_back({txt::graph::kPowerFactorName, txt::graph::kUnitPercent,
                          ChartSeries::PowerFactorMaximum, 20, printing ? 110 : 100, 0,
                          rgb(0, 0, 255), rgb(0, 0, 255), true, ChartSeries::Line,
                          ChartSeries::WholeSlot,
                          [](const IntervalSample& s) { return s.powerFactor; },
                          [](const DaySummary& d) { return d.averagePowerFactor; }});
        return curves;
    }
    const bool voltage = kind == GraphPage::VoltageChart;
    const double scale = voltage ? kv : 1.0;
    const double top = voltage ? scales.voltage : scales.current;
    const char* names[3] = {voltage ? txt::graph::kVoltage1.c_str() : txt::graph::kCurrent1.c_str(),
                            voltage ? txt::graph::kVoltage2.c_str() : txt::graph::kCurrent2.c_str(),
                            voltage ? txt::graph::kVoltage3.c_str()
                                    : txt::graph::kCurrent3.c_str()};
    const ColorRef colours[3] = {rgb(0, 0, 0), rgb(0, 0, 255), rgb(255, 0, 0)};
    const int count = f.fourWire ? 3 : 2;
    for (int i = 0; i < count; ++i) {
        const size_t e = static_cast<size_t>(i);
        const char* name = i == 1 && !f.fourWire ? names[2] : names[i];
        const char* unit = i > 0         ? ""
                           : !voltage    ? txt::graph::kUnitA
                           : f.kilovolts ? txt::graph::kUnitKV.c_str()
                                         : txt::graph::kUnitV.c_str();
        curves.push_back({name, unit, top, i == 0 ? 5 : 0, i == 0 ? 130 : 0, 110 * i, colours[i],
                          colours[i], i == 0, ChartSeries::Line, ChartSeries::WholeSlot,
                          [voltage, scale, e](const IntervalSample& s) {
                              return (voltage ? s.voltage[e] : s.current[e]) * scale;
                          },
                          [voltage, scale, e](const DaySummary& d) {
                              return (voltage ? d.averageVoltage[e] : d.averageCurrent[e]) * scale;
                          }});
    }
    return curves;
}

// How a value of the series reads in the hover readout and the copy: the unit and decimals of
// the table that lists the same figure.
void setReadout(ChartSeries& s, GraphPage::ChartKind kind, const SheetFlags& f, bool monthly) {
    if (kind == GraphPage::PowerChart && s.isPowerFactorAxis()) {
        s.valueUnit = "%";
        s.decimals = 1;
    } else if (kind == GraphPage::PowerChart) {
        s.valueUnit = f.kilowatts ? "kW" : "W";
        s.decimals = f.kilowatts ? 1 : 0;
    } else if (kind == GraphPage::VoltageChart) {
        s.valueUnit = f.kilovolts ? "kV" : "V";
        s.decimals = 1;
    } else {
        s.valueUnit = "A";
        s.decimals = 2;
    }
    // A month's points are day averages, which its table lists with one decimal.
    if (monthly)
        s.decimals = 1;
}

// A curve's name as a readout or a column heading shows it: half-width digits ("電圧1"), as
// the table's headings are.
std::string readoutName(const ChartSeries& s) {
    std::string out;
    for (std::size_t i = 0; i < s.name.size(); ++i) {
        const auto lead = static_cast<unsigned char>(s.name[i]);
        if (sjis::isLeadByte(lead) && i + 1 < s.name.size()) {
            const auto trail = static_cast<unsigned char>(s.name[i + 1]);
            if (lead == 0x82 && trail >= 0x4F && trail <= 0x58)
                out += static_cast<char>('0' + trail - 0x4F);
            else
                out.append(s.name, i, 2);
            ++i;
        } else {
            out += s.name[i];
        }
    }
    return out;
}

std::string readoutValue(const ChartSeries& s, const ChartSeries::Point& p) {
    return formatText("%.*f", s.decimals, p.value.toDouble());
}

// Where the points of a report lie on its time axis: the index of each sample (daily) or
// stored day (monthly) that is drawn, with its minutes from the start.
struct PointSource {
    int index;
    double minutes;
};

std::vector<PointSource> pointSources(const DisplaySelection& selection, const TimeAxis& axis) {
    std::vector<PointSource> points;
    const DateTime& start = axis.startDate;
    if (!start.isValid())
        return points; // a start day the month does not have: no day lies inside
    if (selection.isMonthly()) {
        // Only this channel's days of the report month (the circuit lists both channels).
        if (!selection.circuit)
            return points;
        const auto& days = selection.circuit->days;
        const int channel = selection.day.channel;
        for (int i = days.lowerBound({channel, start}); i < days.count(); ++i) {
            const MeasurementDay& day = days.at(i);
            if (day.channel != channel || !(day.date < axis.endDate))
                break;
            if (!(day.date < start))
                points.push_back({i, double(chart_rules::wholeMinutesBetween(start, day.date))});
        }
        return points;
    }
    const auto& samples = selection.day.data.intervals;
    for (int i = 0; i < samples.count(); ++i) {
        const DateTime& t = samples.at(i).time;
        if (!(t < start) && !(axis.endDate < t))
            points.push_back({i, double(chart_rules::wholeMinutesBetween(start, t))});
    }
    return points;
}

TimeChart* placeChart(GridElement& grid, int column, int row, const char* name) {
    TimeChart chart;
    chart.setName(name);
    return static_cast<TimeChart*>(grid.setContent(column, row, chart));
}

} // namespace

GraphPage::GraphPage(const DeviceContext& dc, bool printing)
    : m_printing(printing), m_root(std::make_unique<GridElement>()) {
    const FontSpec seed = FontSpec::make(dc, txt::layout::kFaceGothic, 10);
    GridElement& root = *m_root;
    if (!printing) {
        root.initTracks(1, 4, -1, -1, BoxElement());
        root.setFixedSize(0, 55, GridElement::Rows);
        root.setFixedSize(1, 55, GridElement::Rows);
    } else {
        root.initTracks(1, 8, -1, -1, BoxElement());
        const std::pair<int, int> fixed[] = {{0, 55}, {1, 55}, {3, 5}, {5, 20}, {7, 45}};
        for (auto [row, size] : fixed)
            root.setFixedSize(row, size, GridElement::Rows);
    }
    m_title = static_cast<TextTable*>(root.setContent(0, 0, TextTable()));
    m_detail = static_cast<TextTable*>(root.setContent(0, 1, TextTable()));
    title_tables::setUp(*m_title, *m_detail, seed,
                        printing ? 0 : title_tables::readableOnScreen(dc));
    m_power = placeChart(root, 0, 2, "meas graph");
    if (!printing) {
        GridElement fourLine;
        fourLine.setName("4line");
        auto* grid = static_cast<GridElement*>(root.setContent(0, 3, fourLine));
        grid->initTracks(2, 1, -1, -1, BoxElement());
        grid->setWeight(0, 50.0, GridElement::Columns);
        m_voltage = placeChart(*grid, 0, 0, "vol graph");
        m_current = placeChart(*grid, 1, 0, "vol graph");
    } else {
        m_voltage = placeChart(root, 0, 4, "vol graph");
        m_current = placeChart(root, 0, 6, "vol graph");
        TextBox page;
        page.setName("page");
        m_pageNumber = static_cast<TextBox*>(root.setContent(0, 7, page));
        m_pageNumber->setFont(seed);
        m_pageNumber->setFitOn(1);
        m_pageNumber->setText(txt::table::kPageNumberInitial);
        m_pageNumber->setTextFormat(PageNumberFormat);
    }
    for (TimeChart* chart : {m_power, m_voltage, m_current}) {
        TimeAxis axis;
        axis.maximum = 60;
        chart->setAxis(axis);
    }
}

TimeChart& GraphPage::chart(ChartKind kind) {
    return kind == PowerChart ? *m_power : kind == VoltageChart ? *m_voltage : *m_current;
}

const TimeChart& GraphPage::chart(ChartKind kind) const {
    return kind == PowerChart ? *m_power : kind == VoltageChart ? *m_voltage : *m_current;
}

TimeAxis GraphPage::timeAxisFor(const DisplaySelection& selection, int monthStartDay,
                                const DateTime& now) {
    TimeAxis axis;
    DateTime start;
    DateTime end;
    if (selection.isMonthly()) {
        const MonthWindow window = monthWindow(selection.year, selection.month, monthStartDay);
        start = window.start;
        end = start.addDays(30);
        axis.endDate = window.end;
    } else {
        const auto& samples = selection.day.data.intervals;
        if (samples.count() > 0) {
            start = samples.at(0).time;
            end = samples.at(samples.count() - 1).time;
        } else {
            start = now.dateOnly();
            end = start.addMinutes(60);
        }
        axis.endDate = end;
    }
    axis.startDate = start;
    axis.minimum = 0;
    axis.maximum = chart_rules::wholeMinutesBetween(start, end);
    return axis;
}

void GraphPage::fill(const DisplaySelection& selection, const GraphScales& scales,
                     int monthStartDay, const DateTime& now, int page, int pageCount) {
    if (m_printing && m_pageNumber)
        m_pageNumber->setText(formatText(txt::table::kPageNumber, page, pageCount));
    if (!selection.isValid())
        return;
    const SheetFlags flags = sheetFlags(selection);
    // A monthly page shows the month's totals, as the table and summary pages do.
    title_tables::fill(*m_title, *m_detail, selection, summaryInForce(selection), monthStartDay);
    m_monthly = selection.isMonthly();
    const TimeAxis axis = timeAxisFor(selection, monthStartDay, now);
    const std::vector<PointSource> points = pointSources(selection, axis);
    m_context =
        FillContext{&selection, axis.startDate, flags.kilowatts, flags.kilovolts, m_printing};
    for (ChartKind kind : {PowerChart, VoltageChart, CurrentChart}) {
        TimeChart& c = chart(kind);
        c.setAxis(axis);
        for (const Curve& curve : curvesFor(kind, flags, scales, m_printing)) {
            ChartSeries& s = c.addSeries();
            s.name = curve.name;
            s.unit = curve.unit;
            s.minimum = 0;
            s.maximum = curve.maximum;
            s.axisGap = curve.gap;
            s.axisWidth = curve.width;
            s.nameOffset = curve.nameOffset;
            s.lineColour = curve.line;
            s.fillColour = curve.fill;
            s.ownAxis = curve.ownAxis ? 1 : 0;
            s.style = curve.style;
            s.barPlacement = curve.placement;
            setReadout(s, kind, flags, m_monthly);
            s.points.reserve(points.size());
            for (const PointSource& p : points)
                s.addPoint(p.minutes,
                           m_monthly ? curve.day(selection.circuit->days.at(p.index).data.summary)
                                     : curve.sample(selection.day.data.intervals.at(p.index)));
        }
        for (const Extension& extension : m_extensions)
            extension(kind, c, m_context);
    }
}

TimeChart* GraphPage::chartAt(Point logical) {
    for (TimeChart* c : {m_power, m_voltage, m_current}) {
        const Rect r = c->rect().normalised();
        if (logical.x >= r.left && logical.x <= r.right && logical.y >= r.top &&
            logical.y <= r.bottom)
            return c;
    }
    return nullptr;
}

std::string GraphPage::timeText(int32_t minutes) const {
    return m_context.start.addMinutes(minutes).format(m_monthly ? "%#m/%#d" : "%H:%M");
}

std::string GraphPage::valuesAt(const TimeChart& c, int32_t logicalX) const {
    if (c.seriesCount() == 0 || c.axis().scale == 0)
        return {};
    const double minutes = (logicalX - c.axis().origin) / c.axis().scale + c.axis().minimum;
    const ChartSeries& first = c.series(0);
    if (first.points.empty())
        return {};
    // Points are in time order: the nearest is at the lower bound or just before it.
    auto it = std::lower_bound(first.points.begin(), first.points.end(), minutes,
                               [](const ChartSeries::Point& p, double m) { return p.minutes < m; });
    if (it == first.points.end() ||
        (it != first.points.begin() && minutes - std::prev(it)->minutes < it->minutes - minutes))
        --it;
    const size_t index = static_cast<size_t>(it - first.points.begin());
    std::string text = timeText(static_cast<int32_t>(it->minutes));
    for (size_t i = 0; i < c.seriesCount(); ++i) {
        const ChartSeries& s = c.series(i);
        if (index < s.points.size())
            text += "  " + readoutName(s) + "=" + readoutValue(s, s.points[index]) + s.valueUnit;
    }
    return text;
}

std::string GraphPage::copyText() const {
    // One column per curve of the three charts; rows by time.
    std::map<double, std::vector<std::string>> rows;
    std::vector<const ChartSeries*> columns;
    for (const TimeChart* c : {m_power, m_voltage, m_current})
        for (size_t i = 0; i < c->seriesCount(); ++i)
            columns.push_back(&c->series(i));
    for (size_t col = 0; col < columns.size(); ++col)
        for (const ChartSeries::Point& p : columns[col]->points) {
            auto& row = rows[p.minutes];
            row.resize(columns.size());
            row[col] = readoutValue(*columns[col], p);
        }
    std::string out =
        m_monthly ? txt::textout::kDateHeading.c_str() : txt::textout::kTimeHeading.c_str();
    for (const ChartSeries* s : columns)
        out += "\t" + readoutName(*s) + (s->valueUnit.empty() ? "" : "[" + s->valueUnit + "]");
    out += '\n';
    for (const auto& [minutes, values] : rows) {
        out += timeText(static_cast<int32_t>(minutes));
        for (size_t col = 0; col < columns.size(); ++col)
            out += "\t" + (col < values.size() ? values[col] : std::string());
        out += '\n';
    }
    return out;
}
