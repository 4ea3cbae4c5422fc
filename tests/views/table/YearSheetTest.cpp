// The year table shows, month by month, the figures of the monthly report of that month.
#include "views/table/YearSheet.h"
#include "analysis/AnalysisFixtures.h"
#include "analysis/ReportAnalysis.h"
#include "store/Aggregation.h"
#include "support/Format.h"
#include "support/Sjis.h"
#include "textout/ValueFormat.h"
#include "views/layout/PageRender.h"
#include "views/layout/RecordingDeviceContext.h"
#include <gtest/gtest.h>

namespace {

// Every second day from 2022-11-25 to 2025-02-05, power and energies growing with the day; the
// day 2024-07-05 misses an interval.
MeasurementCircuit circuitOverThreeYearEnds() {
    MeasurementCircuit c;
    c.name = "C";
    int n = 0;
    for (DateTime d = DateTime::make(2022, 11, 25); d < DateTime::make(2025, 2, 6);
         d = d.addDays(2), ++n) {
        MeasurementDay day = fixtures::day(d, 30, [n](int m) { return 900.0 + n * 7 + m % 300; });
        DaySummary& s = day.data.summary;
        s.energy = 21000.0 + n * 13;
        s.reverseEnergy = -(100.0 + n);
        s.leadReactiveEnergy = 10.0 + n % 7;
        s.lagReactiveEnergy = 400.0 + n % 11;
        s.averagePowerFactor = 88.0 + n % 9;
        if (d == DateTime::make(2024, 7, 5))
            fixtures::removeSampleAt(day, 600);
        c.addOrReplaceDay(day);
    }
    return c;
}

DisplaySelection yearSelection(const MeasurementCircuit& circuit, int year, int startDay) {
    DisplaySelection s;
    s.customerIndex = s.circuitIndex = 0;
    s.customerName = "K";
    s.circuitName = circuit.name;
    s.dayIndex = firstDayInYear(circuit, year, startDay);
    s.day = circuit.days.at(s.dayIndex);
    s.circuit = &circuit;
    s.year = year;
    s.month = kWholeYear;
    return s;
}

struct YearCase {
    const char* name;
    int year;
    int startDay;
    const char* firstPeriod; // January's dates
    const char* lastPeriod;  // December's
};

class YearSheetFigures : public testing::TestWithParam<YearCase> {};

TEST_P(YearSheetFigures, EveryMonthRowShowsItsMonthlyReport) {
    const YearCase& p = GetParam();
    const MeasurementCircuit circuit = circuitOverThreeYearEnds();
    CircuitLimits limits;
    limits.contractDemand = 2000.0;
    RecordingDeviceContext dc{Rect{0, 0, 2800, 2000}};
    YearSheet sheet(dc, false);
    sheet.fill(yearSelection(circuit, p.year, p.startDay),
               analyseYear(circuit, p.year, limits, p.startDay));
    page_render::place(sheet.root(), nullptr, dc, MM_LOMETRIC, Rect{0, 0, 2800, -2000});
    const TextTable& t = sheet.table();
    EXPECT_EQ(sjis::toUtf8(t.text(1, 1)), p.firstPeriod);
    EXPECT_EQ(sjis::toUtf8(t.text(1, 12)), p.lastPeriod);
    double energy = 0.0;
    for (int m = 1; m <= 12; ++m) {
        SCOPED_TRACE(m);
        // The monthly report of the month, as the monthly view computes it.
        const DaySummary month = monthSummary(circuit, p.year, m, p.startDay);
        const ReportAnalysis analysis = analyseMonth(circuit, p.year, m, limits, p.startDay);
        const MonthWindow window = monthWindow(p.year, m, p.startDay);
        const int stored = static_cast<int>(daysInWindow(circuit, window).size());
        ASSERT_GT(stored, 10); // every month holds days: no row is trivially empty
        ASSERT_NE(analysis.maximumDemand(), nullptr);
        const HalfHourDemand& peak = *analysis.maximumDemand();
        EXPECT_EQ(sjis::toUtf8(t.text(0, m)), std::to_string(m) + "月");
        EXPECT_EQ(t.text(2, m), EnergyText(month));
        EXPECT_EQ(t.text(3, m), ReverseEnergyText(month));
        EXPECT_EQ(t.text(4, m), LeadReactiveText(month));
        EXPECT_EQ(t.text(5, m), LagReactiveText(month));
        EXPECT_EQ(t.text(6, m), formatText("%.2f", peak.demand / 1000));
        EXPECT_EQ(sjis::toUtf8(t.text(7, m)),
                  peak.from.format("%#m/%#d %H:%M") + "～" + sjis::toUtf8(rangeEndText(peak.to)));
        EXPECT_EQ(t.text(8, m), AveragePowerFactorText(month));
        EXPECT_EQ(t.text(9, m), formatText("%.1f", analysis.loadFactor.value()));
        EXPECT_EQ(t.text(10, m), formatText("%d/%d", stored, window.dayCount()));
        EXPECT_EQ(t.text(11, m), formatText("%d", analysis.incompleteDays()));
        energy += month.energy;
    }
    EXPECT_EQ(sjis::toUtf8(t.text(0, 13)), "年間");
    DaySummary year;
    year.energy = energy;
    EXPECT_EQ(t.text(2, 13), EnergyText(year));
}

INSTANTIATE_TEST_SUITE_P(
    StartDays, YearSheetFigures,
    testing::Values(YearCase{"calendar_months", 2023, 1, "1/1～1/31", "12/1～12/31"},
                    YearCase{"from_the_21st", 2023, 21, "1/21～2/20", "12/21～1/20"},
                    // December's report month runs into the next year, January's starts in it.
                    YearCase{"over_a_year_end", 2024, 21, "1/21～2/20", "12/21～1/20"}),
    [](const testing::TestParamInfo<YearCase>& info) { return std::string(info.param.name); });

TEST(YearSheet, MonthsWithoutDaysShowTheirPeriodAndNoFigures) {
    const MeasurementCircuit circuit = circuitOverThreeYearEnds();
    RecordingDeviceContext dc{Rect{0, 0, 2800, 2000}};
    YearSheet sheet(dc, false);
    sheet.fill(yearSelection(circuit, 2025, 1), analyseYear(circuit, 2025, CircuitLimits(), 1));
    const TextTable& t = sheet.table();
    EXPECT_EQ(t.text(10, 2), "2/28"); // 2025-02-02 and 02-04
    EXPECT_EQ(t.text(10, 3), "0/31");
    for (int c : {2, 6, 7, 8, 9, 11})
        EXPECT_EQ(t.text(c, 3), "") << c;
    EXPECT_EQ(t.text(10, 13), "18/365");
}

} // namespace
