#pragma once
#include "support/Sjis.h"
#include <string>

// Texts the shell writes into the INI file and the log, as CP932 bytes.
namespace apptext {
inline const std::string kDebugCommKey = sjis::fromUtf8("通信(0:リリース,1:デバック)");
inline const std::string kCommLogKey = sjis::fromUtf8("通信ログ出力(0:しない,1:する)");
inline const std::string kAbnormalEnd = sjis::fromUtf8("前回異常終了");
// An INI file that is there but cannot be read: its path and the reason. It is left alone.
inline const std::string kIniUnreadable = sjis::fromUtf8("INIファイルを読み込めません %s (%s)");
} // namespace apptext
