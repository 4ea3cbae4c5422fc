#pragma once
#include "support/SjisText.h"

// Texts of the analysis tables, written in UTF-8 and made Shift-JIS by the compiler.
namespace txt::analysis {

inline constexpr auto kDemandTitle = sjis::text(u8"デマンド・制限");
inline constexpr auto kStatisticsTitle = sjis::text(u8"統計");
inline constexpr auto kLargestTitle = sjis::text(u8"上位10件");
inline constexpr auto kGapsTitle = sjis::text(u8"欠測のある日");
inline constexpr auto kItem = sjis::text(u8"項目");
inline constexpr auto kValue = sjis::text(u8"値");
inline constexpr auto kMaxDemand = sjis::text(u8"最大電力[%s]");
inline constexpr auto kTwelveMonth = sjis::text(u8"12か月最大電力[%s]");
inline constexpr auto kTwelveMonthValue = sjis::text(u8"%s (%s, %04d年%02d月分)");
inline constexpr auto kLoadFactor = sjis::text(u8"負荷率[%]");
inline constexpr auto kContract = sjis::text(u8"契約電力[%s]");
inline constexpr auto kAboveContract = sjis::text(u8"契約電力超過(30分)");
inline constexpr auto kBand = sjis::text(u8"電圧範囲[%s]");
inline constexpr auto kOutOfBand = sjis::text(u8"電圧%d 範囲外");
inline constexpr auto kOutOfBandValue = sjis::text(u8"下限未満 %d / 上限超過 %d");
inline constexpr auto kPfThreshold = sjis::text(u8"力率基準[%]");
inline constexpr auto kBelowPf = sjis::text(u8"力率基準未満");
inline constexpr auto kBelowPfValue = sjis::text(u8"%d 区間 (%.1f 時間)");
inline constexpr auto kTariff = sjis::text(u8"力率による基本料金");
inline constexpr auto kDiscount = sjis::text(u8"%d %% 割引");
inline constexpr auto kSurcharge = sjis::text(u8"%d %% 割増");
inline constexpr auto kNoChange = sjis::text(u8"増減なし");
inline constexpr auto kIncompleteDays = sjis::text(u8"欠測のある日");
inline constexpr auto kDaysValue = sjis::text(u8"%d 日");
inline constexpr auto kMinimum = sjis::text(u8"最小 (時刻)");
inline constexpr auto kAverage = sjis::text(u8"平均");
inline constexpr auto kMaximum = sjis::text(u8"最大 (時刻)");
inline constexpr auto kPower = sjis::text(u8"電力[%s]");
inline constexpr auto kVoltage = sjis::text(u8"電圧%d[%s]");
inline constexpr auto kCurrent = sjis::text(u8"電流%d[A]");
inline constexpr auto kPowerFactor = sjis::text(u8"力率[%]");
inline constexpr auto kRank = sjis::text(u8"順位");
inline constexpr auto kPeriod = sjis::text(u8"時間帯");
inline constexpr auto kDate = sjis::text(u8"日付");
inline constexpr auto kMissingIntervals = sjis::text(u8"欠測区間");
inline constexpr auto kOutageIntervals = sjis::text(u8"うち停電");
inline constexpr auto kInterval = sjis::text(u8"間隔(分)");

inline constexpr auto kSaveFailed = sjis::text(u8"分析の設定を保存できませんでした\n%s");
inline constexpr auto kContractLine = sjis::text(u8"契約電力 %s");
inline constexpr auto kComparison = sjis::text(u8"比較 %s");
inline constexpr auto kBandLowLine = sjis::text(u8"下限 %s");
inline constexpr auto kBandHighLine = sjis::text(u8"上限 %s");
inline constexpr auto kPfLine = sjis::text(u8"力率基準 %.0f%%");
inline constexpr auto kIncompleteMark = sjis::text(u8" ▲%d");
inline constexpr auto kIncompleteLegend = sjis::text(u8"▲n：欠測 n 区間（停電を含む）");
inline constexpr auto kWeekEarlier = sjis::text(u8"1週間前の同じ曜日");
inline constexpr auto kPreviousMonth = sjis::text(u8"前の月");
inline constexpr auto kNone = sjis::text(u8"---");
inline constexpr auto kTilde = sjis::text(u8"～");

// The year report (年報): its table, CSV lines and graph.
inline constexpr auto kYearMonth = sjis::text(u8"月");
inline constexpr auto kYearPeriod = sjis::text(u8"期間");
inline constexpr auto kYearEnergy = sjis::text(u8"電力量[kWh]");
inline constexpr auto kYearReverseEnergy = sjis::text(u8"逆電力量[kWh]");
inline constexpr auto kYearLead = sjis::text(u8"進み[kvarh]");
inline constexpr auto kYearLag = sjis::text(u8"遅れ[kvarh]");
inline constexpr auto kYearMaxDemand = sjis::text(u8"最大需要電力[kW]");
inline constexpr auto kYearMaxDemandAt = sjis::text(u8"発生日時");
inline constexpr auto kYearPowerFactor = sjis::text(u8"平均力率[%]");
inline constexpr auto kYearLoadFactor = sjis::text(u8"負荷率[%]");
inline constexpr auto kYearDays = sjis::text(u8"日数");
inline constexpr auto kYearIncomplete = sjis::text(u8"欠測日");
inline constexpr auto kYearMonthValue = sjis::text(u8"%d月");
inline constexpr auto kYearTotal = sjis::text(u8"年間");
inline constexpr auto kYearTitle = sjis::text(u8"年報, %d年");
inline constexpr auto kYearStartDay = sjis::text(u8"月報集計開始日, %d");
inline constexpr auto kYearContract = sjis::text(u8"契約電力[kW], %s");
inline constexpr auto kYearSheet = sjis::text(u8"年報 %d年");
inline constexpr auto kYearCaption = sjis::text(u8"月別集計");
inline constexpr auto kYearEnergyName = sjis::text(u8"電力量");
inline constexpr auto kYearDemandName = sjis::text(u8"最大需要電力");
inline constexpr auto kYearContractLabel = sjis::text(u8"契約電力 %s kW");

} // namespace txt::analysis
