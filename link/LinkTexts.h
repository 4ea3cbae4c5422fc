#pragma once
#include "support/SjisText.h"

// Texts of the report parser and the reception, written in UTF-8 and made Shift-JIS by the
// compiler.
namespace txt::link {

// Reception and serial port.
inline constexpr auto kPortOpen = sjis::text(u8"シリアルポートオープン");
inline constexpr auto kPortOpenFailed = sjis::text(u8"シリアルポートのオープンに失敗,%s");
inline constexpr auto kWaitingForDevice = sjis::text(u8"機器からのデータ送信待ち");
inline constexpr auto kReceiving = sjis::text(u8"受信処理中...");
inline constexpr auto kFileOpen = sjis::text(u8"ファイルオープン:%s");
inline constexpr auto kFileMissing = sjis::text(u8"ファイルが存在しません:%s");
inline constexpr auto kFileOpenFailed = sjis::text(u8"ファイルがオープン出来ません:%s");
inline constexpr auto kFileReadFailed = sjis::text(u8"ファイル読み込み異常:%s");
inline constexpr auto kFileReading = sjis::text(u8"ファイル読み込み中...");
inline constexpr auto kCommError = sjis::text(u8"通信異常 [%d]");
inline constexpr auto kPortClose = sjis::text(u8"シリアルポートクローズ");
inline constexpr auto kFinishing = sjis::text(u8"後処理中...しばらくお待ちください");
inline constexpr auto kUnexpected = sjis::text(u8"例外発生");
inline constexpr auto kSystemError = sjis::text(u8"%sｴﾗｰNo:hex(%X),dec(%lu)");

// Appended to kPortOpenFailed when the user may not read and write the device:
// " ポートを使う権限がありません。sudo usermod -aG dialout ユーザー名 で dialout グループに加え、
// ログインし直してください"
inline constexpr auto kPortPermissionHint =
    sjis::text(u8" ポートを使う権限がありません。sudo usermod -aG dialout ユーザー名 で dialout "
               u8"グループに加え、ログインし直してください");
inline constexpr auto kReceptionProblem = sjis::text(u8"受信処理で問題が発生しました");
inline constexpr auto kCaptureFailed = sjis::text(u8"受信データの保存に失敗しました:%s");

// A reception or a captured file that ended inside a block: the reason, what was kept, the
// day cut off and the file holding the bytes (joined with blanks into one message).
// 記録計からの送信が測定データの途中で途切れました。
inline constexpr auto kCutSilence =
    sjis::text(u8"記録計からの送信が測定データの途中で途切れました。");
// 測定データの受信中にシリアルポートから読めなくなりました（ケーブルや変換器が外れた可能性があります）。
inline constexpr auto kCutReadError =
    sjis::text(u8"測定データの受信中にシリアルポートから読めなくなりました（ケーブルや変換器が外れ"
               u8"た可能性があります）。");
// ファイルが測定データの途中で終わっています。
inline constexpr auto kCutFileEnd = sjis::text(u8"ファイルが測定データの途中で終わっています。");
// 完全に届いた測定データは %d 件です。
inline constexpr auto kCutKept = sjis::text(u8"完全に届いた測定データは %d 件です。");
// 完全に届いた測定データはありません。
inline constexpr auto kCutNoneKept = sjis::text(u8"完全に届いた測定データはありません。");
// 途中で切れた %dch %s は取り込みません。
inline constexpr auto kCutDayLeft = sjis::text(u8"途中で切れた %dch %s は取り込みません。");
// 受信ファイル：%s
inline constexpr auto kCutCapture = sjis::text(u8"受信ファイル：%s");
// ファイル：%s
inline constexpr auto kCutFile = sjis::text(u8"ファイル：%s");
// A day of which only a summary arrived, and bytes left from an earlier sender.
// 測定値の一覧が届いていない %dch %s の集計は取り込みません
inline constexpr auto kHeadlessDay =
    sjis::text(u8"測定値の一覧が届いていない %dch %s の集計は取り込みません");
// 受信開始前に届いていた %u バイトは読み捨てました（受信ファイルには残しています）
inline constexpr auto kDiscardedInput = sjis::text(
    u8"受信開始前に届いていた %u バイトは読み捨てました（受信ファイルには残しています）");

// Entries of the communication settings.
inline constexpr auto kNone = sjis::text(u8"なし");
inline constexpr auto kParityOdd = sjis::text(u8"奇数");
inline constexpr auto kParityEven = sjis::text(u8"偶数");
inline constexpr auto kParityMark = sjis::text(u8"マーク");
inline constexpr auto kFlowHardware = sjis::text(u8"ハードウェア");

// The device chosen for a port could not be written to section "Port" of the INI file.
inline constexpr auto kPortDeviceNotStored =
    sjis::text(u8"デバイスの割り当てを設定ファイルに保存できません");

// Section "Debug" of the INI file: the port trace and the debug mode of a reception.
inline constexpr auto kDebugSection = sjis::text(u8"Debug");
inline constexpr auto kDebugCommKey = sjis::text(u8"通信(0:リリース,1:デバック)");
inline constexpr auto kCommLogKey = sjis::text(u8"通信ログ出力(0:しない,1:する)");
// Names in the program folder: the trace prefix and the folder of the capture files.
inline constexpr auto kTracePrefixName = sjis::text(u8"COMM_");
inline constexpr auto kCaptureFolderName = sjis::text(u8"RECEIVED");

// Report grammar marks and parser messages.
// ＣＨ: starts a channel header line
inline constexpr auto kChannelMark = sjis::text(u8"ＣＨ");
// 時刻: starts the column line of an interval block
inline constexpr auto kTimeMark = sjis::text(u8"時刻");
// 総電力量: starts a summary block
inline constexpr auto kEnergyMark = sjis::text(u8"総電力量");
// 停電: outage note inside an interval listing
inline constexpr auto kOutageMark = sjis::text(u8"停電");
// 正方向: in the column line: the report has a reverse column
inline constexpr auto kReverseMark = sjis::text(u8"正方向");
// 瞬間最大電力: extra heading skipped before the average voltages
inline constexpr auto kPeakPowerMark = sjis::text(u8"瞬間最大電力");
// 単相
inline constexpr auto kSinglePhase = sjis::text(u8"単相");
// 3相3線
inline constexpr auto kThreePhase3Wire = sjis::text(u8"3相3線");
// 3相4線
inline constexpr auto kThreePhase4Wire = sjis::text(u8"3相4線");

// Failure messages: the prefix, then the cleaned line, then ">".
// チャンネル指定の解析が出来ません<>
inline constexpr auto kMsgChannel = sjis::text(u8"チャンネル指定の解析が出来ません<");
// 測定回路種類の解析が出来ません<>
inline constexpr auto kMsgCircuitType = sjis::text(u8"測定回路種類の解析が出来ません<");
// PT解析異常，スペース無し<>
inline constexpr auto kMsgPtNoBlank = sjis::text(u8"PT解析異常，スペース無し<");
// PT解析異常，数字以外の文字検出<>
inline constexpr auto kMsgPtNotNumber = sjis::text(u8"PT解析異常，数字以外の文字検出<");
// CT解析異常，スペース無し<>
inline constexpr auto kMsgCtNoBlank = sjis::text(u8"CT解析異常，スペース無し<");
// CT解析異常，数字以外の文字検出<>
inline constexpr auto kMsgCtNotNumber = sjis::text(u8"CT解析異常，数字以外の文字検出<");
// 時刻解析異常<>
inline constexpr auto kMsgHeaderDate = sjis::text(u8"時刻解析異常<");
// 解析異常<>
inline constexpr auto kMsgIntervalTime = sjis::text(u8"解析異常<");
// 解析異常，数字以外の文字検出<>
inline constexpr auto kMsgNotNumber = sjis::text(u8"解析異常，数字以外の文字検出<");
// 時間範囲解析異常<>
inline constexpr auto kMsgTimeRange = sjis::text(u8"時間範囲解析異常<");
// 時間解析１異常<>
inline constexpr auto kMsgFromTime = sjis::text(u8"時間解析１異常<");
// 時間解析２異常<>
inline constexpr auto kMsgToTime = sjis::text(u8"時間解析２異常<");
// 解析異常，該当ケース無し，sw=[%d]<%s>
inline constexpr auto kMsgNoCase = sjis::text(u8"解析異常，該当ケース無し，sw=[");
// 解析異常，行が長すぎます<>
inline constexpr auto kMsgLineTooLong = sjis::text(u8"解析異常，行が長すぎます<");

} // namespace txt::link
