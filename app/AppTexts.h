#pragma once
#include "link/ReceptionTexts.h"
#include "support/Sjis.h"
#include <string>

// Texts the shell writes into the INI file and the log, as CP932 bytes.
namespace apptext {
inline const std::string kDebugCommKey = rxtext::kDebugCommKey;
inline const std::string kCommLogKey = rxtext::kCommLogKey;
inline const std::string kAbnormalEnd = sjis::fromUtf8("前回異常終了");
// Printing.
inline const std::string kNoPrinter =
    sjis::fromUtf8("プリンタがインストールされていません。\nPDFファイルに出力しますか？");
inline const std::string kPdfWritten =
    sjis::fromUtf8("PDFファイルを次のフォルダに出力しました。\n%s");
inline const std::string kPdfFailed = sjis::fromUtf8("PDFファイルを作成できません。\n%s");
inline const std::string kPrintFailed = sjis::fromUtf8("印刷できませんでした。\n%s");
} // namespace apptext
