#pragma once

// CP932 texts of the layout engine and the time chart, as escaped bytes.
namespace layout_text {

inline constexpr const char* FaceGothic =
    "\x82\x6c\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4e"; // ＭＳ ゴシック
inline constexpr const char* FacePGothic =
    "\x82\x6c\x82\x72 \x82\x6f\x83\x53\x83\x56\x83\x62\x83\x4e"; // ＭＳ Ｐゴシック
inline constexpr const char* FaceUiGothic = "MS UI Gothic";
inline constexpr const char* UnitHours = "\x8e\x9e\x8a\xd4"; // 時間
inline constexpr const char* UnitDays = "\x93\xfa";          // 日

} // namespace layout_text
