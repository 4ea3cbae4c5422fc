#include "views/analysis/AnalysisTables.h"

#include "analysis/AnalysisTexts.h"
#include "support/Format.h"
#include "textout/ValueFormat.h"

namespace {

namespace text = txt::analysis;

const char* unit(bool kw) {
    return kw ? "kW" : "W";
}

// The report table's names and units: phases 1, 2, 3 on 3相4線, else 1 and 3; kV when the
// report shows kV.
struct Units {
    bool kw = false;
    bool kv = false;
    int phases = 2;

    int digit(int k) const { return phases == 3 || k == 0 ? k + 1 : 3; }
    const char* volts() const { return kv ? "kV" : "V"; }
    double voltsOf(double v) const { return kv ? v * 0.001 : v; }
};

std::string powerText(double w, bool kw) {
    return kw ? formatText("%.2f", w / 1000.0) : formatText("%.0f", w);
}

// A sample's time ends its interval: the day's last one reads "24:00". A monthly report puts
// the date first.
std::string timeText(const DateTime& t, bool withDate) {
    return withDate ? t.format("%m/%d %H:%M") : rangeEndText(t);
}

std::string extremeText(const std::string& value, const DateTime& t, bool withDate) {
    return value + " (" + timeText(t, withDate) + ")";
}

AnalysisTable demandTable(const ReportAnalysis& a, const Units& u) {
    const bool kw = u.kw;
    const bool withDate = a.monthly;
    AnalysisTable t{text::kDemandTitle, {text::kItem, text::kValue}, {}};
    auto row = [&](std::string label, std::string value) {
        t.rows.push_back({std::move(label), std::move(value)});
    };
    const HalfHourDemand* maximum = a.maximumDemand();
    row(formatText(text::kMaxDemand, unit(kw)),
        maximum ? halfHourText(*maximum, kw, withDate) : text::kNone.str());
    const MonthMaximum& year = a.twelveMonthMaximum;
    row(formatText(text::kTwelveMonth, unit(kw)),
        year.found
            ? formatText(text::kTwelveMonthValue, powerText(year.peak.demand, kw).c_str(),
                         year.peak.from.format("%Y/%m/%d %H:%M").c_str(), year.year, year.month)
            : text::kNone.str());
    row(text::kLoadFactor, a.loadFactor ? formatText("%.1f", *a.loadFactor) : text::kNone.str());
    const bool contract = a.limits.contractDemand > 0.0;
    row(formatText(text::kContract, unit(kw)),
        contract ? powerText(a.limits.contractDemand, kw) : text::kNone.str());
    row(text::kAboveContract, contract ? std::to_string(a.counts.demandAbove) : text::kNone.str());
    const VoltageBand& band = a.counts.band;
    const sjis::Text bandFormat = u.kv ? sjis::Text("%.3f%s%.3f") : sjis::Text("%.1f%s%.1f");
    row(formatText(text::kBand, u.volts()),
        band.valid ? formatText(bandFormat, u.voltsOf(band.low), text::kTilde.c_str(),
                                u.voltsOf(band.high))
                         .str()
                   : text::kNone.str());
    for (int k = 0; k < a.statistics.phases; ++k) {
        const std::size_t kk = static_cast<std::size_t>(k);
        row(formatText(text::kOutOfBand, u.digit(k)),
            band.valid ? formatText(text::kOutOfBandValue, a.counts.voltageBelow[kk],
                                    a.counts.voltageAbove[kk])
                       : text::kNone.str());
    }
    row(text::kPfThreshold, formatText("%.1f", a.limits.powerFactorThreshold));
    row(text::kBelowPf, formatText(text::kBelowPfValue, a.counts.powerFactorBelow,
                                   a.counts.hoursBelowPowerFactor()));
    std::string tariff = text::kNone.str();
    if (a.statistics.powerFactor.count > 0)
        tariff = a.tariffEffect < 0   ? formatText(text::kDiscount, -a.tariffEffect)
                 : a.tariffEffect > 0 ? formatText(text::kSurcharge, a.tariffEffect)
                                      : std::string(text::kNoChange);
    row(text::kTariff, tariff);
    row(text::kIncompleteDays, formatText(text::kDaysValue, a.incompleteDays()));
    return t;
}

AnalysisTable statisticsTable(const ReportAnalysis& a, const Units& u) {
    const bool kw = u.kw;
    const bool withDate = a.monthly;
    AnalysisTable t{
        text::kStatisticsTitle, {text::kItem, text::kMinimum, text::kAverage, text::kMaximum}, {}};
    auto row = [&](std::string label, const ValueStatistics& v, auto text) {
        if (v.count == 0) {
            t.rows.push_back({std::move(label), text::kNone, text::kNone, text::kNone});
            return;
        }
        t.rows.push_back({std::move(label), extremeText(text(v.minimum), v.minimumTime, withDate),
                          text(v.average), extremeText(text(v.maximum), v.maximumTime, withDate)});
    };
    const ReportStatistics& s = a.statistics;
    row(formatText(text::kPower, unit(kw)), s.power, [kw](double v) { return powerText(v, kw); });
    auto oneDecimal = [](double v) { return formatText("%.1f", v); };
    auto twoDecimals = [](double v) { return formatText("%.2f", v); };
    auto volts = [&u](double v) { return formatText("%.1f", u.voltsOf(v)); };
    for (int k = 0; k < s.phases; ++k)
        row(formatText(text::kVoltage, u.digit(k), u.volts()),
            s.voltage[static_cast<std::size_t>(k)], volts);
    for (int k = 0; k < s.phases; ++k)
        row(formatText(text::kCurrent, u.digit(k)), s.current[static_cast<std::size_t>(k)],
            twoDecimals);
    row(text::kPowerFactor, s.powerFactor, oneDecimal);
    return t;
}

AnalysisTable largestTable(const ReportAnalysis& a, bool kw) {
    AnalysisTable t{
        text::kLargestTitle, {text::kRank, formatText(text::kPower, unit(kw)), text::kPeriod}, {}};
    for (std::size_t i = 0; i < a.largest.size(); ++i) {
        const HalfHourDemand& h = a.largest[i];
        t.rows.push_back({std::to_string(i + 1), powerText(h.demand, kw),
                          h.from.format(a.monthly ? "%m/%d %H:%M" : "%H:%M") + text::kTilde +
                              rangeEndText(h.to)});
    }
    return t;
}

AnalysisTable gapsTable(const ReportAnalysis& a) {
    AnalysisTable t{text::kGapsTitle,
                    {text::kDate, text::kMissingIntervals, text::kOutageIntervals, text::kInterval},
                    {}};
    for (const DayCoverageEntry& d : a.days) {
        if (!d.coverage.incomplete())
            continue;
        // A day without samples has no interval, so no count of the intervals it misses.
        const bool counted = d.coverage.intervalMinutes > 0;
        t.rows.push_back({d.date.format("%Y/%m/%d"),
                          counted ? std::to_string(d.coverage.missingIntervals()) : text::kNone,
                          std::to_string(d.coverage.outageIntervals),
                          counted ? std::to_string(d.coverage.intervalMinutes) : text::kNone});
    }
    return t;
}

} // namespace

std::string halfHourText(const HalfHourDemand& h, bool kw, bool withDate) {
    return powerText(h.demand, kw) + " (" + h.from.format(withDate ? "%Y/%m/%d %H:%M" : "%H:%M") +
           text::kTilde + rangeEndText(h.to) + ")";
}

std::vector<AnalysisTable> analysisTables(const ReportAnalysis& analysis, bool kw, bool kv) {
    const Units units{kw, kv, analysis.statistics.phases};
    return {demandTable(analysis, units), statisticsTable(analysis, units),
            largestTable(analysis, kw), gapsTable(analysis)};
}

std::string analysisHeading(const ReportAnalysis& a, const std::string& customer,
                            const std::string& circuit) {
    std::string period = a.date.format("%Y/%m/%d");
    if (a.monthly) {
        period = formatText("%04d/%02d", a.year, a.month);
        if (a.window.isValid())
            period += formatText(" (%s - %s)", a.window.start.format("%Y/%m/%d").c_str(),
                                 a.window.end.addDays(-1).format("%Y/%m/%d").c_str());
    }
    return customer + "  " + circuit + "  " + period;
}
