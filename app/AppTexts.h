#pragma once

// Texts of the application shell (CP932). The Debug keys of the INI file are the link's
// (txt::link::kDebugCommKey, txt::link::kCommLogKey).
namespace txt::app {

inline constexpr const char kAbnormalEnd[] =
    "\x91O\x89\xf1\x88\xd9\x8f\xed\x8fI\x97\xb9"; // 前回異常終了

} // namespace txt::app
