#pragma once
#include "link/LinkTexts.h"

// Texts of the application shell (CP932).
namespace txt::app {

// The reception reads the same two "Debug" keys; they are kept once, with the link's texts.
using txt::link::kCommLogKey;
using txt::link::kDebugCommKey;
inline constexpr const char kAbnormalEnd[] =
    "\x91O\x89\xf1\x88\xd9\x8f\xed\x8fI\x97\xb9"; // 前回異常終了
// An INI file that is there but cannot be read: its path and the reason. It is left alone.
inline constexpr const char kIniUnreadable[] =
    "INI\x83t\x83@\x83"
    "C\x83\x8b\x82\xf0\x93\xc7\x82\xdd\x8d\x9e\x82\xdf\x82\xdc\x82\xb9\x82\xf1 "
    "%s (%s)"; // INIファイルを読み込めません
               // %s (%s)

// The program's name: the frame's title and the message boxes' (never a display name that
// the platform would append to every dialog title).
inline constexpr const char kProgramName[] = "\x83I\x83\x8b\x83{\x81"
                                             "E\x83r\x83\x85\x81["; // オルボ・ビュー

// Start-up failures: the program folder is named below each.
inline constexpr const char kFolderInUse[] =
    "\x83v\x83\x8d\x83O\x83\x89\x83\x80\x83t\x83H\x83\x8b\x83_"
    "\x82\xf0\x8eg\x97p\x82\xc5\x82\xab\x82\xdc\x82\xb9\x82\xf1\x81"
    "B\x91\xbc\x82\xcc\x83v\x83\x8d\x83O\x83\x89\x83\x80\x82\xaa\x8eg\x97p\x92\x86"
    "\x82\xa9\x81"
    "A\x8f\x91\x82\xab\x8d\x9e\x82\xdd\x82\xaa\x8fo\x97\x88\x82\xdc\x82\xb9\x82"
    "\xf1\n%s"; // プログラムフォルダを使用できません。他のプログラムが使用中か、書き込みが出来ません\n%s
inline constexpr const char kFolderTooLong[] =
    "\x83v\x83\x8d\x83O\x83\x89\x83\x80\x83t\x83H\x83\x8b\x83_"
    "\x82\xcc\x83p\x83X\x82\xaa\x92\xb7\x82\xb7\x82\xac\x82\xdc\x82\xb7\x81i260\x83o\x83"
    "C\x83g\x82\xdc\x82\xc5\x81j\n%s"; // プログラムフォルダのパスが長すぎます（260バイトまで）\n%s

// Printing.
inline constexpr const char kNoPrinter[] =
    "\x83v\x83\x8a\x83\x93\x83^\x82\xaa\x83"
    "C\x83\x93\x83X\x83g\x81["
    "\x83\x8b\x82\xb3\x82\xea\x82\xc4\x82\xa2\x82\xdc\x82"
    "\xb9\x82\xf1\x81"
    "B\nPDF\x83t\x83@\x83"
    "C\x83\x8b\x82\xc9\x8fo\x97\xcd\x82\xb5\x82\xdc\x82\xb7"
    "\x82\xa9\x81H"; // プリンタがインストールされていません。\nPDFファイルに出力しますか？
inline constexpr const char kPdfWritten[] =
    "PDF\x83t\x83@\x83"
    "C\x83\x8b\x82\xf0\x8e\x9f\x82\xcc\x83t\x83H\x83\x8b\x83_"
    "\x82\xc9\x8fo\x97\xcd\x82\xb5\x82\xdc\x82\xb5\x82\xbd\x81"
    "B\n%s"; // PDFファイルを次のフォルダに出力しました。\n%s
inline constexpr const char kPdfFailed[] =
    "PDF\x83t\x83@\x83"
    "C\x83\x8b\x82\xf0\x8d\xec\x90\xac\x82\xc5\x82\xab\x82\xdc\x82\xb9\x82\xf1\x81"
    "B\n%s"; // PDFファイルを作成できません。\n%s
inline constexpr const char kPrintFailed[] =
    "\x88\xf3\x8d\xfc\x82\xc5\x82\xab\x82\xdc\x82\xb9\x82\xf1\x82\xc5\x82\xb5\x82\xbd\x81"
    "B\n%s"; // 印刷できませんでした。\n%s
// The status bar while a large data file loads at the start: its path and size.
inline constexpr const char kLoadingDataFile[] =
    "\x83"
    "f\x81[\x83^\x83t\x83@\x83"
    "C\x83\x8b\x82\xf0\x93\xc7\x82\xdd\x8d\x9e\x82\xf1\x82\xc5\x82\xa2\x82\xdc\x82\xb7  %s (%.1f "
    "MB)"; // データファイルを読み込んでいます  %s (%.1f MB)

} // namespace txt::app
