#pragma once
#include "support/SjisText.h"

// Texts of the table view and its printed pages, written in UTF-8 and made Shift-JIS by the
// compiler.
namespace txt::table {

inline constexpr auto kCustomer = sjis::text(u8"需要家名称");
inline constexpr auto kCircuit = sjis::text(u8"測定回路");
inline constexpr auto kCircuitType = sjis::text(u8"相線式");
inline constexpr auto kRatio = sjis::text(u8"変成比");
inline constexpr auto kReactiveTotal = sjis::text(u8"総無効電力[kvarh]");
inline constexpr auto kMonthTitle = sjis::text(u8"%d年 %d月");
// A report month with its dates, which cross the calendar month unless it starts on the 1st.
inline constexpr auto kMonthPeriodTitle = sjis::text(u8"%d年 %d月（%d/%d～%d/%d）");
inline constexpr auto kYearTitle = sjis::text(u8"%d年");
inline constexpr auto kRatioValue = sjis::text(u8"PT=%.1f ，CT=%.1f");
inline constexpr auto kReactiveValue = sjis::text(u8"進=%s ，遅=%s");
inline constexpr auto kMeasured = sjis::text(u8"測定値");
inline constexpr auto kMeasuredAverage = sjis::text(u8"測定値（平均値）");
inline constexpr auto kSummary = sjis::text(u8"集計");
inline constexpr auto kPrintSummary = sjis::text(u8"         集計");
inline constexpr auto kPower = sjis::text(u8"電力");
inline constexpr auto kPeakPowerFactorTail = sjis::text(u8",力率[%]");
inline constexpr auto kForwardNote = sjis::text(u8" (正)");
inline constexpr auto kReverseNote = sjis::text(u8" (逆)");
inline constexpr auto kBothScreen = sjis::text(u8"+%s／-%s");
inline constexpr auto kBothPeak = sjis::text(u8"+%s ／ -%s");
inline constexpr auto kFitSummaryValue = sjis::text(u8"9999.99");
inline constexpr auto kFitSummaryPeak = sjis::text(u8"999.9 (99:99～99:99)");
inline constexpr auto kFitPeakLabel = sjis::text(u8"瞬間最大電力[kW],力率[%]     ");
inline constexpr auto kFitPrintLabel = sjis::text(u8"  瞬間最大電力[kW],力率[%]（時刻）(逆)");
inline constexpr auto kFitPrintValue = sjis::text(u8"    999.99（99:99～99:99）");
inline constexpr auto kDailyPdfName = sjis::text(u8"日報_%s_%s_%s.pdf");
inline constexpr auto kMonthlyPdfName = sjis::text(u8"月報_%s_%s_%04d_%02d.pdf");
inline constexpr auto kYearlyPdfName = sjis::text(u8"年報_%s_%s_%04d.pdf");
inline constexpr auto kPageNumber = sjis::text(u8"%d/%d");
inline constexpr auto kPageNumberInitial = sjis::text(u8"(1/10)");
inline constexpr auto kFitTime = sjis::text(u8"99:99");

// 一括出力: the summary at the end and the reasons of what failed.
inline constexpr auto kBatchWritten = sjis::text(u8"%d 件出力しました");
inline constexpr auto kBatchFailedHeader = sjis::text(u8"出力できなかったもの:");
inline constexpr auto kBatchNoFolder = sjis::text(u8"出力先のフォルダがありません:%s");
inline constexpr auto kBatchSameName = sjis::text(u8"同じ名前のファイルを先に出力しました");
inline constexpr auto kBatchNothing = sjis::text(u8"期間内に出力する測定データがありません");

} // namespace txt::table
