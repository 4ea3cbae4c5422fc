#pragma once
#include "support/SjisText.h"

// Texts of the support library, written in UTF-8 and made Shift-JIS by the compiler.
namespace txt::support {

// Headings of unexpected failures.
inline constexpr auto kFailureMemory = sjis::text(u8"メモリ不足");
inline constexpr auto kFailureFileAccess = sjis::text(u8"ﾌｧｲﾙｱｸｾｽ異常");
inline constexpr auto kFailureArchive = sjis::text(u8"ｱｰｶｲﾌﾞ異常");
inline constexpr auto kFailureOther = sjis::text(u8"例外発生");

// Why a file could not be opened, and what to do (added after the program's own text).
inline constexpr auto kReasonNoWritePermission =
    sjis::text(u8"フォルダに書き込む権限がありません。書き込めるフォルダを選んでください。");
inline constexpr auto kReasonNoReadPermission = sjis::text(u8"ファイルを読む権限がありません。");
inline constexpr auto kReasonReadOnly =
    sjis::text(u8"読み取り専用の場所です。書き込めるフォルダを選んでください。");
inline constexpr auto kReasonDiskFull =
    sjis::text(u8"ディスクに空きがありません。空きを作るか、別の場所を選んでください。");
inline constexpr auto kReasonNameTooLong =
    sjis::text(u8"ファイル名が長すぎます。短い名前にしてください。");
inline constexpr auto kReasonNoFolder = sjis::text(u8"フォルダが存在しません。");
inline constexpr auto kReasonFolderAtName =
    sjis::text(u8"同じ名前のフォルダがあります。別の名前にしてください。");
inline constexpr auto kReasonInUse =
    sjis::text(u8"他のプログラムが使用中です。そのプログラムを閉じてからやり直してください。");
inline constexpr auto kReasonSystem = sjis::text(u8"システムの応答：%s");
inline constexpr auto kReasonFolder = sjis::text(u8"フォルダ：%s");

// Marks of a date text such as 2024年5月1日.
inline constexpr auto kYearMark = sjis::text(u8"年");
inline constexpr auto kMonthMark = sjis::text(u8"月");
inline constexpr auto kDayMark = sjis::text(u8"日");

// Weekday names, Sunday first.
inline constexpr auto kSunday = sjis::text(u8"日");
inline constexpr auto kMonday = sjis::text(u8"月");
inline constexpr auto kTuesday = sjis::text(u8"火");
inline constexpr auto kWednesday = sjis::text(u8"水");
inline constexpr auto kThursday = sjis::text(u8"木");
inline constexpr auto kFriday = sjis::text(u8"金");
inline constexpr auto kSaturday = sjis::text(u8"土");

// A folder written the Windows way, typed into an output folder field.
inline constexpr auto kWindowsFolder = sjis::text(
    u8"Windowsのフォルダ名は使えません。このコンピュータのフォルダを指定してください。\n%s");
// A name typed with a character Shift-JIS cannot keep.
inline constexpr auto kUnspellableName =
    sjis::text(u8"Shift-JISで表せない文字が含まれています。この文字は使えません。");

} // namespace txt::support
