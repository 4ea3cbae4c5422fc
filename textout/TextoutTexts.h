#pragma once
#include "support/SjisText.h"

// Texts of the formatters and the CSV report, written in UTF-8 and made Shift-JIS by the compiler.
namespace txt::textout {

inline constexpr auto kParenOpen = sjis::text(u8"（");
inline constexpr auto kParenClose = sjis::text(u8"）");
inline constexpr auto kWave = sjis::text(u8"～");
inline constexpr auto kSinglePhase = sjis::text(u8"単相");
inline constexpr auto kThreePhase3W = sjis::text(u8"3相3線");
inline constexpr auto kThreePhase4W = sjis::text(u8"3相4線");
// Report file names before their extension.
inline constexpr auto kDailyFileName = sjis::text(u8"日報_%s_%s_%s_%d");
inline constexpr auto kMonthlyFileName = sjis::text(u8"月報_%s_%s_%04d_%02d_%d");
inline constexpr auto kYearlyFileName = sjis::text(u8"年報_%s_%s_%04d_%d");
// A workbook of several days.
inline constexpr auto kRangeFileName = sjis::text(u8"日報_%s_%s_%s-%s_%d");
inline constexpr auto kCsvExtension = sjis::text(u8".CSV");
inline constexpr auto kWorkbookExtension = sjis::text(u8".xlsx");
inline constexpr auto kDailyTitle = sjis::text(u8"日報, %s");
inline constexpr auto kDateWithWeekday = sjis::text(u8"%#m/%#d(%a)");
inline constexpr auto kDailyDate = sjis::text(u8"%Y年 %#m月 %#d日");
inline constexpr auto kDailyDateWeekday = sjis::text(u8"%Y年 %#m月 %#d日(%a)");
inline constexpr auto kMonthlyTitle = sjis::text(u8"月報, %d年 %d月");
inline constexpr auto kCustomerLine = sjis::text(u8"需要家名称, %s");
inline constexpr auto kCircuitLine = sjis::text(u8"測定回路名称, %s");
inline constexpr auto kChannelLine = sjis::text(u8"測定ＣＨ, %d");
inline constexpr auto kCircuitTypeLine = sjis::text(u8"相線式, %s");
inline constexpr auto kRatioLine = sjis::text(u8"変成比（PT CT）, %.1f, %.1f");
inline constexpr auto kReactiveLine = sjis::text(u8"総無効電力[kvarh]（進み 遅れ）, %s, %s");
inline constexpr auto kDailyCaption = sjis::text(u8"測定値データ");
inline constexpr auto kMonthlyCaption = sjis::text(u8"測定値データ（平均値）");
inline constexpr auto kSummaryCaption = sjis::text(u8"集計データ");
inline constexpr auto kTimeHeading = sjis::text(u8"時間");
inline constexpr auto kDateHeading = sjis::text(u8"日付");
inline constexpr auto kPowerKW = sjis::text(u8"電力[kW]");
inline constexpr auto kPowerW = sjis::text(u8"電力[W]");
inline constexpr auto kForward = sjis::text(u8" (正方向)");
inline constexpr auto kReverse = sjis::text(u8" (逆方向)");
inline constexpr auto kPowerFactor = sjis::text(u8"力率[%]");
inline constexpr auto kVoltage = sjis::text(u8"電圧");
inline constexpr auto kCurrent = sjis::text(u8"電流");
inline constexpr auto kEnergy = sjis::text(u8"総電力量[kWh]");
inline constexpr auto kLead = sjis::text(u8"進み[kvarh]");
inline constexpr auto kLag = sjis::text(u8"遅れ[kvarh]");
inline constexpr auto kAveragePower = sjis::text(u8"平均電力");
inline constexpr auto kAveragePowerFactor = sjis::text(u8"平均力率[%]");
inline constexpr auto kMaxDemand = sjis::text(u8"最大電力");
inline constexpr auto kMaxDemandTime = sjis::text(u8"(時刻)");
inline constexpr auto kPeakPower = sjis::text(u8"瞬間最大電力");
inline constexpr auto kPeakPowerTail = sjis::text(u8" 力率[%]（時刻）");
inline constexpr auto kAverageVoltage = sjis::text(u8"平均電圧");
inline constexpr auto kAverageCurrent = sjis::text(u8"平均電流");
inline constexpr auto kPeakVoltage = sjis::text(u8"瞬間最大電圧");
inline constexpr auto kMinVoltage = sjis::text(u8"瞬間最小電圧");
inline constexpr auto kMaxCurrent = sjis::text(u8"最大電流");
inline constexpr auto kPeakCurrent = sjis::text(u8"瞬間最大電流");
inline constexpr auto kTimeNote = sjis::text(u8"（時刻）");

// Messages of the CSV dialog.
inline constexpr auto kNoFileName = sjis::text(u8"出力ファイル名を指定してください");
inline constexpr auto kNoFolder = sjis::text(u8"出力先を指定してください");
inline constexpr auto kCreateFolder =
    sjis::text(u8"指定のフォルダは存在していません\n作成しますか？\n%s");
inline constexpr auto kOverwrite =
    sjis::text(u8"指定のファイルは既に存在しています\n上書きしますか？\n%s");
inline constexpr auto kWritten = sjis::text(u8"テキストファイルへ正常に出力しました\n%s");

inline constexpr auto kWorkbookWritten = sjis::text(u8"Excelファイルへ正常に出力しました\n%s");

// Sheet names and chart titles of the workbook.
inline constexpr auto kDailySheet = sjis::text(u8"日報 %s");
inline constexpr auto kSheetDate = sjis::text(u8"%Y年%#m月%#d日");
inline constexpr auto kMonthlySheet = sjis::text(u8"月報 %d年%d月");
inline constexpr auto kAnalysisSheet = sjis::text(u8"分析");
inline constexpr auto kPowerChart = sjis::text(u8"電力");

inline constexpr auto kLaunchFailed = sjis::text(u8"プログラムを起動することが出来ません\n%s");

// The report header: its labels, the stamp box captions it starts with and its save failure.
inline constexpr auto kInspector = sjis::text(u8"測定者");
inline constexpr auto kInspectorCompany = sjis::text(u8"測定会社");
inline constexpr auto kCustomerAddress = sjis::text(u8"需要家住所");
inline constexpr auto kRemarks = sjis::text(u8"備考");
inline constexpr auto kStampCaption1 = sjis::text(u8"担当");
inline constexpr auto kStampCaption2 = sjis::text(u8"確認");
inline constexpr auto kStampCaption3 = sjis::text(u8"承認");
inline constexpr auto kStampCaption4 = sjis::text(u8"検印");
inline constexpr auto kHeaderSaveFailed =
    sjis::text(u8"報告書ヘッダーの設定を保存できませんでした\n%s");

} // namespace txt::textout
