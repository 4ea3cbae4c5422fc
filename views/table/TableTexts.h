#pragma once

// CP932 texts of the table view and its printed pages; the comment beside each shows the text.
namespace txt::table {

inline constexpr const char kCustomer[] = "\x8e\xf9\x97v\x89\xc6\x96\xbc\x8f\xcc"; // 需要家名称
inline constexpr const char kCircuit[] = "\x91\xaa\x92\xe8\x89\xf1\x98H";          // 測定回路
inline constexpr const char kCircuitType[] = "\x91\x8a\x90\xfc\x8e\xae";           // 相線式
inline constexpr const char kRatio[] = "\x95\xcf\x90\xac\x94\xe4";                 // 変成比
inline constexpr const char kReactiveTotal[] = "\x91\x8d\x96\xb3\x8c\xf8\x93"
                                               "d\x97\xcd[kvarh]"; // 総無効電力[kvarh]
inline constexpr const char kMonthTitle[] = "%d\x94N %d\x8c\x8e";  // %d年 %d月
inline constexpr const char kYearTitle[] = "%d\x94N";              // %d年
inline constexpr const char kRatioValue[] = "PT=%.1f \x81"
                                            "CCT=%.1f"; // PT=%.1f ，CT=%.1f
inline constexpr const char kReactiveValue[] = "\x90i=%s \x81"
                                               "C\x92x=%s";        // 進=%s ，遅=%s
inline constexpr const char kMeasured[] = "\x91\xaa\x92\xe8\x92l"; // 測定値
inline constexpr const char kMeasuredAverage[] =
    "\x91\xaa\x92\xe8\x92l\x81i\x95\xbd\x8b\xcf\x92l\x81j";          // 測定値（平均値）
inline constexpr const char kSummary[] = "\x8fW\x8cv";               // 集計
inline constexpr const char kPrintSummary[] = "         \x8fW\x8cv"; //          集計
inline constexpr const char kPower[] = "\x93"
                                       "d\x97\xcd";                          // 電力
inline constexpr const char kPeakPowerFactorTail[] = ",\x97\xcd\x97\xa6[%]"; // ,力率[%]
inline constexpr const char kForwardNote[] = " (\x90\xb3)";                  //  (正)
inline constexpr const char kReverseNote[] = " (\x8bt)";                     //  (逆)
inline constexpr const char kBothScreen[] = "+%s\x81^-%s";                   // +%s／-%s
inline constexpr const char kBothPeak[] = "+%s \x81^ -%s";                   // +%s ／ -%s
inline constexpr const char kFitSummaryValue[] = "9999.99";                  // 9999.99
inline constexpr const char kFitSummaryPeak[] = "999.9 (99:99\x81`99:99)"; // 999.9 (99:99～99:99)
inline constexpr const char kFitPeakLabel[] =
    "\x8fu\x8a\xd4\x8d\xc5\x91\xe5\x93"
    "d\x97\xcd[kW],\x97\xcd\x97\xa6[%]     "; // 瞬間最大電力[kW],力率[%]
inline constexpr const char kFitPrintLabel[] =
    "  \x8fu\x8a\xd4\x8d\xc5\x91\xe5\x93"
    "d\x97\xcd[kW],\x97\xcd\x97\xa6[%]\x81i\x8e\x9e\x8d\x8f\x81j(\x8bt)"; //   瞬間最大電力[kW],力率[%]（時刻）(逆)
inline constexpr const char kFitPrintValue[] =
    "    999.99\x81i99:99\x81`99:99\x81j"; //     999.99（99:99～99:99）
inline constexpr const char kDailyPdfName[] = "\x93\xfa\x95\xf1_%s_%s_%s.pdf"; // 日報_%s_%s_%s.pdf
inline constexpr const char kMonthlyPdfName[] =
    "\x8c\x8e\x95\xf1_%s_%s_%04d_%02d.pdf"; // 月報_%s_%s_%04d_%02d.pdf
inline constexpr const char kYearlyPdfName[] =
    "\x94N\x95\xf1_%s_%s_%04d.pdf"; // 年報_%s_%s_%04d.pdf
inline constexpr const char kPageNumber[] = "%d/%d";
inline constexpr const char kPageNumberInitial[] = "(1/10)";
inline constexpr const char kFitTime[] = "99:99";

// 一括出力: the summary at the end and the reasons of what failed.
inline constexpr const char kBatchWritten[] =
    "%d \x8c\x8f\x8fo\x97\xcd\x82\xb5\x82\xdc\x82\xb5\x82\xbd"; // %d 件出力しました
inline constexpr const char kBatchFailedHeader[] =
    "\x8fo\x97\xcd\x82\xc5\x82\xab\x82\xc8\x82\xa9\x82\xc1\x82\xbd\x82\xe0"
    "\x82\xcc:"; // 出力できなかったもの:
inline constexpr const char kBatchNoFolder[] =
    "\x8fo\x97\xcd\x90\xe6\x82\xcc\x83t\x83H\x83\x8b\x83_"
    "\x82\xaa\x82\xa0\x82\xe8\x82\xdc\x82\xb9\x82\xf1:%s"; // 出力先のフォルダがありません:%s
inline constexpr const char kBatchSameName[] =
    "\x93\xaf\x82\xb6\x96\xbc\x91O\x82\xcc\x83t\x83@\x83"
    "C\x83\x8b\x82\xf0\x90\xe6\x82\xc9\x8fo\x97\xcd\x82\xb5\x82\xdc\x82\xb5\x82"
    "\xbd"; // 同じ名前のファイルを先に出力しました
inline constexpr const char kBatchNothing[] =
    "\x8a\xfa\x8a\xd4\x93\xe0\x82\xc9\x8fo\x97\xcd\x82\xb7\x82\xe9\x91\xaa\x92\xe8\x83"
    "f\x81[\x83^\x82\xaa\x82\xa0\x82\xe8\x82\xdc\x82\xb9\x82\xf1"; // 期間内に出力する測定データがありません

} // namespace txt::table
