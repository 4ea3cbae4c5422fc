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
        {analysis::txt::kDemandTitle, "デマンド・制限"},
        {analysis::txt::kStatisticsTitle, "統計"},
        {analysis::txt::kLargestTitle, "デマンド上位10"},
        {analysis::txt::kGapsTitle, "欠測のある日"},
        {analysis::txt::kItem, "項目"},
        {analysis::txt::kValue, "値"},
        {analysis::txt::kMaxDemand, "最大デマンド(%s)"},
        {analysis::txt::kTwelveMonth, "12か月最大デマンド(%s)"},
        {analysis::txt::kTwelveMonthValue, "%s (%s, %04d年%02d月分)"},
        {analysis::txt::kLoadFactor, "負荷率(%)"},
        {analysis::txt::kContract, "契約電力(%s)"},
        {analysis::txt::kAboveContract, "契約電力超過(30分)"},
        {analysis::txt::kBand, "電圧範囲(V)"},
        {analysis::txt::kOutOfBand, "電圧%d 範囲外"},
        {analysis::txt::kOutOfBandValue, "下限未満 %d / 上限超過 %d"},
        {analysis::txt::kPfThreshold, "力率基準(%)"},
        {analysis::txt::kBelowPf, "力率基準未満"},
        {analysis::txt::kBelowPfValue, "%d 区間 (%.1f 時間)"},
        {analysis::txt::kTariff, "力率による基本料金"},
        {analysis::txt::kDiscount, "%d %% 割引"},
        {analysis::txt::kSurcharge, "%d %% 割増"},
        {analysis::txt::kNoChange, "増減なし"},
        {analysis::txt::kIncompleteDays, "欠測のある日"},
        {analysis::txt::kDaysValue, "%d 日"},
        {analysis::txt::kMinimum, "最小 (時刻)"},
        {analysis::txt::kAverage, "平均"},
        {analysis::txt::kMaximum, "最大 (時刻)"},
        {analysis::txt::kPower, "電力(%s)"},
        {analysis::txt::kVoltage, "電圧%d(V)"},
        {analysis::txt::kCurrent, "電流%d(A)"},
        {analysis::txt::kPowerFactor, "力率(%)"},
        {analysis::txt::kRank, "順位"},
        {analysis::txt::kDemand, "デマンド(%s)"},
        {analysis::txt::kPeriod, "時間帯"},
        {analysis::txt::kDate, "日付"},
        {analysis::txt::kMissingIntervals, "欠測区間"},
        {analysis::txt::kOutageIntervals, "うち停電"},
        {analysis::txt::kInterval, "間隔(分)"},
        {analysis::txt::kTilde, "～"},
        {analysis::txt::kContractLine, "契約電力 %s"},
        {analysis::txt::kComparison, "比較 %s"},
        {analysis::txt::kBandLowLine, "下限 %s"},
        {analysis::txt::kBandHighLine, "上限 %s"},
        {analysis::txt::kPfLine, "力率基準 %.0f%%"},
        {analysis::txt::kSaveFailed, "分析の設定を保存できませんでした\n%s"},
    };
    for (const TextCase& c : cases)
        EXPECT_EQ(sjis::toUtf8(c.cp932), c.utf8);
}

} // namespace
