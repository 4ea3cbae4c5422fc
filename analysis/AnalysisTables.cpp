#include "analysis/AnalysisTables.h"

#include "analysis/AnalysisTexts.h"
#include "support/Format.h"
#include "textout/ValueFormat.h"

namespace {

namespace txt = analysis::txt;

const char* unit(bool kw) {
    return kw ? "kW" : "W";
}

std::string powerText(double w, bool kw) {
    return kw ? formatText("%.2f", w / 1000.0) : formatText("%.0f", w);
}

// A sample's time ends its interval: the day's last one reads "24:00". A monthly report puts
// the date first.
std::string timeText(const DateTime& t, bool withDate) {
    return withDate ? t.format("%m/%d %H:%M") : RangeEndText(t);
}

std::string extremeText(const std::string& value, const DateTime& t, bool withDate) {
    return value + " (" + timeText(t, withDate) + ")";
}

AnalysisTable demandTable(const ReportAnalysis& a, bool kw) {
    const bool withDate = a.monthly;
    AnalysisTable t{txt::kDemandTitle, {txt::kItem, txt::kValue}, {}};
    auto row = [&](std::string label, std::string value) {
        t.rows.push_back({std::move(label), std::move(value)});
    };
    const HalfHourDemand* maximum = a.maximumDemand();
    row(formatText(txt::kMaxDemand, unit(kw)),
        maximum ? halfHourText(*maximum, kw, withDate) : txt::kNone);
    const MonthMaximum& year = a.twelveMonthMaximum;
    row(formatText(txt::kTwelveMonth, unit(kw)),
        year.found
            ? formatText(txt::kTwelveMonthValue, powerText(year.peak.demand, kw).c_str(),
                         year.peak.from.format("%Y/%m/%d %H:%M").c_str(), year.year, year.month)
            : txt::kNone);
    row(txt::kLoadFactor, maximum ? formatText("%.1f", a.loadFactor) : txt::kNone);
    const bool contract = a.limits.contractDemand > 0.0;
    row(formatText(txt::kContract, unit(kw)),
        contract ? powerText(a.limits.contractDemand, kw) : txt::kNone);
    row(txt::kAboveContract, contract ? std::to_string(a.counts.demandAbove) : txt::kNone);
    const VoltageBand& band = a.counts.band;
    row(txt::kBand,
        band.valid ? formatText("%.1f%s%.1f", band.low, txt::kTilde, band.high) : txt::kNone);
    for (int k = 0; k < a.statistics.phases; ++k) {
        const std::size_t kk = static_cast<std::size_t>(k);
        row(formatText(txt::kOutOfBand, k + 1),
            band.valid ? formatText(txt::kOutOfBandValue, a.counts.voltageBelow[kk],
                                    a.counts.voltageAbove[kk])
                       : txt::kNone);
    }
    row(txt::kPfThreshold, formatText("%.1f", a.limits.powerFactorThreshold));
    row(txt::kBelowPf,
        formatText(txt::kBelowPfValue, a.counts.powerFactorBelow, a.counts.hoursBelowPowerFactor));
    std::string tariff = txt::kNone;
    if (a.statistics.powerFactor.count > 0)
        tariff = a.tariffEffect < 0   ? formatText(txt::kDiscount, -a.tariffEffect)
                 : a.tariffEffect > 0 ? formatText(txt::kSurcharge, a.tariffEffect)
                                      : std::string(txt::kNoChange);
    row(txt::kTariff, tariff);
    row(txt::kIncompleteDays, formatText(txt::kDaysValue, a.incompleteDays()));
    return t;
}

AnalysisTable statisticsTable(const ReportAnalysis& a, bool kw) {
    const bool withDate = a.monthly;
    AnalysisTable t{
        txt::kStatisticsTitle, {txt::kItem, txt::kMinimum, txt::kAverage, txt::kMaximum}, {}};
    auto row = [&](std::string label, const ValueStatistics& v, auto text) {
        if (v.count == 0) {
            t.rows.push_back({std::move(label), txt::kNone, txt::kNone, txt::kNone});
            return;
        }
        t.rows.push_back({std::move(label), extremeText(text(v.minimum), v.minimumTime, withDate),
                          text(v.average), extremeText(text(v.maximum), v.maximumTime, withDate)});
    };
    const ReportStatistics& s = a.statistics;
    row(formatText(txt::kPower, unit(kw)), s.power, [kw](double v) { return powerText(v, kw); });
    auto oneDecimal = [](double v) { return formatText("%.1f", v); };
    auto twoDecimals = [](double v) { return formatText("%.2f", v); };
    for (int k = 0; k < s.phases; ++k)
        row(formatText(txt::kVoltage, k + 1), s.voltage[static_cast<std::size_t>(k)], oneDecimal);
    for (int k = 0; k < s.phases; ++k)
        row(formatText(txt::kCurrent, k + 1), s.current[static_cast<std::size_t>(k)], twoDecimals);
    row(txt::kPowerFactor, s.powerFactor, oneDecimal);
    return t;
}

AnalysisTable largestTable(const ReportAnalysis& a, bool kw) {
    AnalysisTable t{
        txt::kLargestTitle, {txt::kRank, formatText(txt::kDemand, unit(kw)), txt::kPeriod}, {}};
    for (std::size_t i = 0; i < a.largest.size(); ++i) {
        const HalfHourDemand& h = a.largest[i];
        t.rows.push_back({std::to_string(i + 1), powerText(h.demand, kw),
                          h.from.format(a.monthly ? "%m/%d %H:%M" : "%H:%M") + txt::kTilde +
                              RangeEndText(h.to)});
    }
    return t;
}

AnalysisTable gapsTable(const ReportAnalysis& a) {
    AnalysisTable t{txt::kGapsTitle,
                    {txt::kDate, txt::kMissingIntervals, txt::kOutageIntervals, txt::kInterval},
                    {}};
    for (const DayCoverageEntry& d : a.days) {
        if (!d.coverage.incomplete())
            continue;
        t.rows.push_back({d.date.format("%Y/%m/%d"), std::to_string(d.coverage.missingIntervals()),
                          std::to_string(d.coverage.outageIntervals),
                          std::to_string(d.coverage.intervalMinutes)});
    }
    return t;
}

} // namespace

std::string halfHourText(const HalfHourDemand& h, bool kw, bool withDate) {
    return powerText(h.demand, kw) + " (" + h.from.format(withDate ? "%Y/%m/%d %H:%M" : "%H:%M") +
           txt::kTilde + RangeEndText(h.to) + ")";
}

std::vector<AnalysisTable> analysisTables(const ReportAnalysis& analysis, bool kw) {
    return {demandTable(analysis, kw), statisticsTable(analysis, kw), largestTable(analysis, kw),
            gapsTable(analysis)};
}
