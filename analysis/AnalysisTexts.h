#pragma once

// Texts of the analysis tables as Shift-JIS (CP932) bytes. The comment beside each shows the
// text; hex escapes are split where a hex digit follows.
namespace txt::analysis {

inline constexpr const char kDemandTitle[] = "\x83"
                                             "f\x83}\x83\x93\x83h\x81"
                                             "E\x90\xa7\x8c\xc0"; // デマンド・制限
inline constexpr const char kStatisticsTitle[] = "\x93\x9d\x8cv"; // 統計
inline constexpr const char kLargestTitle[] = "\x8f\xe3\x88\xca"
                                              "10\x8c\x8f"; // 上位10件
inline constexpr const char kGapsTitle[] =
    "\x8c\x87\x91\xaa\x82\xcc\x82\xa0\x82\xe9\x93\xfa";   // 欠測のある日
inline constexpr const char kItem[] = "\x8d\x80\x96\xda"; // 項目
inline constexpr const char kValue[] = "\x92l";           // 値
inline constexpr const char kMaxDemand[] = "\x8d\xc5\x91\xe5\x93"
                                           "d\x97\xcd[%s]"; // 最大電力[%s]
inline constexpr const char kTwelveMonth[] = "12\x82\xa9\x8c\x8e\x8d\xc5\x91\xe5\x93"
                                             "d\x97\xcd[%s]"; // 12か月最大電力[%s]
inline constexpr const char kTwelveMonthValue[] =
    "%s (%s, %04d\x94N%02d\x8c\x8e\x95\xaa)"; // %s (%s, %04d年%02d月分)
inline constexpr const char kLoadFactor[] = "\x95\x89\x89\xd7\x97\xa6[%]"; // 負荷率[%]
inline constexpr const char kContract[] = "\x8c_\x96\xf1\x93"
                                          "d\x97\xcd[%s]"; // 契約電力[%s]
inline constexpr const char kAboveContract[] =
    "\x8c_\x96\xf1\x93"
    "d\x97\xcd\x92\xb4\x89\xdf(30\x95\xaa)"; // 契約電力超過(30分)
inline constexpr const char kBand[] = "\x93"
                                      "d\x88\xb3\x94\xcd\x88\xcd[%s]"; // 電圧範囲[%s]
inline constexpr const char kOutOfBand[] = "\x93"
                                           "d\x88\xb3%d \x94\xcd\x88\xcd\x8aO"; // 電圧%d 範囲外
inline constexpr const char kOutOfBandValue[] =
    "\x89\xba\x8c\xc0\x96\xa2\x96\x9e %d / \x8f\xe3\x8c\xc0\x92\xb4\x89\xdf %d"; // 下限未満 %d /
                                                                                 // 上限超過 %d
inline constexpr const char kPfThreshold[] = "\x97\xcd\x97\xa6\x8a\xee\x8f\x80[%]"; // 力率基準[%]
inline constexpr const char kBelowPf[] =
    "\x97\xcd\x97\xa6\x8a\xee\x8f\x80\x96\xa2\x96\x9e"; // 力率基準未満
inline constexpr const char kBelowPfValue[] =
    "%d \x8b\xe6\x8a\xd4 (%.1f \x8e\x9e\x8a\xd4)"; // %d 区間 (%.1f 時間)
inline constexpr const char kTariff[] =
    "\x97\xcd\x97\xa6\x82\xc9\x82\xe6\x82\xe9\x8a\xee\x96{\x97\xbf\x8b\xe0"; // 力率による基本料金
inline constexpr const char kDiscount[] = "%d %% \x8a\x84\x88\xf8";          // %d %% 割引
inline constexpr const char kSurcharge[] = "%d %% \x8a\x84\x91\x9d";         // %d %% 割増
inline constexpr const char kNoChange[] = "\x91\x9d\x8c\xb8\x82\xc8\x82\xb5"; // 増減なし
inline constexpr const char kIncompleteDays[] =
    "\x8c\x87\x91\xaa\x82\xcc\x82\xa0\x82\xe9\x93\xfa";   // 欠測のある日
inline constexpr const char kDaysValue[] = "%d \x93\xfa"; // %d 日
inline constexpr const char kMinimum[] = "\x8d\xc5\x8f\xac (\x8e\x9e\x8d\x8f)"; // 最小 (時刻)
inline constexpr const char kAverage[] = "\x95\xbd\x8b\xcf";                    // 平均
inline constexpr const char kMaximum[] = "\x8d\xc5\x91\xe5 (\x8e\x9e\x8d\x8f)"; // 最大 (時刻)
inline constexpr const char kPower[] = "\x93"
                                       "d\x97\xcd[%s]"; // 電力[%s]
inline constexpr const char kVoltage[] = "\x93"
                                         "d\x88\xb3%d[%s]"; // 電圧%d[%s]
inline constexpr const char kCurrent[] = "\x93"
                                         "d\x97\xac%d[A]";                            // 電流%d[A]
inline constexpr const char kPowerFactor[] = "\x97\xcd\x97\xa6[%]";                   // 力率[%]
inline constexpr const char kRank[] = "\x8f\x87\x88\xca";                             // 順位
inline constexpr const char kPeriod[] = "\x8e\x9e\x8a\xd4\x91\xd1";                   // 時間帯
inline constexpr const char kDate[] = "\x93\xfa\x95t";                                // 日付
inline constexpr const char kMissingIntervals[] = "\x8c\x87\x91\xaa\x8b\xe6\x8a\xd4"; // 欠測区間
inline constexpr const char kOutageIntervals[] = "\x82\xa4\x82\xbf\x92\xe2\x93"
                                                 "d";                // うち停電
inline constexpr const char kInterval[] = "\x8a\xd4\x8au(\x95\xaa)"; // 間隔(分)

inline constexpr const char kSaveFailed[] =
    "\x95\xaa\x90\xcd\x82\xcc\x90\xdd\x92\xe8\x82\xf0\x95\xdb\x91\xb6\x82\xc5\x82\xab\x82\xdc\x82"
    "\xb9\x82\xf1\x82\xc5\x82\xb5\x82\xbd\n%s"; // 分析の設定を保存できませんでした\n%s
inline constexpr const char kContractLine[] = "\x8c_\x96\xf1\x93"
                                              "d\x97\xcd %s";        // 契約電力 %s
inline constexpr const char kComparison[] = "\x94\xe4\x8ar %s";      // 比較 %s
inline constexpr const char kBandLowLine[] = "\x89\xba\x8c\xc0 %s";  // 下限 %s
inline constexpr const char kBandHighLine[] = "\x8f\xe3\x8c\xc0 %s"; // 上限 %s
inline constexpr const char kPfLine[] =
    "\x97\xcd\x97\xa6\x8a\xee\x8f\x80 %.0f%%";                 // 力率基準 %.0f%%
inline constexpr const char kIncompleteMark[] = " \x81\xa3%d"; //  ▲%d
inline constexpr const char kIncompleteLegend[] =
    "\x81\xa3n\x81"
    "F\x8c\x87\x91\xaa n \x8b\xe6\x8a\xd4\x81i\x92\xe2\x93"
    "d\x82\xf0\x8a\xdc\x82\xde\x81j"; // ▲n：欠測 n 区間（停電を含む）
inline constexpr const char kWeekEarlier[] =
    "1\x8fT\x8a\xd4\x91O\x82\xcc\x93\xaf\x82\xb6\x97j\x93\xfa";         // 1週間前の同じ曜日
inline constexpr const char kPreviousMonth[] = "\x91O\x82\xcc\x8c\x8e"; // 前の月
inline constexpr const char kNone[] = "---";
inline constexpr const char kTilde[] = "\x81`"; // ～

// The year report (年報): its table, CSV lines and graph.
inline constexpr const char kYearMonth[] = "\x8c\x8e";          // 月
inline constexpr const char kYearPeriod[] = "\x8a\xfa\x8a\xd4"; // 期間
inline constexpr const char kYearEnergy[] = "\x93"
                                            "d\x97\xcd\x97\xca[kWh]"; // 電力量[kWh]
inline constexpr const char kYearReverseEnergy[] = "\x8bt\x93"
                                                   "d\x97\xcd\x97\xca[kWh]"; // 逆電力量[kWh]
inline constexpr const char kYearLead[] = "\x90i\x82\xdd[kvarh]";            // 進み[kvarh]
inline constexpr const char kYearLag[] = "\x92x\x82\xea[kvarh]";             // 遅れ[kvarh]
inline constexpr const char kYearMaxDemand[] = "\x8d\xc5\x91\xe5\x8e\xf9\x97v\x93"
                                               "d\x97\xcd[kW]"; // 最大需要電力[kW]
inline constexpr const char kYearMaxDemandAt[] = "\x94\xad\x90\xb6\x93\xfa\x8e\x9e"; // 発生日時
inline constexpr const char kYearPowerFactor[] =
    "\x95\xbd\x8b\xcf\x97\xcd\x97\xa6[%]";                                     // 平均力率[%]
inline constexpr const char kYearLoadFactor[] = "\x95\x89\x89\xd7\x97\xa6[%]"; // 負荷率[%]
inline constexpr const char kYearDays[] = "\x93\xfa\x90\x94";                  // 日数
inline constexpr const char kYearIncomplete[] = "\x8c\x87\x91\xaa\x93\xfa";    // 欠測日
inline constexpr const char kYearMonthValue[] = "%d\x8c\x8e";                  // %d月
inline constexpr const char kYearTotal[] = "\x94N\x8a\xd4";                    // 年間
inline constexpr const char kYearTitle[] = "\x94N\x95\xf1, %d\x94N";           // 年報, %d年
inline constexpr const char kYearStartDay[] =
    "\x8c\x8e\x95\xf1\x8fW\x8cv\x8aJ\x8en\x93\xfa, %d"; // 月報集計開始日, %d
inline constexpr const char kYearContract[] = "\x8c_\x96\xf1\x93"
                                              "d\x97\xcd[kW], %s";         // 契約電力[kW], %s
inline constexpr const char kYearSheet[] = "\x94N\x95\xf1 %d\x94N";        // 年報 %d年
inline constexpr const char kYearCaption[] = "\x8c\x8e\x95\xca\x8fW\x8cv"; // 月別集計
inline constexpr const char kYearEnergyName[] = "\x93"
                                                "d\x97\xcd\x97\xca"; // 電力量
inline constexpr const char kYearDemandName[] = "\x8d\xc5\x91\xe5\x8e\xf9\x97v\x93"
                                                "d\x97\xcd"; // 最大需要電力
inline constexpr const char kYearContractLabel[] = "\x8c_\x96\xf1\x93"
                                                   "d\x97\xcd %s kW"; // 契約電力 %s kW

} // namespace txt::analysis
