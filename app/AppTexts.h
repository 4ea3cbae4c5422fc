#pragma once
#include "link/LinkTexts.h"
#include "support/SjisText.h"

// Texts of the application shell, written in UTF-8 and made Shift-JIS by the compiler.
namespace txt::app {

// The reception reads the same two "Debug" keys; they are kept once, with the link's texts.
using txt::link::kCommLogKey;
using txt::link::kDebugCommKey;
inline constexpr auto kAbnormalEnd = sjis::text(u8"前回異常終了");
// An INI file that is there but cannot be read: its path and the reason. It is left alone.
inline constexpr auto kIniUnreadable = sjis::text(u8"INIファイルを読み込めません %s (%s)");

// The program's name: the frame's title and the message boxes' (never a display name that
// the platform would append to every dialog title).
inline constexpr auto kProgramName = sjis::text(u8"オルボ・ビュー");

// Start-up failures: the program folder is named below each.
inline constexpr auto kFolderInUse = sjis::text(
    u8"プログラムフォルダを使用できません。他のプログラムが使用中か、書き込みが出来ません\n%s");
inline constexpr auto kFolderTooLong =
    sjis::text(u8"プログラムフォルダのパスが長すぎます（260バイトまで）\n%s");

// Printing.
inline constexpr auto kNoPrinter =
    sjis::text(u8"プリンタがインストールされていません。\nPDFファイルに出力しますか？");
inline constexpr auto kPdfWritten = sjis::text(u8"PDFファイルを次のフォルダに出力しました。\n%s");
// 印刷期間の入力 with the end before the start.
inline constexpr auto kPeriodReversed =
    sjis::text(u8"終了日が開始日より前です。\n終了日には開始日以降の日付を選んでください。");
// A PDF file written.
inline constexpr auto kPdfFileWritten = sjis::text(u8"PDFファイルを出力しました。\n%s");
inline constexpr auto kPdfFailed = sjis::text(u8"PDFファイルを作成できません。\n%s");
inline constexpr auto kPrintFailed = sjis::text(u8"印刷できませんでした。\n%s");
// The status bar while a large data file loads at the start: its path and size.
inline constexpr auto kLoadingDataFile =
    sjis::text(u8"データファイルを読み込んでいます  %s (%.1f MB)");

} // namespace txt::app
