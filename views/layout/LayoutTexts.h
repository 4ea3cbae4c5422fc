#pragma once
#include "support/SjisText.h"

// Texts of the layout engine and the time chart, written in UTF-8 and made Shift-JIS by the
// compiler.
namespace txt::layout {

inline constexpr auto kFaceGothic = sjis::text(u8"ＭＳ ゴシック");
inline constexpr auto kFacePGothic = sjis::text(u8"ＭＳ Ｐゴシック");
inline constexpr auto kFaceUiGothic = sjis::text(u8"MS UI Gothic");
inline constexpr auto kUnitHours = sjis::text(u8"時間");
inline constexpr auto kUnitDays = sjis::text(u8"日");

} // namespace txt::layout
