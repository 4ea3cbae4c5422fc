#pragma once

// Texts of the formatters and the CSV report as Shift-JIS (CP932) bytes. The comment beside
// each shows the text; hex escapes are split where a hex digit follows.
namespace txt::textout {

inline constexpr const char kParenOpen[] = "\x81i";           // （
inline constexpr const char kParenClose[] = "\x81j";          // ）
inline constexpr const char kWave[] = "\x81`";                // ～
inline constexpr const char kSinglePhase[] = "\x92P\x91\x8a"; // 単相
inline constexpr const char kThreePhase3W[] = "3\x91\x8a"
                                              "3\x90\xfc"; // 3相3線
inline constexpr const char kThreePhase4W[] = "3\x91\x8a"
                                              "4\x90\xfc"; // 3相4線
// Report file names before their extension.
inline constexpr const char kDailyFileName[] = "\x93\xfa\x95\xf1_%s_%s_%s_%d"; // 日報_%s_%s_%s_%d
inline constexpr const char kMonthlyFileName[] =
    "\x8c\x8e\x95\xf1_%s_%s_%04d_%02d_%d"; // 月報_%s_%s_%04d_%02d_%d
inline constexpr const char kYearlyFileName[] = "\x94N\x95\xf1_%s_%s_%04d_%d"; // 年報_%s_%s_%04d_%d
inline constexpr const char kRangeFileName[] =
    "\x93\xfa\x95\xf1_%s_%s_%s-%s_%d"; // 日報_%s_%s_%s-%s_%d (a workbook of several days)
inline constexpr const char kCsvExtension[] = ".CSV";
inline constexpr const char kWorkbookExtension[] = ".xlsx";
inline constexpr const char kDailyTitle[] = "\x93\xfa\x95\xf1, %s";           // 日報, %s
inline constexpr const char kDateWithWeekday[] = "%#m/%#d(%a)";               // 12/1(金)
inline constexpr const char kDailyDate[] = "%Y\x94N %#m\x8c\x8e %#d\x93\xfa"; // %Y年 %#m月 %#d日
inline constexpr const char kDailyDateWeekday[] =
    "%Y\x94N %#m\x8c\x8e %#d\x93\xfa(%a)"; // %Y年 %#m月 %#d日(%a)
inline constexpr const char kMonthlyTitle[] =
    "\x8c\x8e\x95\xf1, %d\x94N %d\x8c\x8e"; // 月報, %d年 %d月
inline constexpr const char kCustomerLine[] =
    "\x8e\xf9\x97v\x89\xc6\x96\xbc\x8f\xcc, %s"; // 需要家名称, %s
inline constexpr const char kCircuitLine[] =
    "\x91\xaa\x92\xe8\x89\xf1\x98H\x96\xbc\x8f\xcc, %s"; // 測定回路名称, %s
inline constexpr const char kChannelLine[] = "\x91\xaa\x92\xe8\x82"
                                             "b\x82g, %d";                       // 測定ＣＨ, %d
inline constexpr const char kCircuitTypeLine[] = "\x91\x8a\x90\xfc\x8e\xae, %s"; // 相線式, %s
inline constexpr const char kRatioLine[] =
    "\x95\xcf\x90\xac\x94\xe4\x81iPT CT\x81j, %.1f, %.1f"; // 変成比（PT CT）, %.1f, %.1f
inline constexpr const char kReactiveLine[] =
    "\x91\x8d\x96\xb3\x8c\xf8\x93"
    "d\x97\xcd[kvarh]\x81i\x90i\x82\xdd \x92x\x82\xea\x81j, %s, %s"; // 総無効電力[kvarh]（進み
                                                                     // 遅れ）, %s, %s
inline constexpr const char kDailyCaption[] = "\x91\xaa\x92\xe8\x92l\x83"
                                              "f\x81[\x83^"; // 測定値データ
inline constexpr const char kMonthlyCaption[] =
    "\x91\xaa\x92\xe8\x92l\x83"
    "f\x81[\x83^\x81i\x95\xbd\x8b\xcf\x92l\x81j"; // 測定値データ（平均値）
inline constexpr const char kSummaryCaption[] = "\x8fW\x8cv\x83"
                                                "f\x81[\x83^";   // 集計データ
inline constexpr const char kTimeHeading[] = "\x8e\x9e\x8a\xd4"; // 時間
inline constexpr const char kDateHeading[] = "\x93\xfa\x95t";    // 日付
inline constexpr const char kPowerKW[] = "\x93"
                                         "d\x97\xcd[kW]"; // 電力[kW]
inline constexpr const char kPowerW[] = "\x93"
                                        "d\x97\xcd[W]";                 // 電力[W]
inline constexpr const char kForward[] = " (\x90\xb3\x95\xfb\x8c\xfc)"; //  (正方向)
inline constexpr const char kReverse[] = " (\x8bt\x95\xfb\x8c\xfc)";    //  (逆方向)
inline constexpr const char kPowerFactor[] = "\x97\xcd\x97\xa6[%]";     // 力率[%]
inline constexpr const char kVoltage[] = "\x93"
                                         "d\x88\xb3"; // 電圧
inline constexpr const char kCurrent[] = "\x93"
                                         "d\x97\xac"; // 電流
inline constexpr const char kEnergy[] = "\x91\x8d\x93"
                                        "d\x97\xcd\x97\xca[kWh]"; // 総電力量[kWh]
inline constexpr const char kLead[] = "\x90i\x82\xdd[kvarh]";     // 進み[kvarh]
inline constexpr const char kLag[] = "\x92x\x82\xea[kvarh]";      // 遅れ[kvarh]
inline constexpr const char kAveragePower[] = "\x95\xbd\x8b\xcf\x93"
                                              "d\x97\xcd"; // 平均電力
inline constexpr const char kAveragePowerFactor[] =
    "\x95\xbd\x8b\xcf\x97\xcd\x97\xa6[%]"; // 平均力率[%]
inline constexpr const char kMaxDemand[] = "\x8d\xc5\x91\xe5\x93"
                                           "d\x97\xcd";              // 最大電力
inline constexpr const char kMaxDemandTime[] = "(\x8e\x9e\x8d\x8f)"; // (時刻)
inline constexpr const char kPeakPower[] = "\x8fu\x8a\xd4\x8d\xc5\x91\xe5\x93"
                                           "d\x97\xcd"; // 瞬間最大電力
inline constexpr const char kPeakPowerTail[] =
    " \x97\xcd\x97\xa6[%]\x81i\x8e\x9e\x8d\x8f\x81j"; //  力率[%]（時刻）
inline constexpr const char kAverageVoltage[] = "\x95\xbd\x8b\xcf\x93"
                                                "d\x88\xb3"; // 平均電圧
inline constexpr const char kAverageCurrent[] = "\x95\xbd\x8b\xcf\x93"
                                                "d\x97\xac"; // 平均電流
inline constexpr const char kPeakVoltage[] = "\x8fu\x8a\xd4\x8d\xc5\x91\xe5\x93"
                                             "d\x88\xb3"; // 瞬間最大電圧
inline constexpr const char kMinVoltage[] = "\x8fu\x8a\xd4\x8d\xc5\x8f\xac\x93"
                                            "d\x88\xb3"; // 瞬間最小電圧
inline constexpr const char kMaxCurrent[] = "\x8d\xc5\x91\xe5\x93"
                                            "d\x97\xac"; // 最大電流
inline constexpr const char kPeakCurrent[] = "\x8fu\x8a\xd4\x8d\xc5\x91\xe5\x93"
                                             "d\x97\xac";               // 瞬間最大電流
inline constexpr const char kTimeNote[] = "\x81i\x8e\x9e\x8d\x8f\x81j"; // （時刻）

// Messages of the CSV dialog.
inline constexpr const char kNoFileName[] =
    "\x8fo\x97\xcd\x83t\x83@\x83"
    "C\x83\x8b\x96\xbc\x82\xf0\x8ew\x92\xe8\x82\xb5\x82\xc4\x82\xad\x82\xbe\x82\xb3"
    "\x82\xa2"; // 出力ファイル名を指定してください
inline constexpr const char kNoFolder[] =
    "\x8fo\x97\xcd\x90\xe6\x82\xf0\x8ew\x92\xe8\x82\xb5\x82\xc4\x82\xad\x82\xbe\x82"
    "\xb3\x82\xa2"; // 出力先を指定してください
inline constexpr const char kCreateFolder[] =
    "\x8ew\x92\xe8\x82\xcc\x83t\x83H\x83\x8b\x83_"
    "\x82\xcd\x91\xb6\x8d\xdd\x82\xb5\x82\xc4\x82\xa2\x82\xdc\x82\xb9\x82\xf1\n\x8d\xec\x90\xac\x82"
    "\xb5\x82\xdc\x82\xb7\x82\xa9\x81H\n%s"; // 指定のフォルダは存在していません\n作成しますか？\n%s
inline constexpr const char kOverwrite[] =
    "\x8ew\x92\xe8\x82\xcc\x83t\x83@\x83"
    "C\x83\x8b\x82\xcd\x8a\xf9\x82\xc9\x91\xb6\x8d\xdd\x82\xb5\x82\xc4\x82\xa2\x82"
    "\xdc\x82\xb7\n\x8f\xe3\x8f\x91\x82\xab\x82\xb5\x82\xdc\x82\xb7\x82\xa9\x81H\n%"
    "s"; // 指定のファイルは既に存在しています\n上書きしますか？\n%s
inline constexpr const char kWritten[] =
    "\x83"
    "e\x83L\x83X\x83g\x83t\x83@\x83"
    "C\x83\x8b\x82\xd6\x90\xb3\x8f\xed\x82\xc9\x8fo\x97\xcd\x82\xb5\x82\xdc\x82\xb5"
    "\x82\xbd\n%s"; // テキストファイルへ正常に出力しました\n%s

inline constexpr const char kWorkbookWritten[] =
    "Excel\x83t\x83@\x83"
    "C\x83\x8b\x82\xd6\x90\xb3\x8f\xed\x82\xc9\x8fo\x97\xcd\x82\xb5\x82\xdc\x82\xb5\x82\xbd\n"
    "%s"; // Excelファイルへ正常に出力しました\n%s

// Sheet names and chart titles of the workbook.
inline constexpr const char kDailySheet[] = "\x93\xfa\x95\xf1 %s";          // 日報 %s
inline constexpr const char kSheetDate[] = "%Y\x94N%#m\x8c\x8e%#d\x93\xfa"; // %Y年%#m月%#d日
inline constexpr const char kMonthlySheet[] = "\x8c\x8e\x95\xf1 %d\x94N%d\x8c\x8e"; // 月報 %d年%d月
inline constexpr const char kAnalysisSheet[] = "\x95\xaa\x90\xcd";                  // 分析
inline constexpr const char kPowerChart[] = "\x93"
                                            "d\x97\xcd"; // 電力

inline constexpr const char kLaunchFailed[] =
    "\x83v\x83\x8d\x83O\x83\x89\x83\x80\x82\xf0\x8bN\x93\xae\x82\xb7\x82\xe9\x82\xb1\x82\xc6\x82"
    "\xaa\x8fo\x97\x88\x82\xdc\x82\xb9\x82\xf1\n%s"; // プログラムを起動することが出来ません\n%s

// The report header: its labels, the stamp box captions it starts with and its save failure.
inline constexpr const char kInspector[] = "\x91\xaa\x92\xe8\x8e\xd2";                // 測定者
inline constexpr const char kInspectorCompany[] = "\x91\xaa\x92\xe8\x89\xef\x8e\xd0"; // 測定会社
inline constexpr const char kCustomerAddress[] = "\x8e\xf9\x97v\x89\xc6\x8fZ\x8f\x8a"; // 需要家住所
inline constexpr const char kRemarks[] = "\x94\xf5\x8dl";                              // 備考
inline constexpr const char kStampCaption1[] = "\x92S\x93\x96";                        // 担当
inline constexpr const char kStampCaption2[] = "\x8am\x94"
                                               "F"; // 確認
inline constexpr const char kStampCaption3[] = "\x8f\xb3\x94"
                                               "F";                // 承認
inline constexpr const char kStampCaption4[] = "\x8c\x9f\x88\xf3"; // 検印
inline constexpr const char kHeaderSaveFailed[] =
    "\x95\xf1\x8d\x90\x8f\x91\x83w\x83"
    "b\x83_\x81[\x82\xcc\x90\xdd\x92\xe8\x82\xf0\x95\xdb\x91"
    "\xb6\x82\xc5\x82\xab\x82\xdc\x82\xb9\x82\xf1\x82\xc5\x82\xb5\x82\xbd\n%"
    "s"; // 報告書ヘッダーの設定を保存できませんでした\n%s

} // namespace txt::textout
