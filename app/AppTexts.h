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
    "C\x83\x8b\x82\xf0\x93\xc7\x82\xdd\x8d\x9e\x82\xdf\x82\xdc\x82\xb9\x82\xf1 %s (%s)"; // INIファイルを読み込めません
                                                                                         // %s (%s)

} // namespace txt::app
