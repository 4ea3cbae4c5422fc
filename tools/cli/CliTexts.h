#pragma once
// Texts of the command-line tool that the program has no text for. The tool only prints them,
// always as UTF-8, so they are kept here as UTF-8. Where the program has a text for the same
// situation, the tool prints the core's constant (CP932, converted when printed) instead.
namespace txt::cli {

// Lookups by name.
inline constexpr const char kNoCustomer[] = "指定の需要家は登録されていません\n%s";
inline constexpr const char kNoCircuit[] = "指定の測定回路は登録されていません\n%s";
// Filing received days.
// Follows the program's text on mixed channels (txt::transfer::kMixedChannels).
inline constexpr const char kMixedChannelsHint[] =
    "受信したチャンネル: %s\n--channel で選んでください";
inline constexpr const char kNoDaysOfChannel[] = "%dＣＨの測定データは受信していません";
inline constexpr const char kNothingReceived[] = "取り込む測定データがありません";
inline constexpr const char kFiled[] =
    "%d日分を追加しました (%d日分は既に存在するため追加しませんでした)";
inline constexpr const char kFiledAll[] = "%d日分を追加しました";
inline constexpr const char kNoStoredDay[] = "指定の測定日データは登録されていません\n%s";
inline constexpr const char kNoStoredDays[] = "指定の期間の測定データは登録されていません\n%s～%s";
inline constexpr const char kNoStoredMonth[] = "指定の月の測定データは登録されていません\n%s";
// pdf in a build without the window's drawing.
inline constexpr const char kNoPdfPainter[] =
    "PDFファイルを作成できません\nこの orvoview-cli は画面の描画なしでビルドされています";
inline constexpr const char kImportDeclined[] = "取り込みを中止しました";
// A data file or customer file piped in is read whole; past this it is refused.
inline constexpr const char kInputTooLarge[] = "入力が大きすぎます (上限 %d MiB)\n%s";
inline constexpr const char kFolderBusy[] =
    "オルボ・ビューがこのデータフォルダを使用中です。終了してからもう一度実行してください\n%s";

// Reception without a window: the dialog's status after a failure, and an interruption.
inline constexpr const char kReceptionInterrupted[] = "受信を中断しました";
// A reception or captured file cut inside a block files nothing unless asked to.
inline constexpr const char kPartialNotFiled[] =
    "途中で切れた受信のため登録しませんでした。完全に届いた測定データを登録するには --partial "
    "を付けてください";

} // namespace txt::cli
