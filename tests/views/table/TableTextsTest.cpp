#include "views/table/TableTexts.h"
#include "support/Sjis.h"
#include "views/graph/GraphTexts.h"
#include <gtest/gtest.h>

namespace {

// Every hand-encoded CP932 constant against its Japanese text.
TEST(ViewTexts, ConstantsMatchTheirText) {
    struct Case {
        const char* bytes;
        const char* utf8;
    };
    using namespace txt::table;
    const Case cases[] = {
        {kCustomer, "需要家名称"},
        {kCircuit, "測定回路"},
        {kCircuitType, "相線式"},
        {kRatio, "変成比"},
        {kReactiveTotal, "総無効電力[kvarh]"},
        {kMonthTitle, "%d年 %d月"},
        {kRatioValue, "PT=%.1f ，CT=%.1f"},
        {kReactiveValue, "進=%s ，遅=%s"},
        {kMeasured, "測定値"},
        {kMeasuredAverage, "測定値（平均値）"},
        {kSummary, "集計"},
        {kPrintSummary, "         集計"},
        {kPower, "電力"},
        {kPeakPowerFactorTail, ",力率[%]"},
        {kForwardNote, " (正)"},
        {kReverseNote, " (逆)"},
        {kBothScreen, "+%s／-%s"},
        {kBothPeak, "+%s ／ -%s"},
        {kFitSummaryValue, "9999.99"},
        {kFitSummaryPeak, "999.9 (99:99～99:99)"},
        {kFitPeakLabel, "瞬間最大電力[kW],力率[%]     "},
        {kFitPrintLabel, "  瞬間最大電力[kW],力率[%]（時刻）(逆)"},
        {kFitPrintValue, "    999.99（99:99～99:99）"},
        {txt::graph::kPowerName, "電力"},
        {txt::graph::kForwardPowerName, "電力(正)"},
        {txt::graph::kReversePowerName, "電力(逆)"},
        {txt::graph::kPowerFactorName, "力率"},
        {txt::graph::kVoltage1, "電圧１"},
        {txt::graph::kVoltage2, "電圧２"},
        {txt::graph::kVoltage3, "電圧３"},
        {txt::graph::kCurrent1, "電流１"},
        {txt::graph::kCurrent2, "電流２"},
        {txt::graph::kCurrent3, "電流３"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(std::string(c.bytes), sjis::fromUtf8(c.utf8)) << c.utf8;
}

} // namespace
