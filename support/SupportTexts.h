#pragma once

// Texts of the support library (CP932).
namespace txt::support {

// Headings of unexpected failures.
inline constexpr const char kFailureMemory[] =
    "\x83\x81\x83\x82\x83\x8a\x95s\x91\xab"; // メモリ不足
inline constexpr const char kFailureFileAccess[] =
    "\xcc\xa7\xb2\xd9\xb1\xb8\xbe\xbd\x88\xd9\x8f\xed"; // ﾌｧｲﾙｱｸｾｽ異常
inline constexpr const char kFailureArchive[] =
    "\xb1\xb0\xb6\xb2\xcc\xde\x88\xd9\x8f\xed"; // ｱｰｶｲﾌﾞ異常
inline constexpr const char kFailureOther[] = "\x97\xe1\x8aO\x94\xad\x90\xb6"; // 例外発生

// Marks of a date text such as 2024年5月1日.
inline constexpr const char kYearMark[] = "\x94N";     // 年
inline constexpr const char kMonthMark[] = "\x8c\x8e"; // 月
inline constexpr const char kDayMark[] = "\x93\xfa";   // 日

// Weekday names, Sunday first.
inline constexpr const char kSunday[] = "\x93\xfa";    // 日
inline constexpr const char kMonday[] = "\x8c\x8e";    // 月
inline constexpr const char kTuesday[] = "\x89\xce";   // 火
inline constexpr const char kWednesday[] = "\x90\x85"; // 水
inline constexpr const char kThursday[] = "\x96\xd8";  // 木
inline constexpr const char kFriday[] = "\x8b\xe0";    // 金
inline constexpr const char kSaturday[] = "\x93y";     // 土

} // namespace txt::support
