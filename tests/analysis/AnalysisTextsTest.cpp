// Every hand-encoded text of the analysis against its Japanese text.
#include "analysis/AnalysisTexts.h"
#include "support/Sjis.h"

#include <gtest/gtest.h>

namespace {

struct TextCase {
    const char* cp932;
    const char* utf8;
};

TEST(AnalysisTexts, EveryConstantIsItsJapaneseText) {
    const TextCase cases[] = {
        {txt::analysis::kDemandTitle, "デマンド・制限"},
        {txt::analysis::kYearMonth, "月"},
        {txt::analysis::kYearPeriod, "期間"},
        {txt::analysis::kYearEnergy, "電力量[kWh]"},
        {txt::analysis::kYearReverseEnergy, "逆電力量[kWh]"},
        {txt::analysis::kYearLead, "進み[kvarh]"},
        {txt::analysis::kYearLag, "遅れ[kvarh]"},
        {txt::analysis::kYearMaxDemand, "最大需要電力[kW]"},
        {txt::analysis::kYearMaxDemandAt, "発生日時"},
        {txt::analysis::kYearPowerFactor, "平均力率[%]"},
        {txt::analysis::kYearLoadFactor, "負荷率[%]"},
        {txt::analysis::kYearDays, "日数"},
        {txt::analysis::kYearIncomplete, "欠測日"},
        {txt::analysis::kYearMonthValue, "%d月"},
        {txt::analysis::kYearTotal, "年間"},
        {txt::analysis::kYearTitle, "年報, %d年"},
        {txt::analysis::kYearStartDay, "月報集計開始日, %d"},
        {txt::analysis::kYearContract, "契約電力[kW], %s"},
        {txt::analysis::kYearCaption, "月別集計"},
        {txt::analysis::kYearSheet, "年報 %d年"},
        {txt::analysis::kYearEnergyName, "電力量"},
        {txt::analysis::kYearDemandName, "最大需要電力"},
        {txt::analysis::kYearContractLabel, "契約電力 %s kW"},
        {txt::analysis::kStatisticsTitle, "統計"},
        {txt::analysis::kLargestTitle, "上位10件"},
        {txt::analysis::kGapsTitle, "欠測のある日"},
        {txt::analysis::kItem, "項目"},
        {txt::analysis::kValue, "値"},
        {txt::analysis::kMaxDemand, "最大電力[%s]"},
        {txt::analysis::kTwelveMonth, "12か月最大電力[%s]"},
        {txt::analysis::kTwelveMonthValue, "%s (%s, %04d年%02d月分)"},
        {txt::analysis::kLoadFactor, "負荷率[%]"},
        {txt::analysis::kContract, "契約電力[%s]"},
        {txt::analysis::kAboveContract, "契約電力超過(30分)"},
        {txt::analysis::kBand, "電圧範囲[%s]"},
        {txt::analysis::kOutOfBand, "電圧%d 範囲外"},
        {txt::analysis::kOutOfBandValue, "下限未満 %d / 上限超過 %d"},
        {txt::analysis::kPfThreshold, "力率基準[%]"},
        {txt::analysis::kBelowPf, "力率基準未満"},
        {txt::analysis::kBelowPfValue, "%d 区間 (%.1f 時間)"},
        {txt::analysis::kTariff, "力率による基本料金"},
        {txt::analysis::kDiscount, "%d %% 割引"},
        {txt::analysis::kSurcharge, "%d %% 割増"},
        {txt::analysis::kNoChange, "増減なし"},
        {txt::analysis::kIncompleteDays, "欠測のある日"},
        {txt::analysis::kDaysValue, "%d 日"},
        {txt::analysis::kMinimum, "最小 (時刻)"},
        {txt::analysis::kAverage, "平均"},
        {txt::analysis::kMaximum, "最大 (時刻)"},
        {txt::analysis::kPower, "電力[%s]"},
        {txt::analysis::kVoltage, "電圧%d[%s]"},
        {txt::analysis::kCurrent, "電流%d[A]"},
        {txt::analysis::kPowerFactor, "力率[%]"},
        {txt::analysis::kRank, "順位"},
        {txt::analysis::kPeriod, "時間帯"},
        {txt::analysis::kDate, "日付"},
        {txt::analysis::kMissingIntervals, "欠測区間"},
        {txt::analysis::kOutageIntervals, "うち停電"},
        {txt::analysis::kInterval, "間隔(分)"},
        {txt::analysis::kTilde, "～"},
        {txt::analysis::kContractLine, "契約電力 %s"},
        {txt::analysis::kComparison, "比較 %s"},
        {txt::analysis::kBandLowLine, "下限 %s"},
        {txt::analysis::kBandHighLine, "上限 %s"},
        {txt::analysis::kPfLine, "力率基準 %.0f%%"},
        {txt::analysis::kIncompleteMark, " ▲%d"},
        {txt::analysis::kIncompleteLegend, "▲n：欠測 n 区間（停電を含む）"},
        {txt::analysis::kSaveFailed, "分析の設定を保存できませんでした\n%s"},
        {txt::analysis::kWeekEarlier, "1週間前の同じ曜日"},
        {txt::analysis::kPreviousMonth, "前の月"},
    };
    for (const TextCase& c : cases)
        EXPECT_EQ(sjis::toUtf8(c.cp932), c.utf8);
}

} // namespace
