#pragma once
// Texts of the command-line tool. The tool only prints them, always as UTF-8, so they are kept
// here as UTF-8; texts that the core rules raise arrive as CP932 and are converted when
// printed. Where the program has a text for the same situation, it is that text.
namespace txt::cli {

// Reading a captured report (the reception's own texts).
// Opening data and export files.
inline constexpr const char kCannotOpen[] = "ファイルを開くことが出来ません\n%s";
// Lookups by name.
inline constexpr const char kNoCustomer[] = "指定の需要家は登録されていません\n%s";
inline constexpr const char kNoCircuit[] = "指定の測定回路は登録されていません\n%s";
// Filing received days.
inline constexpr const char kMixedChannels[] = "１ＣＨと２ＣＨを同時に追加することは出来ません\n受"
                                               "信したチャンネル: %s\n--channel で選んでください";
inline constexpr const char kNoDaysOfChannel[] = "%dＣＨの測定データは受信していません";
inline constexpr const char kNothingReceived[] = "取り込む測定データがありません";
inline constexpr const char kFiled[] =
    "%d日分を追加しました (%d日分は既に存在するため追加しませんでした)";
inline constexpr const char kFiledAll[] = "%d日分を追加しました";
inline constexpr const char kSaved[] = "正常に保存しました。";
inline constexpr const char kNoStoredDay[] = "指定の測定日データは登録されていません\n%s";
inline constexpr const char kNoStoredDays[] = "指定の期間の測定データは登録されていません\n%s～%s";
inline constexpr const char kNoStoredMonth[] = "指定の月の測定データは登録されていません\n%s";
inline constexpr const char kImportDeclined[] = "取り込みを中止しました";
inline constexpr const char kFolderBusy[] =
    "オルボ・ビューがこのデータフォルダを使用中です。終了してからもう一度実行してください\n%s";

// A data or export file that cannot be read: the first line of the program's message (the
// tool neither resets nor rewrites the file, so the rest of that message does not apply).

// Reception without a window: the dialog's status after a failure, and an interruption.
inline constexpr const char kReceptionInterrupted[] = "受信を中断しました";

} // namespace txt::cli
