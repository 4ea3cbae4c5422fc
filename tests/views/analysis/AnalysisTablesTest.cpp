// The analysis as text tables: units, time ranges, empty values.
#include "views/analysis/AnalysisTables.h"
#include "analysis/AnalysisFixtures.h"
#include "common/Cp932.h"
#include "support/Sjis.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

const DateTime kDay = DateTime::make(2024, 5, 1);

// The value of the row whose label reads `label` (UTF-8), or "(none)".
std::string valueOf(const AnalysisTable& t, const std::string& label, std::size_t column = 1) {
    for (const auto& row : t.rows)
        if (sjis::toUtf8(row[0]) == label)
            return sjis::toUtf8(row[column]);
    return "(none)";
}

ReportAnalysis dayWithPeakAtMidnight(double contract, double powerFactor) {
    MeasurementCircuit circuit;
    MeasurementDay d = fixtures::day(kDay, 30, [](int m) { return m == 1440 ? 15000.0 : 5000.0; });
    for (int m = 30; m <= 1440; m += 30)
        fixtures::sampleAt(d, m).powerFactor = powerFactor;
    fixtures::removeSampleAt(d, 60);
    circuit.addOrReplaceDay(d);
    CircuitLimits limits;
    limits.contractDemand = contract;
    return analyseDay(circuit, 0, limits, 1);
}

struct RowCase {
    const char* name;
    bool kw;
    double contract;
    double powerFactor;
    const char* label;
    const char* value;
};

class RowTable : public ::testing::TestWithParam<RowCase> {};

TEST_P(RowTable, DemandTableRow) {
    const RowCase& c = GetParam();
    const std::vector<AnalysisTable> tables =
        analysisTables(dayWithPeakAtMidnight(c.contract, c.powerFactor), c.kw, false);
    ASSERT_EQ(tables.size(), 4u);
    EXPECT_EQ(valueOf(tables[0], c.label), c.value);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RowTable,
    ::testing::Values(
        RowCase{"maximum_kw_ends_at_24", true, 0, 95, "最大電力[kW]", "15.00 (23:30～24:00)"},
        RowCase{"maximum_w", false, 0, 95, "最大電力[W]", "15000 (23:30～24:00)"},
        RowCase{"no_contract", true, 0, 95, "契約電力超過(30分)", "---"},
        RowCase{"contract_exceeded_once", true, 10000, 95, "契約電力超過(30分)", "1"},
        RowCase{"contract_value", true, 10000, 95, "契約電力[kW]", "10.00"},
        RowCase{"band_auto_101", true, 0, 95, "電圧範囲[V]", "95.0～107.0"},
        RowCase{"discount", true, 0, 95, "力率による基本料金", "10 % 割引"},
        RowCase{"surcharge", true, 0, 80, "力率による基本料金", "5 % 割増"},
        RowCase{"neither", true, 0, 85, "力率による基本料金", "増減なし"},
        RowCase{"below_threshold", true, 0, 80, "力率基準未満", "47 区間 (23.5 時間)"},
        RowCase{"one_day_with_a_gap", true, 0, 95, "欠測のある日", "1 日"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(AnalysisTables, StatisticsLargestAndGaps) {
    const std::vector<AnalysisTable> t = analysisTables(dayWithPeakAtMidnight(0, 95), true, false);
    EXPECT_EQ(valueOf(t[1], "電力[kW]", 1), "5.00 (00:30)");
    EXPECT_EQ(valueOf(t[1], "電力[kW]", 3), "15.00 (24:00)");
    EXPECT_EQ(valueOf(t[1], "電圧3[V]", 2), "101.0");
    EXPECT_EQ(valueOf(t[1], "電流1[A]", 2), "10.00");
    ASSERT_EQ(t[2].rows.size(), 10u);
    EXPECT_EQ(sjis::toUtf8(t[2].rows[0][2]), "23:30～24:00");
    EXPECT_EQ(sjis::toUtf8(t[2].rows[1][2]), "00:00～00:30");
    ASSERT_EQ(t[3].rows.size(), 1u);
    EXPECT_EQ(t[3].rows[0], (std::vector<std::string>{"2024/05/01", "1", "0", "30"}));
}

// The analysis names phases and units as the report's table, CSV and printout do: 1 and 3 on
// 単相 and 3相3線, 1, 2, 3 on 3相4線; kV when the report shows kV.
TEST(AnalysisTables, PhasesAndUnitsAreNamedAsInTheReportTable) {
    struct Case {
        int circuitType;
        double volts;
        bool kv;
        std::vector<const char*> labels;
        std::vector<const char*> absent;
        const char* voltage1;
    };
    const Case cases[] = {
        {CircuitThreePhase3Wire,
         6600.0,
         true,
         {"電圧1[kV]", "電圧3[kV]", "電流1[A]", "電流3[A]", "電圧1 範囲外", "電圧3 範囲外"},
         {"電圧2[kV]", "電流2[A]", "電圧2 範囲外", "電圧1[V]"},
         "6.6"},
        {CircuitSinglePhase,
         101.0,
         false,
         {"電圧1[V]", "電圧3[V]", "電流3[A]"},
         {"電圧2[V]", "電流2[A]"},
         "101.0"},
        {CircuitThreePhase4Wire,
         101.0,
         false,
         {"電圧1[V]", "電圧2[V]", "電圧3[V]", "電流2[A]", "電流3[A]", "電圧2 範囲外"},
         {},
         "101.0"},
    };
    for (const Case& c : cases) {
        MeasurementCircuit circuit;
        MeasurementDay d = fixtures::flatDay(kDay, 30, 5000.0);
        d.data.circuitType = c.circuitType;
        for (int m = 30; m <= 1440; m += 30)
            fixtures::sampleAt(d, m).voltage = {c.volts, c.volts, c.volts};
        circuit.addOrReplaceDay(d);
        CircuitLimits limits;
        limits.band = VoltageBandKind::User;
        limits.userLow = c.volts * 0.9;
        limits.userHigh = c.volts * 1.1;
        const std::vector<AnalysisTable> t =
            analysisTables(analyseDay(circuit, 0, limits, 1), true, c.kv);
        std::vector<std::string> labels;
        for (const AnalysisTable& table : {t[0], t[1]})
            for (const auto& row : table.rows)
                labels.push_back(sjis::toUtf8(row[0]));
        for (const char* label : c.labels)
            EXPECT_NE(std::find(labels.begin(), labels.end(), label), labels.end())
                << c.circuitType << " " << label;
        for (const char* label : c.absent)
            EXPECT_EQ(std::find(labels.begin(), labels.end(), label), labels.end())
                << c.circuitType << " " << label;
        EXPECT_EQ(valueOf(t[1], c.kv ? "電圧1[kV]" : "電圧1[V]", 2), c.voltage1) << c.circuitType;
        EXPECT_EQ(valueOf(t[0], c.kv ? "電圧範囲[kV]" : "電圧範囲[V]"),
                  c.kv ? "5.940～7.260" : "90.9～111.1")
            << c.circuitType;
    }
}

TEST(AnalysisTables, ReportWithoutReadingsShowsDashes) {
    const std::vector<AnalysisTable> t = analysisTables(ReportAnalysis(), true, false);
    EXPECT_EQ(valueOf(t[0], "最大電力[kW]"), "---");
    EXPECT_EQ(valueOf(t[0], "力率による基本料金"), "---");
    EXPECT_EQ(valueOf(t[1], "力率[%]", 2), "---");
    EXPECT_TRUE(t[2].rows.empty());
}

// A stored day without samples is listed among the gaps, with no count it could not have.
TEST(AnalysisTables, DayWithoutSamplesIsAGapWithoutCounts) {
    MeasurementCircuit circuit;
    MeasurementDay empty;
    empty.date = kDay;
    circuit.addOrReplaceDay(empty);
    const std::vector<AnalysisTable> t =
        analysisTables(analyseDay(circuit, 0, CircuitLimits(), 1), true, false);
    ASSERT_EQ(t[3].rows.size(), 1u);
    EXPECT_EQ(t[3].rows[0], (std::vector<std::string>{"2024/05/01", "---", "0", "---"}));
    EXPECT_EQ(valueOf(t[0], "欠測のある日"), "1 日");
    EXPECT_EQ(valueOf(t[0], "負荷率[%]"), "---");
    EXPECT_EQ(valueOf(t[1], "電力[kW]", 1), "---");
}

// The heading: a day, or a report month with its first and last date for every start day;
// the month alone when the start day makes no window in it.
struct HeadingCase {
    const char* name;
    int startDay; // 0: the daily report of 2007-01-09
    int year, month;
    const char* period;
};

class HeadingTable : public ::testing::TestWithParam<HeadingCase> {};

TEST_P(HeadingTable, CustomerCircuitAndPeriod) {
    const HeadingCase& c = GetParam();
    MeasurementCircuit circuit;
    circuit.addOrReplaceDay(fixtures::flatDay(DateTime::make(2007, 1, 9), 30, 1.0));
    const ReportAnalysis a =
        c.startDay == 0 ? analyseDay(circuit, 0, CircuitLimits(), 1)
                        : analyseMonth(circuit, c.year, c.month, CircuitLimits(), c.startDay);
    EXPECT_EQ(sjis::toUtf8(analysisHeading(a, sj("東京工場"), sj("受電"))),
              std::string("東京工場  受電  ") + c.period);
}

INSTANTIATE_TEST_SUITE_P(
    Periods, HeadingTable,
    ::testing::Values(
        HeadingCase{"day", 0, 0, 0, "2007/01/09"},
        HeadingCase{"calendar_month", 1, 2007, 1, "2007/01 (2007/01/01 - 2007/01/31)"},
        HeadingCase{"across_the_year_end", 21, 2006, 12, "2006/12 (2006/12/21 - 2007/01/20)"},
        HeadingCase{"february_from_the_28th", 28, 2007, 2, "2007/02 (2007/02/28 - 2007/03/27)"},
        HeadingCase{"leap_february_from_the_29th", 29, 2008, 2,
                    "2008/02 (2008/02/29 - 2008/03/28)"},
        HeadingCase{"january_from_the_29th_ends_in_no_february", 29, 2007, 1, "2007/01"},
        HeadingCase{"february_has_no_30th", 30, 2007, 2, "2007/02"},
        HeadingCase{"april_has_no_31st", 31, 2007, 4, "2007/04"},
        HeadingCase{"december_from_the_31st", 31, 2006, 12, "2006/12 (2006/12/31 - 2007/01/30)"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
