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

// A folder written the Windows way, typed into an output folder field.
inline constexpr const char kWindowsFolder[] =
    "Windows\x82\xcc\x83t\x83H\x83\x8b\x83_"
    "\x96\xbc\x82\xcd\x8eg\x82\xa6\x82\xdc\x82\xb9\x82\xf1\x81"
    "B\x82\xb1\x82\xcc\x83R\x83\x93\x83s\x83\x85\x81[\x83^\x82\xcc\x83t\x83H\x83\x8b\x83_"
    "\x82\xf0\x8ew"
    "\x92\xe8\x82\xb5\x82\xc4\x82\xad\x82\xbe\x82\xb3\x82\xa2\x81"
    "B\n%s"; // Windowsのフォルダ名は使えません。このコンピュータのフォルダを指定してください。\n%s
// A name typed with a character Shift-JIS cannot keep.
inline constexpr const char kUnspellableName[] =
    "Shift-"
    "JIS\x82\xc5\x95\x5c\x82\xb9\x82\xc8\x82\xa2\x95\xb6\x8e\x9a\x82\xaa\x8a\xdc\x82\xdc\x82\xea"
    "\x82\xc4\x82\xa2\x82\xdc\x82\xb7\x81"
    "B\x82\xb1\x82\xcc\x95\xb6\x8e\x9a\x82\xcd\x8eg\x82\xa6\x82\xdc\x82\xb9\x82\xf1\x81"
    "B"; // Shift-JISで表せない文字が含まれています。この文字は使えません。

} // namespace txt::support
