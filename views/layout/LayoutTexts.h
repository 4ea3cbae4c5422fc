#pragma once

// CP932 texts of the layout engine and the time chart, as escaped bytes.
namespace txt::layout {

inline constexpr const char kFaceGothic[] =
    "\x82\x6c\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4e"; // ＭＳ ゴシック
inline constexpr const char kFacePGothic[] =
    "\x82\x6c\x82\x72 \x82\x6f\x83\x53\x83\x56\x83\x62\x83\x4e"; // ＭＳ Ｐゴシック
inline constexpr const char kFaceUiGothic[] = "MS UI Gothic";
inline constexpr const char kUnitHours[] = "\x8e\x9e\x8a\xd4"; // 時間
inline constexpr const char kUnitDays[] = "\x93\xfa";          // 日

} // namespace txt::layout
