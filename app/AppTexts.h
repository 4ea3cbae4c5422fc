#pragma once
#include "link/LinkTexts.h"

// Texts of the application shell (CP932).
namespace txt::app {

// The reception reads the same two "Debug" keys; they are kept once, with the link's texts.
using txt::link::kCommLogKey;
using txt::link::kDebugCommKey;
inline constexpr const char kAbnormalEnd[] =
    "\x91O\x89\xf1\x88\xd9\x8f\xed\x8fI\x97\xb9"; // 前回異常終了

} // namespace txt::app
