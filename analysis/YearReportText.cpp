#include "analysis/YearReportText.h"

#include "analysis/AnalysisTexts.h"
#include "support/Format.h"
#include "textout/TextoutTexts.h"
#include "textout/ValueFormat.h"

namespace {

using namespace txt::analysis;

// "1/21～2/20": the first and the last date of the dates start <= d < end.
std::string periodText(const DateTime& start, const DateTime& end) {
    if (!start.isValid() || !end.isValid() || !(start < end))
        return {};
    return start.format("%#m/%#d") + txt::textout::kWave + end.addDays(-1).format("%#m/%#d");
}

// "7/14 13:00～13:30" (a half-hour ending at midnight ends "24:00").
std::string halfHourText(const HalfHourDemand& h) {
    return h.from.format("%#m/%#d %H:%M") + txt::textout::kWave + rangeEndText(h.to);
}

void fillDemand(YearRowText& t, const YearMonthRow& row) {
    if (!row.hasDemand)
        return;
    t[6] = formatText("%.2f", row.maximumDemand.demand * 0.001);
    t[7] = halfHourText(row.maximumDemand);
}

void fillEnergies(YearRowText& t, const DaySummary& s) {
    t[2] = EnergyText(s);
    t[3] = ReverseEnergyText(s);
    t[4] = LeadReactiveText(s);
    t[5] = LagReactiveText(s);
}

DaySummary energiesOf(const YearMonthRow& row) {
    DaySummary s;
    s.energy = row.energy;
    s.reverseEnergy = row.reverseEnergy;
    s.leadReactiveEnergy = row.leadReactiveEnergy;
    s.lagReactiveEnergy = row.lagReactiveEnergy;
    s.averagePowerFactor = row.averagePowerFactor;
    return s;
}

} // namespace

YearRowText yearHeadingText() {
    return {kYearMonth,       kYearPeriod,     kYearEnergy,    kYearReverseEnergy,
            kYearLead,        kYearLag,        kYearMaxDemand, kYearMaxDemandAt,
            kYearPowerFactor, kYearLoadFactor, kYearDays,      kYearIncomplete};
}

YearRowText yearMonthText(const YearMonthRow& row) {
    YearRowText t;
    t[0] = formatText(kYearMonthValue, row.month);
    t[1] = periodText(row.window.start, row.window.end);
    t[10] = formatText("%d/%d", row.daysStored, row.daysInMonth);
    if (row.daysStored == 0)
        return t;
    const DaySummary s = energiesOf(row);
    fillEnergies(t, s);
    fillDemand(t, row);
    t[8] = AveragePowerFactorText(s);
    if (row.hasLoadFactor)
        t[9] = formatText("%.1f", row.loadFactor);
    t[11] = formatText("%d", row.incompleteDays);
    return t;
}

YearRowText yearTotalText(const YearReport& report) {
    YearRowText t;
    t[0] = kYearTotal.str();
    t[1] = periodText(report.months.front().window.start, report.months.back().window.end);
    YearMonthRow sum;
    int days = 0;
    int incomplete = 0;
    for (const YearMonthRow& row : report.months) {
        sum.energy += row.energy;
        sum.reverseEnergy += row.reverseEnergy;
        sum.leadReactiveEnergy += row.leadReactiveEnergy;
        sum.lagReactiveEnergy += row.lagReactiveEnergy;
        days += row.daysInMonth;
        incomplete += row.incompleteDays;
    }
    t[10] = formatText("%d/%d", report.daysStored(), days);
    if (report.daysStored() == 0)
        return t;
    fillEnergies(t, energiesOf(sum));
    if (const YearMonthRow* top = report.maximumMonth())
        fillDemand(t, *top);
    t[11] = formatText("%d", incomplete);
    return t;
}

std::string contractDemandText(const YearReport& report) {
    return report.contractDemand > 0.0 ? formatText("%.1f", report.contractDemand * 0.001)
                                       : std::string();
}
