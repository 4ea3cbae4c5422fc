#include "textout/ValueFormat.h"

#include "support/Format.h"
#include "support/Sjis.h"

#include <gtest/gtest.h>

namespace {

DateTime at(int h, int mi) {
    return DateTime::make(2007, 5, 1, h, mi);
}
std::string u8(const std::string& cp932) {
    return sjis::toUtf8(cp932);
}

TEST(UnitFlagsTest, StrictThresholds) {
    struct Case {
        double maxDemand, reverseMaxDemand, peakVoltage1;
        bool kw, kv;
    };
    const Case cases[] = {
        {10000, 0, 1000, false, false},  {10000.1, 0, 1000.1, true, true},
        {9000, -12000, 0, true, false}, // the absolute reverse demand counts
        {9000, -10000, 0, false, false}, {0, 10000.5, 6600, true, true},
    };
    for (const Case& c : cases) {
        DaySummary s;
        s.maxDemand.value = c.maxDemand;
        s.reverseMaxDemand.value = c.reverseMaxDemand;
        s.peakVoltage[0].value = c.peakVoltage1;
        EXPECT_EQ(UseKilowatts(s), c.kw) << c.maxDemand << " " << c.reverseMaxDemand;
        EXPECT_EQ(UseKilovolts(s), c.kv) << c.peakVoltage1;
    }
}

TEST(SampleFormatTest, Table) {
    IntervalSample s;
    s.power = 123456;
    s.reversePower = -4321;
    s.powerFactor = 98.44;
    s.voltage = {6612.34, 105.56, 0};
    s.current = {12.345, 0.5, 7};
    struct Case {
        std::string got, expected;
    };
    const Case cases[] = {
        {SamplePowerW(s), "123456"},       {SamplePowerKW(s), "123.5"},
        {SampleReversePowerW(s), "-4321"}, // sign kept
        {SampleReversePowerKW(s), "-4.3"}, {SamplePowerFactor(s), "98.4"},
        {SampleVoltageV(s, 0), "6612.3"},  {SampleVoltageKV(s, 0), "6.6"},
        {SampleVoltageV(s, 1), "105.6"},   {SampleCurrent(s, 0), "12.35"}, // two decimals
        {SampleCurrent(s, 2), "7.00"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.got, c.expected);
    EXPECT_THROW(SampleCurrent(s, 3), std::out_of_range);
}

TEST(SummaryFormatTest, PlainValues) {
    DaySummary s;
    s.energy = 123456;
    s.reverseEnergy = -7890;
    s.leadReactiveEnergy = 1550;
    s.lagReactiveEnergy = 20049;
    s.averagePower = 45678;
    s.reverseAveragePower = -2345;
    s.averagePowerFactor = 96.26;
    s.peakPowerFactor = 99.1;
    s.reversePeakPowerFactor = 88;
    s.averageVoltage = {6543.2, 0, 101.04};
    s.averageCurrent = {12.345, 0, 3};
    struct Case {
        std::string got, expected;
    };
    const Case cases[] = {
        {EnergyText(s), "123.5"},
        {ReverseEnergyText(s), "7.9"}, // no sign
        {LeadReactiveText(s), "1.6"},
        {LagReactiveText(s), "20.0"},
        {AveragePowerText(s, true), "45.7"},
        {AveragePowerText(s, false), "45678.0"},
        {ReverseAveragePowerText(s, true), "2.3"},
        {ReverseAveragePowerText(s, false), "2345.0"},
        {AveragePowerFactorText(s), "96.3"},
        {PeakPowerFactorText(s), "99.1"},
        {ReversePeakPowerFactorText(s), "88.0"},
        {AverageVoltageText(s, true, 0), "6.5"},
        {AverageVoltageText(s, false, 2), "101.0"},
        {AverageCurrentText(s, 0), "12.3"}, // one decimal, unlike a sample
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.got, c.expected);
}

DaySummary peaks() {
    DaySummary s;
    s.maxDemand = {123456, at(13, 30), at(14, 0)};
    s.reverseMaxDemand = {-2500, at(23, 30), DateTime::make(2007, 5, 2, 0, 0)};
    s.peakPower = {-45600, at(9, 15), DateTime()};
    s.peakPowerFactor = 98.4;
    s.reversePeakPower = {-3000, at(10, 5), DateTime()};
    s.reversePeakPowerFactor = 77.77;
    s.peakVoltage[0] = {6650, at(4, 0), DateTime()};
    s.minVoltage[1] = {101.25, at(5, 1), DateTime()};
    s.maxCurrent[2] = {55.55, at(6, 0), at(6, 30)};
    s.peakCurrent[0] = {60, at(7, 45), DateTime()};
    return s;
}

TEST(PeakFormatTest, ScreenMode) {
    const DaySummary s = peaks();
    EXPECT_EQ(u8(MaxDemandText(s, true, 1)), "123.5 (13:30～14:00)");
    EXPECT_EQ(u8(ReverseMaxDemandText(s, true, 1)), "2.5 (23:30～24:00)");
    EXPECT_EQ(u8(ReverseMaxDemandText(s, false, 1)), "2500.0 (23:30～24:00)");
    EXPECT_EQ(PeakPowerText(s, true, 1), "45.6 , 98.4 (09:15)");
    EXPECT_EQ(ReversePeakPowerText(s, false, 1), "3000.0 , 77.8 (10:05)");
    EXPECT_EQ(PeakVoltageText(s, true, 0, 1), "6.7 (04:00)");
    EXPECT_EQ(MinVoltageText(s, false, 1, 1), "101.2 (05:01)");
    EXPECT_EQ(u8(MaxCurrentText(s, 2, 1)), "55.5 (06:00～06:30)");
    EXPECT_EQ(PeakCurrentText(s, 0, 1), "60.0 (07:45)");
}

TEST(PeakFormatTest, PrintModeUsesFullWidthParentheses) {
    const DaySummary s = peaks();
    EXPECT_EQ(u8(MaxDemandText(s, true, 0)), "123.5（13:30～14:00）");
    EXPECT_EQ(u8(PeakPowerText(s, true, 0)), "45.6 , 98.4（09:15）");
    EXPECT_EQ(u8(PeakCurrentText(s, 0, 0)), "60.0（07:45）");
}

TEST(PeakFormatTest, CsvModeAddsFieldsWithoutParentheses) {
    const DaySummary s = peaks();
    EXPECT_EQ(MaxDemandText(s, true, 2), "123.5, 13:30, 14:00");
    EXPECT_EQ(ReverseMaxDemandText(s, true, 2), "2.5, 23:30, 24:00");
    EXPECT_EQ(PeakPowerText(s, true, 2), "45.6, 98.4, 09:15");
    EXPECT_EQ(PeakVoltageText(s, true, 0, 2), "6.7, 04:00");
    EXPECT_EQ(MaxCurrentText(s, 2, 2), "55.5, 06:00, 06:30");
}

TEST(PeakFormatTest, DatedModesPutTheDateAndWeekdayBeforeTheTime) {
    const DaySummary s = peaks(); // 2007/5/1 was a Tuesday
    EXPECT_EQ(u8(MaxDemandText(s, true, PeakModePrint | PeakModeDated)),
              "123.5（5/1(火) 13:30～14:00）");
    EXPECT_EQ(u8(ReverseMaxDemandText(s, true, PeakModeScreen | PeakModeDated)),
              "2.5 (5/1(火) 23:30～24:00)");
    EXPECT_EQ(u8(PeakPowerText(s, true, PeakModeScreen | PeakModeDated)),
              "45.6 , 98.4 (5/1(火) 09:15)");
    EXPECT_EQ(u8(MaxCurrentText(s, 2, PeakModePrint | PeakModeDated)),
              "55.5（5/1(火) 06:00～06:30）");
    // A peak never recorded has no date to show.
    EXPECT_EQ(u8(MaxDemandText(DaySummary(), false, PeakModeScreen | PeakModeDated)), "0.0 (～)");
}

TEST(DateWithWeekday, MonthDayAndTheJapaneseWeekday) {
    const std::pair<DateTime, const char*> cases[] = {
        {DateTime::make(2023, 12, 1), "12/1(金)"},
        {DateTime::make(2024, 2, 29), "2/29(木)"},
        {DateTime::make(2024, 12, 21), "12/21(土)"},
        {DateTime::make(2024, 12, 22), "12/22(日)"},
        {DateTime::make(2024, 12, 23, 13, 30), "12/23(月)"}};
    for (const auto& [date, expected] : cases)
        EXPECT_EQ(u8(DateWithWeekday(date)), expected);
}

TEST(PeakFormatTest, OtherModesAreEmpty) {
    const DaySummary s = peaks();
    EXPECT_EQ(MaxDemandText(s, true, 3), "");
    EXPECT_EQ(PeakPowerText(s, true, -1), "");
    EXPECT_EQ(PeakCurrentText(s, 0, 7), "");
}

TEST(PeakFormatTest, MissingTimesStayEmpty) {
    DaySummary s; // nothing recorded
    EXPECT_EQ(MaxDemandText(s, false, 2), "0.0, , ");
    EXPECT_EQ(u8(MaxDemandText(s, false, 1)), "0.0 (～)");
    EXPECT_EQ(rangeEndText(DateTime()), "");
    EXPECT_EQ(rangeEndText(at(0, 1)), "00:01");
}

TEST(LabelTest, CircuitTypeNames) {
    EXPECT_EQ(u8(CircuitTypeName(1)), "単相");
    EXPECT_EQ(u8(CircuitTypeName(2)), "3相3線");
    EXPECT_EQ(u8(CircuitTypeName(3)), "3相4線");
    EXPECT_EQ(CircuitTypeName(0), "none");
    EXPECT_EQ(CircuitTypeName(4), "none");
    EXPECT_EQ(CircuitTypeName(-1), "none");
}

TEST(LabelTest, DayLabels) {
    MeasurementDay day;
    day.channel = 2;
    day.date = DateTime::make(2007, 1, 5);
    EXPECT_EQ(DayDataLabel(day.data), "---");
    EXPECT_EQ(DayListLabel(day), "2007/01/05 ---");

    day.data.setHeader(7, 60, 40);
    EXPECT_EQ(DayDataLabel(day.data), "none:PT:60.0,CT:40.0");

    day.data.setHeader(CircuitThreePhase3Wire, 66.25, 20);
    EXPECT_EQ(u8(DayDataLabel(day.data)), "3相3線:PT:66.2,CT:20.0");
    EXPECT_EQ(u8(DayListLabel(day)), "2007/01/05 3相3線:PT:66.2,CT:20.0");
    EXPECT_EQ(u8(DayListLabelWithChannel(day)), "2ch 2007/01/05 3相3線:PT:66.2,CT:20.0");
}

TEST(FormatTextTest, LongOutputIsNotCut) {
    EXPECT_GT(formatText("%.0f", 1e200).size(), 199u);
    EXPECT_EQ(formatText("%s", std::string(300, 'x').c_str()).size(), 300u);
}

} // namespace

namespace {
// The formatters promise printf's "%.Nf" text; check it against printf over awkward values.
TEST(FormatTextTest, SameTextAsPrintf) {
    const double values[] = {0.0,     -0.0,  0.05,    0.15,   0.25,     2.675,   -12.345,
                             1e15,    1e300, -1e300,  123.45, 6.65,     9.995,   1234567.25,
                             0.04999, -0.04, 4.35e-5, 1e-320, 99999.95, 1.0 / 3, 2.5};
    for (double v : values) {
        IntervalSample s;
        s.power = v;
        s.powerFactor = v;
        s.current[0] = v;
        EXPECT_EQ(SamplePowerW(s), formatText("%.0f", v));
        EXPECT_EQ(SamplePowerFactor(s), formatText("%.1f", v));
        EXPECT_EQ(SampleCurrent(s, 0), formatText("%.2f", v));
    }
}
} // namespace
